#pragma once
// cmdBBoxAusShape: computes the bounding box of the s-file the last conversion
// left in SHAPES, shows it and, when the user agrees, puts the six values into
// the box-values input. The window stays locked while it runs and is released
// on every way out.

#include "app/ProgramState.h"
#include "bbox/BoxCommandView.h"
#include "bbox/GeometryTables.h"
#include "platform/FileSystem.h"
#include "run/CommandHost.h"
#include "run/CommandTask.h"

#include <string>
#include <string_view>

namespace quillfen {

/// The one fixed text for every failure of the computation (German in both languages).
inline constexpr std::string_view kBoxFailureText = "BoundingBox kann nicht aus Shape berechnet werden!";
/// How long a message stays red in the display line.
inline constexpr int kBoxMessageMilliseconds = 2000;

/// The message for an s-file that is not there (yet), in the current language.
[[nodiscard]] std::string shapeNotFoundText(const ProgramState& state, const std::string& name);

/// The command as a coroutine: it pauses (yieldFor(0)) while reading a long
/// file so the window can repaint. Ends with 0, or 1 after a failure. All the
/// references must outlive the returned task.
CommandTask cmdBBoxAusShape(ProgramState& state, GeometryTables& tables, FileSystem& fileSystem,
                            CommandHost& host, BoxCommandView& view);

} // namespace quillfen
