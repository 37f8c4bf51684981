// The run's steps after the conversion (ACE from pictures, sd-file, reference entry, copies); console log.

#include "platform/TextCodec.h"
#include "run/ConversionRunConsole.h"
#include "run/MissingTextures.h"
#include "run/ReferenceEntry.h"
#include "run/RouteCopies.h"
#include "run/ShapeDescriptor.h"
#include "support/ResultFiles.h"
#include "texture/AceFile.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

std::string png(int width, int height, texture::FileFormat format = texture::FileFormat::Png) {
    return *texture::encodeTexture(texture::Image(width, height, {200, 100, 50, 255}), format);
}

TEST(MissingTextures, PicturesBecomeAceFilesWhereNoAceOrDdsIsThere) {
    const std::string damaged = png(8, 8).substr(0, 60);
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files; ///< name and bytes in the working folder
        const char* images;                                     ///< the s-file's image entries ("-" empty)
        const char* made; ///< ACE files expected afterwards, with their size
        std::vector<std::string> log;
    };
    // clang-format off
    const Case cases[] = {
        {"an ace or dds of any case is kept",
         {{"door.png", png(4, 4)}, {"DOOR.ACE", "mine"}, {"roof.png", png(4, 4)}, {"roof.dds", "mine"}},
         "door.ace roof.ace", "", {}},
        {"no picture, or a name used twice", {{"wall.jpg", png(4, 4, texture::FileFormat::Jpg)}}, "missing.ace wall.ace WALL.ace",
         "wall.ace:4x4", {"•texture wall.ace made from wall.jpg"}},
        {"a damaged picture is logged and the next one made", {{"bad.png", damaged}, {"good.png", png(2, 2)}},
         "bad.ace good.ace", "good.ace:2x2",
         {"•can't make texture bad.ace from bad.png: the image data is damaged (outofdata)",
          "•texture good.ace made from good.png"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::vector<std::string> names;
        for (const auto& [name, bytes] : c.files) {
            folder.write(name, bytes);
            names.push_back(name);
        }
        LocalFileSystem files;
        RecordingLog log;
        std::vector<std::string> images;
        for (const std::string& image : words(c.images)) images.push_back(image == "-" ? "" : image);
        makeMissingTextures(images, names, folder.path(), files, log, Language::English);
        EXPECT_EQ(log.lines, c.log);
        for (const auto& [name, bytes] : c.files) EXPECT_EQ(folder.read(name), bytes) << name;
        std::vector<std::string> made;
        for (const std::string& name : entriesIn(folder, ".")) {
            const auto ace = texture::readAce(folder.read(name));
            if (std::ranges::count(names, name) == 0 && ace.ok())
                made.push_back(name + ":" + std::to_string(ace->levels[0].width) + "x" +
                               std::to_string(ace->levels[0].height));
        }
        EXPECT_EQ(made, words(c.made));
    }
}

TEST(MissingTextures, AFailingWriteLeavesNoFileAndIsLoggedInTheCurrentLanguage) {
    TempFolder folder;
    folder.write("door.png", png(4, 4));
    FailingFileSystem files(FsOperation::ReplaceFile, "door.ace");
    RecordingLog log;
    makeMissingTextures({"door.ace"}, {"door.png"}, folder.path(), files, log, Language::German);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind("•kann Textur door.ace nicht aus door.png erzeugen: ", 0), 0u)
        << log.lines[0];
    EXPECT_FALSE(folder.exists("door.ace"));
}

AlternativeTextureChoices options(const char* set, std::string text = "7") {
    const auto on = [&](char option) { return std::string_view(set).find(option) != std::string_view::npos; };
    return {on('S'), on('W'), on('N'), on('J'), on('M'), std::move(text)};
}

TEST(SdFile, AlternativeTextureCodeOfTheLastSetOption) {
    // S summer only, W snow, N snow and night, J seasons, M manual.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "7", "0"},    {"S", "7", "0"},   {"W", "7", "1"},    {"N", "7", "257"},
        {"J", "7", "252"}, {"M", "3 ", "3 "}, {"WJ", "7", "252"}, {"JM", "5", "5"},
    };
    for (const auto& [set, text, code] : cases)
        EXPECT_EQ(alternativeTextureCode(options(set, text)), code) << set;
}

std::string sdText(const std::string& name, const std::string& code, const std::string& box = "") {
    return "SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\nshape ( " + name +
           "\r\n        ESD_Detail_Level (0)\r\n        ESD_Alternative_Texture (" + code + ")\r\n" +
           (box.empty() ? "" : "        " + box + "\r\n") + ")";
}

TEST(SdFile, WritesTheBoxLineOnlyWhenTickedAndWellFormed) {
    const std::string box = "ESD_Bounding_Box ( -1 0 -2.5 1 3.25 2.5 )", values = "-1 0 -2.5 1 3.25 2.5";
    const char* const included = "•sd-file has BoundingBox line";
    const char* const empty = "•no BoundingBox line in sd-file because it's empty.";
    const std::tuple<int, std::string, std::string, bool, const char*> cases[] = {
        {0, "", "", false, nullptr},
        {1, values, box, true, included},
        {2, values, box, true, included},
        {1, "", box, false, empty},
        {1, values, "esd_bounding_box ( 1 )", false, nullptr},
    };
    for (const auto& [ticked, input, display, written, line] : cases) {
        SCOPED_TRACE(std::to_string(ticked) + input + display);
        WorkFolder work;
        ShapeDescriptorChoices choices{options("N"), ticked, input, display};
        ASSERT_TRUE(writeShapeDescriptor(choices, work.state, work.paths, work.files, work.log).ok());
        EXPECT_EQ(work.folder.read("SHAPES/house.sd"),
                  encodeUtf16LeWithBom(sdText("house.s", "257", written ? box : "")));
        std::vector<std::string> expected{"•sd-file written in SHAPES"};
        if (line) expected.insert(expected.begin(), line);
        EXPECT_EQ(work.log.lines, expected);
    }
}

TEST(SdFile, LogsInGermanAndKeepsTheNamesLetterCase) {
    WorkFolder work(Language::German);
    work.paths = ShapePaths::of(work.state.gstrProgrammPfad, "HOUSE.S");
    ASSERT_TRUE(writeShapeDescriptor({}, work.state, work.paths, work.files, work.log).ok());
    EXPECT_EQ(decodeText(work.folder.read("SHAPES/HOUSE.Sd")), sdText("HOUSE.S", "0"));
    EXPECT_EQ(work.log.lines, std::vector<std::string>{"•sd-Datei in SHAPES geschrieben"});
}

std::string entry(const std::string& fileName, const std::string& referenceClass,
                  const std::string& description) {
    return "Static (\r\n\tFilename\t( \"" + fileName + "\" )\r\n\tClass\t\t( \"" + referenceClass +
           "\" )\r\n\tAlign\t\t( None )\r\n\tDescription\t( \"" + description + "\" )\r\n)";
}

TEST(ReferenceEntry, WritesSixLinesWithDefaultsForBlankTextsWhenTickedOrGrey) {
    const std::tuple<int, const char*, const char*, std::string> cases[] = {
        {0, "", "", "old entry"}, // a clear box keeps the old file
        {2, " ", "   ", entry("house.s", " Quillfen", "house.s")},
        {1, "  Houses ", " My house", entry("house.s", "  Houses ", " My house")}, // untrimmed
        {1, "\t", "x", entry("house.s", "\t", "x")},                               // a tab is no blank
    };
    for (const auto& [box, refClass, description, expected] : cases) {
        WorkFolder work;
        work.folder.write("AddToRef.txt", "old entry");
        ASSERT_TRUE(
            writeReferenceEntry({box, refClass, description}, work.state, work.paths, work.files, work.log)
                .ok());
        EXPECT_EQ(work.folder.read("AddToRef.txt"), expected);
        EXPECT_EQ(work.log.lines.size(), box == 0 ? 0U : 1U);
    }
}

TEST(ReferenceEntry, CharactersOutsideTheCodePageBecomeQuestionMarksWithAGermanWarning) {
    WorkFolder work(Language::German);
    work.paths = ShapePaths::of(work.state.gstrProgrammPfad, "h\xC3\xA4us.s"); // ä fits the code page
    ASSERT_TRUE(
        writeReferenceEntry({1, "\xC5\x81\xC3\xB3\x64z", ""}, work.state, work.paths, work.files, work.log)
            .ok());
    EXPECT_EQ(work.folder.read("AddToRef.txt"), entry("h\xE4us.s", "?\xF3\x64z", "h\xE4us.s"));
    EXPECT_EQ(work.log.lines,
              (std::vector<std::string>{"•Warnung: AddToRef.txt enthält Zeichen außerhalb von "
                                        "Windows-1252, als \"?\" geschrieben",
                                        "•AddToRef.txt ist erzeugt"}));
}

/// Finished results, and the targets route "Alpha", route "Beta" (caption ends in a separator) and folder
/// "Trials".
struct CopyWorld {
    WorkFolder work;
    TempFolder routes;
    CopyChoices choices;

    CopyWorld(std::array<int, 3> checks, int textureCopy) {
        for (const char* name :
             {"SHAPES/house.s", "SHAPES/house.sd", "TEXTURES/wall.ace", "TEXTURES/roof.dds"})
            work.folder.write(name, name);
        const std::string captions[] = {routes / "Alpha", routes / "Beta" + kSep, routes / "Trials"};
        for (std::size_t i = 0; i < 3; ++i) choices.targets[i] = {checks[i], captions[i]};
        choices.chkTextureCopy = textureCopy;
    }
    Status copy(FileSystem&& files) {
        return copyToTargets(choices, work.state, work.paths, files, work.log);
    }
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
        {"SepAtEnd", {0, 1, 0}, 0, "Beta", "Beta/SHAPES/house.s Beta/SHAPES/house.sd", "Beta/SHAPES/"},
        {"PlainFolderGetsTheSFileOnly", {0, 0, 1}, 1, "Trials", "Trials/house.s", "Trials/"},
        {"MissingFolderSkipped", {1, 1, 1}, 0, "Alpha Trials",
         "Alpha/SHAPES/house.s Alpha/SHAPES/house.sd Trials/house.s", "Alpha/SHAPES/ !2 Trials/"},
        {"GreyTargetSkipped", {2, 0, 2}, 1, "Alpha Trials", "Alpha/ Trials/", ""},
        {"FoldersInOtherLetterCaseReused", {1, 0, 0}, 1, "Alpha/Shapes Alpha/textures",
         "Alpha/Shapes/house.s Alpha/Shapes/house.sd Alpha/textures/roof.dds Alpha/textures/wall.ace",
         "Alpha/Shapes/"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CopyWorld world(c.checks, c.textureCopy);
        for (const std::string& folder : words(c.existing))
            fs::create_directories(world.routes.fsPath() / folder);
        ASSERT_TRUE(world.copy(LocalFileSystem()).ok());
        EXPECT_EQ(world.tree(), words(c.tree));
        Names log;
        for (const std::string& target : words(c.log)) {
            if (target.front() != '!') {
                log.push_back("•s-file is also copied to " + (world.routes / target));
                continue;
            }
            const std::string n = target.substr(1),
                              folder = world.choices.targets[std::stoul(n) - 1].lblCopyPfad;
            log.insert(log.end(), {"No valid directory given!",
                                   "Copy target " + n + ": the folder '" + folder + "' does not exist."});
        }
        EXPECT_EQ(world.work.log.lines, log);
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
        {FsOperation::CreateFolder, std::string("SHAPES") + kSep}, {FsOperation::CopyFile, "roof.dds"}};
    for (const auto& [operation, pathEnd] : cases) {
        SCOPED_TRACE(pathEnd);
        CopyWorld world({1, 0, 1}, 1);
        for (const char* folder : {"Alpha", "Trials"}) fs::create_directories(world.routes.fsPath() / folder);
        const Status status = world.copy(FailingFileSystem(operation, pathEnd));
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.error().path.find(pathEnd), std::string::npos) << status.error().path;
        EXPECT_TRUE(world.work.log.lines.empty());
        EXPECT_TRUE(entriesIn(world.routes, "Trials").empty());
    }
}

TEST(ConsoleHost, ProgressLineInPlaceOnATerminalElseOnceAtItsLastValueAndEndedAfterACancel) {
    for (const bool terminal : {false, true}) {
        std::ostringstream out, err, cancelled;
        {
            ConsoleHost host(out, err, terminal);
            host.log("first");
            const std::string snapshot = host.logText();
            for (const char* seconds : {"0.1", "0.2"})
                host.setLogText(std::string("•waiting ") + seconds + "\r\n" + snapshot);
            host.log("Done!");
            EXPECT_EQ(host.logText(), "Done!\r\n•waiting 0.2\r\nfirst\r\n");
            ConsoleHost cancelling(cancelled, err, terminal);
            cancelling.setLogText("•waiting 0.4\r\n");
            cancelling.setBusyDisplay(false);
            cancelling.releaseControls();
        }
        EXPECT_EQ(out.str(), terminal ? "first\n\r•waiting 0.1\x1b[K\r•waiting 0.2\x1b[K\nDone!\n"
                                      : "first\n•waiting 0.2\nDone!\n");
        EXPECT_EQ(cancelled.str(), terminal ? "\r•waiting 0.4\x1b[K\n" : "•waiting 0.4\n");
        EXPECT_TRUE(err.str().empty());
    }
}

} // namespace
} // namespace quillfen::test
