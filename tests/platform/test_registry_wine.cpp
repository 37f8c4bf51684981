// The registry files of a Wine prefix: how their text form is read, and how
// the store answers from a real prefix folder.

#include "platform/Paths.h"
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

struct ValueCase {
    const char* label;
    std::string line;
    std::uint32_t type;
    std::string data;
};

class WineValueLine : public testing::TestWithParam<ValueCase> {};

TEST_P(WineValueLine, IsReadWithItsTypeAndData) {
    const auto& c = GetParam();
    const auto hive = WineRegistryHive::parse(hiveText("[Software\\\\Test] 1700000000\n" + c.line + "\n"));
    ASSERT_TRUE(hive);
    const auto* value = findValue(*hive, "Software\\Test", "v");
    ASSERT_NE(value, nullptr) << c.line;
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->data, c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, WineValueLine,
    testing::Values(
        ValueCase{"plain string keeps its terminator", R"("v"="abc")", kRegSz, "abc\0"s},
        ValueCase{"escaped backslashes and quotes", R"("v"="C:\\Program Files\\\"x\"")", kRegSz,
                  "C:\\Program Files\\\"x\"\0"s},
        ValueCase{"control escapes", R"("v"="a\tb\nc\rd")", kRegSz, "a\tb\nc\rd\0"s},
        ValueCase{"unicode escape", R"("v"="Z\x00fcge \x6771")", kRegSz, "Z\xC3\xBCge \xE6\x9D\xB1\0"s},
        ValueCase{"surrogate pair as two escapes", R"("v"="\xd83d\xde82")", kRegSz, "\xF0\x9F\x9A\x82\0"s},
        ValueCase{"raw UTF-8 bytes", "\"v\"=\"Z\xC3\xBCge\"", kRegSz, "Z\xC3\xBCge\0"s},
        ValueCase{"octal escape", R"("v"="a\0b")", kRegSz, "a\0b\0"s},
        ValueCase{"expandable string", R"("v"=str(2):"%SystemRoot%\\x")", kRegExpandSz, "%SystemRoot%\\x\0"s},
        ValueCase{"string list as str(7)", R"("v"=str(7):"one\0two\0")", kRegMultiSz, "one\0two\0\0"s},
        ValueCase{"dword", R"("v"=dword:0000012c)", kRegDword, "\x2C\x01\x00\x00"s},
        ValueCase{"binary", R"("v"=hex:01,ff,00)", kRegBinary, "\x01\xFF\x00"s},
        ValueCase{"empty binary", R"("v"=hex:)", kRegBinary, ""},
        ValueCase{"string list as hex(7)", R"("v"=hex(7):41,00,00,00,42,00,00,00,00,00)", kRegMultiSz,
                  "A\0B\0\0"s},
        ValueCase{"string without terminator as hex(1)", R"("v"=hex(1):41,00,42,00)", kRegSz, "AB"},
        ValueCase{"other type number", R"("v"=hex(b):01,02,03,04,05,06,07,08)", 11u,
                  "\x01\x02\x03\x04\x05\x06\x07\x08"s},
        ValueCase{"hex continued on the next lines", "\"v\"=hex:01,02,\\\n  03,04,\\\n  05", kRegBinary,
                  "\x01\x02\x03\x04\x05"s},
        ValueCase{"CR LF line ends", "\"v\"=\"x\"\r", kRegSz, "x\0"s}),
    [](const testing::TestParamInfo<ValueCase>& param) { return "case" + std::to_string(param.index); });

TEST(WineRegistryHive, NamesKeysAndDefaultValues) {
    const auto hive = WineRegistryHive::parse(hiveText("[Software\\\\A\\\\B] 1\n"
                                                       "@=\"default\"\n"
                                                       "\"Name with \\\"quote\\\"\"=\"q\"\n"
                                                       "[Software\\\\A\\\\C\\\\D] 1\n"
                                                       "[Software\\\\a\\\\b] 2\n"
                                                       "\"late\"=dword:00000001\n"));
    ASSERT_TRUE(hive);
    EXPECT_NE(findValue(*hive, "Software\\A\\B", ""), nullptr);
    EXPECT_NE(findValue(*hive, "software\\a\\b", "Name with \"quote\""), nullptr);
    // A section repeated in other letter case is the same key.
    EXPECT_NE(findValue(*hive, "Software\\A\\B", "late"), nullptr);
    // A key that only has subkeys exists without a section line of its own.
    EXPECT_TRUE(hive->hasKey("Software\\A\\C"));
    EXPECT_TRUE(hive->hasKey("\\SOFTWARE\\a\\"));
    EXPECT_FALSE(hive->hasKey("Software\\A\\X"));
    EXPECT_FALSE(hive->hasKey("Software\\A\\B C"));
    EXPECT_EQ(hive->subKeyNames("Software\\A"), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(hive->subKeyNames(""), (std::vector<std::string>{"Software"}));
    EXPECT_EQ(hive->values("Software\\A\\C")->size(), 0u);
    EXPECT_EQ(hive->values("Software\\Nowhere"), nullptr);
}

TEST(WineRegistryHive, PassesOverGarbageButKeepsTheRest) {
    const auto hive = WineRegistryHive::parse(hiveText("\"orphan\"=\"before any section\"\n"
                                                       "[Software\\\\T] 1\n"
                                                       "\"broken\"=dword:xyz\n"
                                                       "\"unclosed=\"x\n"
                                                       "\"badhex\"=hex:0g\n"
                                                       "\"badtype\"=hex(zz):00\n"
                                                       "garbage line\n"
                                                       "#time=1d9a\n"
                                                       "[unclosed section\n"
                                                       "\"lost\"=\"under a broken section\"\n"
                                                       "[Software\\\\T] 1\n"
                                                       "\"good\"=\"yes\"\n"
                                                       "\"unterminated\"=\"no end\n"));
    ASSERT_TRUE(hive);
    const auto* values = hive->values("Software\\T");
    ASSERT_NE(values, nullptr);
    ASSERT_EQ(values->size(), 1u);
    EXPECT_EQ(values->front().name, "good");
}

TEST(WineRegistryHive, RejectsTextThatIsNoRegistryFile) {
    for (const std::string& text :
         {""s, "\n\n"s, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n"s, "\xFF\xFE\x00garbage"s})
        EXPECT_FALSE(WineRegistryHive::parse(text)) << text;
    EXPECT_TRUE(WineRegistryHive::parse("\xEF\xBB\xBFWINE REGISTRY Version 2\n"));
}

TEST(WineRegistryHive, KnowsA64BitPrefix) {
    EXPECT_TRUE(WineRegistryHive::parse(hiveText("", "#arch=win64\n"))->is64Bit());
    EXPECT_FALSE(WineRegistryHive::parse(hiveText("", "#arch=win32\n"))->is64Bit());
    // Older files have no arch line; their Wow6432Node key tells.
    EXPECT_TRUE(WineRegistryHive::parse(hiveText("[Software\\\\Wow6432Node\\\\X] 1\n", ""))->is64Bit());
    EXPECT_FALSE(WineRegistryHive::parse(hiveText("[Software\\\\X] 1\n", ""))->is64Bit());
}

TEST(Wow6432Path, MovesOnlyKeysBelowSoftware) {
    EXPECT_EQ(wow6432Path("Software\\Microsoft\\X"), "Software\\Wow6432Node\\Microsoft\\X");
    EXPECT_EQ(wow6432Path("SOFTWARE\\Microsoft"), "SOFTWARE\\Wow6432Node\\Microsoft");
    EXPECT_EQ(wow6432Path("Software\\Wow6432Node\\X"), "Software\\Wow6432Node\\X");
    EXPECT_EQ(wow6432Path("Software"), "Software");
    EXPECT_EQ(wow6432Path("System\\CurrentControlSet"), "System\\CurrentControlSet");
}

// ---- The store over a real prefix folder ------------------------------------------------

constexpr const char* kMstsKey = "Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0";

TEST(WineRegistryStore, Reads32BitViewOfA64BitPrefix) {
    test::TempFolder prefix;
    prefix.write(
        "system.reg",
        hiveText("[Software\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1\n"
                 "\"Path\"=\"64-bit view\"\n"
                 "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1\n"
                 "\"Path\"=\"32-bit view\"\n",
                 "#arch=win64\n"));
    const WineRegistryStore store(prefix.path());
    const auto bits32 = store.queryValue(kHkeyLocalMachine, kMstsKey, "path", RegistryView::Bits32);
    ASSERT_TRUE(bits32.ok());
    EXPECT_EQ(bits32.value.data, "32-bit view\0"s);
    const auto native = store.queryValue(kHkeyLocalMachine, kMstsKey, "Path", RegistryView::Native);
    ASSERT_TRUE(native.ok());
    EXPECT_EQ(native.value.data, "64-bit view\0"s);
}

TEST(WineRegistryStore, In32BitPrefixBothViewsAreTheSame) {
    test::TempFolder prefix;
    prefix.write("system.reg",
                 hiveText("[Software\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1\n"
                          "\"Path\"=\"C:\\\\MSTS\"\n"));
    const WineRegistryStore store(prefix.path());
    for (const auto view : {RegistryView::Bits32, RegistryView::Native}) {
        const auto value = store.queryValue(kHkeyLocalMachine, kMstsKey, "Path", view);
        ASSERT_TRUE(value.ok());
        EXPECT_EQ(value.value.data, "C:\\MSTS\0"s);
    }
}

TEST(WineRegistryStore, CurrentUserComesFromUserReg) {
    test::TempFolder prefix;
    prefix.write("user.reg", hiveText("[Software\\\\Quillfen] 1\n\"n\"=dword:00000007\n", "#arch=win64\n"));
    const WineRegistryStore store(prefix.path());
    const auto value = store.queryValue(kHkeyCurrentUser, "Software\\Quillfen", "n", RegistryView::Bits32);
    ASSERT_TRUE(value.ok());
    EXPECT_EQ(value.value.type, kRegDword);
    const auto info = store.queryInfo(kHkeyCurrentUser, "Software", RegistryView::Bits32);
    ASSERT_TRUE(info.ok());
    EXPECT_EQ(info.value.subKeyCount, 1);
    EXPECT_EQ(info.value.valueCount, 0);
}

struct FailureCase {
    const char* label;
    bool makePrefix;
    const char* systemReg; // nullptr: no file
    std::uint32_t root;
    const char* section;
    long code;
};

class WineRegistryStoreFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(WineRegistryStoreFailure, GivesTheWindowsCode) {
    const auto& c = GetParam();
    test::TempFolder prefix;
    if (c.systemReg != nullptr) prefix.write("system.reg", c.systemReg);
    const WineRegistryStore store(c.makePrefix ? prefix.path() : std::string());
    EXPECT_EQ(store.queryValue(c.root, c.section, "Path", RegistryView::Bits32).code, c.code) << c.label;
    EXPECT_EQ(store.queryInfo(c.root, c.section, RegistryView::Bits32).code, c.code) << c.label;
    EXPECT_EQ(store.subKeyNames(c.root, c.section, RegistryView::Bits32).code, c.code) << c.label;
    EXPECT_EQ(store.allValues(c.root, c.section, RegistryView::Bits32).code, c.code) << c.label;
}

const std::string kValidHive = hiveText("[Software\\\\Other] 1\n\"x\"=\"y\"\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, WineRegistryStoreFailure,
    testing::Values(
        FailureCase{"no prefix", false, nullptr, kHkeyLocalMachine, kMstsKey, kErrorFileNotFound},
        FailureCase{"no system.reg", true, nullptr, kHkeyLocalMachine, kMstsKey, kErrorFileNotFound},
        FailureCase{"corrupt system.reg", true, "\x01\x02 not a registry\n[x]", kHkeyLocalMachine, kMstsKey,
                    kErrorBadDatabase},
        FailureCase{"empty system.reg", true, "", kHkeyLocalMachine, kMstsKey, kErrorBadDatabase},
        FailureCase{"missing key", true, kValidHive.c_str(), kHkeyLocalMachine, kMstsKey, kErrorFileNotFound},
        FailureCase{"unknown root", true, kValidHive.c_str(), kHkeyUsers, "Software\\Other",
                    kErrorInvalidHandle}),
    [](const testing::TestParamInfo<FailureCase>& param) { return "case" + std::to_string(param.index); });

TEST(WineRegistryStore, MissingValueOfExistingKeyIsNotFound) {
    test::TempFolder prefix;
    prefix.write("system.reg", kValidHive);
    const WineRegistryStore store(prefix.path());
    EXPECT_EQ(store.queryValue(kHkeyLocalMachine, "Software\\Other", "absent", RegistryView::Native).code,
              kErrorFileNotFound);
}

TEST(WineRegistryStore, RefusesEveryWriteAndLeavesTheFileAlone) {
    test::TempFolder prefix;
    prefix.write("system.reg", kValidHive);
    WineRegistryStore store(prefix.path());
    const RegistryValue value{"x", kRegSz, "z\0"s};
    EXPECT_EQ(store.setValue(kHkeyLocalMachine, "Software\\Other", value, RegistryView::Native),
              kErrorNotSupported);
    EXPECT_EQ(store.deleteValue(kHkeyLocalMachine, "Software\\Other", "x", RegistryView::Native),
              kErrorNotSupported);
    EXPECT_EQ(store.createSection(kHkeyLocalMachine, "Software\\New", RegistryView::Native),
              kErrorNotSupported);
    EXPECT_EQ(store.deleteSection(kHkeyLocalMachine, "Software\\Other", RegistryView::Native),
              kErrorNotSupported);
    EXPECT_EQ(prefix.read("system.reg"), kValidHive);
}

// ---- The prefix's folders ---------------------------------------------------------------

TEST(WinePrefix, ComesFromTheVariablesInOrder) {
    EXPECT_EQ(winePrefixFrom("/opt/msts-prefix", "/home/u"), "/opt/msts-prefix");
    EXPECT_EQ(winePrefixFrom("", "/home/u"), joinPath("/home/u", ".wine"));
    EXPECT_EQ(winePrefixFrom("", ""), "");
}

TEST(WinePrefix, WindowsPathsLandOnThePrefixDrives) {
    const std::string prefix = "pfx";
    EXPECT_EQ(windowsPathInPrefix("C:\\Program Files\\Microsoft Games\\Train Simulator", prefix),
              joinPath(joinPath(prefix, "drive_c"),
                       "Program Files" + kSep + "Microsoft Games" + kSep + "Train Simulator"));
    EXPECT_EQ(windowsPathInPrefix("c:\\", prefix), joinPath(prefix, "drive_c"));
    EXPECT_EQ(windowsPathInPrefix("D:\\MSTS", prefix),
              joinPath(joinPath(joinPath(prefix, "dosdevices"), "d:"), "MSTS"));
    EXPECT_EQ(windowsPathInPrefix("MSTS\\UTILS", prefix), "MSTS" + kSep + "UTILS");
    EXPECT_EQ(windowsPathInPrefix("", prefix), "");
    EXPECT_EQ(windowsPathInPrefix("C:\\MSTS", ""), toNativeSeparators("C:\\MSTS"));
}

TEST(WinePrefix, ProgramFilesOf32BitProgramsPreferX86) {
    test::TempFolder prefix;
    EXPECT_EQ(programFilesInPrefix(prefix.path(), kCsidlProgramFilesX86), "");
    prefix.write("drive_c/Program Files/.keep", "");
    const auto native = joinPath(joinPath(prefix.path(), "drive_c"), "Program Files");
    EXPECT_EQ(programFilesInPrefix(prefix.path(), kCsidlProgramFilesX86), native);
    EXPECT_EQ(programFilesInPrefix(prefix.path(), kCsidlProgramFiles), native);
    prefix.write("drive_c/Program Files (x86)/.keep", "");
    EXPECT_EQ(programFilesInPrefix(prefix.path(), kCsidlProgramFilesX86),
              joinPath(joinPath(prefix.path(), "drive_c"), "Program Files (x86)"));
    EXPECT_EQ(programFilesInPrefix(prefix.path(), kCsidlProgramFiles), native);
    EXPECT_EQ(programFilesInPrefix(prefix.path(), 5), "");
    EXPECT_EQ(programFilesInPrefix("", kCsidlProgramFiles), "");
}

} // namespace
} // namespace quillfen
