// The converter search of the window load, over real folders: the program's
// folder, a settings path, and a fake Wine prefix with its own system.reg and
// Program Files folders standing in for an MSTS installation.

#include "app/ConverterSearch.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/RegistryWine.h"
#include "platform/SpecialFolders.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace quillfen {
namespace {

using namespace std::string_literals;

constexpr const char* kUtilsConverter = "UTILS/conv3ds.exe";
constexpr const char* kX86Msts = "drive_c/Program Files (x86)/Microsoft Games/Train Simulator/";
constexpr const char* kMstsElsewhere = "drive_c/Games/MSTS/";

std::string systemReg(const std::string& arch, const std::string& key, const std::string& values) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=" + arch + "\n\n[" + key +
           "] 1700000000\n#time=1d9a\n" + values;
}

const std::string kKey32In64 =
    "Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0";
const std::string kKeyNative = "Software\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0";
const std::string kElsewhereValues = "\"EXE Path\"=\"C:\\\\Games\\\\MSTS\\\\train.exe\"\n"
                                     "\"Path\"=\"C:\\\\Games\\\\MSTS\"\n";

/// Where the search is expected to find the converter.
enum class Found { BesideProgram, SettingsPath, RegistryPath, RegistryPathOtherCase, DefaultFolder, Nothing };

struct SearchCase {
    const char* label;
    bool besideProgram;
    bool settingsPathExists;
    std::string systemReg;                // "" for no file
    std::vector<std::string> prefixFiles; // created in the prefix
    Found found;
    int errorBoxes = 0;
};

class ConverterSearch : public testing::TestWithParam<SearchCase> {
protected:
    void SetUp() override {
        const auto& c = GetParam();
        program = root / "program";
        prefix = root / "prefix";
        root.write("program/house_100.3ds", "");
        root.write("prefix/drive_c/Program Files/.keep", "");
        root.write("prefix/drive_c/Program Files (x86)/.keep", "");
        if (c.besideProgram) root.write("program/conv3ds.exe", "");
        if (c.settingsPathExists) root.write("saved/conv3ds.exe", "");
        if (!c.systemReg.empty()) root.write("prefix/system.reg", c.systemReg);
        for (const auto& file : c.prefixFiles) root.write("prefix/" + file, "");

        state.gstrProgrammPfad = program;
        state.gstrConv3dsPfad = joinPath(root / "saved", "conv3ds.exe");
        state.MeldungDateienFehlen = "Missing files!!!";
        state.MeldungKonverterFehlt = "Can't find 'conv3ds.exe'!\r";

        environment.programFilesFolder = [this] {
            return programFilesInPrefix(prefix, kCsidlProgramFilesX86);
        };
        environment.registry = std::make_shared<WineRegistryStore>(prefix);
        environment.toHostPath = [this](const std::string& path) {
            return windowsPathInPrefix(path, prefix);
        };
        environment.showError = [this](const StartupMessage& message) { errors.push_back(message); };
    }

    [[nodiscard]] std::string inPrefix(const std::string& relative) const {
        return collapseSeparators(toNativeSeparators(joinPath(prefix, relative)));
    }

    test::TempFolder root;
    std::string program;
    std::string prefix;
    ProgramState state;
    ConverterSearchEnvironment environment;
    std::vector<StartupMessage> errors;
    LocalFileSystem files;
};

TEST_P(ConverterSearch, FindsTheFirstExistingConverterInRuleOrder) {
    const auto& c = GetParam();
    const auto savedPath = state.gstrConv3dsPfad;
    const auto message = findConverter(state, files, environment);

    EXPECT_EQ(state.gblnConv3dsBeimProgramm, c.found == Found::BesideProgram);
    EXPECT_EQ(errors.size(), static_cast<std::size_t>(c.errorBoxes));
    switch (c.found) {
    case Found::BesideProgram:
        EXPECT_EQ(state.gstrConv3dsPfad, joinPath(program, "conv3ds.exe"));
        break;
    case Found::SettingsPath:
        EXPECT_EQ(state.gstrConv3dsPfad, savedPath);
        break;
    case Found::RegistryPath:
        EXPECT_EQ(state.gstrConv3dsPfad, inPrefix(std::string(kMstsElsewhere) + kUtilsConverter));
        break;
    case Found::RegistryPathOtherCase:
        EXPECT_TRUE(
            equalsNoCase(state.gstrConv3dsPfad, inPrefix(std::string(kMstsElsewhere) + kUtilsConverter)))
            << state.gstrConv3dsPfad;
        break;
    case Found::DefaultFolder:
        EXPECT_EQ(state.gstrConv3dsPfad, inPrefix(std::string(kX86Msts) + kUtilsConverter));
        break;
    case Found::Nothing:
        ASSERT_TRUE(message);
        EXPECT_EQ(message->title, "Missing files!!!");
        EXPECT_EQ(message->text, "Can't find 'conv3ds.exe'!\r");
        EXPECT_EQ(state.gstrConv3dsPfad, savedPath);
        return;
    }
    EXPECT_FALSE(message);
    EXPECT_TRUE(files.fileExists(state.gstrConv3dsPfad));
}

const std::string kConverterElsewhere = std::string(kMstsElsewhere) + kUtilsConverter;
const std::string kConverterDefault = std::string(kX86Msts) + kUtilsConverter;

INSTANTIATE_TEST_SUITE_P(
    Rules, ConverterSearch,
    testing::Values(
        SearchCase{"beside the program wins over everything",
                   true,
                   true,
                   systemReg("win64", kKey32In64, kElsewhereValues),
                   {kConverterElsewhere, kConverterDefault},
                   Found::BesideProgram},
        SearchCase{"the saved path wins over the installation",
                   false,
                   true,
                   systemReg("win64", kKey32In64, kElsewhereValues),
                   {kConverterElsewhere, kConverterDefault},
                   Found::SettingsPath},
        SearchCase{"a vanished saved path falls to the registry's installation",
                   false,
                   false,
                   systemReg("win64", kKey32In64, kElsewhereValues),
                   {kConverterElsewhere, kConverterDefault},
                   Found::RegistryPath},
        SearchCase{"a 32-bit prefix keeps the key in the plain view",
                   false,
                   false,
                   systemReg("win32", kKeyNative, kElsewhereValues),
                   {kConverterElsewhere},
                   Found::RegistryPath},
        SearchCase{"a 64-bit prefix's native view is not where MSTS wrote",
                   false,
                   false,
                   systemReg("win64", kKeyNative, kElsewhereValues),
                   {kConverterElsewhere},
                   Found::Nothing},
        SearchCase{"installation without the converter falls to the default folder",
                   false,
                   false,
                   systemReg("win64", kKey32In64, kElsewhereValues),
                   {kConverterDefault},
                   Found::DefaultFolder},
        SearchCase{"no key falls to the default folder",
                   false,
                   false,
                   systemReg("win64", "Software\\\\Other", "\"x\"=\"y\"\n"),
                   {kConverterDefault},
                   Found::DefaultFolder},
        SearchCase{"no system.reg falls to the default folder",
                   false,
                   false,
                   "",
                   {kConverterDefault},
                   Found::DefaultFolder},
        SearchCase{"a corrupt system.reg falls to the default folder",
                   false,
                   false,
                   "\x7F"
                   "ELF garbage\x00\x01\n[[[\n\"Path\"=\n"s,
                   {kConverterDefault},
                   Found::DefaultFolder},
        SearchCase{"a truncated system.reg still gives what it holds",
                   false,
                   false,
                   systemReg("win64", kKey32In64, kElsewhereValues) + "[Software\\\\Trunc",
                   {kConverterElsewhere},
                   Found::RegistryPath},
        SearchCase{"a list where a path belongs shows the error box and goes on",
                   false,
                   false,
                   systemReg("win64", kKey32In64, "\"EXE Path\"=\"x\"\n\"Path\"=hex(7):41,00,00,00,00,00\n"),
                   {kConverterDefault},
                   Found::DefaultFolder,
                   1},
        SearchCase{"nothing anywhere gives the converter message", false, false, "", {}, Found::Nothing},
        SearchCase{"the installation's own spelling of UTILS and the file name",
                   false,
                   false,
                   systemReg("win64", kKey32In64, kElsewhereValues),
                   {"drive_c/games/msts/Utils/CONV3DS.EXE"},
                   Found::RegistryPathOtherCase},
        SearchCase{"a folder of the same name is not the converter",
                   false,
                   false,
                   systemReg("win64", kKey32In64, kElsewhereValues),
                   {kConverterElsewhere + "/.keep"},
                   Found::Nothing}),
    [](const testing::TestParamInfo<SearchCase>& param) { return "case" + std::to_string(param.index); });

// ---- The registry lookup on its own -----------------------------------------------------

class RegistryLookup : public testing::Test {
protected:
    void SetUp() override {
        root.write("system.reg", systemReg("win64", kKey32In64, kElsewhereValues));
        environment.registry = std::make_shared<WineRegistryStore>(root.path());
        environment.showError = [this](const StartupMessage& message) { errors.push_back(message); };
    }
    test::TempFolder root;
    ProgramState state;
    ConverterSearchEnvironment environment;
    std::vector<StartupMessage> errors;
};

TEST_F(RegistryLookup, ReadsBothValuesOfTheMstsKey) {
    EXPECT_EQ(HoleMSTSPfad(state, environment, "ignored"), "C:\\Games\\MSTS");
    EXPECT_EQ(state.gstrMSTSExePfad, "C:\\Games\\MSTS\\train.exe");
    EXPECT_EQ(state.gstrRegSchluessel, "Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0");
    EXPECT_TRUE(errors.empty());
}

TEST_F(RegistryLookup, TheUserStoreAloneDecidesWhenItHasBoth) {
    std::vector<std::string> asked;
    environment.userSetting = [&](const std::string& app, const std::string& section,
                                  const std::string& key) {
        asked.push_back(app + "|" + section + "|" + key);
        return key == "Path" ? "D:\\MyMSTS"s : "D:\\MyMSTS\\train.exe"s;
    };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "D:\\MyMSTS");
    EXPECT_EQ(asked,
              (std::vector<std::string>{"Software\\Microsoft\\Microsoft Games\\Train Simulator|1.0|EXE Path",
                                        "Microsoft\\Microsoft Games\\Train Simulator|1.0|Path"}));
    EXPECT_EQ(state.gstrRegSchluessel, "");
}

TEST_F(RegistryLookup, OneMissingUserValueLetsTheRegistryReplaceBoth) {
    environment.userSetting = [](const std::string&, const std::string&, const std::string& key) {
        return key == "Path" ? "D:\\MyMSTS"s : ""s;
    };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "C:\\Games\\MSTS");
    EXPECT_EQ(state.gstrMSTSExePfad, "C:\\Games\\MSTS\\train.exe");
}

TEST_F(RegistryLookup, MissingValuesGiveEmptyPaths) {
    root.write("system.reg", systemReg("win64", kKey32In64, "\"Other\"=\"x\"\n"));
    environment.registry = std::make_shared<WineRegistryStore>(root.path());
    state.gstrMSTSPfad = "stale";
    EXPECT_EQ(HoleMSTSPfad(state, environment), "");
    EXPECT_EQ(state.gstrMSTSExePfad, "");
    EXPECT_TRUE(errors.empty());
}

TEST_F(RegistryLookup, ANumberWhereAPathBelongsBecomesItsText) {
    root.write("system.reg", systemReg("win64", kKey32In64, "\"Path\"=dword:0000002a\n"));
    environment.registry = std::make_shared<WineRegistryStore>(root.path());
    EXPECT_EQ(HoleMSTSPfad(state, environment), "42");
}

TEST_F(RegistryLookup, AFailingStepShowsTheGermanBoxAndTheLookupGoesOn) {
    environment.userSetting = [](const std::string&, const std::string&,
                                 const std::string& key) -> std::string {
        if (key == "EXE Path") throw std::runtime_error("Zugriff verweigert");
        return "";
    };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "C:\\Games\\MSTS");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].title, "");
    EXPECT_EQ(errors[0].text, "\rgfctGetDataFromRegistry\r\rZugriff verweigert\rFehlernummer: 0");
}

TEST_F(RegistryLookup, WithoutAnErrorBoxTheLookupStillGoesOn) {
    environment.showError = nullptr;
    environment.userSetting = [](const std::string&, const std::string&, const std::string&) -> std::string {
        throw std::runtime_error("x");
    };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "C:\\Games\\MSTS");
}

TEST_F(RegistryLookup, PathsFromTheRegistryAreMappedToThisMachine) {
    environment.toHostPath = [](const std::string& path) { return "[" + path + "]"; };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "[C:\\Games\\MSTS]");
}

TEST(ConverterSearchDefaults, StandardPathEndsWithASeparator) {
    test::TempFolder program;
    ProgramState state;
    state.gstrProgrammPfad = program.path();
    ConverterSearchEnvironment environment;
    environment.programFilesFolder = [] { return "PF"s; };
    LocalFileSystem files;
    EXPECT_TRUE(findConverter(state, files, environment));
    EXPECT_EQ(state.gstrMSTSStandardPfad, "PF" + kSep + "Microsoft Games" + kSep + "Train Simulator" + kSep);
}

TEST(ConverterSearchDefaults, ErrorBoxText) {
    EXPECT_EQ(registryLookupErrorText("Typen unverträglich", 13),
              "\rgfctGetDataFromRegistry\r\rTypen unverträglich\rFehlernummer: 13");
}

TEST(ConverterSearchDefaults, SystemEnvironmentIsComplete) {
    const auto environment = systemConverterSearchEnvironment();
    EXPECT_TRUE(environment.programFilesFolder);
    EXPECT_TRUE(environment.userSetting);
    EXPECT_TRUE(environment.registry);
    EXPECT_TRUE(environment.toHostPath);
}

} // namespace
} // namespace quillfen
