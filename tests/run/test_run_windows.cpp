// A whole conversion run on Windows, where the converter is started through
// cmd.exe with its short path: the fake converter is a batch file in a folder
// with blanks, and the model's folder has blanks too. Skipped elsewhere, where
// the shell-script fakes of the other run tests cover the run.

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "run/ConversionRun.h"
#include "support/RunSupport.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;

class WindowsConversionRunTest : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override {
        if (kPathSeparator != '\\') GTEST_SKIP() << "the cmd.exe start exists only on Windows";
        wd = root.fsPath() / "my model";
        layOutHouse(wd, state, choices);
        std::ofstream(root.fsPath() / "prepared.s", std::ios::binary) << kSFileText;

        // Copies the prepared s-file to its first argument (written whole, then
        // renamed) and records the arguments it got, quotes stripped, one a line.
        converter = root.fsPath() / "tool box" / "conv3ds.bat";
        fs::create_directories(converter.parent_path());
        const std::string args = TempFolder::utf8Of(root.fsPath() / "args.txt");
        std::ofstream(converter, std::ios::binary)
            << "@echo off\r\n"
            << "copy /Y \"" << TempFolder::utf8Of(root.fsPath() / "prepared.s") << "\" \"%~1.part\" >nul\r\n"
            << "move /Y \"%~1.part\" \"%~1\" >nul\r\n"
            << ">\"" << args << ".part\" echo %~1\r\n"
            << ">>\"" << args << ".part\" echo %~2\r\n"
            << ">>\"" << args << ".part\" echo %~3\r\n"
            << "move /Y \"" << args << ".part\" \"" << args << "\" >nul\r\n";

        state.gstrConv3dsPfad = TempFolder::utf8Of(converter);
        state.gstrSprache = GetParam();
    }

    /// Drives the run; once the converter is started, waits in real time for
    /// the batch file to finish, so that the manual clock never runs ahead of it.
    std::optional<int> run() {
        task = runConversion(RunServices{state, host, view, files, clock, processes, '.'}, choices);
        ClockDriver driver(clock);
        driver.onYield = [&] {
            if (!settled && host.cancelEnabled && host.logHas(caption())) {
                settled = true; // waited for once: a converter that never ends fails the test once
                waitForReal([&] { return fs::exists(root.fsPath() / "args.txt"); });
            }
            return true;
        };
        return driver.run(task);
    }

    [[nodiscard]] std::string caption() const {
        return pickText(state.gstrSprache,
                        "•Konverter-Start mit cmd-Befehlszeile:", "•Converter starts with cmd-command:");
    }
    [[nodiscard]] std::string inWd(const char* name) const { return TempFolder::utf8Of(wd / name); }
    /// The arguments the batch file recorded ("echo" ends its lines with CR LF).
    [[nodiscard]] std::vector<std::string> recordedArguments() const {
        auto lines = recordedLines(root.fsPath() / "args.txt");
        for (auto& line : lines)
            if (!line.empty() && line.back() == '\r') line.pop_back();
        return lines;
    }

    TempFolder root;
    fs::path wd;
    fs::path converter;
    bool settled = false;

    ProgramState state;
    RunChoices choices;
    RecordingHost host;
    RecordingView view;
    FailingFileSystem files;
    ManualClock clock;
    SystemProcessStarter processes;
    CommandTask task;
};

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowsConversionRunTest,
                         ::testing::Values(Language::German, Language::English),
                         [](const auto& param) { return std::string(languageName(param.param)); });

TEST_P(WindowsConversionRunTest, BatchConverterInFoldersWithBlanksRunsThroughCmdWithItsShortPath) {
    ASSERT_EQ(run(), static_cast<int>(RunEnd::Done));

    EXPECT_EQ(host.lines().front(), pickText(state.gstrSprache, "Fertig!", "Done!"));
    EXPECT_TRUE(fs::exists(wd / "SHAPES" / "house_.s"));
    EXPECT_TRUE(fs::exists(wd / "SHAPES" / "house_.sd"));
    EXPECT_FALSE(fs::exists(wd / "house_.s"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.locks, 1);
    EXPECT_TRUE(host.idle()) << "the end of the run unlocks the window";
    // Each path reached the converter whole, blanks included.
    EXPECT_EQ(recordedArguments(),
              (std::vector<std::string>{inWd("house_.s"), inWd("house_100.3ds"), inWd("house_500.3ds")}));
    // The logged command line runs the converter's short path through cmd.exe.
    const auto shortPath = LocalFileSystem().shortPath(state.gstrConv3dsPfad);
    ASSERT_TRUE(shortPath.ok());
    EXPECT_EQ(shortPath.value().find(' '), std::string::npos) << shortPath.value();
    const auto lines = host.lines();
    const auto caption = std::find(lines.begin(), lines.end(), this->caption());
    ASSERT_TRUE(caption != lines.end() && caption + 1 != lines.end());
    EXPECT_EQ(*(caption + 1), "cmd.exe /C " + shortPath.value() + " \"" + inWd("house_.s") + "\" \"" +
                                  inWd("house_100.3ds") + "\" \"" + inWd("house_500.3ds") + "\"");
}

} // namespace
} // namespace quillfen::test
