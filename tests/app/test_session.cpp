// The discovery part of the window load on real folders: listing, the 3DS
// presence check, the LOD list, the name check and the proposed name; and
// the start-up checks' message texts, word for word, in both languages.

#include "app/LodList.h"
#include "app/LodNameCheck.h"
#include "app/Session.h"
#include "app/StartupMessages.h"
#include "platform/Text.h"
#include "settings/SettingsReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillfen {
namespace {

using test::TempFolder;

TEST(Discovery, ListsChecksAndProposes) {
    struct Case {
        std::vector<std::string> files;
        std::string expected; // "[row][row] proposal", or how the message begins ("{dir}" is the folder)
        int lodError = 0;
        Language language = Language::English;
    };
    const std::string noDistance = "Die 3ds-Datei:\r- ";
    const Case cases[] = {
        {{}, "In the current directory \r\r'{dir}'\r\rcan't find"},
        {{"wall.ace"}, "Kann im aktuellen Verzeichnis \r\r'{dir}'", 0, Language::German},
        {{"haus_2000.3ds", "haus.3ds", "wall.ace"}, "[haus_2000.3ds][] haus_.s"},
        {{"haus.3ds", "Dach.3DS"}, "No LOD-instruction found", 2},
        {{"2000.3ds"}, "The name of the 3ds-file:  - 2000.3ds -", 2},
        // German whatever the language; the last offending name is reported
        {{"haus_2000.3dsx"}, noDistance + "haus_2000.3dsx\r", 1},
        {{"x_2000.3dsx", "1000.3ds"}, noDistance + "x_2000.3dsx\r", 1},
        {{"h.3ds_0x5.y"}, noDistance + "h.3ds_0x5.y\r", 1}, // distance zero once four characters are cut
        // an eleven-digit distance is a usable row with the file's own name
        {{"h_12345678901.3ds", "h.3ds"}, "[][h_12345678901.3ds] h_.s"},
        {{"12345678901.3ds"}, "The name of the 3ds-file:  - 12345678901.3ds -", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.files));
        TempFolder folder;
        for (const auto& name : c.files) folder.write(name, "");
        folder.write("SHAPES/ignored_10.3ds", "");
        ProgramState state;
        state.gstrProgrammPfad = folder.path();
        SavedSettings settings;
        settings.cmbLang = static_cast<int>(c.language);
        const auto message = discoverModels(state, settings, LocalFileSystem());
        EXPECT_EQ(state.gintLODFehler, c.lodError);
        if (c.expected.front() == '[') {
            ASSERT_FALSE(message) << message->text;
            std::string rows;
            for (const auto& row : lodListRows(state)) rows += "[" + row.text + "]";
            EXPECT_EQ(rows + " " + state.gstrSDateiVorschlag, c.expected);
        } else {
            ASSERT_TRUE(message);
            EXPECT_TRUE(startsWith(message->text, replaceAll(c.expected, "{dir}", folder.path())))
                << message->text;
            EXPECT_EQ(state.gstrSDateiVorschlag, "");
        }
    }
}

TEST(Discovery, AFolderThatCannotBeListedSaysWhy) {
    TempFolder folder;
    ProgramState state;
    state.gstrProgrammPfad = folder / "gone";
    const auto message = discoverModels(state, SavedSettings{}, LocalFileSystem());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->title, "Missing files!!!");
    EXPECT_TRUE(startsWith(message->text, "In the current directory \r\r'" + folder / "gone" + "'"))
        << message->text;
    EXPECT_NE(message->text.rfind("\r" + folder / "gone"), std::string::npos) << message->text;
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

TEST(LodNameCheck, StartsFromAnEmptyProposal) {
    ProgramState state;
    state.gstrSDateiVorschlag = "earlier.s";
    state.gstrArrLODDateien = {"", "b_20.3ds"};
    EXPECT_FALSE(checkLodNames(state));
    EXPECT_EQ(state.gstrSDateiVorschlag, "b_.s");
}

TEST(LodNameCheck, ANameWithAControlCharacterIsRefusedWithTheNameShownClean) {
    const std::pair<std::string, std::string> names[] = {
        {"haus\n_100.3ds", "haus__100.3ds"},
        {"haus_100\r.3ds", "haus_100_.3ds"},
        {"\thaus_100.3ds", "_haus_100.3ds"},
        {"haus\x7f_100.3ds", "haus__100.3ds"},
    };
    for (const auto& [name, shown] : names) {
        ProgramState state;
        state.gstrArrLODDateien = {"", "good_50.3ds", name};
        const auto message = checkLodNames(state);
        ASSERT_TRUE(message) << name;
        EXPECT_EQ(message->text, noDistanceMessage(state, shown).text);
        EXPECT_EQ(state.gintLODFehler, kLodNameWithoutNumber);
    }
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
    EXPECT_TRUE(
        startsWith(state.text(TextId::StartupSettingsDamaged, {path, path}), "Die Einstellungsdatei"));
    ASSERT_TRUE(endSession(state, settings, files));
    EXPECT_EQ(folder.read("Quillfen.ini.bad"), huge) << "the damaged file is kept, not overwritten";
    EXPECT_EQ(folder.read("Quillfen.ini"), encodeSettingsText(formatSettingsText(settings)));
    EXPECT_FALSE(readSavedSettings(files, folder.path(), settings)) << "the fresh file is no damage";
}

// ---- The message texts ------------------------------------------------------------------

ProgramState inLanguage(Language language) {
    ProgramState state;
    state.gstrSprache = language;
    state.gstrProgrammPfad = "/models/my house";
    return state;
}

TEST(StartupMessages, FollowTheLanguage) {
    struct Case {
        Language language;
        const char *converterMissing, *title, *no3ds, *noLod;
    };
    const char* english[] = {"Can't find 'conv3ds.exe'!\r", "Missing files!!!",
                             "In the current directory \r\r'/models/my house'\r\rcan't find '3ds'-file(s)!\r",
                             "No LOD-instruction found in the name of the 3ds-file!"};
    const Case cases[] = {
        {Language::German, "Konverterprogramm 'conv3ds.exe' nicht gefunden!\r", "Dateien FEHLEN!!!",
         "Kann im aktuellen Verzeichnis \r\r'/models/my house'\r\rkeine '3DS'-Datei finden!\r",
         "Keine 3ds-Datei mit LOD-Angabe gefunden!"},
        {Language::English, english[0], english[1], english[2], english[3]},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(languageName(c.language));
        const auto state = inLanguage(c.language);
        EXPECT_EQ(missingConverterMessage(state).text, c.converterMissing);
        EXPECT_EQ(missingConverterMessage(state).title, c.title);
        EXPECT_EQ(missing3dsMessage(state).title, c.title);
        EXPECT_EQ(missing3dsMessage(state).text, c.no3ds);
        EXPECT_EQ(noLodMessage(state).text, c.noLod);
        EXPECT_EQ(noLodMessage(state).title, "");
    }
}

TEST(StartupMessages, NoDistanceIsGermanOnly) {
    EXPECT_EQ(noDistanceMessage(inLanguage(Language::English), "haus_2000.3dsx").text,
              "Die 3ds-Datei:\r- haus_2000.3dsx\renthält keinen Zahlenwert vor der '.3ds'-Datei-Endung.\r\r"
              "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu "
              "bestimmen!\r\rWenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige "
              "Dateiname:\r- haus_2000.2000.3DS");
    const auto umlaut = noDistanceMessage(inLanguage(Language::German), "Häus.3ds").text;
    EXPECT_EQ(umlaut.substr(umlaut.rfind('\r')), "\r- Häus2000.3DS");
}

TEST(StartupMessages, OnlyANumberSuggestsANameInEachLanguage) {
    EXPECT_EQ(
        onlyNumberMessage(inLanguage(Language::German), "2000.3ds").text,
        "Der Name der 3ds-Datei:  - 2000.3ds -  besteht NUR aus einer Zahl vor der '.3ds'-Datei-Endung.\r\r"
        "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu "
        "bestimmen!\r\rWenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige "
        "Dateiname:\r- 2000_2000.3DS");
    EXPECT_EQ(onlyNumberMessage(inLanguage(Language::English), "2000.3ds").text,
              "The name of the 3ds-file:  - 2000.3ds -  contains only a number before the '.3ds' file "
              "extension.\r\rBecause of that the converter (conv3ds.exe) can't determine the LOD distance "
              "range for MSTS!\r\rIf this distance, for example, is supposed to be 1500 meters, then the "
              "correct file name would be:\r  2000_1500.3DS ");
}

} // namespace
} // namespace quillfen
