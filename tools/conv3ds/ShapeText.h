#pragma once
// The s-file text of a shape: the simulator's header line, a blank line, then
// the shape block, one tab per nesting level, CR LF line ends.

#include "Shape.h"

#include <string>

namespace quillfen::conv3ds {

inline constexpr const char* kShapeHeaderLine = "SIMISA@@@@@@@@@@JINX0s1t______";

/// The text as single bytes (names keep the 3DS file's Windows-1252 bytes).
[[nodiscard]] std::string shapeText(const Shape& shape);

/// Windows-1252 text to UTF-16LE bytes with a byte-order mark.
[[nodiscard]] std::string toUtf16LeWithBom(const std::string& windows1252);

} // namespace quillfen::conv3ds
