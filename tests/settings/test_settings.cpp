// Quillfen.ini read, applied and written, and the registry classes over Wine and the real registry.

#include "platform/FileSystem.h"
#include "platform/RegistryWine.h"
#include "platform/Text.h"
#include "settings/ProgramSettingsStore.h"
#include "settings/SavedSettings.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsReader.h"
#include "settings/clsGSRegistry.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillfen {
namespace {

/// "a=1|b=2" as the file writes it: "a\t->\t1\r\nb\t->\t2\r\n".
std::string ini(const std::string& lines) {
    return replaceAll(replaceAll(lines, "=", "\t->\t"), "|", "\r\n") + "\r\n";
}

/// The written default settings with the lines of these keys ("key=value") changed.
std::string defaultsWith(const std::vector<std::string>& changes) {
    auto text = formatSettingsText(SavedSettings{});
    for (const auto& change : changes) {
        const auto key = change.substr(0, change.find('=')) + "\t->\t";
        const auto start = text.find(key);
        text.replace(start, text.find("\r\n", start) - start, ini(change).substr(0, ini(change).size() - 2));
    }
    return text;
}

/// Every member away from its design value.
// clang-format off
const SavedSettings kEverythingChanged{
    .cmbLang = 1, .optNurSommerTextur = false, .optJahreszeitenTextur = true, .txtESD_Alter_Tex = "252",
    .cmbMipMap = "-3", .chkTestOptionen = 1, .chkAceUni = 1, .chkShaderDiffuse = 2, .chkShaderAddATexDiff = 1,
    .chkShapeTo = {1, 0, 1},
    .lblCopyPfad = {"D:\\Routes\\Z\xC3\xBCge\\",
     "E:\\\xD0\x9C\xD0\xB0\xD1\x80\xD1\x88\xD1\x80\xD1\x83\xD1\x82",
                    "F:\\\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x9A\x82"},
    .chkRefEintrag = 1, .txtRefClass = "\"Static\"", .txtRefDescription = "Haus mit Garten",
    .conv3dsPfad = "C:\\Program Files (x86)\\Microsoft Games\\Train Simulator\\UTILS\\conv3ds.exe",
    .chkBoundingBox = 1, .BoundingBoxWerte = "-1.5 0.0 -2.25 1.5 3.0 2.25", .WindowState = 2};
// clang-format on

SavedSettings readBack(const std::string& bytes) {
    SavedSettings restored;
    applySettings(parseSettingsBytes(bytes), restored);
    return restored;
}

TEST(SettingsFileWrite, WritesThe25LinesInTableOrder) {
    // The copy targets start as "C:\\" on Windows and as the home folder elsewhere.
    const std::string target = defaultCopyTargetFolder();
    EXPECT_EQ(formatSettingsText(SavedSettings{}),
              ini("cmbLang=0|optNurSommerTextur=-1|optSchneeTextur=0|optSchneeUndNachtTextur=0|"
                  "optJahreszeitenTextur=0|optManuellAlternativTexture=0|txtESD_Alter_Tex=0|cmbMipMap=0|"
                  "chkTestOptionen=0|chkAceUni=0|chkShaderDiffuse=0|chkShaderAddATexDiff=0|chkShapeTo(0)=0|"
                  "chkShapeTo(1)=0|chkShapeTo(2)=0|lblCopyPfad(0)=" +
                  target + "|lblCopyPfad(1)=" + target + "|lblCopyPfad(2)=" + target +
                  "|chkRefEintrag=0|txtRefClass=|txtRefDescription=|conv3dsPfad=|chkBoundingBox=0|"
                  "BoundingBoxWerte=|WindowState=0"));
}

TEST(SettingsFileWrite, RoundTripThroughTheFileRestoresAll25Values) {
    test::TempFolder folder;
    folder.write("Quillfen.ini", "old content that is longer than anything written here ...........\r\n");
    LocalFileSystem files;
    const auto path = settingsFilePath(folder.path());
    const auto& saved = kEverythingChanged;
    ASSERT_TRUE(writeSettingsFile(files, path, saved));
    const auto bytes = folder.read("Quillfen.ini");
    EXPECT_EQ(bytes, encodeSettingsText(formatSettingsText(saved)));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "paths beyond Windows-1252 need UTF-8";
    const auto read = readSettingsFile(files, path);
    ASSERT_TRUE(read);
    SavedSettings restored;
    applySettings(*read, restored);
    EXPECT_EQ(restored, saved);
}

TEST(SettingsFileWrite, AFailedWriteIsReportedWithThePathAMissingFileAppliesNothing) {
    test::TempFolder folder;
    LocalFileSystem files;
    const auto status = writeSettingsFile(files, settingsFilePath(folder / "no such folder"), {});
    ASSERT_FALSE(status);
    EXPECT_NE(status.error().message().find("no such folder"), std::string::npos) << status.error().message();
    const auto read = readSettingsFile(files, settingsFilePath(folder.path()));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->empty());
}

TEST(SettingsFileWrite, CharacterSetAndValuesThatCannotSurvive) {
    SavedSettings saved;
    saved.lblCopyPfad[0] = "D:\\Z\xC3\xBCge \xE2\x82\xAC";
    auto bytes = encodeSettingsText(formatSettingsText(saved));
    EXPECT_NE(bytes.find("lblCopyPfad(0)\t->\tD:\\Z\xFCge \x80\r\n"), std::string::npos) << "Windows-1252";
    EXPECT_EQ(readBack(bytes), saved);
    // "Ã¤", whose Windows-1252 bytes C3 A4 are UTF-8 for "ä", goes out as UTF-8
    SavedSettings lookalike;
    lookalike.txtRefDescription = "\xC3\x83\xC2\xA4";
    bytes = encodeSettingsText(formatSettingsText(lookalike));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(readBack(bytes), lookalike);
}

TEST(SettingsFileApply, SkipsWhatDoesNotConvert) {
    // clang-format off
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {ini("cmbLang=2"), {}}, // outside the language list
        {ini("cmbLang=deutsch|chkAceUni=ja|cmbLang=1.5|cmbLang=99999999999|cmbLang=&H1"), {}},
        {ini("chkAceUni=3|chkRefEintrag=-1"), {}}, {ini("chkShapeTo(2)=2"), {"chkShapeTo(2)=2"}},
        // selecting an option clears its group; a non-truth leaves it
        {ini("optSchneeTextur=True"), {"optNurSommerTextur=0", "optSchneeTextur=-1"}},
        {ini("optSchneeTextur=maybe"), {}}, {ini("cmbMipMap=1|cmbMipMap=-4"), {"cmbMipMap=-4"}},
    };
    // clang-format on
    for (const auto& [file, changes] : cases)
        EXPECT_EQ(formatSettingsText(readBack(file)), defaultsWith(changes)) << file;
}

/// The applications as "name=value|name=value".
std::string parse(const std::string& text) {
    std::string pairs;
    for (const auto& a : parseSettingsBytes(text))
        pairs += (pairs.empty() ? "" : "|") + a.name + "=" + a.value;
    return pairs;
}

TEST(SettingsFileRead, LinesGiveTheseApplications) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        // lines in file order, a later line wins by coming later
        {ini("cmbLang=1|cmbMipMap=-2|cmbLang=0"), "cmbLang=1|cmbMipMap=-2|cmbLang=0"},
        // every arrow and tab of the value goes, arrows before tabs
        {"txtRefClass\t->\tx-\t>y\r\n", "txtRefClass=x->y"}, {"  cmbMipMap   \t->\t  -3  \r\n", "cmbMipMap=-3"},
        // quotes stay or go as the table says
        {ini("txtRefClass=\"Static\"|txtRefDescription=\"d\""),
         "txtRefClass=\"Static\"|txtRefDescription=\"d\""},
        {"lblCopyPfad(1)\t->\t\"C:\\R\\\"\r\n", "lblCopyPfad(1)=C:\\R\\"},
        // a key containing several names applies to each in table order; matching is case-sensitive
        {"xBoundingBoxWerte+chkBoundingBox\t->\t\"5\"\r\n", "chkBoundingBox=5|BoundingBoxWerte=5"},
        {"oldcmbLangX\t->\t1\r\n", "cmbLang=1"}, {"CMBLANG\t->\t1\r\ncmblang\t->\t1\r\n", ""},
        // unknown keys, garbage, lines without a tab and blank lines are passed over
        {"cmbLang\t->\t1\r\nfoo\t->\tbar\r\n\x01\x02\tgarbage\r\ncmbLang -> 0\r\n\r\ncmbMipMap\t->\t1\r\n",
         "cmbLang=1|cmbMipMap=1"},
        // a blank first line (blanks count as blank, a tab does not) means nothing is applied
        {"   \r\n" + ini("cmbLang=1"), ""}, {"\t\r\n" + ini("cmbLang=1"), "cmbLang=1"},
        {"cmbLang\t->\t1\ncmbMipMap\t->\t2\rWindowState\t->\t1", "cmbLang=1|cmbMipMap=2|WindowState=1"},
        {"txtRefClass\t->\t\r\ncmbLang\t1\r\n", "txtRefClass=|cmbLang=1"}, // empty value; no arrow needed
    };
    // clang-format on
    for (const auto& [text, expected] : cases) EXPECT_EQ(parse(text), expected) << text;
}

TEST(SettingsFileRead, AFileOverOneMegabyteIsDamagedAndKeptAside) {
    test::TempFolder folder;
    LocalFileSystem files;
    const auto path = settingsFilePath(folder.path());
    for (const std::size_t size : {kSettingsFileLimit, kSettingsFileLimit + 1}) {
        folder.write("Quillfen.ini", "cmbLang\t->\t1\r\n" + std::string(size - 14, ' '));
        const auto read = readSettingsFile(files, path);
        ASSERT_EQ(read.ok(), size == kSettingsFileLimit) << size;
        EXPECT_TRUE(read.ok() || isDamagedSettingsFile(read.error()));
    }
    // a huge file (sparse, so the test writes nothing) is judged by its first megabyte
    std::filesystem::resize_file(folder.fsPath() / "Quillfen.ini", 200u << 20);
    const auto huge = readSettingsFile(files, path);
    ASSERT_FALSE(huge);
    EXPECT_TRUE(isDamagedSettingsFile(huge.error()));
    EXPECT_EQ(huge.error().path, path);

    folder.write("Quillfen.ini.bad", "an older damaged file");
    ASSERT_TRUE(keepDamagedSettings(files, path));
    EXPECT_FALSE(folder.exists("Quillfen.ini"));
    EXPECT_EQ(std::filesystem::file_size(folder.fsPath() / "Quillfen.ini.bad"), 200u << 20);
    EXPECT_FALSE(isDamagedSettingsFile(Error{path, "Permission denied"}));
}

using namespace std::string_literals;

constexpr const char* kSection = "Software\\Quillfen\\Test";

// The value "v" as system.reg writes it, and its data.
const std::pair<std::string, RegSettingData> kReadCases[] = {
    {R"("v"="C:\\MSTS")", "C:\\MSTS"s},          // the NUL goes
    {R"("v"=hex(1):41,00,00,00,00,00)", "A\0"s}, // only one NUL is dropped
    {R"("v"=str(2):"%TEMP%\\x")", "%TEMP%\\x"s}, // not expanded
    {R"("v"=hex(7):41,00,00,00,00,00,42,00,00,00,00,00)", std::vector<std::string>{"A", "", "B"}},
    {R"("v"=dword:fffffffe)", std::int32_t{-2}},
};

/// The class over a Wine prefix whose system.reg holds kSection with these value lines.
clsGSRegistry overWine(const test::TempFolder& prefix, const std::string& values) {
    prefix.write("system.reg",
                 "WINE REGISTRY Version 2\n#arch=win32\n\n[Software\\\\Quillfen\\\\Test] 1\n" + values);
    return clsGSRegistry(std::make_shared<WineRegistryStore>(prefix.path()));
}

TEST(RegistryClassOverWine, ReadSettingGivesTheDataOfEveryKind) {
    for (const auto& [wineLine, expected] : kReadCases) {
        SCOPED_TRACE(wineLine);
        test::TempFolder prefix;
        auto registry = overWine(prefix, wineLine + "\n");
        const auto setting = registry.ReadSetting(kHkeyLocalMachine, kSection, "v");
        ASSERT_TRUE(setting) << registry.RegError().Description();
        EXPECT_EQ(setting->SettingName(), "v");
        EXPECT_EQ(setting->Setting(), expected);
    }
}

TEST(ProgramSettingsStore, ReadsTheUsersStoredText) {
    test::TempFolder prefix;
    prefix.write("user.reg", "WINE REGISTRY Version 2\n#arch=win64\n\n"
                             "[Software\\\\VB and VBA Program Settings\\\\App\\\\1.0] 1\n"
                             "\"Path\"=\"C:\\\\MSTS\"\n\"Number\"=dword:00000001\n");
    const WineRegistryStore store(prefix.path());
    EXPECT_EQ(GetSetting(store, "App", "1.0", "Path"), "C:\\MSTS");
    EXPECT_EQ(GetSetting(store, "App", "1.0", "Number", "dflt"), "dflt");
}

} // namespace
} // namespace quillfen
