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

/// The bytes that decide the encoding: a byte-order mark, or an ASCII header's
/// first character followed by a zero.
constexpr std::size_t kDecidingBytes = 3;

/// The size of a piece read before it is decoded: large enough that reading
/// costs few calls, small enough to stay in the processor's cache.
constexpr std::size_t kPieceSize = std::size_t{1} << 20;

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

void ShapeTextBuilder::decideEncoding(std::size_t fileSize) {
    const std::string_view start = m_carry;
    if (start.size() >= 2 && start[0] == '\xFF' && start[1] == '\xFE') {
        m_encoding = Encoding::Utf16Le;
        m_carry.erase(0, 2);
    } else if (start.size() >= 2 && start[0] != '\0' && start[1] == '\0') {
        m_encoding = Encoding::Utf16Le;
    } else {
        m_encoding = Encoding::EightBit;
        if (start.rfind("\xEF\xBB\xBF", 0) == 0) m_carry.erase(0, 3);
    }
    reserveMore(m_encoding == Encoding::Utf16Le ? fileSize / 2 : fileSize);
}

void ShapeTextBuilder::reserveMore(std::size_t more) {
    if (m_capacity - m_size >= more) return;
    const std::size_t capacity = std::max(m_size + more, 2 * m_capacity);
    // Uninitialised on purpose: every character is written before it is read.
    auto text = std::unique_ptr<char[]>(new char[capacity]);
    if (m_size > 0) std::memcpy(text.get(), m_text.get(), m_size);
    m_text = std::move(text);
    m_capacity = capacity;
}

void ShapeTextBuilder::append(std::string_view characters) {
    reserveMore(characters.size());
    if (!characters.empty()) std::memcpy(m_text.get() + m_size, characters.data(), characters.size());
    m_size += characters.size();
}

void ShapeTextBuilder::add(std::string_view piece, std::size_t fileSize) {
    if (m_encoding == Encoding::Unknown) {
        const std::size_t taken = std::min(piece.size(), kDecidingBytes - m_carry.size());
        m_carry.append(piece.substr(0, taken));
        piece.remove_prefix(taken);
        if (m_carry.size() < kDecidingBytes) return;
        decideEncoding(fileSize);
        const std::string start = std::move(m_carry);
        m_carry.clear();
        add(start, fileSize);
    }
    if (m_encoding == Encoding::EightBit) {
        append(piece);
        return;
    }
    if (!m_carry.empty()) {
        // The last piece ended inside a character (rare: pieces are large and even).
        std::string joined = std::move(m_carry) + std::string(piece);
        m_carry.clear();
        addUtf16(joined);
        return;
    }
    addUtf16(piece);
}

std::span<char> ShapeTextBuilder::room(std::size_t fileSize) {
    if (m_encoding == Encoding::EightBit) {
        // 8-bit text is the file's bytes: read behind the text, no copy between.
        if (m_size == m_capacity) reserveMore(std::max(kPieceSize, fileSize / 8));
        return {m_text.get() + m_size, m_capacity - m_size};
    }
    if (!m_piece) m_piece = std::unique_ptr<char[]>(new char[kPieceSize]);
    return {m_piece.get(), kPieceSize};
}

void ShapeTextBuilder::take(std::string_view piece, std::size_t fileSize) {
    if (m_encoding == Encoding::EightBit && !piece.empty() && piece.data() == m_text.get() + m_size) {
        m_size += piece.size();
        return;
    }
    add(piece, fileSize);
}

void ShapeTextBuilder::addUtf16(std::string_view bytes) {
    // An odd byte, or a high surrogate, waits for the rest of its character.
    std::size_t usable = bytes.size() & ~std::size_t{1};
    if (usable >= 2 && isHighSurrogate(unitAt(bytes.data() + usable - 2))) usable -= 2;
    m_carry.append(bytes.substr(usable));
    const std::size_t units = usable / 2;
    std::size_t read = 0;
    while (read < units) {
        // An ASCII unit takes one character: a text of ASCII fits the room the file's size reserved.
        reserveMore(units - read);
        const std::size_t ascii = narrowAscii(bytes.data() + 2 * read, units - read, m_text.get() + m_size);
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
}

void ShapeTextBuilder::appendCharacter(char32_t code) {
    std::string character;
    appendUtf8(character, code);
    append(character);
}

std::string_view ShapeTextBuilder::finish() {
    if (m_encoding == Encoding::Unknown) {
        decideEncoding(m_carry.size());
        const std::string start = std::move(m_carry);
        m_carry.clear();
        add(start, start.size());
    }
    // What still waits is a lone high surrogate or an odd byte.
    if (m_encoding == Encoding::Utf16Le && m_carry.size() >= 2) appendCharacter(U'\uFFFD');
    m_carry.clear();
    return {m_text.get(), m_size};
}

std::string shapeTextFromBytes(std::string_view bytes) {
    ShapeTextBuilder builder;
    builder.add(bytes, bytes.size());
    return std::string(builder.finish());
}

std::string shapeNameText(std::string_view name) {
    if (isValidUtf8(name)) return std::string(name);
    return decodeWindows1252(name);
}

} // namespace quillfen::shape
