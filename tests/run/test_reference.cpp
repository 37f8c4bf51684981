#include "run/ReferenceEntry.h"

#include "support/ResultFiles.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

std::string entry(const std::string& fileName, const std::string& referenceClass,
                  const std::string& description) {
    return "Static (\r\n\tFilename\t( \"" + fileName + "\" )\r\n\tClass\t\t( \"" + referenceClass +
           "\" )\r\n\tAlign\t\t( None )\r\n\tDescription\t( \"" + description + "\" )\r\n)";
}

struct ReferenceCase {
    std::string name;
    std::string txtRefClass;
    std::string txtRefDescription;
    std::string expectedClass;
    std::string expectedDescription;
};

class ReferenceTest : public testing::TestWithParam<std::tuple<ReferenceCase, Language>> {};

TEST_P(ReferenceTest, WritesSixLinesInTheOneByteCodePage) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    LocalFileSystem files;
    RecordingLog log;
    ASSERT_TRUE(
        writeReferenceEntry({1, c.txtRefClass, c.txtRefDescription}, work.state, work.paths, files, log)
            .ok());
    EXPECT_EQ(work.folder.read("AddToRef.txt"), entry("house.s", c.expectedClass, c.expectedDescription));
    EXPECT_EQ(log.lines, std::vector<std::string>{language == Language::German ? "•AddToRef.txt ist erzeugt"
                                                                               : "•AddToRef.txt is created"});
}

const ReferenceCase kReferenceCases[] = {
    {"Defaults", "", "", " Quillfen", "house.s"},
    {"BlanksOnlyGiveDefaults", " ", "   ", " Quillfen", "house.s"},
    {"UserTextsUntrimmed", "  Houses ", " My house", "  Houses ", " My house"},
    {"TabIsNotABlank", "\t", "x", "\t", "x"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceTest,
                         testing::Combine(testing::ValuesIn(kReferenceCases), testing::ValuesIn(kLanguages)),
                         kCaseAndLanguage);

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

TEST(ReferenceEntry, CharactersOutsideTheCodePageBecomeQuestionMarksWithAWarning) {
    for (const Language language : kLanguages) {
        WorkFolder work(language);
        work.paths = ShapePaths::of(work.state.gstrProgrammPfad, "h\xC3\xA4us.s"); // ä fits the code page
        LocalFileSystem files;
        RecordingLog log;
        ASSERT_TRUE(writeReferenceEntry({1, "\xC5\x81\xC3\xB3\x64z", ""}, work.state, work.paths, files, log)
                        .ok()); // Łódz
        EXPECT_EQ(work.folder.read("AddToRef.txt"), entry("h\xE4us.s", "?\xF3\x64z", "h\xE4us.s"));
        const bool german = language == Language::German;
        EXPECT_EQ(log.lines,
                  (std::vector<std::string>{
                      german ? "•Warnung: AddToRef.txt enthält Zeichen außerhalb von Windows-1252, als \"?\" "
                               "geschrieben"
                             : "•Warning: AddToRef.txt has characters outside Windows-1252, written as \"?\"",
                      german ? "•AddToRef.txt ist erzeugt" : "•AddToRef.txt is created"}));
    }
}

TEST(ReferenceEntry, UnwritableFileIsAnError) {
    WorkFolder work;
    work.folder.write("AddToRef.txt", "old entry");
    FailingFileSystem files(FsOperation::ReplaceFile, "AddToRef.txt");
    RecordingLog log;
    const Status status = writeReferenceEntry({1, "", ""}, work.state, work.paths, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().path, work.folder / "AddToRef.txt");
    EXPECT_EQ(work.folder.read("AddToRef.txt"), "old entry");
    EXPECT_TRUE(log.lines.empty());
}

} // namespace
} // namespace quillfen::test
