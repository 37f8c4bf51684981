#pragma once
// The subcommands of quillfen-cli, one file each. Each adds itself to the
// command line's parser; when the command line names it, it runs after the
// parse and leaves the process exit code in `exitCode`.

#include <CLI/CLI.hpp>

namespace quillfen::cli {

/// A command's arguments did not fit (its usage is printed): exit code 2.
inline constexpr int kExitUsage = 2;

void addLodsCommand(CLI::App& app, int& exitCode);
void addValidateBboxCommand(CLI::App& app, int& exitCode);
void addConvertCommand(CLI::App& app, int& exitCode);
void addBboxCommand(CLI::App& app, int& exitCode);
void addTextureCommand(CLI::App& app, int& exitCode);
void addRenderCommand(CLI::App& app, int& exitCode);

/// The arguments after `render`, as the renderer reads them.
using Arguments = std::vector<std::string>;
int runRender(const Arguments& args);

} // namespace quillfen::cli
