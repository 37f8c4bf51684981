#include "bbox/RecordScan.h"

#include "shape/ShapeTokenizer.h"

#include "platform/Numbers.h"
#include "platform/Text.h"

#include <cstring>

namespace quillfen {

namespace {

/// The characters a number may start with (behind its sign).
bool startsNumber(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

/// True when `keyword` stands in `text` at `position`. Keywords are short, so
/// comparing in place beats a library call per record.
bool keywordAt(std::string_view text, std::size_t position, std::string_view keyword) {
    if (text.size() - position < keyword.size()) return false;
    for (std::size_t i = 0; i < keyword.size(); ++i)
        if (text[position + i] != keyword[i]) return false;
    return true;
}

/// The first `keyword` at or after `from`, or npos: the scan jumps from one
/// occurrence of the keyword's first character to the next.
std::size_t findKeyword(std::string_view text, std::string_view keyword, std::size_t from) {
    if (keyword.empty()) return from <= text.size() ? from : std::string_view::npos;
    while (from < text.size()) {
        const void* hit = std::memchr(text.data() + from, keyword.front(), text.size() - from);
        if (!hit) break;
        const auto position = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (keywordAt(text, position, keyword)) return position;
        from = position + 1;
    }
    return std::string_view::npos;
}

} // namespace

std::size_t ForwardSearch::from(std::size_t position) {
    const bool stillValid = m_searched && position >= m_searchedFrom &&
                            (m_found == std::string_view::npos || m_found >= position);
    if (!stillValid) {
        m_found = findKeyword(m_text, m_keyword, position);
        m_searchedFrom = position;
        m_searched = true;
    }
    return m_found;
}

double numberBehind(std::string_view text, std::string_view keyword) {
    const std::size_t found = text.find(keyword);
    const std::size_t start = found == std::string_view::npos ? keyword.size() - 1 : found + keyword.size();
    if (start >= text.size()) return 0.0;
    return readLeadingNumber(text.substr(start));
}

double holeFeldWert(std::string_view line, int n) {
    const std::string trimmed = trimBlanks(line);
    int field = 1;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = trimmed.find(' ', start);
        if (field == n) {
            const std::size_t end = blank == std::string::npos ? trimmed.size() : blank;
            return readLeadingNumber(std::string_view(trimmed).substr(start, end - start));
        }
        if (blank == std::string::npos) return 0.0;
        start = blank + 1;
        ++field;
    }
}

std::string cleanRecordLine(std::string_view line, std::string_view keyword, LineCleaning cleaning) {
    std::string text = removeAll(line, keyword);
    for (const char* removed : {"\r", "\n"}) text = removeAll(text, removed);
    if (cleaning == LineCleaning::DropName) text = text.substr(text.find('(') + 1); // npos + 1 keeps it all
    return trimBlanks(removeAll(text, ")"));
}

std::optional<std::string_view> RecordScanner::next() {
    const std::size_t found = findKeyword(m_section, m_keyword, m_searchFrom);
    if (found == std::string_view::npos) {
        m_searchFrom = m_section.size() + 1;
        return std::nullopt;
    }
    m_searchFrom = found + 1;
    const std::size_t carriageReturn = m_lineEnd.from(found);
    if (carriageReturn == std::string_view::npos) return std::string_view();
    return m_section.substr(found, carriageReturn - found + 1);
}

const std::array<double, RecordFieldReader::kMaxFields>&
RecordFieldReader::read(std::string_view line, std::string_view keyword, LineCleaning cleaning, int count) {
    if (readPlainFields(line, keyword, cleaning, count)) return m_values;
    // Anything else (empty fields, removed text inside a field, TABs, words) the
    // way the box computation always read it: slow, but rare.
    const std::string cleaned = cleanRecordLine(line, keyword, cleaning);
    m_values.fill(0.0);
    for (int n = 1; n <= count; ++n) m_values[static_cast<std::size_t>(n - 1)] = holeFeldWert(cleaned, n);
    return m_values;
}

bool RecordFieldReader::readPlainFields(std::string_view line, std::string_view keyword,
                                        LineCleaning cleaning, int count) {
    // A keyword that could stand inside a number would be removed from it.
    if (keyword.empty() || startsNumber(keyword.front()) ||
        std::string_view("+-eE").find(keyword.front()) != std::string_view::npos)
        return false;
    std::size_t start = 0;
    if (cleaning == LineCleaning::DropName) {
        start = line.find('(');
        if (start == std::string_view::npos) return false;
        ++start;
    } else {
        if (!keywordAt(line, 0, keyword)) return false;
        start = keyword.size();
    }
    while (start < line.size() && line[start] == ' ') ++start;
    const std::string_view fields = line.substr(start);
    // Each field is one word of the tokenizer, parted from the next by exactly
    // one blank (two make an empty field); the last ends at a blank or the CR
    // that ends the line. A word that is no plain decimal number (hexadecimal,
    // "1d3", "inf") goes the slow way, which reads it as far as it is a number.
    shape::ShapeTokenizer tokens(fields);
    std::size_t at = 0;
    for (int n = 0; n < count; ++n) {
        if (at >= fields.size()) return false;
        const bool hasSign = fields[at] == '-' || fields[at] == '+';
        if (!startsNumber(hasSign && at + 1 < fields.size() ? fields[at + 1] : fields[at])) return false;
        const auto value = tokens.nextDecimal();
        if (!value) return false;
        const std::size_t end = fields.size() - tokens.remaining();
        const bool last = n + 1 == count;
        if (end < fields.size() && fields[end] != ' ' &&
            !(last && fields[end] == '\r' && end + 1 == fields.size()))
            return false;
        if (!last && end >= fields.size()) return false;
        m_values[static_cast<std::size_t>(n)] = *value;
        at = end + 1;
    }
    for (auto n = static_cast<std::size_t>(count); n < m_values.size(); ++n) m_values[n] = 0.0;
    return true;
}

} // namespace quillfen
