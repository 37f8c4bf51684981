#pragma once
// The texts of the start-up checks' message boxes, in the current language
// (a few exist in German only).

#include "app/StartupMessage.h"
#include "core/ProgramState.h"

#include <string_view>

namespace quillfen {

/// The line break inside a message box text.
inline constexpr char kMessageLineBreak = '\r';

/// No file name contains ".3ds": names the working directory.
[[nodiscard]] StartupMessage missing3dsMessage(const ProgramState& state);

/// No converter was found.
[[nodiscard]] StartupMessage missingConverterMessage(const ProgramState& state);

/// Every LOD file lacks a distance number.
[[nodiscard]] StartupMessage noLodMessage(const ProgramState& state);

/// The name has no distance number before its extension (German only).
[[nodiscard]] StartupMessage noDistanceMessage(const ProgramState& state, std::string_view lodFileName);

/// The name is nothing but a number before its extension.
[[nodiscard]] StartupMessage onlyNumberMessage(const ProgramState& state, std::string_view lodFileName);

} // namespace quillfen
