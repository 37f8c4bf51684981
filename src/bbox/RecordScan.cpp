#include "bbox/RecordScan.h"

#include "platform/Numbers.h"
#include "platform/Text.h"

#include <cstring>

namespace quillfen {

namespace {

/// The value of a field that is a plain whole number of up to nine digits
/// (most fields of a shape file), read without the general number reading;
/// nullopt for anything else, which the general reading then handles.
std::optional<double> plainWholeNumber(std::string_view field) {
    const bool negative = !field.empty() && field.front() == '-';
    const std::string_view digits = negative ? field.substr(1) : field;
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -static_cast<double>(value) : static_cast<double>(value);
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

double fieldNumber(std::string_view field) {
    if (field.empty()) return 0.0;
    if (const auto whole = plainWholeNumber(field)) return *whole;
    return readLeadingNumber(field);
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
    m_values.fill(0.0);
    std::size_t position = 0;
    if (cleaning == LineCleaning::DropName) {
        // The keyword holds no "(", so the first "(" of the cleaned line is the line's first.
        const std::size_t bracket = line.find('(');
        if (bracket != std::string_view::npos) position = bracket + 1;
    } else if (keywordAt(line, 0, keyword)) {
        position = keyword.size();
    }
    // Walk the cleaned line lazily: the fields wanted usually end long before the
    // line does. A field is a view into the line unless removed text splits it.
    int field = 0; // 0 while skipping the leading blanks
    FieldText text;
    while (position < line.size()) {
        const char c = line[position];
        if (c == keyword.front() && keywordAt(line, position, keyword)) {
            position += keyword.size();
            text.interrupt();
            continue;
        }
        ++position;
        if (c == '\r' || c == '\n' || c == ')') {
            text.interrupt();
        } else if (c != ' ') {
            if (field == 0) field = 1;
            text.add(line, position - 1, m_joined);
        } else if (field > 0) {
            m_values[static_cast<std::size_t>(field - 1)] = fieldNumber(text.view(line, m_joined));
            text = FieldText{};
            if (++field > count) return m_values;
        }
    }
    if (field > 0) m_values[static_cast<std::size_t>(field - 1)] = fieldNumber(text.view(line, m_joined));
    return m_values;
}

void RecordFieldReader::FieldText::addSplit(std::string_view line, std::size_t at, std::string& joined) {
    if (!m_joined) joined.assign(line.substr(m_start, m_end - m_start));
    m_joined = true;
    m_interrupted = false;
    joined += line[at];
}

} // namespace quillfen
