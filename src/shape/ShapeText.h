#pragma once
// A shape file's bytes as the 8-bit text its reader works on. Shape files are
// written as UTF-16LE with a byte-order mark; older tools write 8-bit text.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quillfen::shape {

/// The text of a shape file's bytes: UTF-16LE (with a byte-order mark, or
/// recognised by a zero second byte) becomes UTF-8, a trailing odd byte
/// dropped; 8-bit text is the bytes themselves, a UTF-8 byte-order mark
/// skipped (names in it are decoded one by one, see shapeNameText).
class ShapeText {
public:
    explicit ShapeText(std::string_view fileBytes);
    ShapeText(const ShapeText&) = delete;
    ShapeText& operator=(const ShapeText&) = delete;

    /// Valid while this value and, for 8-bit text, the bytes it was made from live.
    [[nodiscard]] std::string_view view() const { return m_view; }

private:
    // Decoded text is written in place: a std::string would fill its room with
    // zeros first.
    std::unique_ptr<char[]> m_decoded;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::string_view m_view;

    void decodeUtf16(std::string_view bytes);
    /// Room for `more` characters behind the text.
    void reserveMore(std::size_t more);
    void appendCharacter(char32_t code);
};

/// The text of a whole file's bytes (see ShapeText), as a string of its own.
[[nodiscard]] std::string shapeTextFromBytes(std::string_view bytes);

/// A name read from 8-bit shape text as UTF-8: kept when it is valid UTF-8, else
/// read as Windows-1252.
[[nodiscard]] std::string shapeNameText(std::string_view name);

} // namespace quillfen::shape
