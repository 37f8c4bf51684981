#pragma once
// Reads the simulator's text shape format into a Shape. Every count is compared
// with the entries that follow it and every index with the table it points
// into; a damaged file gives an Error whose reason names the line where the
// reading went wrong ("line 12: ..."). Blocks the view does not need (volumes,
// light configurations, sub-object headers, animations) are checked for
// balance and skipped. Tables are read in the format's own order, so an index
// can only point into a table that stands earlier in the file.

#include "platform/Expected.h"
#include "platform/FileSystem.h"
#include "shape/Shape.h"

#include <string>
#include <string_view>

namespace quillfen::shape {

/// The shape in 8-bit or UTF-8 text (see shapeTextFromBytes). The Error's path is empty.
[[nodiscard]] Expected<Shape> readShapeText(std::string_view text);

/// The shape in the file at `path`, UTF-16 or 8-bit.
[[nodiscard]] Expected<Shape> readShapeFile(const FileSystem& fileSystem, const std::string& path);

} // namespace quillfen::shape
