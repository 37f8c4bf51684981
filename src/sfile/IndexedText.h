#pragma once
// A whole s-file text together with where a known set of names occurs in it,
// kept up to date while names are replaced. The s-file edits and the texture
// collection ask "does the text hold this name?" and "replace this name by
// that" for each of a few hundred file names on a text of several megabytes;
// one scan for all names, and after each replacement only a look at the
// changed places, keep that far below a scan per question. Answers are the
// same as plain searches of the whole text would give.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillfen {

class IndexedText {
public:
    /// Indexes `names` (any letter case; duplicates and empty names allowed).
    IndexedText(std::string text, const std::vector<std::string>& names);

    [[nodiscard]] const std::string& text() const { return m_text; }
    [[nodiscard]] std::string takeText() && { return std::move(m_text); }

    /// True when the text holds `name` exactly (letter case included).
    [[nodiscard]] bool contains(std::string_view name) const;
    /// True when the upper-cased text holds the upper-cased name (Latin-1 letters).
    [[nodiscard]] bool containsNoCase(std::string_view name) const;

    /// Position of the first exact occurrence of `name`; npos when there is none.
    [[nodiscard]] std::size_t findFirst(std::string_view name) const;

    /// Replaces every occurrence of `from` (exact case), left to right, replaced
    /// text not searched again. An empty `from` replaces nothing. Returns the count.
    std::size_t replaceEvery(std::string_view from, std::string_view to);
    /// Replaces the first occurrence only; false when there is none.
    bool replaceFirst(std::string_view from, std::string_view to);

private:
    [[nodiscard]] int patternOf(std::string_view name) const;
    /// Start positions of `from`, left to right without overlap, at most `limit`.
    [[nodiscard]] std::vector<std::size_t> replacementSites(std::string_view from, std::size_t limit) const;
    void replaceAt(const std::vector<std::size_t>& sites, std::size_t fromLength, std::string_view to);
    void dropAndShift(const std::vector<std::size_t>& sites, std::size_t fromLength, std::ptrdiff_t delta);
    void indexAround(const std::vector<std::size_t>& newSites, std::size_t toLength);
    void scan(std::size_t begin, std::size_t end, std::vector<std::vector<std::size_t>>& found) const;

    std::string m_text;
    std::vector<std::string> m_patterns; ///< the names folded to ASCII upper case, each once
    std::unordered_map<std::string, int> m_patternIds;
    std::size_t m_longest = 0;
    std::vector<std::int32_t> m_next;    ///< automaton: state * classes + class -> state
    std::vector<std::uint8_t> m_classOf; ///< byte -> class (folded bytes of the patterns; 0 = other)
    std::size_t m_classes = 1;
    std::vector<std::uint8_t> m_leavesRoot; ///< byte -> 1 when it starts some pattern
    std::vector<std::int32_t> m_output;     ///< state -> pattern ending here, or -1
    std::vector<std::int32_t> m_nextOutput; ///< state -> nearest suffix state with an output, or -1
    /// Per pattern: sorted start positions of its case-folded occurrences.
    std::vector<std::vector<std::size_t>> m_occurrences;
    /// False when the names occur too often to be worth indexing; every question is then a plain search.
    bool m_indexed = true;
};

} // namespace quillfen
