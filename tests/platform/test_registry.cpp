// The registry files of a Wine prefix, the store over a prefix folder, and paths in the prefix.

#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/RegistryWine.h"
#include "platform/SpecialFolders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillfen {
namespace {

using namespace std::string_literals;

constexpr const char* kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

std::string hiveText(const std::string& body, const std::string& arch = "#arch=win32\n") {
    return kHeader + arch + "\n" + body;
}

const RegistryValue* findValue(const WineRegistryHive& hive, const std::string& key,
                               const std::string& name) {
    const auto* values = hive.values(key);
    if (values == nullptr) return nullptr;
    for (const auto& value : *values)
        if (value.name == name) return &value;
    return nullptr;
}

TEST(WineRegistryHive, ReadsEveryValueFormWithItsTypeAndData) {
    // Strings (escapes: backslash, quote, controls, unicode, a surrogate pair, octal NUL), the expandable
    // form, and a binary value over continued lines.
    const std::tuple<std::string, std::uint32_t, std::string> cases[] = {
        {R"("v"="C:\\x\"q\"\tb\nc\rd Z\x00fcge \x6771 \xd83d\xde82 a\0b")", kRegSz,
         "C:\\x\"q\"\tb\nc\rd Z\xC3\xBCge \xE6\x9D\xB1 \xF0\x9F\x9A\x82 a\0b\0"s},
        {R"("v"=str(2):"%SystemRoot%\\x")", kRegExpandSz, "%SystemRoot%\\x\0"s},
        {"\"v\"=hex:01,02,\\\n  03,04,\\\n  05", kRegBinary, "\x01\x02\x03\x04\x05"s},
    };
    for (const auto& [line, type, data] : cases) {
        const auto hive = WineRegistryHive::parse(hiveText("[Software\\\\Test] 1700000000\n" + line + "\n"));
        ASSERT_TRUE(hive);
        const auto* value = findValue(*hive, "Software\\Test", "v");
        ASSERT_NE(value, nullptr) << line;
        EXPECT_EQ(value->type, type) << line;
        EXPECT_EQ(value->data, data) << line;
    }
}

TEST(WineRegistryHive, KeysInAnyLetterCaseAndGarbagePassedOver) {
    const auto hive = WineRegistryHive::parse(
        hiveText("\"orphan\"=\"before any section\"\n[Software\\\\T] 1\n\"broken\"=dword:xyz\n"
                 "\"unclosed=\"x\n\"badhex\"=hex:0g\ngarbage line\n#time=1d9a\n[unclosed section\n"
                 "\"lost\"=\"under a broken section\"\n[software\\\\t] "
                 "1\n\"good\"=\"yes\"\n\"unterminated\"=\"no end\n"));
    ASSERT_TRUE(hive);
    const auto* values = hive->values("SOFTWARE\\T");
    ASSERT_NE(values, nullptr);
    ASSERT_EQ(values->size(), 1u);
    EXPECT_EQ(values->front().name, "good");
}

TEST(WineRegistryHive, KnowsA64BitPrefix) {
    EXPECT_TRUE(WineRegistryHive::parse(hiveText("", "#arch=win64\n"))->is64Bit());
    EXPECT_FALSE(WineRegistryHive::parse(hiveText("", "#arch=win32\n"))->is64Bit());
    // Older files have no arch line; their Wow6432Node key tells.
    EXPECT_TRUE(WineRegistryHive::parse(hiveText("[Software\\\\Wow6432Node\\\\X] 1\n", ""))->is64Bit());
    // Only keys below Software move into the 32-bit view, whatever their letter case.
    EXPECT_EQ(wow6432Path("SOFTWARE\\Microsoft"), "SOFTWARE\\Wow6432Node\\Microsoft");
    EXPECT_EQ(wow6432Path("System\\CurrentControlSet"), "System\\CurrentControlSet");
}

constexpr const char* kMstsKey = "Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0";

TEST(WineRegistryStore, FailuresGiveTheWindowsCode) {
    const std::string valid = hiveText("[Software\\\\Other] 1\n\"x\"=\"y\"\n");
    const std::tuple<bool, const char*, std::uint32_t, const char*, long> cases[] = {
        {true, nullptr, kHkeyLocalMachine, kMstsKey, kErrorFileNotFound}, // no system.reg
        {true, "\x01\x02 not a registry\n[x]", kHkeyLocalMachine, kMstsKey, kErrorBadDatabase},
        {true, valid.c_str(), kHkeyLocalMachine, kMstsKey, kErrorFileNotFound}, // missing key
        {true, valid.c_str(), kHkeyUsers, "Software\\Other", kErrorInvalidHandle},
    };
    for (const auto& [makePrefix, systemReg, root, section, code] : cases) {
        SCOPED_TRACE(systemReg ? systemReg : "no system.reg");
        test::TempFolder prefix;
        if (systemReg != nullptr) prefix.write("system.reg", systemReg);
        const WineRegistryStore store(makePrefix ? prefix.path() : std::string());
        EXPECT_EQ(store.queryValue(root, section, "Path", RegistryView::Bits32).code, code);
    }
}

TEST(WineRegistryStore, TheInstallationKeyIsReadIn32BitViewFirstThenPlain) {
    const std::string wow =
        "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1\n";
    const std::string plain = "[Software\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1\n";
    const std::string path = "\"Path\"=\"C:\\\\32\"\n", hand = "\"Path\"=\"D:\\\\hand\"\n";
    // 64-bit prefix?, system.reg, what the 32-bit view alone finds, and the 32-bit view then the plain key.
    const std::tuple<const char*, bool, std::string, const char*, const char*> cases[] = {
        {"installer's key", true, wow + path, "C:\\32", "C:\\32"},
        {"added by hand without /reg:32", true, plain + hand, "", "D:\\hand"},
        {"both: the 32-bit view wins", true, wow + path + plain + hand, "C:\\32", "C:\\32"},
        {"32-bit prefix", false, plain + path, "C:\\32", "C:\\32"},
    };
    const auto found = [](const RegistryResult<RegistryValue>& result) {
        return result.ok() ? std::string(result.value.data.c_str()) : std::string();
    };
    for (const auto& [name, win64, body, bits32, both] : cases) {
        SCOPED_TRACE(name);
        test::TempFolder prefix;
        prefix.write("system.reg", hiveText(body, win64 ? "#arch=win64\n" : "#arch=win32\n"));
        const WineRegistryStore store(prefix.path());
        EXPECT_EQ(found(store.queryValue(kHkeyLocalMachine, kMstsKey, "Path", RegistryView::Bits32)), bits32);
        const auto combined =
            store.queryValue(kHkeyLocalMachine, kMstsKey, "Path", RegistryView::Bits32ThenNative);
        EXPECT_EQ(found(combined), both);
        EXPECT_EQ(combined.code, combined.ok() ? kErrorSuccess : kErrorFileNotFound);
    }
}

TEST(WinePrefix, WindowsPathsLandOnThePrefixDrives) {
    const std::string prefix = "pfx";
    EXPECT_EQ(windowsPathInPrefix("C:\\Program Files\\Microsoft Games\\Train Simulator", prefix),
              joinPath(joinPath(prefix, "drive_c"),
                       "Program Files" + kSep + "Microsoft Games" + kSep + "Train Simulator"));
    EXPECT_EQ(windowsPathInPrefix("D:\\MSTS", prefix),
              joinPath(joinPath(joinPath(prefix, "dosdevices"), "d:"), "MSTS"));
}

} // namespace
} // namespace quillfen
