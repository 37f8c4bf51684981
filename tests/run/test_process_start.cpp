// Starting the converter: the Windows command line, the Wine drive form of
// paths, the PATH search, and real starts of fake programs on this system
// (directly, through a fake `wine`, in a fake terminal).

#include "platform/Process.h"
#include "support/TempFolder.h"
#include "test_run_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

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
         {"C:\\m\\house.s", "C:\\m\\house_100.3ds", "C:\\m\\house_500.3ds"},
         "cmd.exe /C C:\\PROGRA~1\\CONV3DS.EXE \"C:\\m\\house.s\" \"C:\\m\\house_100.3ds\" "
         "\"C:\\m\\house_500.3ds\""},
        {"visible",
         true,
         {"C:\\m\\house.s", "C:\\m\\house_100.3ds"},
         "cmd.exe /T:3F /K C:\\PROGRA~1\\CONV3DS.EXE \"C:\\m\\house.s\" \"C:\\m\\house_100.3ds\""},
        // Only an empty LOD row checked: the line ends with the blank after the output path.
        {"no LOD file",
         false,
         {"C:\\m\\house.s"},
         "cmd.exe /C C:\\PROGRA~1\\CONV3DS.EXE \"C:\\m\\house.s\" "},
        {"blanks always quoted",
         false,
         {"C:\\my model\\a.s", "C:\\my model\\a b_5.3ds"},
         "cmd.exe /C C:\\PROGRA~1\\CONV3DS.EXE \"C:\\my model\\a.s\" \"C:\\my model\\a b_5.3ds\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ConverterLaunch launch{"C:\\Program Files\\conv3ds.exe", "C:\\PROGRA~1\\CONV3DS.EXE", c.arguments,
                               c.visible};
        EXPECT_EQ(windowsConverterCommand(launch), c.expected);
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

    /// A program that writes its arguments, one a line, to `record`, then runs `rest`.
    void writeRecorder(const fs::path& program, const fs::path& record, const std::string& rest = "") {
        writeScript(program, "printf '%s\\n' \"$@\" > " + shellQuoted(record.string()) + ".part\nmv " +
                                 shellQuoted(record.string()) + ".part " + shellQuoted(record.string()) +
                                 "\n" + rest);
    }

    [[nodiscard]] static std::vector<std::string> recorded(const fs::path& record) {
        if (!waitForReal([&] { return fs::exists(record); })) return {};
        std::istringstream in(readFile(record));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
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

TEST_F(ProcessStartTest, NativeConverterGetsItsArgumentsUnchanged) {
    const fs::path converter = work / "conv 3ds";
    const fs::path record = root.fsPath() / "args";
    writeRecorder(converter, record);
    const std::vector<std::string> arguments = {(work / "out $(touch x).s").string(),
                                                (work / "a \"b\"_1.3ds").string()};

    const LaunchResult result =
        starterWith().startConverter({converter.string(), converter.string(), arguments, false});

    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recorded(record), arguments);
    EXPECT_EQ(result.shownCommand,
              "\"" + converter.string() + "\" \"" + arguments[0] + "\" \"" + arguments[1] + "\"");
    EXPECT_FALSE(fs::exists(work / "x"));
}

TEST_F(ProcessStartTest, WindowsProgramRunsThroughWineWithDriveZPaths) {
    const fs::path record = root.fsPath() / "wine-args";
    writeRecorder(bin / "wine", record);
    const fs::path converter = work / "conv3ds.exe";
    std::ofstream(converter, std::ios::binary) << "MZ\x90";
    const std::vector<std::string> arguments = {(work / "house.s").string(),
                                                (work / "house_100.3ds").string()};

    const LaunchResult result =
        starterWith().startConverter({converter.string(), converter.string(), arguments, false});

    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recorded(record),
              (std::vector<std::string>{toWineDrivePath(converter.string()), toWineDrivePath(arguments[0]),
                                        toWineDrivePath(arguments[1])}));
    EXPECT_EQ(result.shownCommand.rfind("wine \"Z:\\", 0), 0U);
}

TEST_F(ProcessStartTest, VisibleFormRunsInTheTerminalWithPositionalArguments) {
    const fs::path terminalRecord = root.fsPath() / "terminal-args";
    const fs::path converterRecord = root.fsPath() / "converter-args";
    // The fake terminal records its arguments and runs what follows "-e".
    writeRecorder(bin / "fake-term", terminalRecord, "shift\nexec \"$@\"\n");
    const fs::path converter = work / "conv3ds";
    writeRecorder(converter, converterRecord);
    const std::vector<std::string> arguments = {(work / "h;rm -rf x.s").string()};

    const LaunchResult result =
        starterWith("fake-term").startConverter({converter.string(), converter.string(), arguments, true});

    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recorded(converterRecord), arguments);
    const auto terminalArguments = recorded(terminalRecord);
    ASSERT_GE(terminalArguments.size(), 3U);
    EXPECT_EQ(terminalArguments[0], "-e");
    // The converter and its arguments come last, each as a parameter of its own.
    EXPECT_EQ(terminalArguments[terminalArguments.size() - 2], converter.string());
    EXPECT_EQ(terminalArguments.back(), arguments[0]);
    EXPECT_EQ(result.shownCommand.rfind((bin / "fake-term").string() + " -e \"", 0), 0U);
}

TEST_F(ProcessStartTest, ProblemsAreToldApart) {
    const fs::path windowsProgram = work / "conv3ds.exe";
    std::ofstream(windowsProgram, std::ios::binary) << "MZ";
    const fs::path plainScript = work / "conv.sh";
    writeScript(plainScript, "");
    const fs::path notExecutable = work / "conv.txt";
    std::ofstream(notExecutable) << "text";

    auto starter = starterWith();
    EXPECT_EQ(starter.startConverter({windowsProgram.string(), "", {"o.s"}, false}).problem,
              LaunchProblem::WineMissing);
    EXPECT_EQ(starter.startConverter({plainScript.string(), "", {"o.s"}, true}).problem,
              LaunchProblem::TerminalMissing);
    const LaunchResult refused = starter.startConverter({notExecutable.string(), "", {"o.s"}, false});
    EXPECT_EQ(refused.problem, LaunchProblem::StartFailed);
    EXPECT_EQ(refused.error.path, notExecutable.string());
    EXPECT_EQ(refused.error.reason, "Permission denied");
}

#endif

} // namespace
} // namespace quillfen::test
