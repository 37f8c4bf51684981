#include "platform/Text.h"

#include "platform/TextCodec.h"

namespace quillfen {

namespace {

char32_t upperLatin1(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') return cp - 32;
    // à..þ except ÷ map to À..Þ; ß and ÿ have no single upper-case letter in Latin-1.
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
    return cp;
}

char32_t lowerLatin1(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
    return cp;
}

template <class Map> std::string mapCase(std::string_view text, Map map) {
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            result += static_cast<char>(map(byte));
            ++i;
            continue;
        }
        // Latin-1 letters above 0x7F are two-byte sequences starting 0xC3.
        if (byte == 0xC3 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if ((next & 0xC0) == 0x80) {
                appendUtf8(result, map(static_cast<char32_t>(0xC0 + (next & 0x3F))));
                i += 2;
                continue;
            }
        }
        result += text[i];
        ++i;
    }
    return result;
}

/// Byte-wise upper case that keeps byte offsets: Latin-1 letters keep their
/// two-byte length when their case changes, so offsets found in the upper-cased
/// text are offsets into the original.
std::string upperSameLength(std::string_view text) {
    return mapCase(text, upperLatin1);
}

} // namespace

std::string toUpperLatin1(std::string_view text) {
    return mapCase(text, upperLatin1);
}
std::string toLowerLatin1(std::string_view text) {
    return mapCase(text, lowerLatin1);
}

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (from > haystack.size()) return std::string::npos;
    const std::string upperHaystack = upperSameLength(haystack);
    const std::string upperNeedle = upperSameLength(needle);
    return upperHaystack.find(upperNeedle, from);
}

bool containsNoCase(std::string_view haystack, std::string_view needle) {
    return findNoCase(haystack, needle) != std::string::npos;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && upperSameLength(a) == upperSameLength(b);
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, start)) {
        result.append(text.substr(start, hit - start));
        result.append(to);
        start = hit + from.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string removeAll(std::string_view text, std::string_view what) {
    return replaceAll(text, what, {});
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace quillfen
