#include "sfile/TextureCorrection.h"

#include "platform/Text.h"
#include "sfile/ResultFilesSupport.h"
#include "sfile/SFileSamples.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillfen::test {
namespace {

/// One logged correction: which pass, old name, new name.
struct Correction {
    std::string kind; // "ace" or "dds"
    std::string from;
    std::string to;
};

std::string correctionLine(const Correction& c, const std::string& language) {
    if (language == kLanguageGerman)
        return "•korrigiere in s-Datei " + c.kind + "-Textur-Bezeichnung von " + c.from + " zu " + c.to;
    return "•correct in s-file " + c.kind + "-texture-name from " + c.from + " to " + c.to;
}

struct CorrectionCase {
    std::string name;
    std::vector<std::string> images;
    std::vector<std::string> files; // in list order
    std::vector<std::string> expectedImages;
    std::vector<Correction> expectedLog;
};

class CorrectionTest : public testing::TestWithParam<std::tuple<CorrectionCase, std::string>> {};

TEST_P(CorrectionTest, RenamesImagesAndLogsEachCorrection) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images, plainTextureEntries(c.images.size())));
    LocalFileSystem files;
    RecordingLog log;

    ASSERT_TRUE(KorrigiereTexturen({}, work.state, files, log).ok());

    EXPECT_EQ(work.sFileText(), sampleSFile(c.expectedImages, plainTextureEntries(c.images.size())));
    std::vector<std::string> expected;
    for (const Correction& correction : c.expectedLog)
        expected.push_back(correctionLine(correction, language));
    EXPECT_EQ(log.lines, expected);
}

const CorrectionCase kCorrectionCases[] = {
    {"SameNameIsStillReported", {"wall.ace"}, {"wall.ace"}, {"wall.ace"}, {{"ace", "wall.ace", "wall.ace"}}},
    {"ImageInsideLongerFileName",
     {"wall.ace"},
     {"Wall2.ace"},
     {"Wall2.ace"},
     {{"ace", "wall.ace", "Wall2.ace"}}},
    {"StaleListEntryChangesNothing",
     {"wall.ace"},
     {"Wall.ace", "Wall2.ace"},
     {"Wall.ace"},
     {{"ace", "wall.ace", "Wall.ace"}}},
    {"FileCaseAlreadyRightMovesOn",
     {"Wall.ace"},
     {"Wall.ace", "Wall2.ace"},
     {"Wall2.ace"},
     {{"ace", "Wall.ace", "Wall.ace"}, {"ace", "Wall.ace", "Wall2.ace"}}},
    {"DdsWinsOverAce",
     {"wall.ace"},
     {"Wall.ace", "Wall.dds"},
     {"Wall.dds"},
     {{"ace", "wall.ace", "Wall.ace"}, {"dds", "Wall.ace", "Wall.dds"}}},
    {"EveryOccurrenceInsideLongerNames",
     {"wall.ace", "bigwall.ace"},
     {"Wall.ace"},
     {"Wall.ace", "bigWall.ace"},
     {{"ace", "wall.ace", "Wall.ace"}}},
    {"LetterCaseIgnoredInTheMatchOnly",
     {"WALL.ACE"},
     {"wall.ace"},
     {"wall.ace"},
     {{"ace", "WALL.ACE", "wall.ace"}}},
    {"FirstMatchingImageWins",
     {"roof.ace", "roofedge.ace"},
     {"RoofEdge.ace"},
     {"RoofEdge.ace", "roofedge.ace"},
     {{"ace", "roof.ace", "RoofEdge.ace"}}},
    {"UnmatchedFilesAndOtherTypesIgnored",
     {"wall.ace"},
     {"house_100.3ds", "door.ace", "Quillfen.ini"},
     {"wall.ace"},
     {}},
    {"DdsOnlyFileRenamesAceImage",
     {"wall.ace"},
     {"Wall.dds"},
     {"Wall.dds"},
     {{"dds", "wall.ace", "Wall.dds"}}},
    {"ImageWordInsideNameKept",
     {"image.ace"},
     {"Image.ace"},
     {"Image.ace"},
     {{"ace", "image.ace", "Image.ace"}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, CorrectionTest,
                         testing::Combine(testing::ValuesIn(kCorrectionCases), testing::ValuesIn(kLanguages)),
                         [](const auto& caseInfo) {
                             return std::get<0>(caseInfo.param).name + "_" + std::get<1>(caseInfo.param);
                         });

TEST(KorrigiereTexturen, CorrectionsAreMadeButNotLoggedWhileATestOptionIsSet) {
    for (const auto& [aceUni, diffuse] : {std::pair{1, 0}, {0, 1}, {2, 0}, {0, 2}}) {
        WorkFolder work;
        work.setFiles({"Wall.ace"});
        work.writeSFile(sampleSFile({"wall.ace"}, plainTextureEntries(1)));
        LocalFileSystem files;
        RecordingLog log;
        TextureCorrectionChoices choices;
        choices.chkAceUni = aceUni;
        choices.chkShaderDiffuse = diffuse;
        ASSERT_TRUE(KorrigiereTexturen(choices, work.state, files, log).ok());
        EXPECT_EQ(work.sFileText(), sampleSFile({"Wall.ace"}, plainTextureEntries(1)));
        EXPECT_TRUE(log.lines.empty()) << aceUni << diffuse;
    }
}

struct MipmapCase {
    std::string name;
    std::string mipmap;
    std::vector<std::string> textures;
    std::vector<std::string> expected;
};

class MipmapTest : public testing::TestWithParam<MipmapCase> {};

TEST_P(MipmapTest, WritesTheBiasIntoPlainEntriesBelowTheImageCount) {
    const MipmapCase& c = GetParam();
    WorkFolder work;
    work.setFiles({});
    const std::vector<std::string> images{"a.ace", "b.ace", "c.ace"};
    work.writeSFile(sampleSFile(images, c.textures));
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = c.mipmap;
    choices.decimalSeparator = ',';
    ASSERT_TRUE(KorrigiereTexturen(choices, work.state, files, log).ok());
    EXPECT_EQ(work.sFileText(), sampleSFile(images, c.expected));
}

const MipmapCase kMipmapCases[] = {
    {"ZeroChangesNothing", "0", plainTextureEntries(3), plainTextureEntries(3)},
    {"ZeroWithDecimalsChangesNothing", "0.0", plainTextureEntries(3), plainTextureEntries(3)},
    {"MinusThree",
     "-3",
     plainTextureEntries(3),
     {"texture ( 0 0 -3 ff000000 )", "texture ( 1 0 -3 ff000000 )", "texture ( 2 0 -3 ff000000 )"}},
    {"TextAsTyped", " -1,5", plainTextureEntries(1), {"texture ( 0 0  -1,5 ff000000 )"}},
    {"OtherFieldsOrBlanksLeftAlone",
     "-2",
     {"texture ( 0 1 0 ff000000 )", "texture ( 1 0 -1 ff000000 )", "texture (  2 0 0 ff000000 )",
      "texture ( 2 0 0 FF000000 )"},
     {"texture ( 0 1 0 ff000000 )", "texture ( 1 0 -1 ff000000 )", "texture (  2 0 0 ff000000 )",
      "texture ( 2 0 0 FF000000 )"}},
    {"FirstOccurrenceOnly",
     "2",
     {"texture ( 0 0 0 ff000000 )", "texture ( 0 0 0 ff000000 )"},
     {"texture ( 0 0 2 ff000000 )", "texture ( 0 0 0 ff000000 )"}},
    {"IndexAtOrAboveCountLeftAlone",
     "-1",
     plainTextureEntries(5),
     {"texture ( 0 0 -1 ff000000 )", "texture ( 1 0 -1 ff000000 )", "texture ( 2 0 -1 ff000000 )",
      "texture ( 3 0 0 ff000000 )", "texture ( 4 0 0 ff000000 )"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, MipmapTest, testing::ValuesIn(kMipmapCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(KorrigiereTexturen, TextWithoutAceIsOnlyRewrittenAsUtf16) {
    WorkFolder work;
    work.setFiles({"Decal.dds"});
    const std::string text = sampleSFile({"decal.dds"}, plainTextureEntries(1));
    work.folder.write("SHAPES/house.s", text); // plain one-byte text, as some converters write
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = ""; // not needed without ace names
    ASSERT_TRUE(KorrigiereTexturen(choices, work.state, files, log).ok());
    EXPECT_EQ(work.sFileBytes(), encodeUtf16LeWithBom(text));
    EXPECT_TRUE(log.lines.empty());
}

struct NeedCase {
    std::string name;
    std::string text;
    std::string mipmap;
    std::string reasonPart;
};

class UnmetNeedTest : public testing::TestWithParam<NeedCase> {};

TEST_P(UnmetNeedTest, LeavesTheFileUntouchedAndNamesIt) {
    const NeedCase& c = GetParam();
    WorkFolder work;
    work.setFiles({"Wall.ace"});
    work.writeSFile(c.text);
    const std::string before = work.sFileBytes();
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = c.mipmap;
    const Status status = KorrigiereTexturen(choices, work.state, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().path, work.sFilePath());
    EXPECT_NE(status.error().reason.find(c.reasonPart), std::string::npos) << status.error().reason;
    EXPECT_EQ(work.sFileBytes(), before);
    EXPECT_TRUE(log.lines.empty());
}

const NeedCase kNeedCases[] = {
    {"NoTextureBlock", "images ( 1\r\n\timage ( wall.ace )\r\n)", "0", "textures ("},
    {"TexturesBeforeImages", "textures ( 1\r\n)\r\nimages ( 1\r\n\timage ( wall.ace )\r\n)", "0",
     "textures ("},
    {"NoImageEntry", "images ( 0 )\r\ntextures ( 0 )\r\nwall.ace", "0", "image ("},
    {"MoreImagesAnnouncedThanListed",
     "images ( 3\r\n\timage ( wall.ace )\r\n\timage ( roof.ace )\r\n)\r\ntextures ( 0\r\n)", "0",
     "announces 3 images but lists only 2"},
    {"EmptyMipmapText", sampleSFile({"wall.ace"}, plainTextureEntries(1)), "", "not a number"},
    {"WordAsMipmapText", sampleSFile({"wall.ace"}, plainTextureEntries(1)), "-3x", "not a number"},
};

INSTANTIATE_TEST_SUITE_P(Cases, UnmetNeedTest, testing::ValuesIn(kNeedCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(KorrigiereTexturen, UnmetNeedIsReportedInGerman) {
    WorkFolder work(kLanguageGerman);
    work.setFiles({});
    work.writeSFile(sampleSFile({"wall.ace"}, plainTextureEntries(1)));
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = "viel";
    const Status status = KorrigiereTexturen(choices, work.state, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().reason, "der Mipmap-Wert \"viel\" ist keine Zahl");
}

TEST(KorrigiereTexturen, FileSystemFailuresComeBackWithTheFile) {
    for (const FsOperation failing : {FsOperation::ReadBytes, FsOperation::ReplaceFile}) {
        WorkFolder work;
        work.setFiles({"Wall.ace"});
        work.writeSFile(sampleSFile({"wall.ace"}, plainTextureEntries(1)));
        const std::string before = work.sFileBytes();
        FailingFileSystem files(failing, "house.s");
        RecordingLog log;
        const Status status = KorrigiereTexturen({}, work.state, files, log);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().message(), work.sFilePath() + ": " + FailingFileSystem::kReason);
        EXPECT_EQ(work.sFileBytes(), before);
    }
}

TEST(KorrigiereTexturen, MissingSFileIsAnError) {
    WorkFolder work;
    work.setFiles({});
    LocalFileSystem files;
    RecordingLog log;
    EXPECT_FALSE(KorrigiereTexturen({}, work.state, files, log).ok());
    EXPECT_FALSE(work.folder.exists("SHAPES/house.s"));
}

TEST(ImageList, KeywordsAndLayoutAreStrippedButEmptyLinesGiveEmptyNames) {
    EXPECT_EQ(
        parseImageList("images ( 2\r\n\t\timage ( a.ace )\r\n\t\timage ( b.ace )\r\n\t)\r\n\ttextures ( 2"),
        (std::vector<std::string>{"", "a.ace", "b.ace"}));
    EXPECT_EQ(parseImageList("image ( a.ace )\r\n\r\nimage(b.ace)\r\n)\r\ntextures ("),
              (std::vector<std::string>{"", "a.ace", "", "b.ace"}));
    EXPECT_TRUE(parseImageList("textures ( 0 ) image ( a.ace )").empty());
}

TEST(ImageList, CountIsReadInAnyLetterCase) {
    EXPECT_EQ(readImageCount("IMAGES ( 12\r\n"), 12.0);
    EXPECT_EQ(readImageCount("shape ( images (\t 3 )"), 3.0);
    EXPECT_EQ(readImageCount("no block here"), 0.0);
}

// Real s-files made by other tools: the only change is the expected one.
struct RealFileCase {
    std::string file;
    std::vector<std::string> workFiles;
    std::string mipmap;
    std::vector<std::pair<std::string, std::string>> expectedReplacements;
};

class RealSFileTest : public testing::TestWithParam<RealFileCase> {};

TEST_P(RealSFileTest, ChangesExactlyTheExpectedTexts) {
    QUILLFEN_REQUIRE_TESTDATA();
    const RealFileCase& c = GetParam();
    WorkFolder work;
    work.setFiles(c.workFiles);
    LocalFileSystem files;
    const std::string original = *files.readText(testDataDir() + "/sfiles/" + c.file);
    work.writeSFile(original);
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = c.mipmap;
    ASSERT_TRUE(KorrigiereTexturen(choices, work.state, files, log).ok());

    std::string expected = original;
    for (const auto& [from, to] : c.expectedReplacements) expected = replaceAll(expected, from, to);
    EXPECT_TRUE(startsWith(work.sFileBytes(), "\xFF\xFE"));
    EXPECT_EQ(work.sFileText(), expected);
}

const RealFileCase kRealFileCases[] = {
    {"trackshape-utils__NR_EmbBase_a1t10mStrt.s",
     {"ACleanTrack1.ace", "nr_embbase.ace"},
     "-2",
     {{"NR_EmbBase.ace", "nr_embbase.ace"}, {"texture ( 0 0 0 ff000000 )", "texture ( 0 0 -2 ff000000 )"}}},
    {"BlenderExporter__unionstop.s",
     {"unionstop.ace", "RedTile.dds"},
     "-3",
     {{"redtile.ace", "RedTile.dds"}}},
    {"shapeio__DK10f_A1tPnt5dLft.s", {"db_track10sw.ace"}, "0", {{"DB_Track10sw.ACE", "db_track10sw.ace"}}},
};

INSTANTIATE_TEST_SUITE_P(Files, RealSFileTest, testing::ValuesIn(kRealFileCases), [](const auto& caseInfo) {
    std::string name = caseInfo.param.file.substr(0, caseInfo.param.file.find("__"));
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name + std::to_string(caseInfo.index);
});

} // namespace
} // namespace quillfen::test
