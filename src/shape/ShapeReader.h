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

#include <cstddef>
#include <string>
#include <string_view>

namespace quillfen::shape {

/// How a text is read. A large one has its sub-objects read by several threads
/// at once; the result is the same as with one.
struct ShapeReading {
    unsigned threads = 0; ///< at most; 0: as many as the processor runs at once (up to 8)
    /// The least text left at the first sub-object list for more threads than one.
    std::size_t smallestSharedText = std::size_t{1} << 20;
    /// When given: counts the sub-objects that other threads read and the reader took.
    std::size_t* takenAhead = nullptr;
};

/// The shape in 8-bit or UTF-8 text (see shapeTextFromBytes). The Error's path is empty.
[[nodiscard]] Expected<Shape> readShapeText(std::string_view text, const ShapeReading& reading = {});

/// The shape in the file at `path`, UTF-16 or 8-bit.
[[nodiscard]] Expected<Shape> readShapeFile(const FileSystem& fileSystem, const std::string& path);

} // namespace quillfen::shape
