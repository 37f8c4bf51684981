#pragma once
// The programs built beside a test program, run as a user runs them: through the shell, output captured.

#include "support/TempFolder.h"

#include <cstdlib>

namespace quillfen::test {

/// quillfen-cli of this build, beside this test program (<build>/tests/...), found before a test changes
/// folder.
inline const std::filesystem::path& cliProgram() {
    static const std::filesystem::path test(testing::internal::GetArgvs().front()),
        program = std::filesystem::absolute(test).lexically_normal().parent_path().parent_path() /
                  ("cli/quillfen-cli" + test.extension().string());
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

/// Runs `program` with the given arguments (already quoted).
inline Outcome runProgram(const std::filesystem::path& program, const std::string& arguments) {
    const TempFolder capture;
    std::string command = inQuotes(program.string()) + " " + arguments + " > " + inQuotes(capture / "out") +
                          " 2> " + inQuotes(capture / "err");
#ifdef _WIN32
    command = inQuotes(command); // cmd.exe drops the outer pair of quotes of a line with more than two
#endif
    const int status = std::system(command.c_str());
    // A shell's status carries the exit code in its second byte; cmd.exe gives it plainly. Windows line ends
    // (text mode there) as "\n".
    Outcome outcome{status > 255 ? status >> 8 : status, capture.read("out"), capture.read("err")};
    std::erase(outcome.out, '\r'), std::erase(outcome.err, '\r');
    return outcome;
}

inline Outcome runCli(const std::string& arguments) {
    return runProgram(cliProgram(), arguments);
}

} // namespace quillfen::test
