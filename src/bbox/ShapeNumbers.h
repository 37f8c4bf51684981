#pragma once
// Turning the numbers read from a shape file into the table's types. Each
// conversion that can overflow says so with std::nullopt, which ends the
// computation as a failure.

#include <cstdint>
#include <optional>

namespace quillfen {

/// To a 16-bit signed integer, rounded with halves to even (2.5 -> 2, 3.5 -> 4);
/// nullopt when the rounded value does not fit.
[[nodiscard]] std::optional<std::int16_t> toInt16(double value);

/// To a 32-bit float; nullopt when the value lies beyond a float's range.
[[nodiscard]] std::optional<float> toFloat32(double value);

/// A count in front of a record list as a whole number (halves to even);
/// nullopt beyond 32 bits.
[[nodiscard]] std::optional<long long> toCount(double value);

/// A vertex state's matrix index: the number is kept as its text (15 significant
/// digits, as the tables always held it) and that text becomes the 16-bit index.
[[nodiscard]] std::optional<std::int16_t> matrixIndexFromStoredNumber(double value);

} // namespace quillfen
