// Starting the converter: the Windows command line, the PATH search, real
// starts of fake programs on this system (directly, through a fake `wine` with
// the prefix's drives, in a fake terminal), and watching what was started.

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "support/ScriptFiles.h"
#include "support/TempFolder.h"

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

#ifdef _WIN32

TEST(WindowsProcessStart, TheCommandInterpreterIsWatchedToItsExitCode) {
    test::TempFolder folder;
    const auto tool = [&](const std::string& name, const std::string& body) {
        folder.write(name, "@echo off\r\n" + body);
        const std::string path = folder / name;
        return ConverterLaunch{path, LocalFileSystem().shortPath(path).value(), {folder / "out.s"}, false};
    };
    const std::pair<ConverterLaunch, int> cases[] = {
        {tool("refuses.bat", "echo bad chunk 1>&2\r\nexit /b 1\r\n"), 1},
        {tool("silent.bat", "exit /b 0\r\n"), 0},
    };
    for (const auto& [launch, code] : cases) {
        SCOPED_TRACE(launch.converterPath);
        const LaunchResult result = SystemProcessStarter().startConverter(launch);
        ASSERT_NE(result.process, nullptr);
        ProcessStatus status;
        waitForReal([&] { return !(status = result.process->look()).running; });
        EXPECT_EQ(status.exitCode, code);
    }
}

#endif

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
        const std::string prefix = (root.fsPath() / "prefix").string();
        return SystemProcessStarter([path, terminal, prefix](const std::string& name) {
            if (name == "PATH") return path;
            if (name == "TERMINAL") return terminal;
            if (name == "WINEPREFIX") return prefix;
            return std::string();
        });
    }

    /// Starts a hidden fake converter with `body` and looks at it until it ends.
    ProcessStatus endOf(const std::string& body) {
        const fs::path converter = work / "conv3ds";
        writeScript(converter, body);
        const LaunchResult result = starterWith().startConverter({converter.string(), "", {"out.s"}, false});
        EXPECT_TRUE(result.started()) << result.error.message();
        if (!result.process) return {};
        ProcessStatus status;
        waitForReal([&] { return !(status = result.process->look()).running; });
        return status;
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

TEST_F(ProcessStartTest, WindowsProgramRunsThroughWineWithThePrefixDrives) {
    const fs::path record = root.fsPath() / "wine-args";
    writeScript(bin / "wine", recordArguments(record));
    const fs::path converter = work / "conv3ds.exe";
    std::ofstream(converter, std::ios::binary) << "MZ\x90";
    const std::vector<std::string> arguments = {(work / "house.s").string(),
                                                (work / "house_100.3ds").string()};
    const auto start = [&] {
        return starterWith().startConverter({converter.string(), converter.string(), arguments, false});
    };
    const std::string folder = fs::canonical(work).string();
    const auto windows = [](std::string path) {
        for (char& c : path)
            if (c == '/') c = '\\';
        return path;
    };

    // A prefix still to be made: Wine gives it Z: for the root folder.
    LaunchResult result = start();
    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recordedLines(record), (std::vector<std::string>{"Z:" + windows(folder + "/conv3ds.exe"),
                                                               "Z:" + windows(folder + "/house.s"),
                                                               "Z:" + windows(folder + "/house_100.3ds")}));
    EXPECT_EQ(result.shownCommand.rfind("wine \"Z:\\", 0), 0U);

    // A prefix without Z:, whose M: shows the model's folder.
    fs::remove(record);
    fs::create_directories(root.fsPath() / "prefix" / "dosdevices");
    fs::create_directory_symlink(work, root.fsPath() / "prefix" / "dosdevices" / "m:");
    result = start();
    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recordedLines(record),
              (std::vector<std::string>{"M:\\conv3ds.exe", "M:\\house.s", "M:\\house_100.3ds"}));

    // No drive reaches the folder: nothing is started.
    fs::remove(root.fsPath() / "prefix" / "dosdevices" / "m:");
    result = start();
    EXPECT_EQ(result.problem, LaunchProblem::NoWineDrive);
    EXPECT_EQ(result.error.path, converter.string());
    EXPECT_EQ(result.process, nullptr);
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

TEST_F(ProcessStartTest, AHiddenStartIsWatchedToItsEndWithItsCodeAndLastOutputLines) {
    struct Case {
        const char* name;
        std::string body;
        int exitCode;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"refuses at once",
         "echo 'reading house_100.3ds'\necho 'bad chunk 0x4d4d' >&2\nexit 1\n",
         1,
         {"reading house_100.3ds", "bad chunk 0x4d4d"}},
        {"ends silently", "exit 0\n", 0, {}},
        // Like wine's hint when wine32 is missing: words on stderr, then code 0.
        {"hint, then success code",
         "printf 'it looks like wine32 is missing\\r\\n\\n\\n' >&2\n",
         0,
         {"it looks like wine32 is missing"}},
        {"killed", "kill -9 $$\n", 128 + 9, {}},
        {"much output: the last lines only",
         "i=0; while [ $i -lt 2000 ]; do echo \"line $i\" >&2; i=$((i+1)); done; exit 3\n",
         3,
         {"line 1992", "line 1993", "line 1994", "line 1995", "line 1996", "line 1997", "line 1998",
          "line 1999"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProcessStatus status = endOf(c.body);
        EXPECT_FALSE(status.running);
        EXPECT_EQ(status.exitCode, c.exitCode);
        EXPECT_EQ(status.lastOutputLines, c.lines);
    }
}

TEST_F(ProcessStartTest, ASlowConverterIsRunningUntilItEnds) {
    const fs::path go = root.fsPath() / "go";
    const fs::path converter = work / "conv3ds";
    writeScript(converter,
                "while [ ! -e " + shellQuoted(go.string()) + " ]; do sleep 0.01; done\necho done\n");
    const LaunchResult result = starterWith().startConverter({converter.string(), "", {"out.s"}, false});
    ASSERT_NE(result.process, nullptr);

    EXPECT_TRUE(result.process->look().running);
    EXPECT_TRUE(result.process->look().running);
    std::ofstream(go) << "";
    ProcessStatus status;
    waitForReal([&] { return !(status = result.process->look()).running; });
    EXPECT_EQ(status.exitCode, 0);
    // The end stays as it was seen.
    EXPECT_EQ(result.process->look().lastOutputLines, std::vector<std::string>{"done"});
}

TEST_F(ProcessStartTest, AConverterLetGoOfRunsOnAndIsReapedLater) {
    const fs::path go = root.fsPath() / "go";
    const fs::path converter = work / "conv3ds";
    const fs::path written = work / "late.s";
    writeScript(converter, "while [ ! -e " + shellQuoted(go.string()) + " ]; do sleep 0.01; done\necho s > " +
                               shellQuoted(written.string()) + "\n");
    starterWith().startConverter({converter.string(), "", {"out.s"}, false}).process.reset();
    std::ofstream(go) << "";
    EXPECT_TRUE(waitForReal([&] { return fs::exists(written); }));
}

TEST_F(ProcessStartTest, AVisibleStartCannotBeWatched) {
    writeScript(bin / "fake-term", "shift\nexec \"$@\"\n");
    const fs::path converter = work / "conv3ds";
    writeScript(converter, "exit 1\n");
    const LaunchResult result =
        starterWith("fake-term").startConverter({converter.string(), "", {"o.s"}, true});
    ASSERT_TRUE(result.started());
    EXPECT_EQ(result.process, nullptr);
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
