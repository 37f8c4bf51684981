#pragma once
// cmdBBoxAusShape: computes the bounding box of the s-file the last conversion
// left in SHAPES, shows it and, when the user agrees, puts the six values into
// the box-values input. The window stays locked while it runs and is released
// on every way out.

#include "bbox/BoxCommandView.h"
#include "bbox/GeometryTables.h"
#include "core/CommandHost.h"
#include "core/ProgramState.h"
#include "core/Task.h"
#include "platform/FileSystem.h"

#include <string>

namespace quillfen {

/// How long a message stays red in the display line.
inline constexpr int kBoxMessageMilliseconds = 2000;

/// Reads the s-file at `path` into `tables` (logging the vertex and point
/// totals) and computes its box. Pauses while reading a long file, so a
/// window can repaint. All the references must outlive the returned task.
Task<Expected<BoxValues>> boxOfShapeFile(const std::string& path, GeometryTables& tables,
                                         const ProgramState& state, const FileSystem& fileSystem,
                                         LogSink& log);

/// The command as a coroutine. Ends with 0, or 1 after a failure. All the
/// references must outlive the returned task.
CommandTask cmdBBoxAusShape(const ProgramState& state, GeometryTables& tables, FileSystem& fileSystem,
                            CommandHost& host, BoxCommandView& view);

} // namespace quillfen
