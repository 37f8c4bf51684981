#pragma once
// Numbers as text: the lenient leading-number reading, the locale's strict
// conversion, rounding and the few number formats the files use.

#include <optional>
#include <string>
#include <string_view>

namespace quillfen {

/// Reads the number at the start of `text` the lenient way: blanks, TABs and
/// LFs are skipped anywhere; then an optional sign, digits, ".", a fraction and
/// an exponent ("E"/"e"/"D"/"d" with optional sign). It stops at any other
/// character (a CR and a second sign included). No number reads as 0.
/// A value beyond the range of a double reads as 0.
[[nodiscard]] double readLeadingNumber(std::string_view text);

/// The locale's strict conversion: the whole text (blanks around it allowed)
/// must be one number written with `decimalSeparator`; else std::nullopt.
[[nodiscard]] std::optional<double> parseLocaleNumber(std::string_view text, char decimalSeparator);

/// Strict whole number in decimal (blanks around allowed, optional sign).
[[nodiscard]] std::optional<long long> parseInteger(std::string_view text);

/// Rounds to `places` decimal places, half to even (on the decimal value
/// the double stands for).
[[nodiscard]] double roundHalfEven(double value, int places);

/// The format "0.0####": at least one decimal, at most five, "." as point.
[[nodiscard]] std::string formatZeroPointHashes(double value);

/// The shortest decimal text that reads back as `value`, with the given
/// decimal separator ("1.5", "-0.25", "3"). No exponent for ordinary sizes.
[[nodiscard]] std::string formatShortest(double value, char decimalSeparator = '.');

/// The 32-bit float text form: at most 7 significant digits, no trailing
/// zeros, "." as point ("0.1", "-2.5", "100").
[[nodiscard]] std::string formatFloat32(float value);

/// The user's decimal separator from the C/POSIX locale environment
/// (LC_ALL, LC_NUMERIC, LANG) or the Windows user locale: ',' for German
/// and most of Europe, '.' otherwise.
[[nodiscard]] char userDecimalSeparator();

} // namespace quillfen
