#include "run/ShapeDescriptor.h"

#include "platform/TextCodec.h"
#include "support/ResultFiles.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

struct CodeCase {
    std::string name;
    AlternativeTextureChoices choices;
    std::string expected;
};

AlternativeTextureChoices options(bool summer, bool snow, bool night, bool seasons, bool manual,
                                  std::string text = "7") {
    return {summer, snow, night, seasons, manual, std::move(text)};
}

class CodeTest : public testing::TestWithParam<CodeCase> {};

TEST_P(CodeTest, LastSetOptionWins) {
    EXPECT_EQ(alternativeTextureCode(GetParam().choices), GetParam().expected);
}

const CodeCase kCodeCases[] = {
    {"NoneSet", options(false, false, false, false, false), "0"},
    {"SummerOnly", options(true, false, false, false, false), "0"},
    {"Snow", options(false, true, false, false, false), "1"},
    {"SnowAndNight", options(false, false, true, false, false), "257"},
    {"Seasons", options(false, false, false, true, false), "252"},
    {"ManualUntrimmed", options(false, false, false, false, true, "3 "), "3 "},
    {"ManualUnchecked", options(false, false, false, false, true, "abc"), "abc"},
    {"ManualEmpty", options(false, false, false, false, true, ""), ""},
    {"SnowThenSeasons", options(false, true, false, true, false), "252"},
    {"SeasonsThenManual", options(false, false, false, true, true, "5"), "5"},
    {"SummerThenSnow", options(true, true, false, false, false), "1"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CodeTest, testing::ValuesIn(kCodeCases), kCaseName);

const std::string kBoxLine = "ESD_Bounding_Box ( -1 0 -2.5 1 3.25 2.5 )";

std::string expectedText(const std::string& name, const std::string& code, bool withBox) {
    std::string text = "SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\nshape ( " + name +
                       "\r\n        ESD_Detail_Level (0)\r\n        ESD_Alternative_Texture (" + code +
                       ")\r\n";
    if (withBox) text += "        " + kBoxLine + "\r\n";
    return text + ")";
}

enum class BoxLog { None, Included, EmptyWarning };

struct BoxCase {
    std::string name;
    int chkBoundingBox;
    std::string txtBBoxInput;
    std::string txtBBox;
    bool expectLine;
    BoxLog expectedLog;
};

class SdFileTest : public testing::TestWithParam<std::tuple<BoxCase, Language>> {};

TEST_P(SdFileTest, WritesTheFileAndLogsTheBoxDecision) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    ShapeDescriptorChoices choices;
    choices.texture = options(false, false, true, false, false);
    choices.chkBoundingBox = c.chkBoundingBox;
    choices.txtBBoxInput = c.txtBBoxInput;
    choices.txtBBox = c.txtBBox;
    LocalFileSystem files;
    RecordingLog log;

    ASSERT_TRUE(writeShapeDescriptor(choices, work.state, work.paths, files, log).ok());

    EXPECT_EQ(work.folder.read("SHAPES/house.sd"),
              encodeUtf16LeWithBom(expectedText("house.s", "257", c.expectLine)));
    const bool german = language == Language::German;
    std::vector<std::string> expected;
    if (c.expectedLog == BoxLog::EmptyWarning)
        expected.push_back(german ? "•keine BoundingBox-Zeile in sd-Datei übernommen, weil sie leer ist"
                                  : "•no BoundingBox line in sd-file because it's empty.");
    if (c.expectedLog == BoxLog::Included)
        expected.push_back(german ? "•BoundingBox-Zeile in sd-Datei übernommen"
                                  : "•sd-file has BoundingBox line");
    expected.push_back(german ? "•sd-Datei in SHAPES geschrieben" : "•sd-file written in SHAPES");
    EXPECT_EQ(log.lines, expected);
}

const BoxCase kBoxCases[] = {
    {"NoBox", 0, "", "", false, BoxLog::None},
    {"Box", 1, "-1 0 -2.5 1 3.25 2.5", kBoxLine, true, BoxLog::Included},
    {"GreyBoxCounts", 2, "-1 0 -2.5 1 3.25 2.5", kBoxLine, true, BoxLog::Included},
    {"TickedButEmpty", 1, "", kBoxLine, false, BoxLog::EmptyWarning},
    {"ValuesButNotTicked", 0, "-1 0 -2.5 1 3.25 2.5", kBoxLine, false, BoxLog::None},
    {"DisplayLineMalformed", 1, "-1 0 -2.5 1 3.25 2.5", "esd_bounding_box ( 1 )", false, BoxLog::None},
};

INSTANTIATE_TEST_SUITE_P(Cases, SdFileTest,
                         testing::Combine(testing::ValuesIn(kBoxCases), testing::ValuesIn(kLanguages)),
                         kCaseAndLanguage);

TEST(SdFile, NameKeepsItsLetterCaseAndCharacters) {
    struct NameCase {
        std::string sFileName;
        std::string sdFileName;
        std::string characterBytes; // how the name's special character is written
    };
    const NameCase cases[] = {
        {"HOUSE.S", "HOUSE.Sd", ""},
        {"h\xC3\xA4us.s", "h\xC3\xA4us.sd", std::string("\xE4\0", 2)},
        {"\xC5\x81\xC3\xB3\x64z.s", "\xC5\x81\xC3\xB3\x64z.sd", std::string("\x41\x01", 2)}};
    for (const NameCase& c : cases) {
        WorkFolder work;
        work.paths = ShapePaths::of(work.state.gstrProgrammPfad, c.sFileName);
        LocalFileSystem files;
        RecordingLog log;
        ASSERT_TRUE(writeShapeDescriptor({}, work.state, work.paths, files, log).ok());
        const std::string bytes = work.folder.read("SHAPES/" + c.sdFileName);
        EXPECT_EQ(decodeText(bytes), expectedText(c.sFileName, "0", false));
        EXPECT_NE(bytes.find(c.characterBytes), std::string::npos) << c.sFileName;
    }
}

TEST(SdFile, UnwritableFileIsAnErrorAndNotReportedAsWritten) {
    WorkFolder work;
    FailingFileSystem files(FsOperation::ReplaceFile, "house.sd");
    RecordingLog log;
    const Status status = writeShapeDescriptor({}, work.state, work.paths, files, log);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().message(), work.sFilePath() + "d" + ": " + FailingFileSystem::kReason);
    EXPECT_TRUE(log.lines.empty());
}

} // namespace
} // namespace quillfen::test
