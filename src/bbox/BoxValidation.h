#pragma once
// The six bounding-box values as the user types them into txtBBoxInput, and the
// display line txtBBox shows below it.

#include <optional>
#include <string>
#include <string_view>

namespace quillfen {

/// The start of the display line and of the sd-file's box line.
inline constexpr std::string_view kBoxLinePrefix = "ESD_Bounding_Box ( ";

/// ValidiereBoundingBox: the normal form of the input text, exactly six numbers
/// rounded to `decimalPlaces` (halves to even), written as "0.0####" with "."
/// and joined by single blanks. Text without numbers gives six zeros; an empty
/// (or blank) text stays empty. A pasted display line loses its keyword and
/// brackets; a seventh value is dropped; a number beyond the range of a double
/// reads as 0.0.
[[nodiscard]] std::string validiereBoundingBox(std::string_view inputText, int decimalPlaces);

/// The display line for an input text: "ESD_Bounding_Box ( " + input + " )".
/// The display line's own change handling keeps it at exactly this text.
[[nodiscard]] std::string boxDisplayLine(std::string_view inputText);

/// What the change of txtBBoxInput first writes into the display line: the
/// prefix and at most six values (cut before the eighth blank), trimmed, + " )".
[[nodiscard]] std::string boxDisplayAfterInputChange(std::string_view inputText);

} // namespace quillfen
