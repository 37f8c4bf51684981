// The registry classes: what ReadSetting makes of each kind of stored value,
// how failures are recorded, and the per-user program settings store. They
// run over a Wine prefix's files everywhere, and over the real registry where
// there is one (Windows, or the Windows build under Wine).

#include "platform/RegistryWine.h"
#include "settings/ProgramSettingsStore.h"
#include "settings/clsGSRegistry.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quillfen {
namespace {

using namespace std::string_literals;

constexpr const char* kSection = "Software\\Quillfen\\Test";

std::string wineHive(const std::string& values) {
    return "WINE REGISTRY Version 2\n#arch=win32\n\n[Software\\\\Quillfen\\\\Test] 1\n" + values;
}

struct ReadCase {
    const char* label;
    std::string wineLine; // the value "v" as system.reg writes it
    std::uint32_t type;   // the same value for the real registry
    std::string stored;
    RegSettingData expected;
};

const std::vector<ReadCase>& readCases() {
    static const std::vector<ReadCase> cases = {
        {"text with its NUL loses it", R"("v"="C:\\MSTS")", kRegSz, "C:\\MSTS\0"s, "C:\\MSTS"s},
        {"text without NUL comes whole", R"("v"=hex(1):41,00,42,00)", kRegSz, "AB", "AB"s},
        {"only one NUL is dropped", R"("v"=hex(1):41,00,00,00,00,00)", kRegSz, "A\0\0"s, "A\0"s},
        {"empty text", R"("v"=hex(1):)", kRegSz, "", ""s},
        {"expandable text comes unexpanded", R"("v"=str(2):"%TEMP%\\x")", kRegExpandSz, "%TEMP%\\x\0"s,
         "%TEMP%\\x"s},
        {"text list without trailing empties", R"("v"=hex(7):41,00,00,00,00,00,42,00,00,00,00,00)",
         kRegMultiSz, "A\0\0B\0\0"s, std::vector<std::string>{"A", "", "B"}},
        {"empty text list", R"("v"=hex(7):00,00)", kRegMultiSz, "\0"s, std::vector<std::string>{}},
        {"dword", R"("v"=dword:fffffffe)", kRegDword, "\xFE\xFF\xFF\xFF"s, std::int32_t{-2}},
        {"binary", R"("v"=hex:00,7f,ff)", kRegBinary, "\x00\x7F\xFF"s,
         std::vector<std::uint8_t>{0, 0x7F, 0xFF}},
    };
    return cases;
}

class ReadSettingFromWine : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadSettingFromWine, GivesTheData) {
    const auto& c = GetParam();
    test::TempFolder prefix;
    prefix.write("system.reg", wineHive(c.wineLine + "\n"));
    clsGSRegistry registry(std::make_shared<WineRegistryStore>(prefix.path()));
    const auto setting = registry.ReadSetting(kHkeyLocalMachine, kSection, "v");
    ASSERT_TRUE(setting) << c.label << ": " << registry.RegError().Description();
    EXPECT_EQ(setting->SettingName(), "v");
    EXPECT_EQ(setting->Setting(), c.expected) << c.label;
    EXPECT_EQ(registry.RegError().Number(), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReadSettingFromWine, testing::ValuesIn(readCases()),
                         [](const testing::TestParamInfo<ReadCase>& param) {
                             return "case" + std::to_string(param.index);
                         });

/// A fresh key under HKEY_CURRENT_USER in the real registry, removed at the end.
class RealRegistryKey {
public:
    RealRegistryKey() : store(makeSystemRegistry()) {
        std::random_device random;
        path = "Software\\QuillfenTest" + std::to_string(random());
    }
    ~RealRegistryKey() {
        if (const auto children = store->subKeyNames(kHkeyCurrentUser, path, RegistryView::Native);
            children.ok())
            for (const auto& child : children.value)
                (void)store->deleteSection(kHkeyCurrentUser, path + "\\" + child, RegistryView::Native);
        (void)store->deleteSection(kHkeyCurrentUser, path, RegistryView::Native);
    }
    RealRegistryKey(const RealRegistryKey&) = delete;
    RealRegistryKey& operator=(const RealRegistryKey&) = delete;

    std::shared_ptr<RegistryStore> store;
    std::string path;
};

TEST(ReadSettingFromWindows, GivesTheDataOfEveryKind) {
    if (!systemRegistryIsNative()) GTEST_SKIP() << "no Windows registry on this system";
    RealRegistryKey key;
    for (const auto& c : readCases()) {
        // Stored with the raw call, read back through the class.
        ASSERT_EQ(
            key.store->setValue(kHkeyCurrentUser, key.path, {"v", c.type, c.stored}, RegistryView::Native),
            kErrorSuccess);
        clsGSRegistry registry;
        const auto setting = registry.ReadSetting(kHkeyCurrentUser, key.path, "v");
        ASSERT_TRUE(setting) << c.label << ": " << registry.RegError().Description();
        EXPECT_EQ(setting->Setting(), c.expected) << c.label;
    }
}

TEST(ReadSettingFromWindows, MissingValueRecordsCode2) {
    if (!systemRegistryIsNative()) GTEST_SKIP() << "no Windows registry on this system";
    RealRegistryKey key;
    ASSERT_EQ(key.store->createSection(kHkeyCurrentUser, key.path, RegistryView::Native), kErrorSuccess);
    clsGSRegistry registry;
    EXPECT_FALSE(registry.ReadSetting(kHkeyCurrentUser, key.path, "absent"));
    EXPECT_EQ(registry.RegError().Number(), 2);
    EXPECT_EQ(registry.RegError().Source(), "clsGSRegistry.ReadSetting");
    EXPECT_FALSE(registry.RegError().Description().empty());
}

TEST(RegistryClassOnWindows, WritesEnumeratesAndDeletes) {
    if (!systemRegistryIsNative()) GTEST_SKIP() << "no Windows registry on this system";
    RealRegistryKey key;
    clsGSRegistry registry;
    EXPECT_EQ(registry.WriteSetting(kHkeyCurrentUser, key.path, "text", "C:\\MSTS"s), 0);
    EXPECT_EQ(registry.WriteSetting(kHkeyCurrentUser, key.path, "list", std::vector<std::string>{"a", "b"}),
              0);
    EXPECT_EQ(registry.WriteSetting(kHkeyCurrentUser, key.path, "number", std::int16_t{-5}), 0);
    EXPECT_EQ(registry.WriteSetting(kHkeyCurrentUser, key.path, "bytes", std::vector<std::uint8_t>{1, 2}), 0);
    EXPECT_EQ(registry.CreateSection(kHkeyCurrentUser, key.path + "\\Child"), 0);
    EXPECT_EQ(registry.HasSettings(kHkeyCurrentUser, key.path), 4);
    EXPECT_EQ(registry.HasSubSections(kHkeyCurrentUser, key.path), 1);
    EXPECT_EQ(registry.GetSubSectionNames(kHkeyCurrentUser, key.path), std::vector<std::string>{"Child"});

    const auto all = registry.GetAllSettings(kHkeyCurrentUser, key.path);
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 4u);
    for (const auto& setting : *all) {
        if (setting.SettingName() == "number") {
            EXPECT_EQ(setting.Setting(), RegSettingData(std::int32_t{-5}));
        }
        if (setting.SettingName() == "list") {
            EXPECT_EQ(setting.Setting(), RegSettingData(std::vector<std::string>{"a", "b"}));
        }
    }
    EXPECT_TRUE(registry.DeleteSetting(kHkeyCurrentUser, key.path, "text"));
    EXPECT_FALSE(registry.DeleteSetting(kHkeyCurrentUser, key.path, "text"));
    EXPECT_EQ(registry.RegError().Source(), "clsGSRegistry.DeleteSetting");
    EXPECT_TRUE(registry.DeleteSection(kHkeyCurrentUser, key.path + "\\Child"));
    EXPECT_EQ(registry.HasSubSections(kHkeyCurrentUser, key.path), 0);
}

TEST(RegistryClass, MissingValueReturnsNothingWithCode2) {
    test::TempFolder prefix;
    prefix.write("system.reg", wineHive("\"other\"=\"x\"\n"));
    clsGSRegistry registry(std::make_shared<WineRegistryStore>(prefix.path()));
    EXPECT_FALSE(registry.ReadSetting(kHkeyLocalMachine, kSection, "Path"));
    EXPECT_EQ(registry.RegError().Number(), 2);
    EXPECT_EQ(registry.RegError().Source(), "clsGSRegistry.ReadSetting");
    EXPECT_EQ(registry.RegError().Description(), registryErrorText(2));
    // The next successful call clears the record.
    EXPECT_TRUE(registry.ReadSetting(kHkeyLocalMachine, kSection, "other"));
    EXPECT_EQ(registry.RegError().Number(), 0);
    EXPECT_EQ(registry.RegError().Source(), "");
}

TEST(RegistryClass, OverLongDwordIsAFailure) {
    test::TempFolder prefix;
    prefix.write("system.reg", wineHive("\"v\"=hex(4):01,02,03,04,05\n\"short\"=hex(4):01,02\n"));
    clsGSRegistry registry(std::make_shared<WineRegistryStore>(prefix.path()));
    EXPECT_FALSE(registry.ReadSetting(kHkeyLocalMachine, kSection, "v"));
    EXPECT_EQ(registry.RegError().Number(), 234);
    const auto shortValue = registry.ReadSetting(kHkeyLocalMachine, kSection, "short");
    ASSERT_TRUE(shortValue);
    EXPECT_EQ(shortValue->Setting(), RegSettingData(std::int32_t{0x0201}));
}

TEST(RegistryClass, CorruptOrMissingRegistryFileIsRecorded) {
    test::TempFolder prefix;
    clsGSRegistry missing(std::make_shared<WineRegistryStore>(prefix.path()));
    EXPECT_FALSE(missing.ReadSetting(kHkeyLocalMachine, kSection, "v"));
    EXPECT_EQ(missing.RegError().Number(), 2);

    prefix.write("system.reg", "\x00\x01garbage"s);
    clsGSRegistry corrupt(std::make_shared<WineRegistryStore>(prefix.path()));
    EXPECT_FALSE(corrupt.ReadSetting(kHkeyLocalMachine, kSection, "v"));
    EXPECT_EQ(corrupt.RegError().Number(), 1009);
    EXPECT_EQ(corrupt.HasSettings(kHkeyLocalMachine, kSection), -1);
    EXPECT_EQ(corrupt.RegError().Source(), "clsGSRegistry.HasSettings");
    EXPECT_FALSE(corrupt.GetAllSettings(kHkeyLocalMachine, kSection));
    EXPECT_FALSE(corrupt.GetSubSectionNames(kHkeyLocalMachine, kSection));
}

TEST(RegistryClass, OverWineEveryWriteIsRefusedAndRecorded) {
    test::TempFolder prefix;
    prefix.write("system.reg", wineHive(""));
    clsGSRegistry registry(std::make_shared<WineRegistryStore>(prefix.path()));
    EXPECT_EQ(registry.WriteSetting(kHkeyLocalMachine, kSection, "v", "x"s), kErrorNotSupported);
    EXPECT_EQ(registry.RegError().Source(), "clsGSRegistry.WriteSetting");
    EXPECT_EQ(registry.RegError().Number(), kErrorNotSupported);
    EXPECT_FALSE(registry.DeleteSetting(kHkeyLocalMachine, kSection, "v"));
    EXPECT_EQ(registry.CreateSection(kHkeyLocalMachine, "Software\\New"), kErrorNotSupported);
    EXPECT_FALSE(registry.DeleteSection(kHkeyLocalMachine, kSection));
    EXPECT_EQ(registry.RegError().Source(), "clsGSRegistry.DeleteSection");
}

TEST(RegistryClass, EnumeratesWineKeys) {
    test::TempFolder prefix;
    prefix.write("system.reg",
                 wineHive("\"a\"=\"1\"\n\"b\"=dword:00000002\n[Software\\\\Quillfen\\\\Test\\\\Sub] 1\n"));
    clsGSRegistry registry(std::make_shared<WineRegistryStore>(prefix.path()));
    EXPECT_EQ(registry.HasSettings(kHkeyLocalMachine, kSection), 2);
    EXPECT_EQ(registry.HasSubSections(kHkeyLocalMachine, kSection), 1);
    EXPECT_EQ(registry.GetSubSectionNames(kHkeyLocalMachine, kSection), std::vector<std::string>{"Sub"});
    const auto all = registry.GetAllSettings(kHkeyLocalMachine, kSection);
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ((*all)[0].Setting(), RegSettingData("1"s));
    EXPECT_EQ((*all)[1].Setting(), RegSettingData(std::int32_t{2}));
    EXPECT_EQ(clsGSRegistry::ClassName(), "clsGSRegistry");
}

TEST(RegSetting, TypesOfTheData) {
    struct Case {
        RegSettingData data;
        std::uint32_t regType;
        int varType;
        const char* typeName;
    };
    const std::vector<Case> cases = {
        {std::monostate{}, kRegNone, 0, "Empty"},
        {"C:\\MSTS"s, kRegSz, 8, "String"},
        {"%PATH%\\x"s, kRegExpandSz, 8, "String"},
        {"%QUILLFEN_SURELY_UNDEFINED%"s, kRegSz, 8, "String"},
        {std::int16_t{1}, kRegDword, 2, "Integer"},
        {std::int32_t{1}, kRegDword, 3, "Long"},
        {std::uint8_t{1}, kRegDword, 17, "Byte"},
        {std::vector<std::string>{"a"}, kRegMultiSz, 8200, "String()"},
        {std::vector<std::uint8_t>{1}, kRegBinary, 8209, "Byte()"},
    };
    for (const auto& c : cases) {
        clsGSRegSetting setting;
        setting.Setting(c.data);
        EXPECT_EQ(setting.RegDataType(), c.regType) << c.typeName;
        EXPECT_EQ(setting.VarTypeVB(), c.varType) << c.typeName;
        EXPECT_EQ(setting.TypeNameVB(), c.typeName);
    }
}

TEST(RegSetting, TextOfTheDataAsTheRuntimeConvertsIt) {
    clsGSRegSetting setting;
    EXPECT_EQ(setting.asText(), "");
    setting.Setting(std::int32_t{-7});
    EXPECT_EQ(setting.asText(), "-7");
    setting.Setting(std::vector<std::string>{"a"});
    EXPECT_EQ(setting.asText(), std::nullopt);
}

TEST(RegistryClass, StoredFormOfData) {
    clsGSRegSetting setting;
    setting.Setting(std::vector<std::string>{"a", "b"});
    EXPECT_EQ(storedValueOf("n", setting).data, "a\0b\0\0"s);
    setting.Setting("x"s);
    EXPECT_EQ(storedValueOf("n", setting).data, "x\0"s);
    setting.Setting(std::int16_t{-1});
    EXPECT_EQ(storedValueOf("n", setting).data, "\xFF\xFF\xFF\xFF"s);
}

TEST(RegistryClass, ExpandEnvStringCutsAtNul) {
    EXPECT_EQ(clsGSRegistry::ExpandEnvString("a\0b"s), "a");
    EXPECT_EQ(clsGSRegistry::ExpandEnvString("%QUILLFEN_SURELY_UNDEFINED%"), "%QUILLFEN_SURELY_UNDEFINED%");
}

TEST(GSError, RaiseStoresAndThrowsClearEmpties) {
    clsGSError error;
    try {
        error.Raise(13, "src", "Typen unverträglich", "help.chm", 7);
        FAIL() << "Raise returned";
    } catch (const GSRuntimeError& raised) {
        EXPECT_EQ(raised.number(), 13);
        EXPECT_EQ(raised.source(), "src");
        EXPECT_STREQ(raised.what(), "Typen unverträglich");
    }
    EXPECT_EQ(error.Number(), 13);
    EXPECT_EQ(error.HelpFile(), "help.chm");
    EXPECT_EQ(error.HelpContext(), 7);
    error.LastDllError(5);
    error.Clear();
    EXPECT_EQ(error.Number(), 0);
    EXPECT_EQ(error.Source(), "");
    EXPECT_EQ(error.Description(), "");
    EXPECT_EQ(error.HelpFile(), "");
    EXPECT_EQ(error.HelpContext(), 0);
    EXPECT_EQ(error.LastDllError(), 0);
}

TEST(ProgramSettingsStore, ReadsTheUsersStoredText) {
    test::TempFolder prefix;
    prefix.write("user.reg", "WINE REGISTRY Version 2\n#arch=win64\n\n"
                             "[Software\\\\VB and VBA Program Settings\\\\App\\\\1.0] 1\n"
                             "\"Path\"=\"C:\\\\MSTS\"\n\"Number\"=dword:00000001\n");
    const WineRegistryStore store(prefix.path());
    EXPECT_EQ(GetSetting(store, "App", "1.0", "Path"), "C:\\MSTS");
    EXPECT_EQ(GetSetting(store, "App", "1.0", "Number", "dflt"), "dflt");
    EXPECT_EQ(GetSetting(store, "App", "1.0", "Absent", "dflt"), "dflt");
    EXPECT_EQ(GetSetting(WineRegistryStore(""), "App", "1.0", "Path"), "");
}

} // namespace
} // namespace quillfen
