// Starting the converter: the Windows command line, real starts of fake programs (directly, through a fake
// `wine`, in a fake terminal), watching them, and this machine's paths through a Wine prefix's drives.

#include "platform/Process.h"
#include "platform/WineDrives.h"
#include "support/ScriptFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;

TEST(WindowsConverterCommand, FormsOfTheCommandInterpreterCall) {
    const std::tuple<bool, std::vector<std::string>, const char*> cases[] = {
        {true, {"C:\\m\\h.s", "C:\\m\\h_1.3ds"}, "/T:3F /K X \"C:\\m\\h.s\" \"C:\\m\\h_1.3ds\""},
        {false, {"C:\\m\\h.s"}, "/C X \"C:\\m\\h.s\" "}, // only an empty LOD row: ends with a blank
        {false, {"C:\\my m\\a.s", "C:\\my m\\a b_5.3ds"}, "/C X \"C:\\my m\\a.s\" \"C:\\my m\\a b_5.3ds\""},
    };
    for (const auto& [visible, arguments, expected] : cases)
        EXPECT_EQ(windowsConverterCommand({"C:\\Program Files\\conv3ds.exe", "X", arguments, visible}),
                  std::string("cmd.exe ") + expected);
}

#ifndef _WIN32

class ProcessStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const fs::path& folder : {bin = root.fsPath() / "bin", work = root.fsPath() / "work dir"})
            fs::create_directories(folder);
    }

    [[nodiscard]] SystemProcessStarter starterWith(const std::string& terminal = "") const {
        const std::string path = bin.string(), prefix = (root.fsPath() / "prefix").string();
        return SystemProcessStarter([path, terminal, prefix](const std::string& name) {
            return name == "PATH" ? path : name == "TERMINAL" ? terminal : name == "WINEPREFIX" ? prefix : "";
        });
    }

    TempFolder root;
    fs::path bin, work;
};

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
        std::ranges::replace(path, '/', '\\');
        return path;
    };

    // A prefix still to be made: Wine gives it Z: for the root folder.
    LaunchResult result = start();
    ASSERT_TRUE(result.started()) << result.error.message();
    EXPECT_EQ(recordedLines(record), (std::vector<std::string>{"Z:" + windows(folder + "/conv3ds.exe"),
                                                               "Z:" + windows(folder + "/house.s"),
                                                               "Z:" + windows(folder + "/house_100.3ds")}));
    EXPECT_TRUE(result.shownCommand.starts_with("wine \"Z:\\"));

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
    const auto terminal = recordedLines(terminalRecord); // "-e", ..., the converter and its arguments apart
    ASSERT_GE(terminal.size(), 3U);
    EXPECT_EQ(terminal[0] + "|" + terminal.end()[-2] + "|" + terminal.back(),
              "-e|" + converter.string() + "|" + arguments[0]);
    EXPECT_EQ(result.process, nullptr) << "a visible start cannot be watched";
}

TEST_F(ProcessStartTest, AHiddenStartIsWatchedToItsEndWithItsCodeAndLastOutputLines) {
    std::vector<std::string> last8;
    for (int i = 1992; i < 2000; ++i) last8.push_back("line " + std::to_string(i));
    // clang-format off
    const std::tuple<std::string, int, std::vector<std::string>> cases[] = {
        // Like wine's hint when wine32 is missing: words on stderr, then code 0.
        {"printf 'it looks like wine32 is missing\\r\\n\\n\\n' >&2\n", 0, {"it looks like wine32 is missing"}},
        {"kill -9 $$\n", 128 + 9, {}},
        {"i=0; while [ $i -lt 2000 ]; do echo \"line $i\" >&2; i=$((i+1)); done; exit 3\n", 3, last8},
    };
    // clang-format on
    for (const auto& [body, exitCode, lines] : cases) {
        SCOPED_TRACE(body);
        writeScript(work / "conv3ds", body);
        const LaunchResult result =
            starterWith().startConverter({(work / "conv3ds").string(), "", {"out.s"}, false});
        ASSERT_NE(result.process, nullptr) << result.error.message();
        ProcessStatus status;
        waitForReal([&] { return !(status = result.process->look()).running; });
        EXPECT_EQ(status.exitCode, exitCode);
        EXPECT_EQ(status.lastOutputLines, lines);
    }
}

class WineDrivesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(prefix() / "dosdevices");
        fs::create_directories(prefix() / "drive_c");
        fs::create_directories(models() / "house");
    }
    [[nodiscard]] fs::path prefix() const { return folder.fsPath() / "prefix"; }
    [[nodiscard]] fs::path models() const { return fs::canonical(folder.fsPath()) / "models"; }
    void link(const fs::path& target, const std::string& entry) const {
        fs::create_directory_symlink(target, prefix() / "dosdevices" / entry);
    }

    test::TempFolder folder;
};

TEST_F(WineDrivesTest, PathsTakeTheDriveThatReachesThemMostClosely) {
    link("../drive_c", "c:");
    link("/", "z:");
    const std::string house = (models() / "house").string();
    // The path, whether M: shows the models (and Z: is gone), and its Windows form.
    const std::tuple<std::string, bool, std::optional<std::string>> cases[] = {
        // A link in the path is resolved first: the prefix's own link leads into drive_c.
        {(prefix() / "dosdevices" / "c:" / "x.s").string(), false, "C:\\x.s"},
        {house + "/Zden\xC4\x9Bk \xD0\x94\xD0\xBE\xD0\xBC.s", true,
         "M:\\house\\Zden\xC4\x9Bk \xD0\x94\xD0\xBE\xD0\xBC.s"},
        {models().string() + "x/a.s", true, std::nullopt}, // "modelsx" is not below "models"
    };
    for (const auto& [hostPath, withModelsDrive, windows] : cases) {
        SCOPED_TRACE(hostPath);
        auto drives = *wineDrivesOf(prefix().string());
        if (withModelsDrive) {
            std::erase_if(drives, [](const WineDrive& d) { return d.letter == 'Z'; });
            drives.push_back({'M', models().string()});
        }
        EXPECT_EQ(windowsPathOnDrives(hostPath, drives), windows);
    }
}

#endif

} // namespace
} // namespace quillfen::test
