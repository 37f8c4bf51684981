// The sd-file beside the s-file and the reference entry AddToRef.txt.

#include "run/ReferenceEntry.h"
#include "run/ShapeDescriptor.h"

#include "platform/TextCodec.h"
#include "support/ResultFiles.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

AlternativeTextureChoices options(const char* set, std::string text = "7") {
    const auto on = [&](char option) { return std::string_view(set).find(option) != std::string_view::npos; };
    return {on('S'), on('W'), on('N'), on('J'), on('M'), std::move(text)};
}

TEST(SdFile, AlternativeTextureCodeOfTheLastSetOption) {
    // S summer only, W snow, N snow and night, J seasons, M manual.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "7", "0"},    {"S", "7", "0"},     {"W", "7", "1"},    {"N", "7", "257"}, {"J", "7", "252"},
        {"M", "3 ", "3 "}, {"M", "abc", "abc"}, {"WJ", "7", "252"}, {"JM", "5", "5"},  {"SW", "7", "1"},
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
        {0, "", "", false, nullptr},      {1, values, box, true, included},
        {2, values, box, true, included}, {1, "", box, false, empty},
        {0, values, box, false, nullptr}, {1, values, "esd_bounding_box ( 1 )", false, nullptr},
    };
    for (const auto& [ticked, input, display, written, line] : cases) {
        SCOPED_TRACE(std::to_string(ticked) + input + display);
        WorkFolder work;
        ShapeDescriptorChoices choices{options("N"), ticked, input, display};
        LocalFileSystem files;
        RecordingLog log;
        ASSERT_TRUE(writeShapeDescriptor(choices, work.state, work.paths, files, log).ok());
        EXPECT_EQ(work.folder.read("SHAPES/house.sd"),
                  encodeUtf16LeWithBom(sdText("house.s", "257", written ? box : "")));
        std::vector<std::string> expected{"•sd-file written in SHAPES"};
        if (line) expected.insert(expected.begin(), line);
        EXPECT_EQ(log.lines, expected);
    }
}

TEST(SdFile, LogsInGermanAndKeepsTheNamesLetterCaseAndCharacters) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"HOUSE.S", "HOUSE.Sd", ""},
        {"h\xC3\xA4us.s", "h\xC3\xA4us.sd", std::string("\xE4\0", 2)},
        {"\xC5\x81\xC3\xB3\x64z.s", "\xC5\x81\xC3\xB3\x64z.sd", std::string("\x41\x01", 2)}};
    for (const auto& [sFile, sdFile, characterBytes] : cases) {
        WorkFolder work(Language::German);
        work.paths = ShapePaths::of(work.state.gstrProgrammPfad, sFile);
        LocalFileSystem files;
        RecordingLog log;
        ASSERT_TRUE(writeShapeDescriptor({}, work.state, work.paths, files, log).ok());
        const std::string bytes = work.folder.read("SHAPES/" + sdFile);
        EXPECT_EQ(decodeText(bytes), sdText(sFile, "0"));
        EXPECT_NE(bytes.find(characterBytes), std::string::npos) << sFile;
        EXPECT_EQ(log.lines, std::vector<std::string>{"•sd-Datei in SHAPES geschrieben"});
    }
}

std::string entry(const std::string& fileName, const std::string& referenceClass,
                  const std::string& description) {
    return "Static (\r\n\tFilename\t( \"" + fileName + "\" )\r\n\tClass\t\t( \"" + referenceClass +
           "\" )\r\n\tAlign\t\t( None )\r\n\tDescription\t( \"" + description + "\" )\r\n)";
}

TEST(ReferenceEntry, WritesSixLinesWithDefaultsForBlankTexts) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"", "", " Quillfen", "house.s"},
        {" ", "   ", " Quillfen", "house.s"},
        {"  Houses ", " My house", "  Houses ", " My house"}, // untrimmed
        {"\t", "x", "\t", "x"},                               // a tab is no blank
    };
    for (const auto& [refClass, description, expectedClass, expectedDescription] : cases) {
        WorkFolder work;
        LocalFileSystem files;
        RecordingLog log;
        ASSERT_TRUE(writeReferenceEntry({1, refClass, description}, work.state, work.paths, files, log).ok());
        EXPECT_EQ(work.folder.read("AddToRef.txt"), entry("house.s", expectedClass, expectedDescription));
        EXPECT_EQ(log.lines, std::vector<std::string>{"•AddToRef.txt is created"});
    }
}

TEST(ReferenceEntry, GreyBoxWritesClearBoxKeepsTheOldFile) {
    WorkFolder work;
    work.folder.write("AddToRef.txt", "old entry");
    LocalFileSystem files;
    RecordingLog log;
    ASSERT_TRUE(writeReferenceEntry({0, "", ""}, work.state, work.paths, files, log).ok());
    EXPECT_EQ(work.folder.read("AddToRef.txt"), "old entry");
    EXPECT_TRUE(log.lines.empty());
    ASSERT_TRUE(writeReferenceEntry({2, "", ""}, work.state, work.paths, files, log).ok());
    EXPECT_EQ(work.folder.read("AddToRef.txt"), entry("house.s", " Quillfen", "house.s"));
}

TEST(ReferenceEntry, CharactersOutsideTheCodePageBecomeQuestionMarksWithAGermanWarning) {
    WorkFolder work(Language::German);
    work.paths = ShapePaths::of(work.state.gstrProgrammPfad, "h\xC3\xA4us.s"); // ä fits the code page
    LocalFileSystem files;
    RecordingLog log;
    ASSERT_TRUE(
        writeReferenceEntry({1, "\xC5\x81\xC3\xB3\x64z", ""}, work.state, work.paths, files, log).ok());
    EXPECT_EQ(work.folder.read("AddToRef.txt"), entry("h\xE4us.s", "?\xF3\x64z", "h\xE4us.s"));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"•Warnung: AddToRef.txt enthält Zeichen außerhalb von "
                                                   "Windows-1252, als \"?\" geschrieben",
                                                   "•AddToRef.txt ist erzeugt"}));
}

TEST(ResultFiles, AnUnwritableFileIsAnErrorAndNotLoggedAsWritten) {
    WorkFolder work;
    work.folder.write("AddToRef.txt", "old entry");
    LocalFileSystem files;
    RecordingLog log;
    for (const char* name : {"house.sd", "AddToRef.txt"}) {
        FailingFileSystem failing(FsOperation::ReplaceFile, name);
        const Status status = name[0] == 'h'
                                  ? writeShapeDescriptor({}, work.state, work.paths, failing, log)
                                  : writeReferenceEntry({1, "", ""}, work.state, work.paths, failing, log);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().message(), work.folder / (name[0] == 'h' ? "SHAPES/house.sd" : name) + ": " +
                                                FailingFileSystem::kReason);
    }
    EXPECT_EQ(work.folder.read("AddToRef.txt"), "old entry");
    EXPECT_TRUE(log.lines.empty());
}

} // namespace
} // namespace quillfen::test
