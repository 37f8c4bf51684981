#pragma once
// A shape file's bytes as the 8-bit text its reader works on. Shape files are
// written as UTF-16LE with a byte-order mark; older tools write 8-bit text.
// The text is built piece by piece as the file is read, so reading a large
// file never holds its bytes and its text whole at once.

#include "platform/FileSystem.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quillfen::shape {

/// Builds the text from the file's bytes in pieces: UTF-16LE (with a byte-order
/// mark, or recognised by a zero second byte) becomes UTF-8; a UTF-8
/// byte-order mark is dropped; other bytes stay as they are (names in them are
/// decoded one by one, see shapeNameText). As a PieceSink it has 8-bit text
/// read straight into its place.
class ShapeTextBuilder final : public PieceSink {
public:
    /// The next piece of the file; `fileSize` (the whole file's) sizes the text once.
    void add(std::string_view piece, std::size_t fileSize);
    [[nodiscard]] std::span<char> room(std::size_t fileSize) override;
    void take(std::string_view piece, std::size_t fileSize) override;
    /// The whole text (a trailing odd byte of UTF-16 is dropped), valid while the builder lives.
    [[nodiscard]] std::string_view finish();

private:
    enum class Encoding { Unknown, Utf16Le, EightBit };

    Encoding m_encoding = Encoding::Unknown;
    // The text is written in place as it is decoded: a std::string would fill
    // its room with zeros first, or take every piece through a copy.
    std::unique_ptr<char[]> m_text;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::string m_carry;             ///< bytes that wait for the next piece: the start, or half a character
    std::unique_ptr<char[]> m_piece; ///< where a piece is read to before it is decoded

    void decideEncoding(std::size_t fileSize);
    void addUtf16(std::string_view bytes);
    /// Room for `more` characters behind the text.
    void reserveMore(std::size_t more);
    void append(std::string_view characters);
    void appendCharacter(char32_t code);
};

/// The text of a whole file's bytes (see ShapeTextBuilder).
[[nodiscard]] std::string shapeTextFromBytes(std::string_view bytes);

/// A name read from 8-bit shape text as UTF-8: kept when it is valid UTF-8, else
/// read as Windows-1252.
[[nodiscard]] std::string shapeNameText(std::string_view name);

} // namespace quillfen::shape
