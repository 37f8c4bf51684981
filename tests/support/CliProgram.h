#pragma once
// Test helper: quillfen-cli run as the built program, its output captured.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quillfen::test {

/// The quillfen-cli built beside this test program (<build>/cli/quillfen-cli),
/// found once, before any test changes the current folder.
inline const std::filesystem::path& cliProgram() {
    static const std::filesystem::path program = [] {
        const auto self = std::filesystem::absolute(testing::internal::GetArgvs().front()).lexically_normal();
        return self.parent_path().parent_path() / "cli" / ("quillfen-cli" + self.extension().string());
    }();
    return program;
}

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

/// Runs quillfen-cli with the given arguments (already quoted), its output captured.
inline Outcome runCli(const std::string& arguments) {
    const TempFolder capture;
    std::string command = inQuotes(cliProgram().string()) + " " + arguments + " > " +
                          inQuotes(capture / "out") + " 2> " + inQuotes(capture / "err");
    // cmd.exe drops the outer pair of quotes of a command line that has more than two.
    if (cliProgram().extension() == ".exe") command = inQuotes(command);
    const int status = std::system(command.c_str());
    // A shell's status carries the exit code in its second byte; cmd.exe gives it plainly.
    return {status > 255 ? status >> 8 : status, withUnixLineEnds(capture.read("out")),
            withUnixLineEnds(capture.read("err"))};
}

} // namespace quillfen::test
