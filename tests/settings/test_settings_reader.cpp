// Reading Quillfen.ini into the list of key applications.

#include "platform/FileSystem.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quillfen {
namespace {

using namespace std::string_literals;
using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs pairsOf(const std::vector<SettingApplication>& applications) {
    Pairs pairs;
    for (const auto& a : applications) {
        EXPECT_EQ(kSettingKeys.at(a.key).name, a.name);
        pairs.emplace_back(a.name, a.value);
    }
    return pairs;
}

Pairs parse(const std::string& text) {
    return pairsOf(parseSettingsBytes(text));
}

struct ReadCase {
    const char* label;
    std::string text;
    Pairs expected;
};

class SettingsLines : public testing::TestWithParam<ReadCase> {};

TEST_P(SettingsLines, GiveTheseApplications) {
    const auto& c = GetParam();
    EXPECT_EQ(parse(c.text), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    ReadRules, SettingsLines,
    testing::Values(
        ReadCase{"written form", "cmbLang\t->\t1\r\n", {{"cmbLang", "1"}}},
        ReadCase{"lines in file order, a later line wins by coming later",
                 "cmbLang\t->\t1\r\ncmbMipMap\t->\t-2\r\ncmbLang\t->\t0\r\n",
                 {{"cmbLang", "1"}, {"cmbMipMap", "-2"}, {"cmbLang", "0"}}},
        ReadCase{"every arrow and tab of the value goes",
                 "txtRefDescription\t->\ta->b\tc -> d\r\n",
                 {{"txtRefDescription", "abc  d"}}},
        ReadCase{"arrows go before tabs", "txtRefClass\t->\tx-\t>y\r\n", {{"txtRefClass", "x->y"}}},
        ReadCase{"blanks around key and value", "  cmbMipMap   \t->\t  -3  \r\n", {{"cmbMipMap", "-3"}}},
        ReadCase{"quotes stay where the table keeps them",
                 "txtRefClass\t->\t\"Static\"\r\ntxtRefDescription\t->\t\"d\"\r\n",
                 {{"txtRefClass", "\"Static\""}, {"txtRefDescription", "\"d\""}}},
        ReadCase{"quotes go where the table drops them",
                 "lblCopyPfad(1)\t->\t\"C:\\Route\\\"\r\nconv3dsPfad\t->\t\"C:\\c.exe\"\r\n"
                 "chkBoundingBox\t->\t\"1\"\r\nBoundingBoxWerte\t->\t\"1 2\"\r\nWindowState\t->\t\"2\"\r\n",
                 {{"lblCopyPfad(1)", "C:\\Route\\"},
                  {"conv3dsPfad", "C:\\c.exe"},
                  {"chkBoundingBox", "1"},
                  {"BoundingBoxWerte", "1 2"},
                  {"WindowState", "2"}}},
        ReadCase{"a key containing several names applies to each in table order",
                 "xBoundingBoxWerte+chkBoundingBox\t->\t\"5\"\r\n",
                 {{"chkBoundingBox", "5"}, {"BoundingBoxWerte", "5"}}},
        ReadCase{"containment matches inside a longer key", "oldcmbLangX\t->\t1\r\n", {{"cmbLang", "1"}}},
        ReadCase{"matching is case-sensitive", "CMBLANG\t->\t1\r\ncmblang\t->\t1\r\n", {}},
        ReadCase{"unknown keys and garbage are passed over",
                 "cmbLang\t->\t1\r\nfoo\t->\tbar\r\n\x01\x02\tgarbage\r\n\t->\t7\r\n",
                 {{"cmbLang", "1"}}},
        ReadCase{"a line without a tab is passed over",
                 "cmbLang\t->\t1\r\ncmbLang -> 0\r\nWindowState 2\r\n",
                 {{"cmbLang", "1"}}},
        ReadCase{"blank lines in between are passed over",
                 "cmbLang\t->\t1\r\n   \r\n\r\ncmbMipMap\t->\t1\r\n",
                 {{"cmbLang", "1"}, {"cmbMipMap", "1"}}},
        ReadCase{"a blank first line means nothing is applied", "\r\ncmbLang\t->\t1\r\n", {}},
        ReadCase{"a first line of blanks counts as blank", "   \r\ncmbLang\t->\t1\r\n", {}},
        ReadCase{"a first line with only a tab is not blank", "\t\r\ncmbLang\t->\t1\r\n", {{"cmbLang", "1"}}},
        ReadCase{"empty file", "", {}},
        ReadCase{"LF and lone CR end lines too",
                 "cmbLang\t->\t1\ncmbMipMap\t->\t2\rWindowState\t->\t1",
                 {{"cmbLang", "1"}, {"cmbMipMap", "2"}, {"WindowState", "1"}}},
        ReadCase{"an empty value is a value", "txtRefClass\t->\t\r\n", {{"txtRefClass", ""}}},
        ReadCase{"no arrow needed", "cmbLang\t1\r\n", {{"cmbLang", "1"}}},
        ReadCase{"the value starts right after an indented key", "  cmbLang\t->\t1\r\n", {{"cmbLang", "1"}}},
        ReadCase{"a wrong-type value is still listed; the reader of the list decides",
                 "cmbLang\t->\tdeutsch\r\n",
                 {{"cmbLang", "deutsch"}}}),
    [](const testing::TestParamInfo<ReadCase>& param) { return "case" + std::to_string(param.index); });

struct CharsetCase {
    const char* label;
    std::string bytes;
    std::string text;
};

class SettingsCharset : public testing::TestWithParam<CharsetCase> {};

TEST_P(SettingsCharset, DecodesToUtf8) {
    EXPECT_EQ(decodeSettingsBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsCharset,
    testing::Values(CharsetCase{"plain ASCII", "C:\\MSTS", "C:\\MSTS"},
                    CharsetCase{"Windows-1252 of older versions", "C:\\Z\xFCge \x80",
                                "C:\\Z\xC3\xBCge \xE2\x82\xAC"},
                    CharsetCase{"valid UTF-8 without BOM", "C:\\Z\xC3\xBCge", "C:\\Z\xC3\xBCge"},
                    CharsetCase{"UTF-8 with BOM", "\xEF\xBB\xBF\xD0\x92\xD0\xB0", "\xD0\x92\xD0\xB0"},
                    CharsetCase{"BOM with broken bytes stays valid text",
                                "\xEF\xBB\xBF"
                                "a\xFF",
                                "a\xEF\xBF\xBD"}),
    [](const testing::TestParamInfo<CharsetCase>& param) { return "case" + std::to_string(param.index); });

TEST(SettingsFileRead, Windows1252LinesComeBackAsUtf8) {
    EXPECT_EQ(parse("lblCopyPfad(0)\t->\tC:\\Z\xFCge\r\n"), (Pairs{{"lblCopyPfad(0)", "C:\\Z\xC3\xBCge"}}));
}

TEST(SettingsFileRead, MissingFileAppliesNothing) {
    test::TempFolder folder;
    LocalFileSystem files;
    const auto read = readSettingsFile(files, settingsFilePath(folder.path()));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->empty());
}

TEST(SettingsFileRead, ReadsTheFileBesideTheProgram) {
    test::TempFolder folder;
    folder.write("Quillfen.ini", "cmbLang\t->\t1\r\nWindowState\t->\t2\r\n");
    LocalFileSystem files;
    const auto read = readSettingsFile(files, settingsFilePath(folder.path()));
    ASSERT_TRUE(read);
    EXPECT_EQ(pairsOf(*read), (Pairs{{"cmbLang", "1"}, {"WindowState", "2"}}));
}

TEST(SettingValues, IntegersAreWholeDecimalNumbers) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {{"0", 0},
                                                                           {"1", 1},
                                                                           {"-1", -1},
                                                                           {" 2 ", 2},
                                                                           {"+2", 2},
                                                                           {"", std::nullopt},
                                                                           {"deutsch", std::nullopt},
                                                                           {"1.5", std::nullopt},
                                                                           {"1x", std::nullopt},
                                                                           {"&H1", std::nullopt},
                                                                           {"99999999999", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(settingInteger(text), expected) << '"' << text << '"';
}

TEST(SettingValues, TruthOfNumbersAndWords) {
    const std::vector<std::pair<std::string, std::optional<bool>>> cases = {
        {"-1", true},       {"1", true},           {"2", true},          {"0.5", true},    {"True", true},
        {"true", true},     {"0", false},          {"False", false},     {"FALSE", false}, {"-0", false},
        {"", std::nullopt}, {"yes", std::nullopt}, {"1 1", std::nullopt}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(settingTruth(text), expected) << '"' << text << '"';
}

} // namespace
} // namespace quillfen
