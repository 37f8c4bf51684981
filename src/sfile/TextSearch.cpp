#include "sfile/TextSearch.h"

#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <functional>

namespace quillfen {

namespace {

/// Below this length a skip table does not pay for itself.
constexpr std::size_t kSkipTableMinLength = 4;

char foldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::size_t findAsciiNoCase(std::string_view text, std::string_view needle, std::size_t from) {
    const std::size_t n = needle.size();
    if (n == 0 || from > text.size() || text.size() - from < n) return std::string_view::npos;
    // Horspool's skip table over folded bytes: a cheap scan for the usual absent needle.
    std::array<std::size_t, 256> skip{};
    skip.fill(n);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const char folded = foldAscii(needle[k]);
        skip[static_cast<unsigned char>(folded)] = n - 1 - k;
        if (folded >= 'A' && folded <= 'Z') skip[static_cast<unsigned char>(folded - 'A' + 'a')] = n - 1 - k;
    }
    for (std::size_t pos = from; pos + n <= text.size();
         pos += skip[static_cast<unsigned char>(text[pos + n - 1])]) {
        std::size_t k = n;
        while (k > 0 && foldAscii(text[pos + k - 1]) == foldAscii(needle[k - 1])) --k;
        if (k == 0) return pos;
    }
    return std::string_view::npos;
}

bool containsNoCaseFast(std::string_view text, std::string_view needle) {
    if (needle.empty()) return true;
    if (isAscii(needle)) return findAsciiNoCase(text, needle) != std::string_view::npos;
    return containsNoCase(text, needle); // a rare non-ASCII name: the plain way
}

std::size_t findText(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || from > text.size() || text.size() - from < needle.size())
        return std::string_view::npos;
    if (needle.size() < kSkipTableMinLength) return text.find(needle, from);
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    const auto hit = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), searcher);
    return hit == text.end() ? std::string_view::npos : static_cast<std::size_t>(hit - text.begin());
}

std::size_t replaceEvery(std::string& text, std::string_view from, std::string_view to) {
    std::size_t hit = findText(text, from);
    if (hit == std::string_view::npos) return 0;
    std::string result;
    result.reserve(text.size() + (to.size() > from.size() ? 64 * (to.size() - from.size()) : 0));
    std::size_t start = 0;
    std::size_t count = 0;
    while (hit != std::string_view::npos) {
        result.append(text, start, hit - start);
        result.append(to);
        start = hit + from.size();
        ++count;
        hit = findText(text, from, start);
    }
    result.append(text, start, std::string::npos);
    text = std::move(result);
    return count;
}

bool replaceFirst(std::string& text, std::string_view from, std::string_view to) {
    const std::size_t hit = findText(text, from);
    if (hit == std::string_view::npos) return false;
    text.replace(hit, from.size(), to);
    return true;
}

} // namespace quillfen
