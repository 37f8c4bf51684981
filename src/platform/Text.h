#pragma once
// Text helpers shared by all areas: letter case that knows every Latin-1
// letter, blank trimming, substring search and replace. All text is UTF-8.

#include <string>
#include <string_view>

namespace quillfen {

/// Upper case of every ASCII and Latin-1 letter (ä -> Ä, ß and ÿ stay).
[[nodiscard]] std::string toUpperLatin1(std::string_view text);
/// Lower case of every ASCII and Latin-1 letter.
[[nodiscard]] std::string toLowerLatin1(std::string_view text);

/// Removes blanks (only ' ', not tabs or line ends) at both ends.
[[nodiscard]] std::string trimBlanks(std::string_view text);

/// Position of `needle` in `haystack` from `from`, ignoring letter case (Latin-1);
/// std::string::npos when absent. Positions are byte offsets into `haystack`.
[[nodiscard]] std::size_t findNoCase(std::string_view haystack, std::string_view needle,
                                     std::size_t from = 0);
[[nodiscard]] bool containsNoCase(std::string_view haystack, std::string_view needle);
[[nodiscard]] bool equalsNoCase(std::string_view a, std::string_view b);

/// Replaces every occurrence (case-sensitive), scanning left to right without
/// rescanning replaced text.
[[nodiscard]] std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
/// Removes every occurrence of `what`.
[[nodiscard]] std::string removeAll(std::string_view text, std::string_view what);

[[nodiscard]] bool startsWith(std::string_view text, std::string_view prefix);
[[nodiscard]] bool endsWith(std::string_view text, std::string_view suffix);

} // namespace quillfen
