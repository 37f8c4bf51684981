#pragma once
// The program-wide values of one Quillfen session. They keep the names the
// modellers' documentation uses, as members of one object that is handed to
// whatever needs them (no free globals).

#include "core/Texts.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace quillfen {

/// Where the start-up found the converter in use.
enum class ConverterOrigin { BesideModels, SavedPath, MstsInstallation, InstalledWithQuillfen };

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
    /// The language of every text the program shows.
    Language gstrSprache = Language::English;

    /// Names of the folder's files; index 0 stays empty.
    std::vector<std::string> gstrArrDateiNamen{std::string()};
    int gintAnzahlDateien = 0;

    /// Index 1..m: the LOD file names in list order; index 0 stays empty.
    std::vector<std::string> gstrArrLODDateien{std::string()};
    int gintAnzahlLODs = 0;
    /// 0 all good, 1 a name without number, 2 no LOD file or a name that is only a number.
    int gintLODFehler = 0;

    /// The s-file name proposed from the first LOD file.
    std::string gstrSDateiVorschlag;

    std::string gstrConv3dsPfad;
    bool gblnConv3dsBeimProgramm = false;
    ConverterOrigin converterOrigin = ConverterOrigin::SavedPath;
    std::string gstrMSTSStandardPfad;
    std::string gstrMSTSExePfad;
    std::string gstrMSTSPfad;

    /// Set by the cancel button, read by the converter wait; a run clears it when it starts.
    bool gblnAbbruch = false;

    /// The copy target whose folder the chooser is picking (0..2).
    int gintKopierZiel = 0;

    /// The working folder's file names in list order (entries 1..gintAnzahlDateien).
    [[nodiscard]] std::span<const std::string> listedFiles() const {
        const auto available = gstrArrDateiNamen.empty() ? 0 : gstrArrDateiNamen.size() - 1;
        const auto count = std::min(static_cast<std::size_t>(std::max(gintAnzahlDateien, 0)), available);
        return std::span<const std::string>(gstrArrDateiNamen)
            .subspan(gstrArrDateiNamen.empty() ? 0 : 1, count);
    }

    /// The text `id` in the current language.
    [[nodiscard]] const std::string& text(TextId id) const { return quillfen::text(gstrSprache, id); }
    /// The text `id` in the current language with %1, %2, ... filled in.
    [[nodiscard]] std::string text(TextId id, std::initializer_list<std::string_view> values) const {
        return quillfen::text(gstrSprache, id, values);
    }
};

} // namespace quillfen
