#include "shape/ShapeTokenizer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

namespace quillfen::shape {

void ShapeTokenizer::skipSpaceRun() {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    while (m_end - m_position >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, m_position, 8);
        // The high bit of each byte above ' ' (bytes of 0x80 and more count as text).
        const std::uint64_t text = (((word & kLow7) + kOnes * (0x80 - 0x21)) | word) & kHigh;
        if (text != 0) {
            // Little-endian: the lowest set bit is the first text byte.
            m_position += std::countr_zero(text) / 8;
            return;
        }
        m_position += 8;
    }
    while (m_position != m_end && static_cast<unsigned char>(*m_position) <= ' ') ++m_position;
}

int ShapeTokenizer::line() const {
    return 1 + static_cast<int>(std::count(m_start, m_position, '\n'));
}

Token ShapeTokenizer::next() {
    skipSpace();
    if (m_position == m_end) return {};
    const char first = *m_position;
    if (first == '(' || first == ')') {
        ++m_position;
        return {first == '(' ? TokenKind::Open : TokenKind::Close, {}};
    }
    if (first == '"') return quotedWord();
    const char* start = m_position;
    while (!wordEndsAt(m_position)) ++m_position;
    return {TokenKind::Word, std::string_view(start, static_cast<std::size_t>(m_position - start))};
}

Token ShapeTokenizer::quotedWord() {
    const char* start = ++m_position;
    while (m_position != m_end && *m_position != '"') ++m_position;
    const std::string_view text(start, static_cast<std::size_t>(m_position - start));
    if (m_position != m_end) ++m_position;
    return {TokenKind::Word, text};
}

bool ShapeTokenizer::skipBlockRest() {
    int depth = 1;
    while (depth > 0) {
        const Token token = next();
        if (token.kind == TokenKind::End) return false;
        if (token.kind == TokenKind::Open) ++depth;
        if (token.kind == TokenKind::Close) --depth;
    }
    return true;
}

std::optional<double> ShapeTokenizer::nextDecimalGeneral() {
    // Exponents, long fractions and anything else.
    const char* end = m_position;
    while (!wordEndsAt(end)) ++end;
    const auto value =
        parseShapeDecimal(std::string_view(m_position, static_cast<std::size_t>(end - m_position)));
    if (value) m_position = end;
    return value;
}

std::optional<std::int64_t> parseShapeInteger(std::string_view word) {
    const bool negative = !word.empty() && word.front() == '-';
    if (!word.empty() && (negative || word.front() == '+')) word.remove_prefix(1);
    if (word.empty() || word.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<double> parseShapeDecimal(std::string_view word) {
    // Most numbers are short whole numbers; they need no general reading.
    if (word.size() <= 9) {
        if (const auto whole = parseShapeInteger(word)) return static_cast<double>(*whole);
    }
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    if (word.empty() || word.front() == '+') return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

std::optional<std::uint32_t> parseShapeHex(std::string_view word) {
    if (word.empty() || word.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : word) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value << 4 | digit;
    }
    return value;
}

} // namespace quillfen::shape
