#pragma once
// The program-wide values of one Quillfen session. They keep the names the
// modellers' documentation uses, as members of one object that is handed to
// whatever needs them (no free globals).

#include <string>
#include <vector>

namespace quillfen {

inline constexpr const char* kLanguageGerman = "deutsch";
inline constexpr const char* kLanguageEnglish = "english";

struct ProgramState {
    // Registry key of the MSTS installation, set by the start procedure.
    std::string gstrRegSoftware = "Software";
    std::string gstrRegMSTS = "Microsoft\\Microsoft Games\\Train Simulator";
    std::string gstrRegVersion = "1.0";
    std::string gstrRegSchluessel;

    /// Decimal places of the bounding-box values.
    int gintNachkommastellen = 4;

    /// The working directory, without a trailing separator (except a root).
    std::string gstrProgrammPfad;
    /// "deutsch" or "english"; any other value makes the log rule write nothing.
    std::string gstrSprache = kLanguageEnglish;

    /// Names of the folder's files; index 0 stays empty.
    std::vector<std::string> gstrArrDateiNamen{std::string()};
    int gintAnzahlDateien = 0;

    /// Index 1..m: the LOD file names in list order; index 0: the converter's
    /// file arguments, written by the run.
    std::vector<std::string> gstrArrLODDateien{std::string()};
    int gintAnzahlLODs = 0;
    /// 0 all good, 1 a name without number, 2 no LOD file or a name that is only a number.
    int gintLODFehler = 0;

    std::string gstrSDateiVorschlag;
    std::string gstrSDateiName;

    std::string gstrConv3dsPfad;
    bool gblnConv3dsBeimProgramm = false;
    std::string gstrMSTSStandardPfad;
    std::string gstrMSTSExePfad;
    std::string gstrMSTSPfad;

    /// Set by the cancel button, read and cleared by the converter wait.
    bool gblnAbbruch = false;

    /// The copy target whose folder the chooser is picking (0..2).
    int gintKopierZiel = 0;

    // The four start-up message texts of the current language.
    std::string MeldungKonverterFehlt;
    std::string MeldungKeine3DSDatei;
    std::string MeldungImVerzeichnis;
    std::string MeldungDateienFehlen;

    [[nodiscard]] bool isGerman() const { return gstrSprache == kLanguageGerman; }
    [[nodiscard]] bool isEnglish() const { return gstrSprache == kLanguageEnglish; }
    /// The German or the English text, by the current language; empty for any other language.
    [[nodiscard]] std::string pick(const std::string& german, const std::string& english) const {
        if (isGerman()) return german;
        if (isEnglish()) return english;
        return {};
    }
};

} // namespace quillfen
