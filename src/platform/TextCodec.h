#pragma once
// Text encodings at the program's edges. Inside, all text is UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace quillfen {

/// Decodes a whole file's bytes: UTF-16LE with BOM, UTF-8 with BOM, plain
/// UTF-8, and otherwise Windows-1252.
[[nodiscard]] std::string decodeText(std::string_view bytes);

/// Decodes UTF-16LE bytes without a BOM (an odd trailing byte is dropped;
/// unpaired surrogates become U+FFFD).
[[nodiscard]] std::string decodeUtf16Le(std::string_view bytes);
/// Windows-1252 bytes to UTF-8 (the five undefined bytes map to C1 controls).
[[nodiscard]] std::string decodeWindows1252(std::string_view bytes);

/// True when the bytes are well-formed UTF-8.
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

/// UTF-8 text to UTF-16LE bytes with a BOM.
[[nodiscard]] std::string encodeUtf16LeWithBom(std::string_view utf8);
/// UTF-8 text to UTF-16LE bytes without a BOM.
[[nodiscard]] std::string encodeUtf16Le(std::string_view utf8);

/// UTF-8 text to Windows-1252. Every character outside the code page becomes
/// "?"; `lossy` (when given) tells whether that happened.
[[nodiscard]] std::string encodeWindows1252(std::string_view utf8, bool* lossy = nullptr);

/// Windows-1252 when every character fits, else std::nullopt.
[[nodiscard]] std::optional<std::string> tryEncodeWindows1252(std::string_view utf8);

/// The code points of UTF-8 text (invalid bytes become U+FFFD).
[[nodiscard]] std::u32string toCodePoints(std::string_view utf8);
/// Code points back to UTF-8.
[[nodiscard]] std::string fromCodePoints(std::u32string_view codePoints);
/// Appends one code point as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace quillfen
