#pragma once
// LiesShapeGeometrie: reads the geometry sections of a shape file's text into
// the window's tables. It is no general shape parser: it finds each section by
// its keyword in the whole text and reads records line by line, because the
// boxes of real converter output depend on exactly that reading.

#include "app/ProgramState.h"
#include "bbox/GeometryTables.h"
#include "bbox/Steps.h"

#include <functional>
#include <string>
#include <string_view>

namespace quillfen {

/// Puts one line on top of the progress log.
using LogLineFunction = std::function<void(const std::string& line)>;

/// Records read between two pauses of the computation.
inline constexpr std::size_t kRecordsPerPause = 4096;

/// Fills `tables` from the shape text and logs the vertex and point totals in
/// the language of `state`. Pauses every kRecordsPerPause records (and after
/// each table), so the caller can let the window repaint. `text`, `tables`
/// and `state` must outlive the returned computation. A table whose count
/// reads as 0 keeps its earlier content. Any failure ends the reading at once.
Steps liesShapeGeometrie(std::string_view text, GeometryTables& tables, const ProgramState& state,
                         LogLineFunction log);

/// The pieces of the first level's sub-object text, one per sub-object: each
/// from its "vertices (" to just before its "primitives (".
[[nodiscard]] Expected<std::vector<std::string_view>> teileUnterobjekte(std::string_view text,
                                                                        long long count);

} // namespace quillfen
