#pragma once
// The tokens of the simulator's text formats (shape files, shape descriptors):
// words, "(" and ")", separated by white space; a word in double quotes may hold
// blanks and brackets. The tokenizer never copies text: a word is a view into
// the text it reads. It finds the line it stands on only when asked (a reader
// asks when a file went wrong), so reading a sound file counts no lines.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace quillfen::shape {

enum class TokenKind { Word, Open, Close, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text; ///< a word's text (without its quotes); empty otherwise
};

class ShapeTokenizer {
public:
    explicit ShapeTokenizer(std::string_view text)
        : m_start(text.data()), m_position(text.data()), m_end(text.data() + text.size()) {}

    /// The next token, consumed. An unterminated quoted word ends the text as a word.
    Token next();

    /// The kind of the next token, without consuming it.
    [[nodiscard]] TokenKind peekKind() {
        skipSpace();
        if (m_position == m_end) return TokenKind::End;
        if (*m_position == '(') return TokenKind::Open;
        if (*m_position == ')') return TokenKind::Close;
        return TokenKind::Word;
    }

    /// Consumes the rest of a block whose "(" was read, up to and including its
    /// matching ")". False when the text ends first.
    bool skipBlockRest();

    // Fast paths for the reader: each consumes the next token only when it is
    // what is asked for, and otherwise leaves the tokenizer where it stands.

    bool skipOpen() { return skipCharacter('('); }
    bool skipClose() { return skipCharacter(')'); }
    /// The next token is the word `keyword`.
    [[gnu::always_inline]] bool skipKeyword(std::string_view keyword);
    /// The next token is a whole number in decimal (optional sign, at most 18 digits).
    /// Always inlined, like nextHex: called, its optional came back with the flag
    /// stored as a byte and loaded as a word, and the load stalled on the store.
    [[nodiscard, gnu::always_inline]] std::optional<std::int64_t> nextInteger();
    /// The next token is a hexadecimal number of at most 8 digits.
    /// Always inlined: a call returned the optional through memory, and reading
    /// it back stalled on the store.
    [[nodiscard, gnu::always_inline]] std::optional<std::uint32_t> nextHex();
    /// The next token is a decimal number ("1", "-0.25", "1.5e-3").
    [[nodiscard, gnu::always_inline]] std::optional<double> nextDecimal();

    /// The 1-based line of the text the tokenizer stands on. Counts the line feeds
    /// read so far: line feeds stand only between words or inside quoted words.
    [[nodiscard]] int line() const;
    /// The characters not yet read.
    [[nodiscard]] std::size_t remaining() const { return static_cast<std::size_t>(m_end - m_position); }
    /// Where the next token starts (or the end of the text).
    [[nodiscard]] const char* nextTokenAt() {
        skipSpace();
        return m_position;
    }
    /// The whole text the tokenizer reads.
    [[nodiscard]] std::string_view text() const {
        return {m_start, static_cast<std::size_t>(m_end - m_start)};
    }
    /// Reads on from `at`, a place in the same text where a token starts.
    void seek(const char* at) { m_position = at; }

    /// True when `c` ends a word: white space, control characters, brackets and quotes.
    [[nodiscard]] static bool endsWord(char c) { return kEndsWord[static_cast<unsigned char>(c)]; }

private:
    const char* m_start;
    const char* m_position;
    const char* m_end;

    [[gnu::always_inline]] void skipSpace() {
        // Mostly one blank stands between tokens; longer runs (line ends and
        // indentation) are skipped eight characters at a time.
        if (m_position != m_end && static_cast<unsigned char>(*m_position) > ' ') return;
        if (m_position + 1 < m_end && *m_position == ' ' && static_cast<unsigned char>(m_position[1]) > ' ') {
            ++m_position;
            return;
        }
        skipSpaceRun();
    }
    void skipSpaceRun();
    Token quotedWord();
    std::optional<double> nextDecimalGeneral();

    [[gnu::always_inline]] bool skipCharacter(char wanted) {
        skipSpace();
        if (m_position == m_end || *m_position != wanted) return false;
        ++m_position;
        return true;
    }
    /// True when the word that began before `at` ends there.
    [[nodiscard, gnu::always_inline]] bool wordEndsAt(const char* at) const {
        return at == m_end || endsWord(*at);
    }

    /// The characters that end a word: white space, control characters, brackets
    /// and quotes. One look-up instead of five comparisons after every number.
    static constexpr std::array<bool, 256> kEndsWord = [] {
        std::array<bool, 256> ends{};
        for (std::size_t c = 0; c <= ' '; ++c) ends[c] = true;
        ends['('] = ends[')'] = ends['"'] = true;
        return ends;
    }();
};

// ---- The fast paths, inline: the reader calls them for every number of a file.

inline constexpr double kShapePowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

/// True when the `sizeof(Word)` characters at `a` and at `b` are the same.
template <class Word> [[gnu::always_inline]] inline bool shapeSameWord(const char* a, const char* b) {
    Word first = 0;
    Word second = 0;
    std::memcpy(&first, a, sizeof first);
    std::memcpy(&second, b, sizeof second);
    return first == second;
}

inline bool ShapeTokenizer::skipKeyword(std::string_view keyword) {
    skipSpace();
    const std::size_t size = keyword.size();
    if (remaining() < size) return false;
    // Keywords are short: two overlapping words cover one of 4 to 16 characters,
    // without a branch per character.
    if (size >= 8 && size <= 16) {
        if (!shapeSameWord<std::uint64_t>(m_position, keyword.data()) ||
            !shapeSameWord<std::uint64_t>(m_position + size - 8, keyword.data() + size - 8))
            return false;
    } else if (size >= 4 && size < 8) {
        if (!shapeSameWord<std::uint32_t>(m_position, keyword.data()) ||
            !shapeSameWord<std::uint32_t>(m_position + size - 4, keyword.data() + size - 4))
            return false;
    } else {
        for (std::size_t i = 0; i < size; ++i)
            if (m_position[i] != keyword[i]) return false;
    }
    if (!wordEndsAt(m_position + size)) return false;
    m_position += keyword.size();
    return true;
}

/// Eight bytes read as one little-endian word.
[[gnu::always_inline]] inline std::uint64_t shapeEightBytes(const char* at) {
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    std::uint64_t word = 0;
    std::memcpy(&word, at, 8);
    return word;
}

/// The high bit of each byte of `word` from `low` to `high` (both below 0x80).
[[gnu::always_inline]] constexpr std::uint64_t shapeBytesBetween(std::uint64_t word, unsigned low,
                                                                 unsigned high) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    // Below 0x80 each sum stays inside its byte; its high bit tells the comparison.
    const std::uint64_t low7 = word & ~kHigh;
    const std::uint64_t atLeastLow = low7 + kOnes * (0x80 - low);
    const std::uint64_t aboveHigh = low7 + kOnes * (0x7F - high);
    return atLeastLow & ~aboveHigh & ~word & kHigh;
}

/// True when all eight bytes of `word` are hexadecimal digits.
[[gnu::always_inline]] constexpr bool shapeEightHexDigits(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    const std::uint64_t digits = shapeBytesBetween(word, '0', '9');
    const std::uint64_t letters = shapeBytesBetween(word | kOnes * 0x20, 'a', 'f'); // either case
    return (digits | letters) == kHigh;
}

/// The value of eight hexadecimal digits, the first in the lowest byte.
[[gnu::always_inline]] constexpr std::uint32_t shapeEightHexValue(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    // '0'..'9' end in 0..9; 'a'..'f' and 'A'..'F' end in 1..6 and have bit 6 set.
    std::uint64_t nibbles = (word & kOnes * 0x0F) + 9 * ((word >> 6) & kOnes);
    // Pairs, quads, then the whole: the first digit is the most significant.
    nibbles = ((nibbles & 0x000F000F000F000FULL) << 4) | ((nibbles >> 8) & 0x000F000F000F000FULL);
    nibbles = ((nibbles & 0x000000FF000000FFULL) << 8) | ((nibbles >> 16) & 0x000000FF000000FFULL);
    return static_cast<std::uint32_t>(((nibbles & 0xFFFFU) << 16) | ((nibbles >> 32) & 0xFFFFU));
}

inline std::optional<std::int64_t> ShapeTokenizer::nextInteger() {
    skipSpace();
    const char* at = m_position;
    const bool negative = at != m_end && *at == '-';
    if (at != m_end && (negative || *at == '+')) ++at;
    const char* digits = at;
    // At most 18 digits: their value fits. One bound per digit, not two.
    const char* limit = digits + std::min<std::ptrdiff_t>(18, m_end - digits);
    std::int64_t value = 0;
    while (at != limit && static_cast<unsigned char>(*at - '0') < 10) value = value * 10 + (*at++ - '0');
    if (at == digits || !wordEndsAt(at)) return std::nullopt;
    m_position = at;
    return negative ? -value : value;
}

inline std::optional<std::uint32_t> ShapeTokenizer::nextHex() {
    skipSpace();
    // Flags and colours are mostly written with all eight digits: read at once.
    if (remaining() >= 8 && wordEndsAt(m_position + 8)) {
        // Checked and read by two plain functions: one returning an optional
        // took its value through memory, and the load stalled on the store.
        const std::uint64_t word = shapeEightBytes(m_position);
        if (shapeEightHexDigits(word)) {
            m_position += 8;
            return shapeEightHexValue(word);
        }
    }
    const char* at = m_position;
    std::uint32_t value = 0;
    while (at != m_end && at - m_position < 9) {
        const auto c = static_cast<std::uint32_t>(static_cast<unsigned char>(*at));
        std::uint32_t digit = 0;
        if (c - '0' < 10U) {
            digit = c - '0';
        } else if ((c | 0x20U) - 'a' < 6U) {
            digit = (c | 0x20U) - 'a' + 10;
        } else {
            break;
        }
        value = value << 4 | digit;
        ++at;
    }
    if (at == m_position || at - m_position > 8 || !wordEndsAt(at)) return std::nullopt;
    m_position = at;
    return value;
}

inline std::optional<double> ShapeTokenizer::nextDecimal() {
    skipSpace();
    // Most numbers are short: up to 15 digits with a point and no exponent. Their
    // digits as a whole number divided by a power of ten is correctly rounded,
    // because both are exact doubles.
    const char* at = m_position;
    const bool negative = at != m_end && *at == '-';
    if (at != m_end && (negative || *at == '+')) ++at;
    std::int64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = -1;
    for (; at != m_end; ++at) {
        const auto digit = static_cast<unsigned char>(*at - '0');
        if (digit < 10) {
            if (digits < 18) mantissa = mantissa * 10 + digit;
            ++digits;
            if (fractionDigits >= 0) ++fractionDigits;
        } else if (*at == '.' && fractionDigits < 0) {
            fractionDigits = 0;
        } else {
            break;
        }
    }
    if (digits > 0 && digits <= 15 && wordEndsAt(at)) {
        m_position = at;
        const double value =
            static_cast<double>(mantissa) / kShapePowersOfTen[fractionDigits > 0 ? fractionDigits : 0];
        return negative ? -value : value;
    }
    return nextDecimalGeneral();
}

/// A whole number written in decimal with an optional sign; nullopt for anything else.
[[nodiscard]] std::optional<std::int64_t> parseShapeInteger(std::string_view word);

/// A decimal number ("1", "-0.25", "1.5e-3", "+2"); nullopt for anything else.
[[nodiscard]] std::optional<double> parseShapeDecimal(std::string_view word);

/// Eight or fewer hexadecimal digits (flags and colours: "00000000", "ff808080").
[[nodiscard]] std::optional<std::uint32_t> parseShapeHex(std::string_view word);

} // namespace quillfen::shape
