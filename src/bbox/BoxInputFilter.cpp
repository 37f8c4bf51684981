#include "bbox/BoxInputFilter.h"

#include "platform/TextCodec.h"

#include <algorithm>

namespace quillfen {

namespace {

using Text32 = std::u32string;

Text32 replaceEvery(const Text32& text, std::u32string_view from, std::u32string_view to) {
    Text32 result;
    std::size_t start = 0;
    for (std::size_t found = text.find(from); found != Text32::npos; found = text.find(from, start)) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    result.append(text, start);
    return result;
}

bool contains(const Text32& text, std::u32string_view part) {
    return text.find(part) != Text32::npos;
}

Text32 trimmedBlanks(const Text32& text) {
    const std::size_t first = text.find_first_not_of(U' ');
    if (first == Text32::npos) return {};
    return text.substr(first, text.find_last_not_of(U' ') - first + 1);
}

bool mayStay(char32_t typed) {
    return (typed >= U'0' && typed <= U'9') || typed == U'.' || typed == U'-' || typed == U' ';
}

/// At most six values: the text ends behind its sixth blank. A "-" glued to the
/// value before it gets a blank in front, and the minus itself stays; the caret
/// moves on with a blank put in before it.
Text32 separateAndLimit(const Text32& text, int& caret) {
    Text32 result;
    int blanks = 0;
    const int caretBefore = caret;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'-' && i >= 1 && text[i - 1] != U' ') {
            result += U' ';
            if (static_cast<int>(i) < caretBefore) ++caret;
            if (++blanks == 6) break;
        }
        result += c;
        if (c == U' ' && ++blanks == 6) break;
    }
    return result;
}

/// How many of the "0"s that "-." -> "-0." puts in land before the caret, so the
/// caret stays behind what the user typed: "-." with the caret at its end is
/// "-0." with the caret at its end, and the next digit goes after the point.
int zerosInsertedBefore(const Text32& text, int caret) {
    int count = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == U'-' && text[i + 1] == U'.' && static_cast<int>(i) + 1 < caret) ++count;
    return count;
}

} // namespace

BoxInputEdit filterBoxInputKeyUp(std::string_view text, int caret, char32_t lastTyped) {
    const Text32 original = toCodePoints(text);
    int c = std::clamp(caret, 0, static_cast<int>(original.size()));
    Text32 w = original;
    if (!w.empty() && w.front() == U' ') w = trimmedBlanks(w);
    while (contains(w, U"  ")) {
        w = replaceEvery(w, U"  ", U" ");
        if (c > 0) --c;
    }
    w = replaceEvery(w, U",", U".");
    while (contains(w, U"..")) w = replaceEvery(w, U"..", U".");
    while (contains(w, U"--")) w = replaceEvery(w, U"--", U"-");
    c += zerosInsertedBefore(w, c);
    w = replaceEvery(w, U"-.", U"-0.");
    if (contains(w, U"- ")) {
        w = replaceEvery(w, U"- ", U"-");
        if (c > 0) --c;
    }
    if (!mayStay(lastTyped)) {
        const Text32 typed(1, lastTyped);
        const Text32 without = replaceEvery(w, typed, U"");
        if (without != w && c > 0) --c;
        w = without;
    }
    if (w.size() > 1) w = separateAndLimit(w, c);
    return BoxInputEdit{fromCodePoints(w), std::min(c, static_cast<int>(w.size()))};
}

} // namespace quillfen
