#include "platform/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillfen {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

/// Reads a plain "[-]digits[.digits][e[-]digits]" text; nullopt when out of range or malformed.
std::optional<double> fromChars(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    if (*first == '+') ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

/// "[sign]digits[.digits]" with a "0" before a bare point and without a
/// trailing one, as from_chars wants it (".5" -> "0.5", "-3." -> "-3").
std::string withLeadingZero(std::string_view number) {
    std::string result;
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) {
        if (number[i] == '-') result += '-';
        ++i;
    }
    if (i < number.size() && number[i] == '.') result += '0';
    std::string_view rest = number.substr(i);
    if (!rest.empty() && rest.back() == '.') rest.remove_suffix(1);
    result.append(rest);
    return result;
}

} // namespace

double readLeadingNumber(std::string_view text) {
    // Collect the characters of the number, skipping blanks, TABs and LFs anywhere.
    std::string mantissa;
    std::string exponent;
    enum class Stage { Sign, Integer, Fraction, ExponentSign, ExponentDigits } stage = Stage::Sign;
    bool pointSeen = false;
    for (char c : text) {
        if (isSkipped(c)) continue;
        if (stage == Stage::Sign) {
            stage = Stage::Integer;
            if (c == '-' || c == '+') {
                if (c == '-') mantissa += '-';
                continue;
            }
        }
        if (stage == Stage::Integer || stage == Stage::Fraction) {
            if (isDigit(c)) {
                mantissa += c;
            } else if (c == '.' && !pointSeen) {
                pointSeen = true;
                mantissa += '.';
                stage = Stage::Fraction;
            } else if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
                stage = Stage::ExponentSign;
            } else {
                break;
            }
            continue;
        }
        if (stage == Stage::ExponentSign) {
            stage = Stage::ExponentDigits;
            if (c == '-' || c == '+') {
                exponent += c;
                continue;
            }
        }
        if (isDigit(c))
            exponent += c;
        else
            break;
    }
    // Reduce "-", ".", "-." and the like to a readable number.
    std::string digits;
    for (char c : mantissa)
        if (isDigit(c)) digits += c;
    if (digits.empty()) return 0.0;
    std::string number = withLeadingZero(mantissa);
    bool exponentHasDigits = false;
    for (char c : exponent) exponentHasDigits = exponentHasDigits || isDigit(c);
    if (exponentHasDigits) number += "e" + exponent;
    return fromChars(number).value_or(0.0);
}

std::optional<double> parseLocaleNumber(std::string_view text, char decimalSeparator) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    const std::string_view body = text.substr(first, last - first);
    std::string number;
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '-' || body[i] == '+')) number += body[i++];
    std::size_t digits = 0;
    while (i < body.size() && isDigit(body[i])) number += body[i++], ++digits;
    if (i < body.size() && body[i] == decimalSeparator) {
        number += '.';
        ++i;
        while (i < body.size() && isDigit(body[i])) number += body[i++], ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        number += body[i++];
        if (i < body.size() && (body[i] == '-' || body[i] == '+')) number += body[i++];
        std::size_t exponentDigits = 0;
        while (i < body.size() && isDigit(body[i])) number += body[i++], ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != body.size()) return std::nullopt;
    return fromChars(withLeadingZero(number));
}

std::optional<long long> parseInteger(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    if (first < last && text[first] == '+') ++first;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data() + first, text.data() + last, value);
    if (error != std::errc() || end != text.data() + last || first == last) return std::nullopt;
    return value;
}

double roundHalfEven(double value, int places) {
    if (!std::isfinite(value)) return value;
    // to_chars rounds the exact binary value correctly, ties to even.
    std::array<char, 400> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, places);
    if (error != std::errc()) return value;
    double rounded = 0.0;
    std::from_chars(buffer.data(), end, rounded);
    return rounded == 0.0 ? 0.0 : rounded; // no negative zero
}

std::string formatZeroPointHashes(double value) {
    std::array<char, 400> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 5);
    if (error != std::errc()) return "0.0";
    std::string text(buffer.data(), end);
    while (text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
    if (text == "-0.0") text = "0.0";
    return text;
}

std::string formatShortest(double value, char decimalSeparator) {
    if (value == 0.0) return "0";
    std::array<char, 400> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (error != std::errc()) return "0";
    std::string text(buffer.data(), end);
    for (char& c : text)
        if (c == '.') c = decimalSeparator;
    return text;
}

std::string formatFloat32(float value) {
    if (value == 0.0f || !std::isfinite(value)) return "0";
    // Seven significant digits of the float, then written without an exponent.
    std::array<char, 64> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific, 6);
    if (error != std::errc()) return "0";
    double rounded = 0.0;
    std::from_chars(buffer.data(), end, rounded);
    std::array<char, 400> fixed{};
    const auto [fixedEnd, fixedError] =
        std::to_chars(fixed.data(), fixed.data() + fixed.size(), rounded, std::chars_format::fixed);
    if (fixedError != std::errc()) return "0";
    return {fixed.data(), fixedEnd};
}

char userDecimalSeparator() {
#ifdef _WIN32
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 0 && separator[0] == L',')
        return ',';
    return '.';
#else
    const char* locale = nullptr;
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    if (!locale) return '.';
    const std::string_view text(locale);
    // Swiss German and a few others write a point although their language is on the list.
    for (std::string_view pointRegion : {"de_CH", "it_CH", "de_LI"})
        if (text.substr(0, pointRegion.size()) == pointRegion) return '.';
    static constexpr std::array<std::string_view, 30> kCommaLanguages = {
        "de", "fr", "es", "it", "nl", "pt", "ru", "pl", "cs", "da", "fi", "nb", "nn", "no", "sv",
        "tr", "el", "hu", "ro", "sk", "sl", "hr", "bg", "uk", "et", "lv", "lt", "id", "vi", "ca"};
    const std::string_view language = text.substr(0, text.find_first_of("_.@"));
    for (std::string_view comma : kCommaLanguages)
        if (language == comma) return ',';
    return '.';
#endif
}

} // namespace quillfen
