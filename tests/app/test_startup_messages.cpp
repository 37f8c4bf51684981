// The start-up checks' message texts, word for word, in both languages.

#include "app/StartupMessages.h"

#include <gtest/gtest.h>

#include <string>

namespace quillfen {
namespace {

ProgramState inLanguage(const std::string& language) {
    ProgramState state;
    state.gstrSprache = language;
    setStartupMessageTexts(state);
    return state;
}

struct TextsCase {
    std::string language;
    std::string converterMissing, no3ds, inDirectory, filesMissing;
};

class StartupTexts : public testing::TestWithParam<TextsCase> {};

TEST_P(StartupTexts, FollowTheLanguage) {
    const auto& c = GetParam();
    const auto state = inLanguage(c.language);
    EXPECT_EQ(state.MeldungKonverterFehlt, c.converterMissing);
    EXPECT_EQ(state.MeldungKeine3DSDatei, c.no3ds);
    EXPECT_EQ(state.MeldungImVerzeichnis, c.inDirectory);
    EXPECT_EQ(state.MeldungDateienFehlen, c.filesMissing);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, StartupTexts,
    testing::Values(TextsCase{"deutsch", "Konverterprogramm 'conv3ds.exe' nicht gefunden!\r",
                              "keine '3DS'-Datei finden!\r", "Kann im aktuellen Verzeichnis ",
                              "Dateien FEHLEN!!!"},
                    TextsCase{"english", "Can't find 'conv3ds.exe'!\r", "can't find '3ds'-file(s)!\r",
                              "In the current directory ", "Missing files!!!"},
                    TextsCase{"", "Can't find 'conv3ds.exe'!\r", "can't find '3ds'-file(s)!\r",
                              "In the current directory ", "Missing files!!!"}));

TEST(StartupTexts, AnotherLanguageKeepsTheTextsItHad) {
    auto state = inLanguage("deutsch");
    state.gstrSprache = "français";
    setStartupMessageTexts(state);
    EXPECT_EQ(state.MeldungDateienFehlen, "Dateien FEHLEN!!!");
    EXPECT_EQ(state.MeldungImVerzeichnis, "Kann im aktuellen Verzeichnis ");
}

TEST(Missing3dsMessage, NamesTheFolderInQuotes) {
    auto state = inLanguage("english");
    state.gstrProgrammPfad = "/models/my house";
    const auto english = missing3dsMessage(state);
    EXPECT_EQ(english.title, "Missing files!!!");
    EXPECT_EQ(english.text, "In the current directory \r\r'/models/my house'\r\rcan't find '3ds'-file(s)!\r");

    state.gstrSprache = "deutsch";
    setStartupMessageTexts(state);
    const auto german = missing3dsMessage(state);
    EXPECT_EQ(german.title, "Dateien FEHLEN!!!");
    EXPECT_EQ(german.text,
              "Kann im aktuellen Verzeichnis \r\r'/models/my house'\r\rkeine '3DS'-Datei finden!\r");
}

TEST(NoLodMessage, OneLineInEachLanguage) {
    EXPECT_EQ(noLodMessage(inLanguage("deutsch")).text, "Keine 3ds-Datei mit LOD-Angabe gefunden!");
    EXPECT_EQ(noLodMessage(inLanguage("english")).text,
              "No LOD-instruction found in the name of the 3ds-file!");
    EXPECT_EQ(noLodMessage(inLanguage("english")).title, "");
}

TEST(NoDistanceMessage, IsGermanOnlyAndSuggestsADistance) {
    EXPECT_EQ(noDistanceMessage("haus_2000.3dsx").text,
              "Die 3ds-Datei:\r- haus_2000.3dsx\renthält keinen Zahlenwert vor der '.3ds'-Datei-Endung.\r\r"
              "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu "
              "bestimmen!\r\rWenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige "
              "Dateiname:\r- haus_2000.2000.3DS");
    EXPECT_EQ(noDistanceMessage("Häus.3ds").text.substr(noDistanceMessage("Häus.3ds").text.rfind('\r')),
              "\r- Häus2000.3DS");
}

TEST(OnlyNumberMessage, SuggestsANameInEachLanguage) {
    EXPECT_EQ(
        onlyNumberMessage(inLanguage("deutsch"), "2000.3ds").text,
        "Der Name der 3ds-Datei:  - 2000.3ds -  besteht NUR aus einer Zahl vor der '.3ds'-Datei-Endung.\r\r"
        "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu "
        "bestimmen!\r\rWenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige "
        "Dateiname:\r- 2000_2000.3DS");
    EXPECT_EQ(
        onlyNumberMessage(inLanguage("english"), "2000.3ds").text,
        "The name of the 3ds-file:  - 2000.3ds -  contains only a number before the '.3ds' file "
        "extension.\r\r"
        "Because of that the converter (conv3ds.exe) can't determine the LOD distance range for MSTS!\r\r"
        "If this distance, for example, is supposed to be 1500 meters, then the correct file name "
        "would be:\r  2000_1500.3DS ");
}

} // namespace
} // namespace quillfen
