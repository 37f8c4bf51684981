#pragma once
// The texts of the start-up checks' message boxes, in the current language
// (a few exist in German only).

#include "app/ProgramState.h"
#include "app/StartupMessage.h"

#include <string_view>

namespace quillfen {

/// The line break inside a message box text.
inline constexpr char kMessageLineBreak = '\r';

/// Sets `MeldungKonverterFehlt`, `MeldungKeine3DSDatei`, `MeldungImVerzeichnis`
/// and `MeldungDateienFehlen` for `gstrSprache`: German for "deutsch",
/// English for "english" or an empty language; any other language leaves them.
void setStartupMessageTexts(ProgramState& state);

/// No file name contains ".3ds": names the working directory.
[[nodiscard]] StartupMessage missing3dsMessage(const ProgramState& state);

/// Every LOD file lacks a distance number.
[[nodiscard]] StartupMessage noLodMessage(const ProgramState& state);

/// The name has no distance number before its extension (German only).
[[nodiscard]] StartupMessage noDistanceMessage(std::string_view lodFileName);

/// The name is nothing but a number before its extension.
[[nodiscard]] StartupMessage onlyNumberMessage(const ProgramState& state, std::string_view lodFileName);

} // namespace quillfen
