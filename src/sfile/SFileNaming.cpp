#include "sfile/SFileNaming.h"

#include "platform/Text.h"

#include <array>
#include <limits>

namespace quillfen {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/// True when `text` begins with the upper-case ASCII `prefix`, ignoring letter case.
bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (asciiUpper(text[i]) != prefix[i]) return false;
    }
    return true;
}

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

/// Byte length of `text` without its last `count` characters (UTF-8).
std::size_t lengthWithoutLastCharacters(std::string_view text, std::size_t count) {
    std::size_t end = text.size();
    while (count > 0 && end > 0) {
        --end;
        if (!isUtf8Continuation(text[end])) --count;
    }
    return count > 0 ? 0 : end;
}

/// The value of a run of decimal digits; beyond 64 bits it stays at the largest value.
std::int64_t saturatingDecimal(std::string_view digits) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (const char digit : digits) {
        const int d = digit - '0';
        if (value > (kMax - d) / 10) return kMax;
        value = value * 10 + d;
    }
    return value;
}

/// A device name Windows reserves, spelt apart so it no longer names the device.
struct ReservedPrefix {
    std::string_view prefix;
    std::string_view replacement;
};

constexpr std::array<ReservedPrefix, 22> kReservedPrefixes{{
    {"CON.", "C_O_N."},    {"PRN.", "P_R_N."},    {"AUX.", "A_U_X."},    {"NUL.", "N_U_L."},
    {"COM1.", "C_O_M_1."}, {"COM2.", "C_O_M_2."}, {"COM3.", "C_O_M_3."}, {"COM4.", "C_O_M_4."},
    {"COM5.", "C_O_M_5."}, {"COM6.", "C_O_M_6."}, {"COM7.", "C_O_M_7."}, {"COM8.", "C_O_M_8."},
    {"COM9.", "C_O_M_9."}, {"LPT1.", "L_P_T_1."}, {"LPT2.", "L_P_T_2."}, {"LPT3.", "L_P_T_3."},
    {"LPT4.", "L_P_T_4."}, {"LPT5.", "L_P_T_5."}, {"LPT6.", "L_P_T_6."}, {"LPT7.", "L_P_T_7."},
    {"LPT8.", "L_P_T_8."}, {"LPT9.", "L_P_T_9."},
}};

constexpr std::string_view kForbiddenCharacters = "<>?\":|\\/*";

/// Where a caret standing at `caret` in the old prefix stands once the prefix
/// "ABC." has become "A_B_C.": every letter but the last gained a "_" after it.
std::size_t caretAfterSpellingApart(std::size_t caret, std::size_t prefixLength) {
    const std::size_t letters = prefixLength - 1;
    if (caret >= prefixLength) return caret + (letters - 1);
    if (caret == letters) return 2 * letters - 1;
    return 2 * caret;
}

} // namespace

std::string lodBaseName(std::string_view fileName) {
    return std::string(fileName.substr(0, lengthWithoutLastCharacters(fileName, 4)));
}

std::int64_t ErmittleLODEntfernung(std::string_view fileName, std::string& proposal) {
    const std::string base = lodBaseName(fileName);
    if (base.empty() || !isDigit(base.back())) return kLodNoNumber;

    std::size_t digitsStart = base.size();
    while (digitsStart > 0 && isDigit(base[digitsStart - 1])) --digitsStart;
    if (digitsStart == 0) return kLodOnlyNumber;

    const std::int64_t distance = saturatingDecimal(std::string_view(base).substr(digitsStart));
    if (proposal.empty() && distance > 0) {
        // The character just before the digits ("_" in house_2000) stays part of the name.
        proposal = trimBlanks(std::string_view(base).substr(0, digitsStart)) + ".s";
    }
    return distance;
}

CleanedFileName BereinigeDateiName(std::string_view text, std::size_t caret) {
    CleanedFileName result{std::string(text), caret};
    for (char& c : result.text) {
        if (kForbiddenCharacters.find(c) != std::string_view::npos) c = '_';
    }
    for (const auto& [prefix, replacement] : kReservedPrefixes) {
        if (!startsWithIgnoringAsciiCase(result.text, prefix)) continue;
        result.text.replace(0, prefix.size(), replacement);
        result.caret = caretAfterSpellingApart(result.caret, prefix.size());
    }
    if (result.caret > result.text.size()) result.caret = result.text.size();
    return result;
}

std::string BereinigeDateiName(std::string_view text) {
    return BereinigeDateiName(text, 0).text;
}

std::string MitEndungS(std::string_view name) {
    std::string result(name);
    const bool hasEnding = result.size() >= 2 && result[result.size() - 2] == '.' &&
                           (result.back() == 's' || result.back() == 'S');
    if (!hasEnding) result += ".s";
    return result;
}

} // namespace quillfen
