// The converter search of the window load over real folders, a Wine prefix standing in for MSTS.

#include "app/ConverterSearch.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/RegistryWine.h"
#include "platform/SpecialFolders.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

using namespace std::string_literals;

const std::string kElsewhere = "drive_c/Games/MSTS/UTILS/conv3ds.exe";
const std::string kDefault = "drive_c/Program Files (x86)/Microsoft Games/Train Simulator/UTILS/conv3ds.exe";
const std::string kKey32 =
    "Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0";
const std::string kKeyNative = "Software\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0";
const std::string kMstsValues =
    "\"EXE Path\"=\"C:\\\\Games\\\\MSTS\\\\train.exe\"\n\"Path\"=\"C:\\\\Games\\\\MSTS\"\n";

std::string systemReg(const std::string& arch, const std::string& key = kKey32,
                      const std::string& values = kMstsValues) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=" + arch + "\n\n[" + key +
           "] 1700000000\n#time=1d9a\n" + values;
}

/// Where the search is expected to find the converter (Nothing: the message instead).
enum Found { Beside, Saved, Elsewhere, Default, Installed, Nothing, ElsewhereInItsOwnCase };

/// A program folder, a saved path, a converter installed with Quillfen and a Wine prefix, with the
/// search's environment over them.
struct Scene {
    Scene() {
        environment.programFilesFolder = [this] {
            return programFilesInPrefix(prefix, kCsidlProgramFilesX86);
        };
        environment.registry = std::make_shared<WineRegistryStore>(prefix);
        environment.toHostPath = [this](const std::string& path) {
            return windowsPathInPrefix(path, prefix);
        };
        environment.showError = [this](const StartupMessage& message) { errors.push_back(message); };
        environment.installedConverter = root / "usr/lib/quillfen/conv3ds.exe";
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    void prepare(const std::string& here, const std::string& reg, const std::vector<std::string>& inPrefix) {
        root.write("program/house_100.3ds", "");
        root.write("prefix/drive_c/Program Files/.keep", "");
        root.write("prefix/drive_c/Program Files (x86)/.keep", "");
        if (here.find('B') != std::string::npos) root.write("program/conv3ds.exe", "");
        if (here.find('S') != std::string::npos) root.write("saved/conv3ds.exe", "");
        if (here.find('I') != std::string::npos) root.write("usr/lib/quillfen/conv3ds.exe", "");
        if (!reg.empty()) root.write("prefix/system.reg", reg);
        for (const auto& file : inPrefix) root.write("prefix/" + file, "");
        state.gstrProgrammPfad = root / "program";
        state.gstrConv3dsPfad = joinPath(root / "saved", "conv3ds.exe");
    }
    [[nodiscard]] std::string inPrefix(const std::string& relative) const {
        return collapseSeparators(toNativeSeparators(joinPath(prefix, relative)));
    }

    test::TempFolder root;
    std::string prefix = root / "prefix";
    ProgramState state;
    ConverterSearchEnvironment environment;
    std::vector<StartupMessage> errors;
};

TEST(ConverterSearch, FindsTheFirstExistingConverterInRuleOrder) {
    const auto reg64 = systemReg("win64");
    const auto corrupt = "\x7F"
                         "ELF garbage\x00\x01\n[[[\n\"Path\"=\n"s;
    const auto listAsPath = systemReg("win64", kKey32, "\"Path\"=hex(7):41,00,00,00,00,00\n");
    // Converters beside the models (B), at the saved path (S), installed with Quillfen (I); a 32-bit
    // prefix keeps the key in the plain view; in a 64-bit one the installer's key is in Wow6432Node, one
    // added by hand in the plain view, where it is looked for second; the installation's own spelling
    // of UTILS and the file name is found; a folder is no converter; a value of the wrong type shows the
    // error box and the search goes on.
    const std::tuple<std::string, std::string, std::vector<std::string>, Found, std::size_t> cases[] = {
        {"BSI", reg64, {kElsewhere, kDefault}, Beside, 0},
        {"SI", reg64, {kElsewhere, kDefault}, Saved, 0},
        {"I", reg64, {kElsewhere, kDefault}, Elsewhere, 0},
        {"", systemReg("win32", kKeyNative), {kElsewhere}, Elsewhere, 0},
        {"", systemReg("win64", kKeyNative), {kElsewhere}, Elsewhere, 0},
        {"I", reg64, {kDefault}, Default, 0},
        {"", "", {kDefault}, Default, 0},
        {"", corrupt, {kDefault}, Default, 0},
        {"", listAsPath, {kDefault}, Default, 1},
        {"I", "", {}, Installed, 0},
        {"", "", {}, Nothing, 0},
        {"", reg64, {"drive_c/games/msts/Utils/CONV3DS.EXE"}, ElsewhereInItsOwnCase, 0},
        {"", reg64, {kElsewhere + "/.keep"}, Nothing, 0},
    };
    for (const auto& [here, reg, inPrefix, found, errorBoxes] : cases) {
        SCOPED_TRACE(here + " " + testing::PrintToString(inPrefix));
        Scene s;
        s.prepare(here, reg, inPrefix);
        auto& state = s.state;
        const auto savedPath = state.gstrConv3dsPfad;
        const std::string expected[] = {joinPath(s.root / "program", "conv3ds.exe"), savedPath,
                                        s.inPrefix(kElsewhere), s.inPrefix(kDefault),
                                        s.environment.installedConverter};
        std::vector<std::string> searched;
        s.environment.reportSearched = [&](const std::vector<std::string>& places) { searched = places; };
        const auto message = findConverter(state, LocalFileSystem(), s.environment);
        EXPECT_EQ(state.gblnConv3dsBeimProgramm, found == Beside);
        EXPECT_EQ(s.errors.size(), errorBoxes);
        if (found == Nothing) {
            ASSERT_TRUE(message);
            // Every place looked at is named: beside the program, the saved path, the installation, the
            // default.
            ASSERT_GE(searched.size(), 3U);
            EXPECT_EQ(searched.front(), expected[Beside]);
            EXPECT_EQ(searched.back(), s.environment.installedConverter);
            EXPECT_EQ(state.gstrConv3dsPfad, savedPath);
            continue;
        }
        EXPECT_FALSE(message);
        const ConverterOrigin origins[] = {
            ConverterOrigin::BesideModels,          ConverterOrigin::SavedPath,
            ConverterOrigin::MstsInstallation,      ConverterOrigin::MstsInstallation,
            ConverterOrigin::InstalledWithQuillfen, ConverterOrigin::MstsInstallation,
            ConverterOrigin::MstsInstallation};
        EXPECT_EQ(state.converterOrigin, origins[found]);
        if (found == ElsewhereInItsOwnCase)
            EXPECT_TRUE(equalsNoCase(state.gstrConv3dsPfad, expected[Elsewhere])) << state.gstrConv3dsPfad;
        else
            EXPECT_EQ(state.gstrConv3dsPfad, expected[found]);
        EXPECT_TRUE(LocalFileSystem().fileExists(state.gstrConv3dsPfad));
    }
}

TEST(ConverterSearch, TheInstalledConverterLiesWhereTheLayoutPutsIt) {
    struct Case {
        std::string program, layout, folder, rest;
    };
    const Case cases[] = {
        {"/usr/bin/quillfen-cli", "../lib/quillfen/conv3ds.exe", "/usr", "lib/quillfen/conv3ds.exe"},
        {"/opt/q/bin//quillfen", "../lib/quillfen/conv3ds.exe", "/opt/q", "lib/quillfen/conv3ds.exe"},
        {"/opt/q/quillfen-cli.exe", "conv3ds.exe", "/opt/q", "conv3ds.exe"},
    };
    // Compared with the platform's separators throughout (Windows turns each '/' round).
    for (const auto& c : cases)
        EXPECT_EQ(toNativeSeparators(installedConverterFor(c.program, c.layout)),
                  toNativeSeparators(joinPath(c.folder, c.rest)))
            << c.program;
    // A program that cannot name its own file has no installed converter.
    EXPECT_EQ(installedConverterFor("", "conv3ds.exe"), "");
}

TEST(ConverterSearch, TheLogNamesTheConverterAndWhereItWasFound) {
    const std::tuple<ConverterOrigin, Language, std::string> cases[] = {
        {ConverterOrigin::BesideModels, Language::English, "(beside the models)"},
        {ConverterOrigin::SavedPath, Language::English, "(saved in the settings)"},
        {ConverterOrigin::MstsInstallation, Language::English, "(in the MSTS installation)"},
        {ConverterOrigin::InstalledWithQuillfen, Language::English, "(installed with Quillfen)"},
        {ConverterOrigin::InstalledWithQuillfen, Language::German, "(mit Quillfen installiert)"},
    };
    for (const auto& [origin, language, where] : cases) {
        ProgramState state;
        state.gstrSprache = language;
        state.gstrConv3dsPfad = "/m/conv3ds.exe";
        state.converterOrigin = origin;
        EXPECT_EQ(converterInUseLine(state),
                  (language == Language::German ? "•Konverter: " : "•Converter: ") + "/m/conv3ds.exe "s +
                      where);
    }
}

TEST(ConverterSearch, StandardPathEndsWithASeparator) {
    Scene s;
    s.state.gstrProgrammPfad = s.root.path();
    s.environment.programFilesFolder = [] { return "PF"s; };
    EXPECT_TRUE(findConverter(s.state, LocalFileSystem(), s.environment));
    EXPECT_EQ(s.state.gstrMSTSStandardPfad,
              "PF" + kSep + "Microsoft Games" + kSep + "Train Simulator" + kSep);
}

class RegistryLookup : public testing::Test, public Scene {
protected:
    void useSystemReg(const std::string& values) {
        root.write("system.reg", systemReg("win64", kKey32, values));
        environment.registry = std::make_shared<WineRegistryStore>(root.path());
    }
    void SetUp() override {
        useSystemReg(kMstsValues);
        environment.toHostPath = nullptr;
    }
};

TEST_F(RegistryLookup, ReadsBothValuesOfTheMstsKeyUnlessTheUserStoreHasBoth) {
    EXPECT_EQ(HoleMSTSPfad(state, environment, "ignored"), "C:\\Games\\MSTS");
    EXPECT_EQ(state.gstrMSTSExePfad, "C:\\Games\\MSTS\\train.exe");
    EXPECT_EQ(state.gstrRegSchluessel, "Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0");
    EXPECT_TRUE(errors.empty());
    state = ProgramState{};
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
    environment.userSetting = [](const std::string&, const std::string&, const std::string& key) {
        return key == "Path" ? "D:\\MyMSTS"s : ""s;
    };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "C:\\Games\\MSTS");
    EXPECT_EQ(state.gstrMSTSExePfad, "C:\\Games\\MSTS\\train.exe");
    // Missing values give empty paths, a number its text.
    useSystemReg("\"Other\"=\"x\"\n");
    environment.userSetting = nullptr;
    EXPECT_EQ(HoleMSTSPfad(state, environment), "");
    EXPECT_EQ(state.gstrMSTSExePfad, "");
    EXPECT_TRUE(errors.empty());
    useSystemReg("\"Path\"=dword:0000002a\n");
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
    environment.showError = nullptr; // without an error box the lookup still goes on
    EXPECT_EQ(HoleMSTSPfad(state, environment), "C:\\Games\\MSTS");
}

} // namespace
} // namespace quillfen
