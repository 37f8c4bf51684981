// Starting the converter: the Windows command line, the Wine drive form of
// paths, the PATH search, and real starts of fake programs on this system
// (directly, through a fake `wine`, in a fake terminal).

#include "platform/Process.h"
#include "support/TempFolder.h"
#include "test_run_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;

TEST(WindowsConverterCommand, FormsOfTheCommandInterpreterCall) {
    struct Case {
        const char* name;
        bool visible;
        std::vector<std::string> arguments;
        const char* expected;
    };
    const Case cases[] = {
        {"hidden",
         false,
         {"C:\\m\\h.s", "C:\\m\\h_1.3ds", "C:\\m\\h_5.3ds"},
         "\"C:\\m\\h.s\" \"C:\\m\\h_1.3ds\" \"C:\\m\\h_5.3ds\""},
        {"visible", true, {"C:\\m\\h.s", "C:\\m\\h_1.3ds"}, "\"C:\\m\\h.s\" \"C:\\m\\h_1.3ds\""},
        // Only an empty LOD row checked: the line ends with the blank after the output path.
        {"no LOD file", false, {"C:\\m\\h.s"}, "\"C:\\m\\h.s\" "},
        {"blanks always quoted",
         false,
         {"C:\\my m\\a.s", "C:\\my m\\a b_5.3ds"},
         "\"C:\\my m\\a.s\" \"C:\\my m\\a b_5.3ds\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ConverterLaunch launch{"C:\\Program Files\\conv3ds.exe", "C:\\PROGRA~1\\CONV3DS.EXE", c.arguments,
                               c.visible};
        const std::string form = c.visible ? "cmd.exe /T:3F /K " : "cmd.exe /C ";
        EXPECT_EQ(windowsConverterCommand(launch), form + "C:\\PROGRA~1\\CONV3DS.EXE " + c.expected);
    }
}

TEST(WineDrivePath, LinuxRootIsDriveZ) {
    EXPECT_EQ(toWineDrivePath("/home/a b/x.s"), "Z:\\home\\a b\\x.s");
    EXPECT_EQ(toWineDrivePath("/"), "Z:\\");
    EXPECT_EQ(toWineDrivePath("/tmp/\"q\"/c.3ds"), "Z:\\tmp\\\"q\"\\c.3ds");
}

#ifndef _WIN32

class ProcessStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        bin = root.fsPath() / "bin";
        work = root.fsPath() / "work dir";
        fs::create_directories(bin);
        fs::create_directories(work);
    }

    [[nodiscard]] SystemProcessStarter starterWith(const std::string& terminal = "") const {
        const std::string path = bin.string();
        return SystemProcessStarter([path, terminal](const std::string& name) {
            if (name == "PATH") return path;
            if (name == "TERMINAL") return terminal;
            return std::string();
        });
    }

    TempFolder root;
    fs::path bin;
    fs::path work;
};

TEST_F(ProcessStartTest, FindInPathTakesTheFirstExecutableMatch) {
    const fs::path second = root.fsPath() / "second";
    writeScript(second / "tool", "");
    std::ofstream(bin / "tool") << "not executable";
    EXPECT_EQ(findInPath("tool", bin.string() + ":" + second.string()), (second / "tool").string());
    EXPECT_EQ(findInPath("missing", bin.string()), "");
    EXPECT_EQ(findInPath("", bin.string()), "");
}

TEST_F(ProcessStartTest, WindowsProgramRunsThroughWineWithDriveZPaths) {
    const fs::path record = root.fsPath() / "wine-args";
    writeScript(bin / "wine", recordArguments(record));
    const fs::path converter = work / "conv3ds.exe";
    std::ofstream(converter, std::ios::binary) << "MZ\x90";
    const std::vector<std::string> arguments = {(work / "house.s").string(),
                                                (work / "house_100.3ds").string()};

    const LaunchResult result =
        starterWith().startConverter({converter.string(), converter.string(), arguments, false});

    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recordedLines(record),
              (std::vector<std::string>{toWineDrivePath(converter.string()), toWineDrivePath(arguments[0]),
                                        toWineDrivePath(arguments[1])}));
    EXPECT_EQ(result.shownCommand.rfind("wine \"Z:\\", 0), 0U);
}

TEST_F(ProcessStartTest, VisibleFormRunsInTheTerminalWithPositionalArguments) {
    const fs::path terminalRecord = root.fsPath() / "terminal-args";
    const fs::path converterRecord = root.fsPath() / "converter-args";
    // The fake terminal records its arguments and runs what follows "-e".
    writeScript(bin / "fake-term", recordArguments(terminalRecord) + "shift\nexec \"$@\"\n");
    const fs::path converter = work / "conv3ds";
    writeScript(converter, recordArguments(converterRecord));
    const std::vector<std::string> arguments = {(work / "h;rm -rf x.s").string()};

    const LaunchResult result =
        starterWith("fake-term").startConverter({converter.string(), converter.string(), arguments, true});

    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recordedLines(converterRecord), arguments);
    const auto terminalArguments = recordedLines(terminalRecord);
    ASSERT_GE(terminalArguments.size(), 3U);
    EXPECT_EQ(terminalArguments[0], "-e");
    // The converter and its arguments come last, each as a parameter of its own.
    EXPECT_EQ(terminalArguments[terminalArguments.size() - 2], converter.string());
    EXPECT_EQ(terminalArguments.back(), arguments[0]);
    EXPECT_EQ(result.shownCommand.rfind((bin / "fake-term").string() + " -e \"", 0), 0U);
}

// Not executable and no wine: see the run tests, which log each in both languages.
TEST_F(ProcessStartTest, VisibleFormWithoutATerminalIsToldApart) {
    const fs::path plainScript = work / "conv.sh";
    writeScript(plainScript, "");
    EXPECT_EQ(starterWith().startConverter({plainScript.string(), "", {"o.s"}, true}).problem,
              LaunchProblem::TerminalMissing);
}

#endif

} // namespace
} // namespace quillfen::test
