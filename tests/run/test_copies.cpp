#include "run/RouteCopies.h"

#include "platform/Paths.h"
#include "support/ResultFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

/// A working folder with finished results, and route folders beside them.
struct CopyWorld {
    WorkFolder work;
    TempFolder routes;

    explicit CopyWorld(Language language = Language::English) : work(language) {
        work.folder.write("SHAPES/house.s", "s-file");
        work.folder.write("SHAPES/house.sd", "sd-file");
        work.folder.write("TEXTURES/wall.ace", "wall");
        work.folder.write("TEXTURES/roof.dds", "roof");
    }
    [[nodiscard]] std::string route(const std::string& name) const { return routes / name; }
    /// Every file and empty folder below the routes, '/'-separated and sorted, folders ending in '/'.
    [[nodiscard]] Names tree() const {
        Names entries;
        for (const auto& e : fs::recursive_directory_iterator(routes.fsPath()))
            if (!e.is_directory() || fs::is_empty(e.path()))
                entries.push_back(fs::relative(e.path(), routes.fsPath()).generic_string() +
                                  (e.is_directory() ? "/" : ""));
        std::sort(entries.begin(), entries.end());
        return entries;
    }
};

// Targets: route "Alpha", route "Beta" (its caption ends in a separator), plain folder "Trials".
struct TargetsCase {
    std::string name;
    std::array<int, 3> checks;
    int chkTextureCopy;
    Names existing;     // folders below the routes, made before the copies
    Names expectedTree; // see CopyWorld::tree
    Names expectedLog;  // "!N" for the lines of missing target N, else the target path below routes
};

class TargetsTest : public testing::TestWithParam<std::tuple<TargetsCase, Language>> {};

TEST_P(TargetsTest, ServesTheCheckedTargetsInOrder) {
    const auto& [c, language] = GetParam();
    CopyWorld world(language);
    for (const std::string& folder : c.existing) fs::create_directories(world.routes.fsPath() / folder);
    CopyChoices choices;
    const std::array<std::string, 3> captions{world.route("Alpha"), world.route("Beta") + kSep,
                                              world.route("Trials")};
    for (std::size_t i = 0; i < 3; ++i) choices.targets[i] = {c.checks[i], captions[i]};
    choices.chkTextureCopy = c.chkTextureCopy;
    LocalFileSystem files;
    RecordingLog log;

    ASSERT_TRUE(copyToTargets(choices, world.work.state, world.work.paths, files, log).ok());

    EXPECT_EQ(world.tree(), c.expectedTree);
    Names expectedLog;
    for (std::string target : c.expectedLog) {
        if (target.front() == '!') {
            const std::string folder = captions[static_cast<std::size_t>(target[1] - '1')];
            expectedLog.push_back(
                pickText(language, "Kein gültiges Verzeichnis angegeben!", "No valid directory given!"));
            expectedLog.push_back(pickText(
                language, "Kopierziel " + target.substr(1) + ": den Ordner '" + folder + "' gibt es nicht.",
                "Copy target " + target.substr(1) + ": the folder '" + folder + "' does not exist."));
            continue;
        }
        std::replace(target.begin(), target.end(), '/', kSep[0]);
        expectedLog.push_back(pickText(language, "•s-Datei ist nach " + world.route(target) + " kopiert",
                                       "•s-file is also copied to " + world.route(target)));
    }
    EXPECT_EQ(log.lines, expectedLog);
}

const Names kAlphaShapes{"Alpha/SHAPES/house.s", "Alpha/SHAPES/house.sd"};

const TargetsCase kTargetsCases[] = {
    {"RouteGetsShapesCreated", {1, 0, 0}, 0, {"Alpha"}, kAlphaShapes, {"Alpha/SHAPES/"}},
    {"CaptionEndingInSeparatorCollapsed",
     {0, 1, 0},
     0,
     {"Beta"},
     {"Beta/SHAPES/house.s", "Beta/SHAPES/house.sd"},
     {"Beta/SHAPES/"}},
    {"PlainFolderGetsTheSFileOnly", {0, 0, 1}, 1, {"Trials"}, {"Trials/house.s"}, {"Trials/"}},
    {"MissingFolderSkippedOthersServed",
     {1, 1, 1},
     0,
     {"Alpha", "Trials"},
     {"Alpha/SHAPES/house.s", "Alpha/SHAPES/house.sd", "Trials/house.s"},
     {"Alpha/SHAPES/", "!2", "Trials/"}},
    {"GreyTargetSkipped", {2, 0, 2}, 1, {"Alpha", "Trials"}, {"Alpha/", "Trials/"}, {}},
    {"TexturesToBothRoutes",
     {1, 1, 0},
     1,
     {"Alpha", "Beta"},
     {"Alpha/SHAPES/house.s", "Alpha/SHAPES/house.sd", "Alpha/TEXTURES/roof.dds", "Alpha/TEXTURES/wall.ace",
      "Beta/SHAPES/house.s", "Beta/SHAPES/house.sd", "Beta/TEXTURES/roof.dds", "Beta/TEXTURES/wall.ace"},
     {"Alpha/SHAPES/", "Beta/SHAPES/"}},
    {"GreyTextureCopyCopiesNothing", {1, 0, 0}, 2, {"Alpha"}, kAlphaShapes, {"Alpha/SHAPES/"}},
    {"ExistingFoldersInOtherLetterCaseReused",
     {1, 0, 0},
     1,
     {"Alpha/Shapes", "Alpha/textures"},
     {"Alpha/Shapes/house.s", "Alpha/Shapes/house.sd", "Alpha/textures/roof.dds", "Alpha/textures/wall.ace"},
     {"Alpha/Shapes/"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, TargetsTest,
                         testing::Combine(testing::ValuesIn(kTargetsCases), testing::ValuesIn(kLanguages)),
                         kCaseAndLanguage);

TEST(Copies, OldFilesReplacedTexturesFolderMadeEvenWithNothingToCopy) {
    CopyWorld world;
    fs::remove_all(world.work.folder.fsPath() / "TEXTURES");
    world.routes.write("Alpha/SHAPES/house.s", "older");
    CopyChoices choices;
    choices.targets[0] = {1, world.route("Alpha")};
    choices.chkTextureCopy = 1;
    LocalFileSystem files;
    RecordingLog log;
    ASSERT_TRUE(copyToTargets(choices, world.work.state, world.work.paths, files, log).ok());
    EXPECT_EQ(world.tree(), (Names{"Alpha/SHAPES/house.s", "Alpha/SHAPES/house.sd", "Alpha/TEXTURES/"}));
    EXPECT_EQ(world.routes.read("Alpha/SHAPES/house.s"), "s-file");
}

struct CopyFailureCase {
    std::string name;
    FsOperation failing;
    std::string pathEnd;
};

class CopyFailureTest : public testing::TestWithParam<CopyFailureCase> {};

TEST_P(CopyFailureTest, EndsTheCopiesWithTheFileNamed) {
    const CopyFailureCase& c = GetParam();
    CopyWorld world;
    fs::create_directories(world.routes.fsPath() / "Alpha");
    fs::create_directories(world.routes.fsPath() / "Trials");
    CopyChoices choices;
    choices.targets[0] = {1, world.route("Alpha")};
    choices.targets[2] = {1, world.route("Trials")};
    choices.chkTextureCopy = 1;
    FailingFileSystem files(c.failing, c.pathEnd);
    RecordingLog log;
    const Status status = copyToTargets(choices, world.work.state, world.work.paths, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.error().path.find(c.pathEnd), std::string::npos) << status.error().path;
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(entriesIn(world.routes, "Trials").empty());
}

const CopyFailureCase kCopyFailureCases[] = {
    {"ShapesNotCreatable", FsOperation::CreateFolder, std::string("SHAPES") + kSep},
    {"SdFileLocked", FsOperation::CopyFile, "house.sd"},
    {"TextureLocked", FsOperation::CopyFile, "roof.dds"},
    {"TexturesNotCreatable", FsOperation::CreateFolder, "TEXTURES"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CopyFailureTest, testing::ValuesIn(kCopyFailureCases), kCaseName);

} // namespace
} // namespace quillfen::test
