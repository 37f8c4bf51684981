// The window load: the converter search, the discovery on real folders, a damaged settings file, the texts.

#include "app/ConverterSearch.h"
#include "app/FolderListing.h"
#include "app/LodList.h"
#include "app/LodNameCheck.h"
#include "app/Session.h"
#include "app/StartFolder.h"
#include "app/StartupMessages.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/RegistryWine.h"
#include "platform/SpecialFolders.h"
#include "platform/Text.h"
#include "settings/SettingsReader.h"
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
    // Converters beside the models (B), at the saved path (S), installed with Quillfen (I); a hand-added
    // key in a 64-bit prefix's plain view is looked for second; a bad value's box does not stop the search.
    const std::tuple<std::string, std::string, std::vector<std::string>, Found, std::size_t> cases[] = {
        {"BSI", reg64, {kElsewhere, kDefault}, Beside, 0},
        {"SI", reg64, {kElsewhere, kDefault}, Saved, 0},
        {"I", reg64, {kElsewhere, kDefault}, Elsewhere, 0},
        {"", systemReg("win64", kKeyNative), {kElsewhere}, Elsewhere, 0},
        {"I", reg64, {kDefault}, Default, 0},
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
            // Every place looked at is named, beside the program first, the installed converter last.
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
    }
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
    environment.userSetting = [](const std::string&, const std::string&, const std::string& key) {
        return key == "Path" ? "D:\\MyMSTS"s : "D:\\MyMSTS\\train.exe"s;
    };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "D:\\MyMSTS");
    EXPECT_EQ(state.gstrRegSchluessel, "");
    environment.userSetting = [](const std::string&, const std::string&, const std::string& key) {
        return key == "Path" ? "D:\\MyMSTS"s : ""s;
    };
    EXPECT_EQ(HoleMSTSPfad(state, environment), "C:\\Games\\MSTS");
    EXPECT_EQ(state.gstrMSTSExePfad, "C:\\Games\\MSTS\\train.exe");
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

using test::TempFolder;
using Names = std::vector<std::string>;

/// A state listing `names` as the working folder's files.
ProgramState listing(const Names& names, int counted = -1) {
    ProgramState state;
    state.gstrArrDateiNamen.insert(state.gstrArrDateiNamen.end(), names.begin(), names.end());
    state.gintAnzahlDateien = counted < 0 ? static_cast<int>(names.size()) : counted;
    return state;
}

TEST(LiesDateiFeld, ListsFilesButNoSubfoldersWithIndexZeroEmpty) {
    TempFolder folder;
    const Names files{"house_100.3ds", "Wall.ACE", "read me.txt", "Häuschen_5.3DS", "noext"};
    // through the file service, so names with umlauts are UTF-8 on every platform
    for (const auto& name : files)
        ASSERT_TRUE(LocalFileSystem().replaceFile(joinPath(folder.path(), name), "x").ok());
    folder.write("SHAPES/inside.s", "x");
    folder.write("folder.3ds/inside.3ds", "x");
    ProgramState state;
    ASSERT_TRUE(LiesDateiFeld(state, LocalFileSystem(), folder.path(), "Suffix").ok());
    EXPECT_EQ(state.gstrArrDateiNamen,
              (Names{"", "house_100.3ds", "Häuschen_5.3DS", "Wall.ACE", "noext", "read me.txt"}));
    EXPECT_EQ(state.gintAnzahlDateien, 5);
    // A missing folder leaves the list as it was.
    const Names before = state.gstrArrDateiNamen;
    EXPECT_FALSE(LiesDateiFeld(state, LocalFileSystem(), folder / "missing", "").ok());
    EXPECT_EQ(state.gintAnzahlDateien, 5);
    EXPECT_EQ(state.gstrArrDateiNamen, before);
}

TEST(FileNameSort, OrdersWithoutRegardToLetterCase) {
    // Latin-1 letters are lower-cased too, "ö" after the ASCII letters; names equal but for letter case
    // keep a fixed order. The program sorts by suffix or not at all.
    // clang-format off
    const std::tuple<const char*, Names, Names> cases[] = {
        {"Suffix", {"", "b.ace", "A.s", "c.3ds", "a.ACE", "Makefile", "x.tar.gz", "dot."},
         {"", "dot.", "c.3ds", "a.ACE", "b.ace", "x.tar.gz", "Makefile", "A.s"}}, {"", {"b", "a"}, {"b", "a"}},
        {"Suffix", {"Öl.ace", "oz.ace", "ol.ace"}, {"ol.ace", "oz.ace", "Öl.ace"}},
        {"Suffix", {"a.ace", "A.ace"}, {"A.ace", "a.ace"}},
    };
    // clang-format on
    for (auto [sortBy, names, sorted] : cases) {
        sortFileNames(names, sortBy);
        EXPECT_EQ(names, sorted) << sortBy;
    }
}

TEST(PruefeDateiTyp, EmptyWhenAnyCountedNameContainsTheExtension) {
    // clang-format off
    const std::tuple<Names, int, const char*> cases[] = {
        {{"wall.ace", "readme.txt"}, -1, ".3ds"}, {{"wall.ace", "house.3DS"}, -1, ""}, {{"house.3ds.bak"}, -1, ""},
        {{"house.3d", "house3ds"}, -1, ".3ds"}, {{"wall.ace", "stale.3ds"}, 1, ".3ds"}, {{}, 3, ".3ds"},
    };
    // clang-format on
    for (const auto& [names, counted, result] : cases)
        EXPECT_EQ(PruefeDateiTyp(listing(names, counted), "*.3ds"), result) << testing::PrintToString(names);
}

TEST(LodList, RowsFollowTheDistanceAllChecked) {
    // Same distance: plain character order. No distance, or zero: an empty row at the end. More than ten
    // digits: the row keeps the file's name and comes after every other row.
    // clang-format off
    const std::pair<Names, Names> cases[] = {
        {{"b_2000.3ds", "A_2000.3DS", "a_2000.3ds"}, {"A_2000.3DS", "a_2000.3ds", "b_2000.3ds"}},
        {{"0.3ds", "b_000.3ds", "a_7.3ds"}, {"a_7.3ds", "", ""}},
        {{"wall.ace", "house_100.s", "readme.txt", "house_100.3ds"}, {"house_100.3ds"}},
        {{"far_9999999998.3ds", "near_1.3ds"}, {"near_1.3ds", "far_9999999998.3ds"}},
        {{"z_12345678901.3ds", "a_100000000000.3ds", "c.3ds", "a_99999999999.3ds", "b_12345678901.3ds",
          "a_100.3ds", "a_12345678901.3ds"},
         {"a_100.3ds", "", "a_12345678901.3ds", "b_12345678901.3ds", "z_12345678901.3ds", "a_99999999999.3ds",
          "a_100000000000.3ds"}},
    };
    // clang-format on
    for (const auto& [files, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(files));
        ProgramState state = listing(files);
        state.gstrArrLODDateien = {"arguments of the last run", "stale.3ds"};
        const auto rows = FuelleLODListe(state);
        Names texts;
        for (const auto& row : rows) {
            texts.push_back(row.text);
            EXPECT_TRUE(row.checked) << row.text;
        }
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(state.gintAnzahlLODs, static_cast<int>(expected.size()));
        ASSERT_EQ(state.gstrArrLODDateien.size(), expected.size() + 1);
        EXPECT_EQ(state.gstrArrLODDateien[0], "arguments of the last run");
    }
    // Only the counted names.
    ProgramState state = listing({"a_100.3ds", "left over_50.3ds"}, 1);
    EXPECT_EQ(FuelleLODListe(state), (std::vector<LodRow>{{"a_100.3ds", true}}));
    // The last unchecked row is checked again.
    EXPECT_EQ(lodRowToRecheck({false, false, false}, 2), 2U);
    EXPECT_EQ(lodRowToRecheck({false, false, true}, 0), std::nullopt);
    EXPECT_EQ(lodRowToRecheck({false}, 3), std::nullopt);
}

TEST(Discovery, ListsChecksAndProposes) {
    // The window's and the command line's tests check the other messages; this one is German in any language.
    const std::tuple<Names, std::string, int> cases[] = {
        {{"2000.3ds"}, "The name of the 3ds-file:  - 2000.3ds -", 2},
        {{"x_2000.3dsx", "1000.3ds"}, "Die 3ds-Datei:\r- x_2000.3dsx\r", 1},
    };
    for (const auto& [files, expected, lodError] : cases) {
        TempFolder folder;
        for (const auto& name : files) folder.write(name, "");
        folder.write("SHAPES/ignored_10.3ds", "");
        ProgramState state;
        state.gstrProgrammPfad = folder.path();
        const auto message = discoverModels(state, SavedSettings{}, LocalFileSystem());
        EXPECT_EQ(state.gintLODFehler, lodError);
        ASSERT_TRUE(message);
        EXPECT_TRUE(startsWith(message->text, expected)) << message->text;
    }
    // A folder that cannot be listed says why.
    TempFolder folder;
    ProgramState state;
    state.gstrProgrammPfad = folder / "gone";
    const auto message = discoverModels(state, SavedSettings{}, LocalFileSystem());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->title, "Missing files!!!");
    EXPECT_TRUE(startsWith(message->text, "In the current directory \r\r'" + folder / "gone" + "'"))
        << message->text;
}

TEST(Discovery, RealModelFilesFromOtherTools) {
    QUILLFEN_REQUIRE_TESTDATA();
    ProgramState state;
    state.gstrProgrammPfad = test::testDataDir() + "/3ds";
    const auto message = discoverModels(state, SavedSettings{}, LocalFileSystem());
    ASSERT_FALSE(message) << message->text;
    // test1.3ds is the only name with a distance; the others give empty rows after it.
    const auto rows = lodListRows(state);
    ASSERT_GE(rows.size(), 2U);
    EXPECT_EQ(rows.front().text, "test1.3ds");
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].text, "");
    EXPECT_EQ(state.gstrSDateiVorschlag, "test.s");
}

TEST(LodNameCheck, StartsFromAnEmptyProposalAndRefusesControlCharactersShowingTheNameClean) {
    ProgramState state;
    state.gstrSDateiVorschlag = "earlier.s";
    state.gstrArrLODDateien = {"", "b_20.3ds"};
    EXPECT_FALSE(checkLodNames(state));
    EXPECT_EQ(state.gstrSDateiVorschlag, "b_.s");
    const std::pair<std::string, std::string> names[] = {{"\thaus_100.3ds", "_haus_100.3ds"},
                                                         {"haus\x7f_100.3ds", "haus__100.3ds"}};
    for (const auto& [name, shown] : names) {
        state.gstrArrLODDateien = {"", "good_50.3ds", name};
        const auto message = checkLodNames(state);
        ASSERT_TRUE(message) << name;
        EXPECT_EQ(message->text, noDistanceMessage(state, shown).text);
        EXPECT_EQ(state.gintLODFehler, kLodNameWithoutNumber);
    }
}

TEST(ChooseStartFolder, PrefersTheFolderThatHoldsModels) {
    // a file in the current directory, one in the program's folder, where the dialog opens
    const std::tuple<const char*, const char*, StartFolderSource> cases[] = {
        {"house_100.3DS", "other_100.3ds", StartFolderSource::CurrentDirectory},
        {"readme.txt", "house_100.3ds", StartFolderSource::ProgramFolder},
        {"models/house_100.3ds", nullptr, StartFolderSource::AskUser},
    };
    for (const auto& [currentFile, programFile, source] : cases) {
        TempFolder current, program;
        current.write(currentFile, "x");
        if (programFile) program.write(programFile, "x");
        const StartFolder start = chooseStartFolder(LocalFileSystem(), current.path(), program.path());
        EXPECT_EQ(start.source, source) << currentFile;
        EXPECT_EQ(start.folder, source == StartFolderSource::ProgramFolder ? program.path() : current.path());
    }
    TempFolder program; // a folder that cannot be listed holds no models
    EXPECT_EQ(chooseStartFolder(LocalFileSystem(), program / "gone", program.path()).source,
              StartFolderSource::AskUser);
}

TEST(Session, ADamagedSettingsFileGivesDefaultsAWarningAndIsKeptAside) {
    TempFolder folder;
    LocalFileSystem files;
    ProgramState state;
    state.gstrProgrammPfad = folder.path();
    state.gstrSprache = Language::German;
    std::string huge;
    while (huge.size() <= kSettingsFileLimit) huge += "cmbLang\t->\t1\r\n";
    folder.write("Quillfen.ini", huge);
    SavedSettings settings;
    ASSERT_TRUE(readSavedSettings(files, folder.path(), settings));
    EXPECT_EQ(settings, SavedSettings{});
    const std::string path = folder / "Quillfen.ini";
    EXPECT_EQ(keepDamagedSettingsAside(state, files).text,
              state.text(TextId::StartupSettingsDamaged, {path, path + ".bad"}));
    ASSERT_TRUE(endSession(state, settings, files));
    EXPECT_EQ(folder.read("Quillfen.ini.bad"), huge) << "the damaged file is kept, not overwritten";
    EXPECT_EQ(folder.read("Quillfen.ini"), encodeSettingsText(formatSettingsText(settings)));
    EXPECT_FALSE(readSavedSettings(files, folder.path(), settings)) << "the fresh file is no damage";
}

} // namespace
} // namespace quillfen
