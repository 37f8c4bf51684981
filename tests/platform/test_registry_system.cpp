// The machine's registry as makeSystemRegistry gives it: on Windows (and the
// Windows build under Wine) the real one, elsewhere the read-only Wine prefix
// files. Reading each kind of value from the real registry: see the registry
// class tests.

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quillfen {
namespace {

using namespace std::string_literals;

TEST(SystemRegistry, AKeyWrittenToThePlainViewIsFoundAfterThe32BitView) {
    if (!systemRegistryIsNative()) GTEST_SKIP() << "no Windows registry on this system";
    const auto store = makeSystemRegistry();
    std::random_device random;
    // HKEY_LOCAL_MACHINE\Software is split into the two views; HKEY_CURRENT_USER\Software is not.
    const std::string path = "Software\\QuillfenTest" + std::to_string(random());
    const RegistryValue hand{"Path", kRegSz, "D:\\hand\0"s};
    const long written = store->setValue(kHkeyLocalMachine, path, hand, RegistryView::Native);
    if (written == 5) GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable for this user";
    ASSERT_EQ(written, kErrorSuccess);

    EXPECT_EQ(store->queryValue(kHkeyLocalMachine, path, "Path", RegistryView::Bits32).code,
              kErrorFileNotFound);
    const auto found = store->queryValue(kHkeyLocalMachine, path, "Path", RegistryView::Bits32ThenNative);
    EXPECT_EQ(found.value.data, hand.data);
    const RegistryValue installer{"Path", kRegSz, "C:\\32\0"s};
    ASSERT_EQ(store->setValue(kHkeyLocalMachine, path, installer, RegistryView::Bits32ThenNative),
              kErrorSuccess);
    EXPECT_EQ(store->queryValue(kHkeyLocalMachine, path, "Path", RegistryView::Bits32ThenNative).value.data,
              installer.data);

    (void)store->deleteSection(kHkeyLocalMachine, path, RegistryView::Bits32);
    (void)store->deleteSection(kHkeyLocalMachine, path, RegistryView::Native);
}

TEST(SystemRegistry, MissingKeyIsNotFoundAndErrorTextsNameTheProblem) {
    EXPECT_EQ(makeSystemRegistry()
                  ->queryValue(kHkeyLocalMachine, "Software\\QuillfenSurelyAbsent\\1.0", "Path",
                               RegistryView::Bits32)
                  .code,
              kErrorFileNotFound);
    EXPECT_FALSE(registryErrorText(kErrorFileNotFound).empty());
    EXPECT_FALSE(registryErrorText(kErrorBadDatabase).empty());
    EXPECT_EQ(registryErrorText(kErrorBadDatabase).find('\n'), std::string::npos);
    EXPECT_EQ(registryErrorText(0x7FFF1234), "");
}

TEST(EnvironmentStrings, DefinedNamesExpandAndUnknownOnesStay) {
    EXPECT_NE(expandEnvironmentStrings("%PATH%"), "%PATH%");
    EXPECT_EQ(expandEnvironmentStrings("%QUILLFEN_SURELY_UNDEFINED%\\x"), "%QUILLFEN_SURELY_UNDEFINED%\\x");
    EXPECT_EQ(expandEnvironmentStrings("100%"), "100%");
    // An unknown name stays whole; its closing sign does not open another reference.
    EXPECT_EQ(expandEnvironmentStrings("%QUILLFEN_NONE%PATH%"), "%QUILLFEN_NONE%PATH%");
    EXPECT_EQ(expandEnvironmentStrings("%QUILLFEN_NONE%%PATH%"),
              "%QUILLFEN_NONE%" + expandEnvironmentStrings("%PATH%"));
}

TEST(SystemSpecialFolders, ProgramFilesOfTheShell) {
    if (!systemRegistryIsNative()) GTEST_SKIP() << "no Windows shell on this system";
    for (const int csidl : {kCsidlProgramFiles, kCsidlProgramFilesX86}) {
        const auto folder = HoleSpezialOrdner(csidl);
        EXPECT_FALSE(folder.empty()) << csidl;
        EXPECT_TRUE(LocalFileSystem().folderExists(folder)) << folder;
    }
    EXPECT_EQ(HoleSpezialOrdner(-5), "");
    EXPECT_EQ(winePrefixFolder(), "");
    EXPECT_EQ(windowsPathToHost("C:\\MSTS"), "C:\\MSTS");
}

} // namespace
} // namespace quillfen
