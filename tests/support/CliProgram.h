#pragma once
// The programs built beside a test program, run as a user runs them: the
// command line through the system's shell, stdout and stderr captured.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quillfen::test {

/// A program of the build (`relative` to the build folder, without ".exe"),
/// found beside this test program (<build>/tests/...), before any test changes
/// the current folder.
inline std::filesystem::path builtProgram(const std::string& relative) {
    static const std::filesystem::path build =
        std::filesystem::absolute(testing::internal::GetArgvs().front())
            .lexically_normal()
            .parent_path()
            .parent_path();
    static const std::string extension =
        std::filesystem::path(testing::internal::GetArgvs().front()).extension().string();
    return build / (relative + extension);
}

inline const std::filesystem::path& cliProgram() {
    static const std::filesystem::path program = builtProgram("cli/quillfen-cli");
    return program;
}

/// Tests of quillfen-cli: skipped where it is not built.
class CliTest : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(cliProgram()))
            GTEST_SKIP() << "quillfen-cli not built at " << cliProgram().string();
    }
};

struct Outcome {
    int exitCode = -1;
    std::string out, err;
};

inline std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

/// The program's output with Windows line ends (its standard streams are in text mode there) as "\n".
inline std::string withUnixLineEnds(std::string text) {
    std::erase(text, '\r');
    return text;
}

/// Runs `program` with the given arguments (already quoted).
inline Outcome runProgram(const std::filesystem::path& program, const std::string& arguments) {
    const TempFolder capture;
    std::string command = inQuotes(program.string()) + " " + arguments + " > " + inQuotes(capture / "out") +
                          " 2> " + inQuotes(capture / "err");
    // cmd.exe drops the outer pair of quotes of a command line that has more than two.
#ifdef _WIN32
    command = inQuotes(command);
#endif
    const int status = std::system(command.c_str());
    // A shell's status carries the exit code in its second byte; cmd.exe gives it plainly.
    return {status > 255 ? status >> 8 : status, withUnixLineEnds(capture.read("out")),
            withUnixLineEnds(capture.read("err"))};
}

inline Outcome runCli(const std::string& arguments) {
    return runProgram(cliProgram(), arguments);
}

} // namespace quillfen::test
