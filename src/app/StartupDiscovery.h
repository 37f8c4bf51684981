#pragma once
// The discovery part of the window load: list the working directory, make
// sure it holds 3DS files, build the LOD list, check the LOD names and take
// the proposed s-file name. (The converter search follows separately.)

#include "app/ProgramState.h"
#include "app/StartupMessage.h"
#include "platform/FileSystem.h"

#include <optional>

namespace quillfen {

/// Runs the discovery on `gstrProgrammPfad` in the current language. On
/// success the LOD list (`gstrArrLODDateien`, `gintAnzahlLODs`; rows by
/// lodListRows), `gstrSDateiVorschlag` and `gstrSDateiName` are set. A failed
/// check returns the message box to show before the program ends.
std::optional<StartupMessage> runStartupDiscovery(ProgramState& state, const FileSystem& fileSystem);

} // namespace quillfen
