#pragma once
// The working folder's result places that the s-file steps of the conversion
// run share: SHAPES with the s-file in it, and TEXTURES.

#include "app/ProgramState.h"
#include "platform/Paths.h"

#include <string>

namespace quillfen {

/// wd + "SHAPES" + the s-file's name.
inline std::string sFilePath(const ProgramState& state) {
    return state.gstrProgrammPfad + kSep + "SHAPES" + kSep + state.gstrSDateiName;
}

/// wd + "TEXTURES".
inline std::string texturesFolderPath(const ProgramState& state) {
    return state.gstrProgrammPfad + kSep + "TEXTURES";
}

/// The working folder's file names in list order (entries 1..gintAnzahlDateien).
template <class Visit> void forEachListedFile(const ProgramState& state, Visit&& visit) {
    const auto count = static_cast<std::size_t>(state.gintAnzahlDateien < 0 ? 0 : state.gintAnzahlDateien);
    for (std::size_t i = 1; i <= count && i < state.gstrArrDateiNamen.size(); ++i)
        visit(state.gstrArrDateiNamen[i]);
}

} // namespace quillfen
