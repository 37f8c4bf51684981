#include "bbox/ShapeNumbers.h"

#include <array>
#include <charconv>
#include <cmath>

namespace quillfen {

namespace {

/// The nearest whole number, an exact half going to the even neighbour.
double roundToEvenWhole(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

} // namespace

std::optional<std::int16_t> toInt16(double value) {
    // Most numbers in a shape file are whole already.
    if (value >= -32768.0 && value <= 32767.0) {
        const auto whole = static_cast<std::int16_t>(value);
        if (static_cast<double>(whole) == value) return whole;
    }
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = roundToEvenWhole(value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<float> toFloat32(double value) {
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

std::optional<long long> toCount(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = roundToEvenWhole(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<long long>(rounded);
}

std::optional<std::int16_t> matrixIndexFromStoredNumber(double value) {
    // The text keeps 15 significant digits, so 3.4999999999999996 is stored
    // as "3.5" and then goes to the even 4.
    if (!std::isfinite(value)) return std::nullopt;
    std::array<char, 64> text{};
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 15);
    double stored = 0.0;
    std::from_chars(text.data(), written.ptr, stored);
    return toInt16(stored);
}

} // namespace quillfen
