#pragma once
// The texts made from a computed box: the values as the platform writes 32-bit
// floats, and the same values as the input box receives them.

#include "bbox/GeometryTables.h"

#include <string>
#include <string_view>

namespace quillfen {

/// The six values as 32-bit float text (at most 7 significant digits, no
/// trailing zeros) with `decimalSeparator`, joined by single blanks.
[[nodiscard]] std::string boxValuesText(const BoxValues& box, char decimalSeparator);

/// The values text as it is handed to txtBBoxInput: each value read back (","
/// taken as ".") and written with "." as decimal point, single blanks between.
[[nodiscard]] std::string handOverBoxValues(std::string_view valuesText);

} // namespace quillfen
