#pragma once
// Search and replace on a whole s-file held in memory (several megabytes). A
// search for an absent text costs one fast scan and no copy, because most of
// the edits look for names that the file does not hold.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillfen {

/// Position of `needle` (exact case) from `from`; npos when absent or empty.
[[nodiscard]] std::size_t findText(std::string_view text, std::string_view needle, std::size_t from = 0);
[[nodiscard]] inline bool containsText(std::string_view text, std::string_view needle) {
    return needle.empty() || findText(text, needle) != std::string_view::npos;
}

/// Position of `needle` from `from`, ignoring the letter case of ASCII letters
/// (the needle's letters decide; other bytes must match exactly). Gives the
/// same positions as a search in the upper-cased text, because upper-casing
/// keeps every character's length. npos when absent.
[[nodiscard]] std::size_t findAsciiNoCase(std::string_view text, std::string_view needle,
                                          std::size_t from = 0);
/// True when the upper-cased text contains the upper-cased needle (Latin-1
/// letters included).
[[nodiscard]] bool containsNoCaseFast(std::string_view text, std::string_view needle);

/// Replaces every occurrence (exact case, left to right, replaced text not
/// searched again). An empty `from` replaces nothing. Returns the count.
std::size_t replaceEvery(std::string& text, std::string_view from, std::string_view to);
/// Replaces the first occurrence only; false when there is none.
bool replaceFirst(std::string& text, std::string_view from, std::string_view to);

} // namespace quillfen
