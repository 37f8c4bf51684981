#include "sfile/TextureCorrection.h"

#include "platform/Text.h"
#include "support/ResultFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillfen::test {
namespace {

using Names = std::vector<std::string>;

struct CorrectionCase {
    std::string name;
    Names images;
    Names files; // in list order
    Names expectedImages;
    Names expectedLog; // "kind from to", kind "ace" or "dds"
};

class CorrectionTest : public testing::TestWithParam<std::tuple<CorrectionCase, Language>> {};

TEST_P(CorrectionTest, RenamesImagesAndLogsEachCorrection) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images));
    LocalFileSystem files;
    RecordingLog log;
    ASSERT_TRUE(KorrigiereTexturen({}, work.state, work.paths, files, log).ok());
    EXPECT_EQ(work.sFileText(), sampleSFile(c.expectedImages));
    Names expected;
    for (const std::string& line : c.expectedLog) {
        std::istringstream in(line);
        std::string kind, from, to;
        in >> kind >> from >> to;
        expected.push_back(pickText(language, "•korrigiere in s-Datei " + kind + "-Textur-Bezeichnung von ",
                                    "•correct in s-file " + kind + "-texture-name from ") +
                           from + pickText(language, " zu ", " to ") + to);
    }
    EXPECT_EQ(log.lines, expected);
}

const CorrectionCase kCorrectionCases[] = {
    {"SameNameIsStillReported", {"wall.ace"}, {"wall.ace"}, {"wall.ace"}, {"ace wall.ace wall.ace"}},
    {"ImageInsideLongerFileName", {"wall.ace"}, {"Wall2.ace"}, {"Wall2.ace"}, {"ace wall.ace Wall2.ace"}},
    {"StaleListEntryChangesNothing",
     {"wall.ace"},
     {"Wall.ace", "Wall2.ace"},
     {"Wall.ace"},
     {"ace wall.ace Wall.ace"}},
    {"FileCaseAlreadyRightMovesOn",
     {"Wall.ace"},
     {"Wall.ace", "Wall2.ace"},
     {"Wall2.ace"},
     {"ace Wall.ace Wall.ace", "ace Wall.ace Wall2.ace"}},
    {"DdsWinsOverAce",
     {"wall.ace"},
     {"Wall.ace", "Wall.dds"},
     {"Wall.dds"},
     {"ace wall.ace Wall.ace", "dds Wall.ace Wall.dds"}},
    {"EveryOccurrenceInsideLongerNames",
     {"wall.ace", "bigwall.ace"},
     {"Wall.ace"},
     {"Wall.ace", "bigWall.ace"},
     {"ace wall.ace Wall.ace"}},
    {"LetterCaseIgnoredInTheMatchOnly", {"WALL.ACE"}, {"wall.ace"}, {"wall.ace"}, {"ace WALL.ACE wall.ace"}},
    {"FirstMatchingImageWins",
     {"roof.ace", "roofedge.ace"},
     {"RoofEdge.ace"},
     {"RoofEdge.ace", "roofedge.ace"},
     {"ace roof.ace RoofEdge.ace"}},
    {"UnmatchedFilesAndOtherTypesIgnored",
     {"wall.ace"},
     {"house_100.3ds", "door.ace", "Quillfen.ini"},
     {"wall.ace"},
     {}},
    {"DdsOnlyFileRenamesAceImage", {"wall.ace"}, {"Wall.dds"}, {"Wall.dds"}, {"dds wall.ace Wall.dds"}},
    {"ImageWordInsideNameKept", {"image.ace"}, {"Image.ace"}, {"Image.ace"}, {"ace image.ace Image.ace"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, CorrectionTest,
                         testing::Combine(testing::ValuesIn(kCorrectionCases), testing::ValuesIn(kLanguages)),
                         kCaseAndLanguage);

TEST(KorrigiereTexturen, CorrectionsAreMadeButNotLoggedWhileATestOptionIsSet) {
    for (const auto& [aceUni, diffuse] : {std::pair{1, 0}, {0, 1}, {2, 0}, {0, 2}}) {
        WorkFolder work;
        work.setFiles({"Wall.ace"});
        work.writeSFile(sampleSFile({"wall.ace"}));
        LocalFileSystem files;
        RecordingLog log;
        TextureCorrectionChoices choices;
        choices.chkAceUni = aceUni;
        choices.chkShaderDiffuse = diffuse;
        ASSERT_TRUE(KorrigiereTexturen(choices, work.state, work.paths, files, log).ok());
        EXPECT_EQ(work.sFileText(), sampleSFile({"Wall.ace"}));
        EXPECT_TRUE(log.lines.empty()) << aceUni << diffuse;
    }
}

// Texture entries: "k" stands for "texture ( k 0 0 ff000000 )".
struct MipmapCase {
    std::string name;
    std::string mipmap;
    Names textures;
    Names expected;
};

Names entries(const Names& shortForms) {
    Names full;
    for (const std::string& e : shortForms)
        full.push_back(e.size() == 1 ? "texture ( " + e + " 0 0 ff000000 )" : e);
    return full;
}

class MipmapTest : public testing::TestWithParam<MipmapCase> {};

TEST_P(MipmapTest, WritesTheBiasIntoPlainEntriesBelowTheImageCount) {
    const MipmapCase& c = GetParam();
    WorkFolder work;
    work.setFiles({});
    const Names images{"a.ace", "b.ace", "c.ace"};
    work.writeSFile(sampleSFile(images, entries(c.textures)));
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = c.mipmap;
    choices.decimalSeparator = ',';
    ASSERT_TRUE(KorrigiereTexturen(choices, work.state, work.paths, files, log).ok());
    EXPECT_EQ(work.sFileText(), sampleSFile(images, entries(c.expected)));
}

const MipmapCase kMipmapCases[] = {
    {"ZeroChangesNothing", "0", {"0", "1", "2"}, {"0", "1", "2"}},
    {"ZeroWithDecimalsChangesNothing", "0.0", {"0", "1", "2"}, {"0", "1", "2"}},
    {"MinusThree",
     "-3",
     {"0", "1", "2"},
     {"texture ( 0 0 -3 ff000000 )", "texture ( 1 0 -3 ff000000 )", "texture ( 2 0 -3 ff000000 )"}},
    {"TextAsTyped", " -1,5", {"0"}, {"texture ( 0 0  -1,5 ff000000 )"}},
    {"OtherFieldsOrBlanksLeftAlone",
     "-2",
     {"texture ( 0 1 0 ff000000 )", "texture ( 1 0 -1 ff000000 )", "texture (  2 0 0 ff000000 )",
      "texture ( 2 0 0 FF000000 )"},
     {"texture ( 0 1 0 ff000000 )", "texture ( 1 0 -1 ff000000 )", "texture (  2 0 0 ff000000 )",
      "texture ( 2 0 0 FF000000 )"}},
    {"FirstOccurrenceOnly", "2", {"0", "0"}, {"texture ( 0 0 2 ff000000 )", "0"}},
    {"IndexAtOrAboveCountLeftAlone",
     "-1",
     {"0", "1", "2", "3", "4"},
     {"texture ( 0 0 -1 ff000000 )", "texture ( 1 0 -1 ff000000 )", "texture ( 2 0 -1 ff000000 )", "3", "4"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, MipmapTest, testing::ValuesIn(kMipmapCases), kCaseName);

TEST(KorrigiereTexturen, TextWithoutAceIsOnlyRewrittenAsUtf16) {
    WorkFolder work;
    work.setFiles({"Decal.dds"});
    const std::string text = sampleSFile({"decal.dds"});
    work.folder.write("SHAPES/house.s", text); // plain one-byte text, as some converters write
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = ""; // not needed without ace names
    ASSERT_TRUE(KorrigiereTexturen(choices, work.state, work.paths, files, log).ok());
    EXPECT_EQ(work.sFileBytes(), encodeUtf16LeWithBom(text));
    EXPECT_TRUE(log.lines.empty());
}

// Unmet needs of the input, failing file operations and a missing s-file:
// nothing changes on disk and the error names the s-file.
struct NeedCase {
    std::string name;
    std::string text; // "" for no s-file at all
    std::string mipmap;
    std::string reason;
    FsOperation failing = FsOperation::None;
};

const std::string kGoodSFile = sampleSFile({"wall.ace"});

const NeedCase kNeedCases[] = {
    {"NoTextureBlock", "images ( 1\r\n\timage ( wall.ace )\r\n)", "0", "textures ("},
    {"TexturesBeforeImages", "textures ( 1\r\n)\r\nimages ( 1\r\n\timage ( wall.ace )\r\n)", "0",
     "textures ("},
    {"NoImageEntry", "images ( 0 )\r\ntextures ( 0 )\r\nwall.ace", "0", "image ("},
    {"MoreImagesAnnouncedThanListed",
     "images ( 3\r\n\timage ( wall.ace )\r\n\timage ( roof.ace )\r\n)\r\ntextures ( 0\r\n)", "0",
     "announces 3 images but lists only 2"},
    {"EmptyMipmapText", kGoodSFile, "", "not a number"},
    {"WordAsMipmapText", kGoodSFile, "-3x", "not a number"},
    {"Unreadable", kGoodSFile, "0", FailingFileSystem::kReason, FsOperation::ReadBytes},
    {"Unwritable", kGoodSFile, "0", FailingFileSystem::kReason, FsOperation::ReplaceFile},
    {"MissingSFile", "", "0", ""},
};

class UnmetNeedTest : public testing::TestWithParam<NeedCase> {};

TEST_P(UnmetNeedTest, LeavesTheFileUntouchedAndNamesIt) {
    const NeedCase& c = GetParam();
    WorkFolder work;
    work.setFiles({"Wall.ace"});
    if (!c.text.empty()) work.writeSFile(c.text);
    const std::string before = c.text.empty() ? "" : work.sFileBytes();
    FailingFileSystem files(c.failing, "house.s");
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = c.mipmap;
    const Status status = KorrigiereTexturen(choices, work.state, work.paths, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().path, work.sFilePath());
    EXPECT_NE(status.error().reason.find(c.reason), std::string::npos) << status.error().reason;
    EXPECT_EQ(work.folder.exists("SHAPES/house.s") ? work.sFileBytes() : "", before);
    // (Corrections made before a failing write are logged.)
    EXPECT_TRUE(c.failing != FsOperation::None || log.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, UnmetNeedTest, testing::ValuesIn(kNeedCases), kCaseName);

TEST(KorrigiereTexturen, UnmetNeedIsReportedInGerman) {
    WorkFolder work(Language::German);
    work.setFiles({});
    work.writeSFile(kGoodSFile);
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = "viel";
    const Status status = KorrigiereTexturen(choices, work.state, work.paths, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().reason, "der Mipmap-Wert \"viel\" ist keine Zahl");
}

TEST(ImageList, LayoutIsStrippedEmptyLinesGiveEmptyNamesCountInAnyCase) {
    EXPECT_EQ(
        parseImageList("images ( 2\r\n\t\timage ( a.ace )\r\n\t\timage ( b.ace )\r\n\t)\r\n\ttextures ( 2"),
        (Names{"", "a.ace", "b.ace"}));
    EXPECT_EQ(parseImageList("image ( a.ace )\r\n\r\nimage(b.ace)\r\n)\r\ntextures ("),
              (Names{"", "a.ace", "", "b.ace"}));
    EXPECT_TRUE(parseImageList("textures ( 0 ) image ( a.ace )").empty());
    EXPECT_EQ(readImageCount("IMAGES ( 12\r\n"), 12.0);
    EXPECT_EQ(readImageCount("shape ( images (\t 3 )"), 3.0);
    EXPECT_EQ(readImageCount("no block here"), 0.0);
}

// Real s-files made by other tools: the only change is the expected one.
struct RealFileCase {
    std::string file;
    Names workFiles;
    std::string mipmap;
    std::vector<std::pair<std::string, std::string>> expectedReplacements;
};

class RealSFileTest : public testing::TestWithParam<RealFileCase> {};

TEST_P(RealSFileTest, ChangesExactlyTheExpectedTexts) {
    QUILLFEN_REQUIRE_TESTDATA();
    const RealFileCase& c = GetParam();
    WorkFolder work;
    work.setFiles(c.workFiles);
    const std::string original = realSFile(c.file);
    work.writeSFile(original);
    LocalFileSystem files;
    RecordingLog log;
    TextureCorrectionChoices choices;
    choices.cmbMipMap = c.mipmap;
    ASSERT_TRUE(KorrigiereTexturen(choices, work.state, work.paths, files, log).ok());
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

INSTANTIATE_TEST_SUITE_P(Files, RealSFileTest, testing::ValuesIn(kRealFileCases),
                         [](const auto& caseInfo) { return "File" + std::to_string(caseInfo.index); });

} // namespace
} // namespace quillfen::test
