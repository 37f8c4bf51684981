#include "sfile/IndexedText.h"

#include "sfile/TextSearch.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quillfen {

namespace {

/// More occurrences than this (names like "a" in a big text) are not worth keeping.
constexpr std::size_t kMaxOccurrences = 1u << 20;
/// A bound on the automaton's table (a folder of many thousand files): beyond it, plain searches.
constexpr std::size_t kMaxTableCells = 1u << 24;

char foldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string foldAscii(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = foldAscii(c);
    return folded;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

IndexedText::IndexedText(std::string text, const std::vector<std::string>& names) : m_text(std::move(text)) {
    // The patterns: each folded name once; their bytes make up the alphabet.
    m_classOf.assign(256, 0);
    std::array<std::uint8_t, 256> classOfFolded{};
    for (const std::string& name : names) {
        if (name.empty()) continue;
        std::string folded = foldAscii(name);
        if (!m_patternIds.emplace(folded, static_cast<int>(m_patterns.size())).second) continue;
        for (const char c : folded) {
            auto& cls = classOfFolded[static_cast<unsigned char>(c)];
            if (cls == 0) cls = static_cast<std::uint8_t>(m_classes++);
        }
        m_longest = std::max(m_longest, folded.size());
        m_patterns.push_back(std::move(folded));
    }
    for (std::size_t b = 0; b < 256; ++b)
        m_classOf[b] = classOfFolded[static_cast<unsigned char>(foldAscii(static_cast<char>(b)))];

    std::size_t totalLength = 0;
    for (const std::string& pattern : m_patterns) totalLength += pattern.size();
    if ((totalLength + 1) * m_classes > kMaxTableCells) {
        m_indexed = false;
        return;
    }

    // The trie of the patterns, one row of `m_classes` transitions per state.
    const std::size_t classes = m_classes;
    m_next.assign(classes, -1);
    m_output.assign(1, -1);
    for (std::size_t id = 0; id < m_patterns.size(); ++id) {
        std::size_t state = 0;
        for (const char c : m_patterns[id]) {
            const std::size_t cell = state * classes + m_classOf[static_cast<unsigned char>(c)];
            if (m_next[cell] < 0) {
                m_next[cell] = static_cast<std::int32_t>(m_output.size());
                m_output.push_back(-1);
                m_next.resize(m_next.size() + classes, -1);
            }
            state = static_cast<std::size_t>(m_next[cell]);
        }
        m_output[state] = static_cast<std::int32_t>(id);
    }

    // Breadth first: the missing transitions follow the longest suffix that is a prefix.
    std::vector<std::int32_t> fail(m_output.size(), 0);
    m_nextOutput.assign(m_output.size(), -1);
    std::vector<std::size_t> queue;
    for (std::size_t cls = 0; cls < classes; ++cls) {
        if (m_next[cls] < 0)
            m_next[cls] = 0;
        else
            queue.push_back(static_cast<std::size_t>(m_next[cls]));
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::size_t state = queue[head];
        for (std::size_t cls = 0; cls < classes; ++cls) {
            const std::size_t cell = state * classes + cls;
            const std::int32_t viaFail = m_next[static_cast<std::size_t>(fail[state]) * classes + cls];
            if (m_next[cell] < 0) {
                m_next[cell] = viaFail;
                continue;
            }
            const auto child = static_cast<std::size_t>(m_next[cell]);
            fail[child] = viaFail;
            const auto suffix = static_cast<std::size_t>(viaFail);
            m_nextOutput[child] = m_output[suffix] >= 0 ? viaFail : m_nextOutput[suffix];
            queue.push_back(child);
        }
    }

    m_leavesRoot.assign(256, 0);
    for (std::size_t b = 0; b < 256; ++b) m_leavesRoot[b] = m_next[m_classOf[b]] != 0 ? 1 : 0;

    m_occurrences.assign(m_patterns.size(), {});
    if (!m_patterns.empty()) scan(0, m_text.size(), m_occurrences);
    std::size_t total = 0;
    for (const auto& positions : m_occurrences) total += positions.size();
    if (total > kMaxOccurrences) {
        m_indexed = false;
        m_occurrences.clear();
    }
}

void IndexedText::scan(std::size_t begin, std::size_t end,
                       std::vector<std::vector<std::size_t>>& found) const {
    std::size_t state = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (state == 0) { // most of a shape's bytes start no name: pass them quickly
            while (i < end && !m_leavesRoot[static_cast<unsigned char>(m_text[i])]) ++i;
            if (i == end) break;
        }
        state = static_cast<std::size_t>(
            m_next[state * m_classes + m_classOf[static_cast<unsigned char>(m_text[i])]]);
        for (std::int32_t out = m_output[state] >= 0 ? static_cast<std::int32_t>(state) : m_nextOutput[state];
             out >= 0; out = m_nextOutput[static_cast<std::size_t>(out)]) {
            const auto id = static_cast<std::size_t>(m_output[static_cast<std::size_t>(out)]);
            found[id].push_back(i + 1 - m_patterns[id].size());
        }
    }
}

int IndexedText::patternOf(std::string_view name) const {
    if (!m_indexed || name.empty()) return -1;
    const auto it = m_patternIds.find(foldAscii(name));
    return it == m_patternIds.end() ? -1 : it->second;
}

bool IndexedText::contains(std::string_view name) const {
    const int id = patternOf(name);
    if (id < 0) return containsText(m_text, name);
    const auto& positions = m_occurrences[static_cast<std::size_t>(id)];
    return std::any_of(positions.begin(), positions.end(),
                       [&](std::size_t p) { return m_text.compare(p, name.size(), name) == 0; });
}

std::size_t IndexedText::findFirst(std::string_view name) const {
    const std::vector<std::size_t> sites = replacementSites(name, 1);
    return sites.empty() ? std::string::npos : sites.front();
}

bool IndexedText::containsNoCase(std::string_view name) const {
    const int id = patternOf(name);
    if (id < 0 || !isAscii(name)) return containsNoCaseFast(m_text, name);
    return !m_occurrences[static_cast<std::size_t>(id)].empty();
}

std::vector<std::size_t> IndexedText::replacementSites(std::string_view from, std::size_t limit) const {
    std::vector<std::size_t> sites;
    const int id = patternOf(from);
    if (id < 0) {
        for (std::size_t hit = findText(m_text, from); hit != std::string::npos && sites.size() < limit;
             hit = findText(m_text, from, hit + from.size()))
            sites.push_back(hit);
        return sites;
    }
    std::size_t freeFrom = 0;
    for (const std::size_t p : m_occurrences[static_cast<std::size_t>(id)]) {
        if (sites.size() >= limit) break;
        if (p < freeFrom || m_text.compare(p, from.size(), from) != 0) continue;
        sites.push_back(p);
        freeFrom = p + from.size();
    }
    return sites;
}

void IndexedText::replaceAt(const std::vector<std::size_t>& sites, std::size_t fromLength,
                            std::string_view to) {
    if (fromLength == to.size()) {
        for (const std::size_t site : sites) m_text.replace(site, fromLength, to);
        return;
    }
    std::string result;
    result.reserve(m_text.size() + sites.size() * to.size());
    std::size_t start = 0;
    for (const std::size_t site : sites) {
        result.append(m_text, start, site - start);
        result.append(to);
        start = site + fromLength;
    }
    result.append(m_text, start, std::string::npos);
    m_text = std::move(result);
}

void IndexedText::dropAndShift(const std::vector<std::size_t>& sites, std::size_t fromLength,
                               std::ptrdiff_t delta) {
    for (std::size_t id = 0; id < m_occurrences.size(); ++id) {
        const std::size_t length = m_patterns[id].size();
        std::vector<std::size_t> kept;
        kept.reserve(m_occurrences[id].size());
        for (const std::size_t p : m_occurrences[id]) {
            // The first replaced place that ends after p; it overlaps the occurrence when it starts before
            // its end.
            const auto after =
                std::upper_bound(sites.begin(), sites.end(), p,
                                 [&](std::size_t pos, std::size_t site) { return pos < site + fromLength; });
            if (after != sites.end() && *after < p + length) continue;
            kept.push_back(
                static_cast<std::size_t>(static_cast<std::ptrdiff_t>(p) + (after - sites.begin()) * delta));
        }
        m_occurrences[id] = std::move(kept);
    }
}

void IndexedText::indexAround(const std::vector<std::size_t>& newSites, std::size_t toLength) {
    std::vector<std::vector<std::size_t>> found(m_patterns.size());
    for (const std::size_t site : newSites) {
        const std::size_t begin = site >= m_longest ? site - m_longest + 1 : 0;
        const std::size_t end = std::min(m_text.size(), site + toLength + m_longest - 1);
        std::vector<std::vector<std::size_t>> window(m_patterns.size());
        scan(begin, end, window);
        for (std::size_t id = 0; id < window.size(); ++id)
            for (const std::size_t p : window[id])
                if (p < site + toLength && p + m_patterns[id].size() > site) found[id].push_back(p);
    }
    for (std::size_t id = 0; id < found.size(); ++id) {
        if (found[id].empty()) continue;
        auto& positions = m_occurrences[id];
        std::sort(found[id].begin(), found[id].end());
        found[id].erase(std::unique(found[id].begin(), found[id].end()), found[id].end());
        const auto middle = static_cast<std::ptrdiff_t>(positions.size());
        positions.insert(positions.end(), found[id].begin(), found[id].end());
        std::inplace_merge(positions.begin(), positions.begin() + middle, positions.end());
    }
}

std::size_t IndexedText::replaceEvery(std::string_view from, std::string_view to) {
    if (from.empty()) return 0;
    const std::vector<std::size_t> sites = replacementSites(from, std::numeric_limits<std::size_t>::max());
    if (sites.empty()) return 0;
    replaceAt(sites, from.size(), to);
    if (m_indexed) {
        const std::ptrdiff_t delta =
            static_cast<std::ptrdiff_t>(to.size()) - static_cast<std::ptrdiff_t>(from.size());
        dropAndShift(sites, from.size(), delta);
        std::vector<std::size_t> newSites;
        newSites.reserve(sites.size());
        for (std::size_t k = 0; k < sites.size(); ++k)
            newSites.push_back(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(sites[k]) +
                                                        static_cast<std::ptrdiff_t>(k) * delta));
        indexAround(newSites, to.size());
    }
    return sites.size();
}

bool IndexedText::replaceFirst(std::string_view from, std::string_view to) {
    if (from.empty()) return false;
    const std::vector<std::size_t> sites = replacementSites(from, 1);
    if (sites.empty()) return false;
    replaceAt(sites, from.size(), to);
    if (m_indexed) {
        dropAndShift(sites, from.size(),
                     static_cast<std::ptrdiff_t>(to.size()) - static_cast<std::ptrdiff_t>(from.size()));
        indexAround(sites, to.size());
    }
    return true;
}

} // namespace quillfen
