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

#include <optional>
#include <string>
#include <vector>

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
enum Found { Beside, Saved, Elsewhere, Default, Nothing, ElsewhereInItsOwnCase };

/// A program folder, a saved path and a Wine prefix, with the search's environment over them.
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
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    void prepare(bool beside, bool saved, const std::string& reg, const std::vector<std::string>& inPrefix) {
        root.write("program/house_100.3ds", "");
        root.write("prefix/drive_c/Program Files/.keep", "");
        root.write("prefix/drive_c/Program Files (x86)/.keep", "");
        if (beside) root.write("program/conv3ds.exe", "");
        if (saved) root.write("saved/conv3ds.exe", "");
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
    struct Case {
        bool beside, saved;
        std::string reg;
        std::vector<std::string> inPrefix;
        Found found;
        std::size_t errorBoxes = 0;
    };
    const auto reg64 = systemReg("win64");
    const auto corrupt = "\x7F"
                         "ELF garbage\x00\x01\n[[[\n\"Path\"=\n"s;
    const auto listAsPath = systemReg("win64", kKey32, "\"Path\"=hex(7):41,00,00,00,00,00\n");
    const Case cases[] = {
        {true, true, reg64, {kElsewhere, kDefault}, Beside},
        {false, true, reg64, {kElsewhere, kDefault}, Saved},
        {false, false, reg64, {kElsewhere, kDefault}, Elsewhere},
        // a 32-bit prefix keeps the key in the plain view; in a 64-bit one the installer's key is in
        // Wow6432Node, one added by hand in the plain view, where it is looked for second
        {false, false, systemReg("win32", kKeyNative), {kElsewhere}, Elsewhere},
        {false, false, systemReg("win64", kKeyNative), {kElsewhere}, Elsewhere},
        {false, false, reg64, {kDefault}, Default},
        {false, false, "", {kDefault}, Default},
        {false, false, corrupt, {kDefault}, Default},
        {false, false, listAsPath, {kDefault}, Default, 1}, // the error box shows, the search goes on
        {false, false, "", {}, Nothing},
        // the installation's own spelling of UTILS and the file name; a folder is no converter
        {false, false, reg64, {"drive_c/games/msts/Utils/CONV3DS.EXE"}, ElsewhereInItsOwnCase},
        {false, false, reg64, {kElsewhere + "/.keep"}, Nothing},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        Scene s;
        s.prepare(c.beside, c.saved, c.reg, c.inPrefix);
        auto& state = s.state;
        const auto savedPath = state.gstrConv3dsPfad;
        const std::string expected[] = {joinPath(s.root / "program", "conv3ds.exe"), savedPath,
                                        s.inPrefix(kElsewhere), s.inPrefix(kDefault)};
        std::vector<std::string> searched;
        s.environment.reportSearched = [&](const std::vector<std::string>& places) { searched = places; };
        const auto message = findConverter(state, LocalFileSystem(), s.environment);
        EXPECT_EQ(state.gblnConv3dsBeimProgramm, c.found == Beside);
        EXPECT_EQ(s.errors.size(), c.errorBoxes);
        if (c.found == Nothing) {
            ASSERT_TRUE(message);
            EXPECT_EQ(message->title, "Missing files!!!");
            EXPECT_EQ(message->text, "Can't find 'conv3ds.exe'!\r");
            // Every place looked at is named: beside the program, the saved path, the installation, the
            // default.
            ASSERT_GE(searched.size(), 3U);
            EXPECT_EQ(searched.front(), expected[Beside]);
            EXPECT_EQ(searched.back(), s.inPrefix(kDefault));
            EXPECT_EQ(state.gstrConv3dsPfad, savedPath);
            continue;
        }
        EXPECT_FALSE(message);
        const ConverterOrigin origins[] = {
            ConverterOrigin::BesideModels,     ConverterOrigin::SavedPath,
            ConverterOrigin::MstsInstallation, ConverterOrigin::MstsInstallation,
            ConverterOrigin::MstsInstallation, ConverterOrigin::MstsInstallation};
        EXPECT_EQ(state.converterOrigin, origins[c.found]);
        if (c.found == ElsewhereInItsOwnCase) {
            EXPECT_TRUE(equalsNoCase(state.gstrConv3dsPfad, expected[Elsewhere])) << state.gstrConv3dsPfad;
        } else {
            EXPECT_EQ(state.gstrConv3dsPfad, expected[c.found]);
        }
        EXPECT_TRUE(LocalFileSystem().fileExists(state.gstrConv3dsPfad));
    }
}

TEST(ConverterSearch, TheConverterInstalledWithQuillfenComesLast) {
    struct Case {
        bool beside;
        std::vector<std::string> inPrefix;
        bool installed;
        std::optional<ConverterOrigin> origin; // nothing: the message instead
    };
    const Case cases[] = {
        {false, {}, true, ConverterOrigin::InstalledWithQuillfen},
        {true, {}, true, ConverterOrigin::BesideModels},
        {false, {kDefault}, true, ConverterOrigin::MstsInstallation},
        {false, {}, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "beside " << c.beside << ", installed " << c.installed);
        Scene s;
        s.prepare(c.beside, false, "", c.inPrefix);
        s.state.gstrConv3dsPfad.clear();
        s.environment.installedConverter = s.root / "usr/lib/quillfen/conv3ds.exe";
        if (c.installed) s.root.write("usr/lib/quillfen/conv3ds.exe", "");
        const auto message = findConverter(s.state, LocalFileSystem(), s.environment);
        ASSERT_EQ(message.has_value(), !c.origin);
        if (!c.origin) continue;
        EXPECT_EQ(s.state.converterOrigin, *c.origin);
        if (c.origin == ConverterOrigin::InstalledWithQuillfen) {
            EXPECT_EQ(s.state.gstrConv3dsPfad, s.environment.installedConverter);
        }
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
    struct Case {
        ConverterOrigin origin;
        Language language;
        std::string line;
    };
    const Case cases[] = {
        {ConverterOrigin::BesideModels, Language::English, "•Converter: /m/conv3ds.exe (beside the models)"},
        {ConverterOrigin::SavedPath, Language::English, "•Converter: /m/conv3ds.exe (saved in the settings)"},
        {ConverterOrigin::MstsInstallation, Language::English,
         "•Converter: /m/conv3ds.exe (in the MSTS installation)"},
        {ConverterOrigin::InstalledWithQuillfen, Language::English,
         "•Converter: /m/conv3ds.exe (installed with Quillfen)"},
        {ConverterOrigin::InstalledWithQuillfen, Language::German,
         "•Konverter: /m/conv3ds.exe (mit Quillfen installiert)"},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.gstrSprache = c.language;
        state.gstrConv3dsPfad = "/m/conv3ds.exe";
        state.converterOrigin = c.origin;
        EXPECT_EQ(converterInUseLine(state), c.line);
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

// ---- The registry lookup on its own -----------------------------------------------------

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

TEST_F(RegistryLookup, ReadsBothValuesOfTheMstsKey) {
    EXPECT_EQ(HoleMSTSPfad(state, environment, "ignored"), "C:\\Games\\MSTS");
    EXPECT_EQ(state.gstrMSTSExePfad, "C:\\Games\\MSTS\\train.exe");
    EXPECT_EQ(state.gstrRegSchluessel, "Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0");
    EXPECT_TRUE(errors.empty());
}

TEST_F(RegistryLookup, TheUserStoreDecidesOnlyWhenItHasBoth) {
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
}

TEST_F(RegistryLookup, MissingValuesGiveEmptyPathsAndANumberItsText) {
    useSystemReg("\"Other\"=\"x\"\n");
    state.gstrMSTSPfad = "stale";
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
