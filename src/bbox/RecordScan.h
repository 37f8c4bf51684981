#pragma once
// Reading a shape file's records the way the box computation always has: find a
// keyword, take the rest of its line up to the CR, clean it and read numbered
// fields from it. Every search moves forward only, so a whole file is read in
// time proportional to its size.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillfen {

/// Finds one keyword from positions that only move forward; a search that found
/// nothing (or found something further on) is not repeated.
class ForwardSearch {
public:
    ForwardSearch(std::string_view text, std::string_view keyword) : m_text(text), m_keyword(keyword) {}

    /// The first occurrence at or after `position`, or npos.
    [[nodiscard]] std::size_t from(std::size_t position);

private:
    std::string_view m_text;
    std::string_view m_keyword;
    bool m_searched = false;
    std::size_t m_searchedFrom = 0;
    std::size_t m_found = std::string_view::npos;
};

/// The number read from the text behind the first `keyword` (the count in front
/// of a record list). Without the keyword, the reading starts at character
/// keyword-length of the text, as it always has.
[[nodiscard]] double numberBehind(std::string_view text, std::string_view keyword);

/// The number in field `n` (from 1) of a line: the line is trimmed of blanks and
/// split at every blank (two blanks make an empty field); 0 when there is no such field.
[[nodiscard]] double holeFeldWert(std::string_view line, int n);

/// The records of one section, in file order.
class RecordScanner {
public:
    RecordScanner(std::string_view section, std::string_view keyword)
        : m_section(section), m_keyword(keyword), m_lineEnd(section, "\r") {}

    /// The next record's line: from its keyword up to and including the first
    /// CR behind it, or empty when no CR follows. nullopt after the last record.
    [[nodiscard]] std::optional<std::string_view> next();

private:
    std::string_view m_section;
    std::string_view m_keyword;
    std::size_t m_searchFrom = 0;
    ForwardSearch m_lineEnd;
};

/// How a record line is cleaned before its fields are read.
enum class LineCleaning {
    /// Every keyword, CR, LF and ")" removed.
    Plain,
    /// As Plain, but only the text behind the first "(" counts (drops a matrix's name).
    DropName,
};

/// The record line cleaned as the fields are read from it, written out whole:
/// every keyword, CR, LF and ")" removed (for DropName: the text behind the
/// first "(" only) and trimmed. RecordFieldReader gives the same numbers as
/// holeFeldWert on this text.
[[nodiscard]] std::string cleanRecordLine(std::string_view line, std::string_view keyword,
                                          LineCleaning cleaning);

/// Reads fields 1..count of record lines.
class RecordFieldReader {
public:
    static constexpr int kMaxFields = 12;

    /// The numbers of fields 1..`count` (at most kMaxFields) of `line`, cleaned as
    /// `cleaning` says with `keyword` removed; the fields behind `count` are 0.
    const std::array<double, kMaxFields>& read(std::string_view line, std::string_view keyword,
                                               LineCleaning cleaning, int count);

private:
    std::array<double, kMaxFields> m_values{};

    /// Reads the fields with the shape tokenizer where the line is written as
    /// the converters write it: numbers parted by single blanks, nothing the
    /// cleaning would remove or join among them. False (and nothing read) elsewhere.
    bool readPlainFields(std::string_view line, std::string_view keyword, LineCleaning cleaning, int count);
};

} // namespace quillfen
