#include "run/RouteCopies.h"

#include "platform/Paths.h"
#include "sfile/ResultFilesSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quillfen::test {
namespace {

/// A working folder with finished results, and route folders beside them.
struct CopyWorld {
    WorkFolder work;
    TempFolder routes;

    explicit CopyWorld(const std::string& language = kLanguageEnglish) : work(language) {
        work.folder.write("SHAPES/house.s", "s-file");
        work.folder.write("SHAPES/house.sd", "sd-file");
        work.folder.write("TEXTURES/wall.ace", "wall");
        work.folder.write("TEXTURES/roof.dds", "roof");
    }
    [[nodiscard]] std::string route(const std::string& name) const { return routes / name; }
    void makeRoute(const std::string& name) const {
        std::filesystem::create_directories(routes.fsPath() / name);
    }
    [[nodiscard]] std::vector<std::string> filesIn(const std::string& sub) const {
        std::vector<std::string> names;
        const auto dir = routes.fsPath() / sub;
        if (!std::filesystem::is_directory(dir)) return names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string copiedLine(const std::string& path, const std::string& language) {
    return language == kLanguageGerman ? "•s-Datei ist nach " + path + " kopiert"
                                       : "•s-file is also copied to " + path;
}

std::string invalidLine(const std::string& language) {
    return language == kLanguageGerman ? "Kein gültiges Verzeichnis angegeben!" : "No valid directory given!";
}

using Names = std::vector<std::string>;

struct TargetsCase {
    std::string name;
    std::array<int, 3> checks;
    int chkTextureCopy;
    Names existingFolders; // below the routes folder, made before the copies
    Names expectedFolders; // each: sub-folder of routes whose content is listed next
    std::vector<Names> expectedContents;
    Names expectedLogTargets; // "" for the invalid-directory line, else the path below routes
};

class TargetsTest : public testing::TestWithParam<std::tuple<TargetsCase, std::string>> {};

TEST_P(TargetsTest, ServesTheCheckedTargetsInOrder) {
    const auto& [c, language] = GetParam();
    CopyWorld world(language);
    for (const std::string& folder : c.existingFolders) world.makeRoute(folder);
    CopyChoices choices;
    const std::array<std::string, 3> captions{world.route("Alpha"), world.route("Beta") + kSep,
                                              world.route("Trials")};
    for (std::size_t i = 0; i < 3; ++i) choices.targets[i] = {c.checks[i], captions[i]};
    choices.chkTextureCopy = c.chkTextureCopy;
    LocalFileSystem files;
    RecordingLog log;

    ASSERT_TRUE(copyToTargets(choices, world.work.state, files, log).ok());

    for (std::size_t k = 0; k < c.expectedFolders.size(); ++k)
        EXPECT_EQ(world.filesIn(c.expectedFolders[k]), c.expectedContents[k]) << c.expectedFolders[k];
    Names expectedLog;
    for (const std::string& target : c.expectedLogTargets)
        expectedLog.push_back(target.empty() ? invalidLine(language)
                                             : copiedLine(world.route(target), language));
    EXPECT_EQ(log.lines, expectedLog);
}

const std::string S = kSep;

const TargetsCase kTargetsCases[] = {
    {"RouteGetsShapesCreated",
     {1, 0, 0},
     0,
     {"Alpha"},
     {"Alpha", "Alpha" + S + "SHAPES"},
     {{"SHAPES"}, {"house.s", "house.sd"}},
     {"Alpha" + S + "SHAPES" + S}},
    {"CaptionEndingInSeparatorCollapsed",
     {0, 1, 0},
     0,
     {"Beta"},
     {"Beta" + S + "SHAPES"},
     {{"house.s", "house.sd"}},
     {"Beta" + S + "SHAPES" + S}},
    {"PlainFolderGetsTheSFileOnly", {0, 0, 1}, 1, {"Trials"}, {"Trials"}, {{"house.s"}}, {"Trials" + S}},
    {"MissingFolderSkippedOthersServed",
     {1, 1, 1},
     0,
     {"Alpha", "Trials"},
     {"Alpha" + S + "SHAPES", "Beta", "Trials"},
     {{"house.s", "house.sd"}, {}, {"house.s"}},
     {"Alpha" + S + "SHAPES" + S, "", "Trials" + S}},
    {"GreyTargetSkipped", {2, 0, 2}, 1, {"Alpha", "Trials"}, {"Alpha", "Trials"}, {{}, {}}, {}},
    {"TexturesToBothRoutes",
     {1, 1, 0},
     1,
     {"Alpha", "Beta"},
     {"Alpha" + S + "TEXTURES", "Beta" + S + "TEXTURES"},
     {{"roof.dds", "wall.ace"}, {"roof.dds", "wall.ace"}},
     {"Alpha" + S + "SHAPES" + S, "Beta" + S + "SHAPES" + S}},
    {"GreyTextureCopyCopiesNothing",
     {1, 0, 0},
     2,
     {"Alpha"},
     {"Alpha"},
     {{"SHAPES"}},
     {"Alpha" + S + "SHAPES" + S}},
    {"ExistingFoldersInOtherLetterCaseReused",
     {1, 0, 0},
     1,
     {"Alpha" + S + "Shapes", "Alpha" + S + "textures"},
     {"Alpha", "Alpha" + S + "Shapes", "Alpha" + S + "textures"},
     {{"Shapes", "textures"}, {"house.s", "house.sd"}, {"roof.dds", "wall.ace"}},
     {"Alpha" + S + "Shapes" + S}},
};

INSTANTIATE_TEST_SUITE_P(Cases, TargetsTest,
                         testing::Combine(testing::ValuesIn(kTargetsCases), testing::ValuesIn(kLanguages)),
                         [](const auto& caseInfo) {
                             return std::get<0>(caseInfo.param).name + "_" + std::get<1>(caseInfo.param);
                         });

TEST(Copies, TexturesFolderMadeEvenWhenThereIsNothingToCopy) {
    CopyWorld world;
    std::filesystem::remove_all(world.work.folder.fsPath() / "TEXTURES");
    world.makeRoute("Alpha");
    CopyChoices choices;
    choices.targets[0] = {1, world.route("Alpha")};
    choices.chkTextureCopy = 1;
    LocalFileSystem files;
    RecordingLog log;
    ASSERT_TRUE(copyToTargets(choices, world.work.state, files, log).ok());
    EXPECT_EQ(world.filesIn("Alpha"), (Names{"SHAPES", "TEXTURES"}));
    EXPECT_TRUE(world.filesIn("Alpha" + S + "TEXTURES").empty());
}

TEST(Copies, ExistingFilesAreReplaced) {
    CopyWorld world;
    world.makeRoute("Alpha");
    world.routes.write("Alpha/SHAPES/house.s", "older");
    CopyChoices choices;
    choices.targets[0] = {1, world.route("Alpha")};
    LocalFileSystem files;
    RecordingLog log;
    ASSERT_TRUE(copyToTargets(choices, world.work.state, files, log).ok());
    EXPECT_EQ(world.routes.read("Alpha/SHAPES/house.s"), "s-file");
}

struct CopyFailureCase {
    std::string name;
    FsOperation failing;
    std::string pathPart;
};

class CopyFailureTest : public testing::TestWithParam<CopyFailureCase> {};

TEST_P(CopyFailureTest, EndsTheCopiesWithTheFileNamed) {
    const CopyFailureCase& c = GetParam();
    CopyWorld world;
    world.makeRoute("Alpha");
    world.makeRoute("Trials");
    CopyChoices choices;
    choices.targets[0] = {1, world.route("Alpha")};
    choices.targets[2] = {1, world.route("Trials")};
    choices.chkTextureCopy = 1;
    FailingFileSystem files(c.failing, c.pathPart);
    RecordingLog log;
    const Status status = copyToTargets(choices, world.work.state, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.error().path.find(c.pathPart), std::string::npos) << status.error().path;
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(world.filesIn("Trials").empty());
}

const CopyFailureCase kCopyFailureCases[] = {
    {"ShapesNotCreatable", FsOperation::CreateFolder, "SHAPES"},
    {"SdFileLocked", FsOperation::CopyFile, "house.sd"},
    {"TextureLocked", FsOperation::CopyFile, "roof.dds"},
    {"TexturesNotCreatable", FsOperation::CreateFolder, "TEXTURES"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CopyFailureTest, testing::ValuesIn(kCopyFailureCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

} // namespace
} // namespace quillfen::test
