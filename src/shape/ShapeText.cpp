#include "shape/ShapeText.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillfen::shape {

namespace {

std::uint32_t unitAt(const char* at) {
    return static_cast<unsigned char>(at[0]) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(at[1])) << 8);
}

/// Narrows ASCII units sixteen at a time from `read` on; returns how many units it took.
std::size_t narrowAscii(const char* read, std::size_t units, char* write) {
    std::size_t done = 0;
#if defined(__SSE2__)
    // Every x86-64 processor has SSE2: a pack narrows sixteen units in one step.
    const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    while (done + 16 <= units) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(read + 2 * done));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(read + 2 * done + 16));
        const __m128i wide = _mm_and_si128(_mm_or_si128(low, high), notAscii);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(wide, _mm_setzero_si128())) != 0xFFFF) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(write + done), _mm_packus_epi16(low, high));
        done += 16;
    }
#endif
    static_assert(std::endian::native == std::endian::little, "units are packed as little-endian words");
    constexpr std::uint64_t kNotAscii = 0xFF80FF80FF80FF80ULL;
    while (done + 8 <= units) {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::memcpy(&low, read + 2 * done, 8);
        std::memcpy(&high, read + 2 * done + 8, 8);
        if (((low | high) & kNotAscii) != 0) break;
        // Units b0 0 b1 0 b2 0 b3 0 (little-endian) become the bytes b0 b1 b2 b3.
        const auto pack = [](std::uint64_t word) {
            const std::uint64_t pairs = word | (word >> 8);
            return static_cast<std::uint32_t>((pairs & 0xFFFFU) | ((pairs >> 16) & 0xFFFF0000U));
        };
        const std::uint64_t packed = pack(low) | (static_cast<std::uint64_t>(pack(high)) << 32);
        std::memcpy(write + done, &packed, 8);
        done += 8;
    }
    return done;
}

bool isHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

ShapeText::ShapeText(std::string_view fileBytes) {
    if (fileBytes.size() >= 2 && fileBytes[0] == '\xFF' && fileBytes[1] == '\xFE') {
        decodeUtf16(fileBytes.substr(2));
    } else if (fileBytes.size() >= 2 && fileBytes[0] != '\0' && fileBytes[1] == '\0') {
        decodeUtf16(fileBytes);
    } else {
        if (fileBytes.starts_with("\xEF\xBB\xBF")) fileBytes.remove_prefix(3);
        m_view = fileBytes;
    }
}

void ShapeText::reserveMore(std::size_t more) {
    if (m_capacity - m_size >= more) return;
    const std::size_t capacity = std::max(m_size + more, 2 * m_capacity);
    // Uninitialised on purpose: every character is written before it is read.
    auto text = std::unique_ptr<char[]>(new char[capacity]);
    if (m_size > 0) std::memcpy(text.get(), m_decoded.get(), m_size);
    m_decoded = std::move(text);
    m_capacity = capacity;
}

void ShapeText::decodeUtf16(std::string_view bytes) {
    const std::size_t units = bytes.size() / 2;
    std::size_t read = 0;
    while (read < units) {
        // An ASCII unit takes one character: a text of ASCII fits the first room.
        reserveMore(units - read);
        const std::size_t ascii =
            narrowAscii(bytes.data() + 2 * read, units - read, m_decoded.get() + m_size);
        read += ascii;
        m_size += ascii;
        if (read >= units) break;
        // One character outside the fast path (ASCII near the end, or wider).
        std::uint32_t code = unitAt(bytes.data() + 2 * read);
        ++read;
        if (isHighSurrogate(code) && read < units) {
            const std::uint32_t low = unitAt(bytes.data() + 2 * read);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++read;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
        appendCharacter(static_cast<char32_t>(code));
    }
    m_view = std::string_view(m_decoded.get(), m_size);
}

void ShapeText::appendCharacter(char32_t code) {
    std::string character;
    appendUtf8(character, code);
    reserveMore(character.size());
    std::memcpy(m_decoded.get() + m_size, character.data(), character.size());
    m_size += character.size();
}

std::string shapeTextFromBytes(std::string_view bytes) {
    return std::string(ShapeText(bytes).view());
}

std::string shapeNameText(std::string_view name) {
    if (isValidUtf8(name)) return std::string(name);
    return decodeWindows1252(name);
}

} // namespace quillfen::shape
