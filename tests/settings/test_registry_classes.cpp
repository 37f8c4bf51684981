// The registry classes over a Wine prefix, and over the real registry where there is one.

#include "platform/RegistryWine.h"
#include "settings/ProgramSettingsStore.h"
#include "settings/clsGSRegistry.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace quillfen {
namespace {

using namespace std::string_literals;

constexpr const char* kSection = "Software\\Quillfen\\Test";

struct ReadCase {
    std::string wineLine; // the value "v" as system.reg writes it
    std::uint32_t type;   // the same value for the real registry
    std::string stored;
    RegSettingData expected;
};

const std::vector<ReadCase> kReadCases = {
    {R"("v"="C:\\MSTS")", kRegSz, "C:\\MSTS\0"s, "C:\\MSTS"s},     // the NUL goes
    {R"("v"=hex(1):41,00,42,00)", kRegSz, "AB", "AB"s},            // text without NUL comes whole
    {R"("v"=hex(1):41,00,00,00,00,00)", kRegSz, "A\0\0"s, "A\0"s}, // only one NUL is dropped
    {R"("v"=hex(1):)", kRegSz, "", ""s},
    {R"("v"=str(2):"%TEMP%\\x")", kRegExpandSz, "%TEMP%\\x\0"s, "%TEMP%\\x"s}, // not expanded
    {R"("v"=hex(7):41,00,00,00,00,00,42,00,00,00,00,00)", kRegMultiSz, "A\0\0B\0\0"s,
     std::vector<std::string>{"A", "", "B"}},
    {R"("v"=hex(7):00,00)", kRegMultiSz, "\0"s, std::vector<std::string>{}},
    {R"("v"=dword:fffffffe)", kRegDword, "\xFE\xFF\xFF\xFF"s, std::int32_t{-2}},
    {R"("v"=hex:00,7f,ff)", kRegBinary, "\x00\x7F\xFF"s, std::vector<std::uint8_t>{0, 0x7F, 0xFF}},
};

/// The class over a Wine prefix whose system.reg holds kSection with these value lines.
clsGSRegistry overWine(const test::TempFolder& prefix, const std::string& values) {
    prefix.write("system.reg",
                 "WINE REGISTRY Version 2\n#arch=win32\n\n[Software\\\\Quillfen\\\\Test] 1\n" + values);
    return clsGSRegistry(std::make_shared<WineRegistryStore>(prefix.path()));
}

TEST(RegistryClassOverWine, ReadSettingGivesTheDataOfEveryKind) {
    for (const auto& c : kReadCases) {
        SCOPED_TRACE(c.wineLine);
        test::TempFolder prefix;
        auto registry = overWine(prefix, c.wineLine + "\n");
        const auto setting = registry.ReadSetting(kHkeyLocalMachine, kSection, "v");
        ASSERT_TRUE(setting) << registry.RegError().Description();
        EXPECT_EQ(setting->SettingName(), "v");
        EXPECT_EQ(setting->Setting(), c.expected);
        EXPECT_EQ(registry.RegError().Number(), 0);
    }
}

TEST(RegistryClassOverWine, FailuresAreRecorded) {
    test::TempFolder prefix;
    auto registry =
        overWine(prefix, "\"other\"=\"x\"\n\"long\"=hex(4):01,02,03,04,05\n\"short\"=hex(4):01,02\n");
    EXPECT_FALSE(registry.ReadSetting(kHkeyLocalMachine, kSection, "Path"));
    EXPECT_EQ(registry.RegError().Number(), 2);
    EXPECT_EQ(registry.RegError().Source(), "clsGSRegistry.ReadSetting");
    EXPECT_EQ(registry.RegError().Description(), registryErrorText(2));
    // The next successful call clears the record.
    EXPECT_TRUE(registry.ReadSetting(kHkeyLocalMachine, kSection, "other"));
    EXPECT_EQ(registry.RegError().Number(), 0);
    EXPECT_EQ(registry.RegError().Source(), "");
    // A DWORD of more than four bytes fails; a shorter one is read.
    EXPECT_FALSE(registry.ReadSetting(kHkeyLocalMachine, kSection, "long"));
    EXPECT_EQ(registry.RegError().Number(), 234);
    EXPECT_EQ(registry.ReadSetting(kHkeyLocalMachine, kSection, "short")->Setting(),
              RegSettingData(std::int32_t{0x0201}));
}

/// A fresh key under HKEY_CURRENT_USER in the real registry, removed at the end.
struct RealRegistryKey {
    ~RealRegistryKey() { (void)store->deleteSection(kHkeyCurrentUser, path, RegistryView::Native); }
    std::shared_ptr<RegistryStore> store = makeSystemRegistry();
    std::string path = "Software\\QuillfenTest" + std::to_string(std::random_device()());
};

TEST(RegistryClassOnWindows, ReadSettingGivesTheDataOfEveryKind) {
    if (!systemRegistryIsNative()) GTEST_SKIP() << "no Windows registry on this system";
    RealRegistryKey key;
    for (const auto& c : kReadCases) {
        // Stored with the raw call, read back through the class.
        ASSERT_EQ(
            key.store->setValue(kHkeyCurrentUser, key.path, {"v", c.type, c.stored}, RegistryView::Native),
            kErrorSuccess);
        clsGSRegistry registry;
        const auto setting = registry.ReadSetting(kHkeyCurrentUser, key.path, "v");
        ASSERT_TRUE(setting) << c.wineLine << ": " << registry.RegError().Description();
        EXPECT_EQ(setting->Setting(), c.expected) << c.wineLine;
    }
    clsGSRegistry registry;
    EXPECT_FALSE(registry.ReadSetting(kHkeyCurrentUser, key.path, "absent"));
    EXPECT_EQ(registry.RegError().Number(), 2);
    EXPECT_EQ(registry.RegError().Source(), "clsGSRegistry.ReadSetting");
    EXPECT_FALSE(registry.RegError().Description().empty());
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
