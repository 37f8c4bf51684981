#pragma once
// A shape file's bytes as the 8-bit text its reader works on. Shape files are
// written as UTF-16LE with a byte-order mark; older tools write 8-bit text.
// The UTF-16 units are narrowed in the same buffer, so reading a large file
// never holds the file twice.

#include <string>

namespace quillfen::shape {

/// Turns the bytes of a shape file into UTF-8 or 8-bit text, reusing their buffer:
/// UTF-16LE (with a byte-order mark, or recognised by a zero second byte) becomes
/// UTF-8; a UTF-8 byte-order mark is dropped; other bytes stay as they are (names
/// in them are decoded one by one, see shapeNameText).
[[nodiscard]] std::string shapeTextFromBytes(std::string bytes);

/// A name read from 8-bit shape text as UTF-8: kept when it is valid UTF-8, else
/// read as Windows-1252.
[[nodiscard]] std::string shapeNameText(std::string_view name);

} // namespace quillfen::shape
