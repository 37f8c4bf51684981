#include "run/RouteCopies.h"

#include "support/ResultFiles.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

/// Finished results in a working folder, and the targets route "Alpha", route "Beta" (its caption
/// ends in a separator) and plain folder "Trials" beside it.
struct CopyWorld {
    WorkFolder work;
    TempFolder routes;
    CopyChoices choices;
    RecordingLog log;

    explicit CopyWorld(std::array<int, 3> checks, int textureCopy, Language language = Language::English)
        : work(language) {
        for (const char* name :
             {"SHAPES/house.s", "SHAPES/house.sd", "TEXTURES/wall.ace", "TEXTURES/roof.dds"})
            work.folder.write(name, name);
        const std::string captions[] = {routes / "Alpha", routes / "Beta" + kSep, routes / "Trials"};
        for (std::size_t i = 0; i < 3; ++i) choices.targets[i] = {checks[i], captions[i]};
        choices.chkTextureCopy = textureCopy;
    }
    Status copy(FileSystem&& files) { return copyToTargets(choices, work.state, work.paths, files, log); }
    /// Every file and empty folder below the routes, '/'-separated and sorted, folders ending in '/'.
    [[nodiscard]] Names tree() const {
        Names entries;
        for (const auto& e : fs::recursive_directory_iterator(routes.fsPath()))
            if (!e.is_directory() || fs::is_empty(e.path()))
                entries.push_back(fs::relative(e.path(), routes.fsPath()).generic_string() +
                                  (e.is_directory() ? "/" : ""));
        std::ranges::sort(entries);
        return entries;
    }
};

TEST(Copies, ServeTheCheckedTargetsInOrder) {
    struct Case {
        const char* name;
        std::array<int, 3> checks;
        int textureCopy;
        const char* existing; ///< folders below the routes, made before the copies
        const char* tree;     ///< see CopyWorld::tree
        const char* log;      ///< the target paths below the routes; "!N" for the lines of missing target N
    };
    // clang-format off
    const Case cases[] = {
        {"Route", {1, 0, 0}, 0, "Alpha", "Alpha/SHAPES/house.s Alpha/SHAPES/house.sd", "Alpha/SHAPES/"},
        {"SepAtEnd", {0, 1, 0}, 0, "Beta", "Beta/SHAPES/house.s Beta/SHAPES/house.sd", "Beta/SHAPES/"},
        {"PlainFolderGetsTheSFileOnly", {0, 0, 1}, 1, "Trials", "Trials/house.s", "Trials/"},
        {"MissingFolderSkipped", {1, 1, 1}, 0, "Alpha Trials",
         "Alpha/SHAPES/house.s Alpha/SHAPES/house.sd Trials/house.s", "Alpha/SHAPES/ !2 Trials/"},
        {"GreyTargetSkipped", {2, 0, 2}, 1, "Alpha Trials", "Alpha/ Trials/", ""},
        {"TexturesToBothRoutes", {1, 1, 0}, 1, "Alpha Beta",
         "Alpha/SHAPES/house.s Alpha/SHAPES/house.sd Alpha/TEXTURES/roof.dds Alpha/TEXTURES/wall.ace "
         "Beta/SHAPES/house.s Beta/SHAPES/house.sd Beta/TEXTURES/roof.dds Beta/TEXTURES/wall.ace",
         "Alpha/SHAPES/ Beta/SHAPES/"},
        {"GreyTextureCopyCopiesNothing", {1, 0, 0}, 2, "Alpha", "Alpha/SHAPES/house.s Alpha/SHAPES/house.sd",
         "Alpha/SHAPES/"},
        {"FoldersInOtherLetterCaseReused", {1, 0, 0}, 1, "Alpha/Shapes Alpha/textures",
         "Alpha/Shapes/house.s Alpha/Shapes/house.sd Alpha/textures/roof.dds Alpha/textures/wall.ace",
         "Alpha/Shapes/"},
    };
    // clang-format on
    for (const Case& c : cases)
        for (const Language language : kLanguages) {
            if (language == Language::German && std::string_view(c.name) != "MissingFolderSkipped") continue;
            SCOPED_TRACE(std::string(c.name) + " " + std::string(languageName(language)));
            CopyWorld world(c.checks, c.textureCopy, language);
            for (const std::string& folder : words(c.existing))
                fs::create_directories(world.routes.fsPath() / folder);
            ASSERT_TRUE(world.copy(LocalFileSystem()).ok());
            EXPECT_EQ(world.tree(), words(c.tree));
            Names log;
            for (const std::string& target : words(c.log)) {
                if (target.front() != '!') {
                    const std::string p = world.routes / target;
                    log.push_back(pickText(language, "•s-Datei ist nach " + p + " kopiert",
                                           "•s-file is also copied to " + p));
                    continue;
                }
                const std::string n = target.substr(1),
                                  folder = world.choices.targets[std::stoul(n) - 1].lblCopyPfad;
                log.push_back(
                    pickText(language, "Kein gültiges Verzeichnis angegeben!", "No valid directory given!"));
                log.push_back(pickText(language,
                                       "Kopierziel " + n + ": den Ordner '" + folder + "' gibt es nicht.",
                                       "Copy target " + n + ": the folder '" + folder + "' does not exist."));
            }
            EXPECT_EQ(world.log.lines, log);
        }
}

TEST(Copies, OldFilesReplacedTexturesFolderMadeEvenWithNothingToCopy) {
    CopyWorld world({1, 0, 0}, 1);
    fs::remove_all(world.work.folder.fsPath() / "TEXTURES");
    world.routes.write("Alpha/SHAPES/house.s", "older");
    ASSERT_TRUE(world.copy(LocalFileSystem()).ok());
    EXPECT_EQ(world.tree(), (Names{"Alpha/SHAPES/house.s", "Alpha/SHAPES/house.sd", "Alpha/TEXTURES/"}));
    EXPECT_EQ(world.routes.read("Alpha/SHAPES/house.s"), "SHAPES/house.s");
}

TEST(Copies, AFailureEndsTheCopiesWithTheFileNamed) {
    const std::pair<FsOperation, std::string> cases[] = {
        {FsOperation::CreateFolder, std::string("SHAPES") + kSep},
        {FsOperation::CopyFile, "house.sd"},
        {FsOperation::CopyFile, "roof.dds"},
        {FsOperation::CreateFolder, "TEXTURES"}};
    for (const auto& [operation, pathEnd] : cases) {
        SCOPED_TRACE(pathEnd);
        CopyWorld world({1, 0, 1}, 1);
        for (const char* folder : {"Alpha", "Trials"}) fs::create_directories(world.routes.fsPath() / folder);
        const Status status = world.copy(FailingFileSystem(operation, pathEnd));
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.error().path.find(pathEnd), std::string::npos) << status.error().path;
        EXPECT_TRUE(world.log.lines.empty());
        EXPECT_TRUE(entriesIn(world.routes, "Trials").empty());
    }
}

} // namespace
} // namespace quillfen::test
