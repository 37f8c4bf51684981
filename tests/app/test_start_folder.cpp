// Where a start without a folder argument begins, on real temporary folders.

#include "app/StartFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace quillfen {
namespace {

using test::TempFolder;

struct StartCase {
    const char* name;
    const char* currentFile; ///< a file in the current directory, or nullptr
    const char* programFile; ///< a file in the program's folder, or nullptr
    StartFolderSource expected;
};

class ChooseStartFolder : public testing::TestWithParam<StartCase> {};

TEST_P(ChooseStartFolder, PrefersTheFolderThatHoldsModels) {
    const StartCase& c = GetParam();
    TempFolder current;
    TempFolder program;
    if (c.currentFile) current.write(c.currentFile, "x");
    if (c.programFile) program.write(c.programFile, "x");
    const StartFolder start = chooseStartFolder(LocalFileSystem(), current.path(), program.path());
    EXPECT_EQ(start.source, c.expected);
    // The dialog opens where the modeller started the program.
    const std::string expectedFolder =
        c.expected == StartFolderSource::ProgramFolder ? program.path() : current.path();
    EXPECT_EQ(start.folder, expectedFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ChooseStartFolder,
    testing::Values(
        StartCase{"CurrentHoldsModels", "house_100.3DS", "other_100.3ds",
                  StartFolderSource::CurrentDirectory},
        StartCase{"OnlyProgramFolderHolds", "readme.txt", "house_100.3ds", StartFolderSource::ProgramFolder},
        StartCase{"NeitherHolds", "house.s", nullptr, StartFolderSource::AskUser},
        StartCase{"ModelsOnlyInASubfolder", "models/house_100.3ds", nullptr, StartFolderSource::AskUser}),
    [](const testing::TestParamInfo<StartCase>& param) { return std::string(param.param.name); });

TEST(ChooseStartFolder, AFolderThatCannotBeListedHoldsNoModels) {
    TempFolder program;
    const StartFolder start = chooseStartFolder(LocalFileSystem(), program / "gone", program.path());
    EXPECT_EQ(start.source, StartFolderSource::AskUser);
}

} // namespace
} // namespace quillfen
