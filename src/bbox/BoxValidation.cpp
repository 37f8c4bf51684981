#include "bbox/BoxValidation.h"

#include "platform/Numbers.h"
#include "platform/Text.h"

#include <vector>

namespace quillfen {

namespace {

/// Replaces `from` by `to` until no `from` is left ("...." -> ".").
std::string collapseRepeats(std::string text, std::string_view from, std::string_view to) {
    while (text.find(from) != std::string::npos) text = replaceAll(text, from, to);
    return text;
}

/// Splits at `separator` into at most `limit` fields, the last one taking the rest.
std::vector<std::string_view> splitLimited(std::string_view text, char separator, std::size_t limit) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (fields.size() + 1 < limit) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos) break;
        fields.push_back(text.substr(start, found - start));
        start = found + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

/// The text with its TABs and brackets gone and the keyword of a pasted display line removed.
std::string withoutDecoration(std::string text) {
    if (!text.empty() && text.back() == '.') text.pop_back();
    text = removeAll(toLowerLatin1(text), "esd_bounding_box");
    for (const char* noise : {"\t", "(", ")"}) text = removeAll(text, noise);
    return trimBlanks(text);
}

} // namespace

std::string validiereBoundingBox(std::string_view inputText, int decimalPlaces) {
    std::string text = trimBlanks(inputText);
    if (text.empty()) return text;
    text = withoutDecoration(std::move(text));
    text = collapseRepeats(replaceAll(text, ",", "."), "..", ".");
    text = collapseRepeats(std::move(text), "--", "-");
    text = replaceAll(text, " ", "|") + "||||||";

    const auto fields = splitLimited(text, '|', 7);
    std::string joined;
    for (std::size_t i = 0; i < 6; ++i) {
        if (i > 0) joined += ' ';
        joined += formatZeroPointHashes(roundHalfEven(readLeadingNumber(fields[i]), decimalPlaces));
    }
    return trimBlanks(joined);
}

std::string boxDisplayLine(std::string_view inputText) {
    return std::string(kBoxLinePrefix) + std::string(inputText) + " )";
}

std::string boxDisplayAfterInputChange(std::string_view inputText) {
    std::string line = std::string(kBoxLinePrefix) + std::string(inputText);
    int blanks = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ' && ++blanks == 8) {
            line.resize(i);
            break;
        }
    }
    return trimBlanks(line) + " )";
}

} // namespace quillfen
