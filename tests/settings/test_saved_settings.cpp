// Writing Quillfen.ini from the 25 saved choices, and reading it back.

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "settings/SavedSettings.h"
#include "settings/SettingKeys.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillfen {
namespace {

using namespace std::string_literals;

/// Every member away from its design value.
SavedSettings everythingChanged() {
    SavedSettings s;
    s.cmbLang = 1;
    s.optNurSommerTextur = false;
    s.optJahreszeitenTextur = true;
    s.txtESD_Alter_Tex = "252";
    s.cmbMipMap = "-3";
    s.chkTestOptionen = 1;
    s.chkAceUni = 1;
    s.chkShaderDiffuse = 2;
    s.chkShaderAddATexDiff = 1;
    s.chkShapeTo = {1, 0, 1};
    s.lblCopyPfad = {"D:\\Routes\\Z\xC3\xBCge\\",
                     "E:\\\xD0\x9C\xD0\xB0\xD1\x80\xD1\x88\xD1\x80\xD1\x83\xD1\x82",
                     "F:\\\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x9A\x82"};
    s.chkRefEintrag = 1;
    s.txtRefClass = "\"Static\"";
    s.txtRefDescription = "Haus mit Garten";
    s.conv3dsPfad = "C:\\Program Files (x86)\\Microsoft Games\\Train Simulator\\UTILS\\conv3ds.exe";
    s.chkBoundingBox = 1;
    s.BoundingBoxWerte = "-1.5 0.0 -2.25 1.5 3.0 2.25";
    s.WindowState = 2;
    return s;
}

SavedSettings readBack(const std::string& bytes) {
    SavedSettings restored;
    applySettings(parseSettingsBytes(bytes), restored);
    return restored;
}

TEST(SettingsFileWrite, WritesThe25LinesInTableOrder) {
    const auto text = formatSettingsText(SavedSettings{});
    EXPECT_EQ(text, "cmbLang\t->\t0\r\n"
                    "optNurSommerTextur\t->\t-1\r\n"
                    "optSchneeTextur\t->\t0\r\n"
                    "optSchneeUndNachtTextur\t->\t0\r\n"
                    "optJahreszeitenTextur\t->\t0\r\n"
                    "optManuellAlternativTexture\t->\t0\r\n"
                    "txtESD_Alter_Tex\t->\t0\r\n"
                    "cmbMipMap\t->\t0\r\n"
                    "chkTestOptionen\t->\t0\r\n"
                    "chkAceUni\t->\t0\r\n"
                    "chkShaderDiffuse\t->\t0\r\n"
                    "chkShaderAddATexDiff\t->\t0\r\n"
                    "chkShapeTo(0)\t->\t0\r\n"
                    "chkShapeTo(1)\t->\t0\r\n"
                    "chkShapeTo(2)\t->\t0\r\n"
                    "lblCopyPfad(0)\t->\tC:\\\r\n"
                    "lblCopyPfad(1)\t->\tC:\\\r\n"
                    "lblCopyPfad(2)\t->\tC:\\\r\n"
                    "chkRefEintrag\t->\t0\r\n"
                    "txtRefClass\t->\t\r\n"
                    "txtRefDescription\t->\t\r\n"
                    "conv3dsPfad\t->\t\r\n"
                    "chkBoundingBox\t->\t0\r\n"
                    "BoundingBoxWerte\t->\t\r\n"
                    "WindowState\t->\t0\r\n");
}

TEST(SettingsFileWrite, RoundTripRestoresAll25ValuesWithAnyCharacters) {
    const auto saved = everythingChanged();
    const auto bytes = encodeSettingsText(formatSettingsText(saved));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "paths beyond Windows-1252 need UTF-8";
    EXPECT_EQ(readBack(bytes), saved);
    EXPECT_EQ(parseSettingsBytes(bytes).size(), kSettingKeyCount);
}

TEST(SettingsFileWrite, Windows1252WhenEveryCharacterFits) {
    SavedSettings saved;
    saved.lblCopyPfad[0] = "D:\\Z\xC3\xBCge \xE2\x82\xAC";
    const auto bytes = encodeSettingsText(formatSettingsText(saved));
    EXPECT_NE(bytes.find("lblCopyPfad(0)\t->\tD:\\Z\xFCge \x80\r\n"), std::string::npos);
    EXPECT_EQ(readBack(bytes), saved);
    EXPECT_EQ(encodeSettingsText("plain"), "plain");
}

TEST(SettingsFileWrite, SingleByteTextThatLooksLikeUtf8GoesOutAsUtf8) {
    SavedSettings saved;
    saved.txtRefDescription = "\xC3\x83\xC2\xA4"; // "Ã¤", whose Windows-1252 bytes C3 A4 are UTF-8 for "ä"
    const auto bytes = encodeSettingsText(formatSettingsText(saved));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(readBack(bytes), saved);
}

TEST(SettingsFileWrite, LineBreaksInsideAValueCannotStartALine) {
    SavedSettings saved;
    saved.txtRefDescription = "first\r\ncmbLang\t->\t1";
    const auto restored = readBack(encodeSettingsText(formatSettingsText(saved)));
    EXPECT_EQ(restored.cmbLang, 0);
    EXPECT_EQ(restored.txtRefDescription, "first  cmbLang1");
}

TEST(SettingsFileWrite, ArrowsAndTabsInAValueAreLostOnTheNextStart) {
    SavedSettings saved;
    saved.txtRefDescription = "a->b\tc";
    EXPECT_EQ(readBack(encodeSettingsText(formatSettingsText(saved))).txtRefDescription, "abc");
}

TEST(SettingsFileWrite, ReplacesTheFileAtomically) {
    test::TempFolder folder;
    folder.write("Quillfen.ini", "old content that is longer than anything written here ...........\r\n");
    LocalFileSystem files;
    const auto path = settingsFilePath(folder.path());
    const auto saved = everythingChanged();
    ASSERT_TRUE(writeSettingsFile(files, path, saved));
    EXPECT_EQ(folder.read("Quillfen.ini"), encodeSettingsText(formatSettingsText(saved)));
    const auto read = readSettingsFile(files, path);
    ASSERT_TRUE(read);
    SavedSettings restored;
    applySettings(*read, restored);
    EXPECT_EQ(restored, saved);
}

TEST(SettingsFileWrite, AFailedWriteIsReportedWithThePath) {
    test::TempFolder folder;
    LocalFileSystem files;
    const auto path = settingsFilePath(folder / "no such folder");
    const auto status = writeSettingsFile(files, path, SavedSettings{});
    ASSERT_FALSE(status);
    EXPECT_NE(status.error().message().find("no such folder"), std::string::npos) << status.error().message();
}

struct ApplyCase {
    const char* label;
    std::string file;
    SavedSettings expected;
};

SavedSettings with(void (*change)(SavedSettings&)) {
    SavedSettings s;
    change(s);
    return s;
}

class ApplyingSettings : public testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyingSettings, SkipsWhatDoesNotConvert) {
    EXPECT_EQ(readBack(GetParam().file), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ApplyingSettings,
    testing::Values(ApplyCase{"German", "cmbLang\t->\t1\r\n", with([](SavedSettings& s) { s.cmbLang = 1; })},
                    ApplyCase{"index outside the language list", "cmbLang\t->\t2\r\n", SavedSettings{}},
                    ApplyCase{"word where an integer belongs",
                              "cmbLang\t->\tdeutsch\r\nchkAceUni\t->\tja\r\n", SavedSettings{}},
                    ApplyCase{"check state out of range", "chkAceUni\t->\t3\r\nchkRefEintrag\t->\t-1\r\n",
                              SavedSettings{}},
                    ApplyCase{"grey check state", "chkShapeTo(2)\t->\t2\r\n",
                              with([](SavedSettings& s) { s.chkShapeTo[2] = 2; })},
                    ApplyCase{"quoted window state", "WindowState\t->\t\"2\"\r\n",
                              with([](SavedSettings& s) { s.WindowState = 2; })},
                    ApplyCase{"window state out of range", "WindowState\t->\t7\r\n", SavedSettings{}},
                    ApplyCase{"selecting an option clears its group", "optSchneeTextur\t->\tTrue\r\n",
                              with([](SavedSettings& s) {
                                  s.optNurSommerTextur = false;
                                  s.optSchneeTextur = true;
                              })},
                    ApplyCase{"a non-truth leaves the option", "optSchneeTextur\t->\tmaybe\r\n",
                              SavedSettings{}},
                    ApplyCase{"later line wins", "cmbMipMap\t->\t1\r\ncmbMipMap\t->\t-4\r\n",
                              with([](SavedSettings& s) { s.cmbMipMap = "-4"; })},
                    ApplyCase{"blank first line ignores even valid lines",
                              "\r\ncmbLang\t->\t1\r\nWindowState\t->\t2\r\n", SavedSettings{}},
                    ApplyCase{"path label loses its quotes, class keeps them",
                              "lblCopyPfad(0)\t->\t\"D:\\R\\\"\r\ntxtRefClass\t->\t\"Static\"\r\n",
                              with([](SavedSettings& s) {
                                  s.lblCopyPfad[0] = "D:\\R\\";
                                  s.txtRefClass = "\"Static\"";
                              })}),
    [](const testing::TestParamInfo<ApplyCase>& param) { return "case" + std::to_string(param.index); });

} // namespace
} // namespace quillfen
