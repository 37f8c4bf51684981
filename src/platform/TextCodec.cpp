#include "platform/TextCodec.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace quillfen {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to their C1 controls.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() && bytes.substr(0, prefix.size()) == prefix;
}

/// Decodes one UTF-8 sequence at `i`; returns false (and leaves `i`) when malformed.
bool decodeOne(std::string_view bytes, std::size_t& i, char32_t& out) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        out = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, value = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, value = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, value = lead & 0x07u, minimum = 0x10000;
    } else {
        return false;
    }
    if (i + static_cast<std::size_t>(extra) >= bytes.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) return false;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    out = value;
    i += static_cast<std::size_t>(extra) + 1;
    return true;
}

} // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    char32_t ignored = 0;
    while (i < bytes.size()) {
        // Text files are ASCII almost throughout: eight bytes without a high bit
        // at a time, the sequences one by one only where one stands.
        if (bytes.size() - i >= 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, bytes.data() + i, 8);
            if ((eight & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        if (!decodeOne(bytes, i, ignored)) return false;
    }
    return true;
}

std::u32string toCodePoints(std::string_view utf8) {
    std::u32string result;
    result.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (decodeOne(utf8, i, cp)) {
            result += cp;
        } else {
            result += kReplacement;
            ++i;
        }
    }
    return result;
}

std::string fromCodePoints(std::u32string_view codePoints) {
    std::string result;
    result.reserve(codePoints.size());
    for (char32_t cp : codePoints) appendUtf8(result, cp);
    return result;
}

std::string decodeUtf16Le(std::string_view bytes) {
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                     (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
    };
    // Shape files are plain ASCII almost throughout: copy those units straight
    // into a buffer of the final size, and fall back to encoding only past the
    // first other character.
    std::string result(units, '\0');
    std::size_t k = 0;
    for (; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (unit >= 0x80) break;
        result[k] = static_cast<char>(unit);
    }
    result.resize(k);
    for (; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (unit < 0x80) {
            result += static_cast<char>(unit);
        } else if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units && unitAt(k + 1) >= 0xDC00 &&
                   unitAt(k + 1) <= 0xDFFF) {
            appendUtf8(result, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00));
            ++k;
        } else {
            appendUtf8(result, unit);
        }
    }
    return result;
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string result;
    result.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            result += c;
        else if (byte < 0xA0)
            appendUtf8(result, kCp1252High[byte - 0x80]);
        else
            appendUtf8(result, byte);
    }
    return result;
}

std::string decodeText(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE")) return decodeUtf16Le(bytes.substr(2));
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        const auto rest = bytes.substr(3);
        return isValidUtf8(rest) ? std::string(rest) : fromCodePoints(toCodePoints(rest));
    }
    if (isValidUtf8(bytes)) return std::string(bytes);
    return decodeWindows1252(bytes);
}

std::string encodeUtf16Le(std::string_view utf8) {
    // Plain ASCII first, straight into a buffer of the final size.
    std::string result(utf8.size() * 2, '\0');
    std::size_t i = 0;
    for (; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x80) break;
        result[2 * i] = static_cast<char>(byte);
    }
    result.resize(2 * i);
    const auto put = [&](char32_t unit) {
        result += static_cast<char>(unit & 0xFF);
        result += static_cast<char>((unit >> 8) & 0xFF);
    };
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!decodeOne(utf8, i, cp)) {
            cp = kReplacement;
            ++i;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return result;
}

std::string encodeUtf16LeWithBom(std::string_view utf8) {
    return "\xFF\xFE" + encodeUtf16Le(utf8);
}

namespace {

/// The Windows-1252 byte for a code point, or -1 when the code page has none.
int windows1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t k = 0; k < kCp1252High.size(); ++k)
        if (kCp1252High[k] == cp) return static_cast<int>(0x80 + k);
    return -1;
}

} // namespace

std::string encodeWindows1252(std::string_view utf8, bool* lossy) {
    std::string result;
    result.reserve(utf8.size());
    bool lost = false;
    for (char32_t cp : toCodePoints(utf8)) {
        const int byte = windows1252Byte(cp);
        if (byte < 0) {
            result += '?';
            lost = true;
        } else {
            result += static_cast<char>(byte);
        }
    }
    if (lossy) *lossy = lost;
    return result;
}

std::optional<std::string> tryEncodeWindows1252(std::string_view utf8) {
    bool lossy = false;
    std::string encoded = encodeWindows1252(utf8, &lossy);
    if (lossy || !isValidUtf8(utf8)) return std::nullopt;
    return encoded;
}

} // namespace quillfen
