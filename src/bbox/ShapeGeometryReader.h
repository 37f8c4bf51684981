#pragma once
// LiesShapeGeometrie: reads the geometry sections of a shape file's text into
// the window's tables. It is no general shape parser: it finds each section by
// its keyword in the whole text and reads records line by line, because the
// boxes of real converter output depend on exactly that reading.

#include "bbox/GeometryTables.h"
#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "core/Task.h"
#include "platform/Expected.h"

#include <string>
#include <string_view>

namespace quillfen {

/// Records read between two pauses of the computation.
inline constexpr std::size_t kRecordsPerPause = 4096;

/// Fills `tables` from the shape text and logs the vertex and point totals in
/// the language of `state`. Pauses every kRecordsPerPause records (and after
/// each table), so the caller can let the window repaint. `text`, `tables`
/// and `state` must outlive the returned computation. A table whose count
/// reads as 0 keeps its earlier content. Any failure ends the reading at once.
Task<Status> liesShapeGeometrie(std::string_view text, GeometryTables& tables, const ProgramState& state,
                                LogSink& log);

/// The pieces of the first level's sub-object text, one per sub-object: each
/// from its "vertices (" to just before its "primitives (".
[[nodiscard]] Expected<std::vector<std::string_view>> teileUnterobjekte(std::string_view text,
                                                                        long long count);

} // namespace quillfen
