#include "app/StartupMessages.h"

#include "sfile/SFileNaming.h"

#include <initializer_list>
#include <string>

namespace quillfen {

namespace {

const std::string kCR(1, kMessageLineBreak);

/// Lines joined by CR; an empty string gives an empty line.
std::string joinLines(std::initializer_list<std::string> lines) {
    std::string text;
    bool first = true;
    for (const auto& line : lines) {
        if (!first) text += kCR;
        text += line;
        first = false;
    }
    return text;
}

const std::string kGermanConverterCannot = "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die "
                                           "Anzeige-Entfernung für MSTS zu bestimmen!";
const std::string kGermanCorrectNameWouldBe =
    "Wenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige Dateiname:";

} // namespace

void setStartupMessageTexts(ProgramState& state) {
    if (state.gstrSprache == kLanguageGerman) {
        state.MeldungKonverterFehlt = "Konverterprogramm 'conv3ds.exe' nicht gefunden!" + kCR;
        state.MeldungKeine3DSDatei = "keine '3DS'-Datei finden!" + kCR;
        state.MeldungImVerzeichnis = "Kann im aktuellen Verzeichnis ";
        state.MeldungDateienFehlen = "Dateien FEHLEN!!!";
    }
    if (state.gstrSprache == kLanguageEnglish || state.gstrSprache.empty()) {
        state.MeldungKonverterFehlt = "Can't find 'conv3ds.exe'!" + kCR;
        state.MeldungKeine3DSDatei = "can't find '3ds'-file(s)!" + kCR;
        state.MeldungImVerzeichnis = "In the current directory ";
        state.MeldungDateienFehlen = "Missing files!!!";
    }
}

StartupMessage missing3dsMessage(const ProgramState& state) {
    return {state.MeldungDateienFehlen,
            joinLines({state.MeldungImVerzeichnis, "", "'" + state.gstrProgrammPfad + "'", "",
                       state.MeldungKeine3DSDatei})};
}

StartupMessage noLodMessage(const ProgramState& state) {
    return {{},
            state.pick("Keine 3ds-Datei mit LOD-Angabe gefunden!",
                       "No LOD-instruction found in the name of the 3ds-file!")};
}

StartupMessage noDistanceMessage(std::string_view lodFileName) {
    const std::string name(lodFileName);
    return {{},
            joinLines({"Die 3ds-Datei:", "- " + name,
                       "enthält keinen Zahlenwert vor der '.3ds'-Datei-Endung.", "", kGermanConverterCannot,
                       "", kGermanCorrectNameWouldBe, "- " + lodBaseName(lodFileName) + "2000.3DS"})};
}

StartupMessage onlyNumberMessage(const ProgramState& state, std::string_view lodFileName) {
    const std::string name(lodFileName);
    const std::string base = lodBaseName(lodFileName);
    const std::string german = joinLines(
        {"Der Name der 3ds-Datei:  - " + name + " -  besteht NUR aus einer Zahl vor der '.3ds'-Datei-Endung.",
         "", kGermanConverterCannot, "", kGermanCorrectNameWouldBe, "- " + base + "_2000.3DS"});
    const std::string english = joinLines(
        {"The name of the 3ds-file:  - " + name +
             " -  contains only a number before the '.3ds' file extension.",
         "", "Because of that the converter (conv3ds.exe) can't determine the LOD distance range for MSTS!",
         "",
         "If this distance, for example, is supposed to be 1500 meters, then the correct file name would be:",
         "  " + base + "_1500.3DS "});
    return {{}, state.pick(german, english)};
}

} // namespace quillfen
