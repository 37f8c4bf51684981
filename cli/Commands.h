#pragma once
// The subcommands of quillfen-cli, one file each. Each takes the arguments
// after its own name and returns the process exit code.

#include <string>
#include <vector>

namespace quillfen::cli {

using Arguments = std::vector<std::string>;

int runLods(const Arguments& args);
int runValidateBbox(const Arguments& args);
int runConvert(const Arguments& args);
int runBbox(const Arguments& args);
int runRender(const Arguments& args);

} // namespace quillfen::cli
