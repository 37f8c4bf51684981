#include "app/FolderListing.h"

#include "platform/Text.h"

#include <algorithm>
#include <tuple>

namespace quillfen {

namespace {

enum class SortMode { None, Name, Suffix };

SortMode sortModeOf(std::string_view word) {
    const std::string lower = toLowerLatin1(word);
    if (lower == "name") return SortMode::Name;
    if (lower == "suffix") return SortMode::Suffix;
    return SortMode::None;
}

/// The lower-cased text after the last "."; the whole lower-cased name without one.
std::string lowerSuffixOf(const std::string& lowerName) {
    const auto dot = lowerName.rfind('.');
    return dot == std::string::npos ? lowerName : lowerName.substr(dot + 1);
}

/// What a name is ordered by, worked out once per name rather than once per comparison.
struct SortKey {
    std::string suffix; // empty in name mode
    std::string lowerName;
    const std::string* name = nullptr;

    bool operator<(const SortKey& other) const {
        return std::tie(suffix, lowerName, *name) < std::tie(other.suffix, other.lowerName, *other.name);
    }
};

} // namespace

Status LiesDateiFeld(ProgramState& state, const FileSystem& fileSystem, const std::string& strVerzeichnisName,
                     std::string_view strSortBy) {
    auto listed = fileSystem.listFiles(strVerzeichnisName);
    if (!listed) return listed.error();
    if (listed->empty()) return {};

    state.gintAnzahlDateien = static_cast<int>(listed->size());
    state.gstrArrDateiNamen.assign(1, std::string());
    state.gstrArrDateiNamen.insert(state.gstrArrDateiNamen.end(), std::make_move_iterator(listed->begin()),
                                   std::make_move_iterator(listed->end()));
    if (!strSortBy.empty()) SortgstrArrDateiNamenBubbleSort(state, strSortBy);
    return {};
}

void SortgstrArrDateiNamenBubbleSort(ProgramState& state, std::string_view strSortBy) {
    sortFileNames(state.gstrArrDateiNamen, strSortBy);
}

void sortFileNames(std::vector<std::string>& names, std::string_view sortBy) {
    const SortMode mode = sortModeOf(sortBy);
    if (mode == SortMode::None) return;

    std::vector<SortKey> keys;
    keys.reserve(names.size());
    for (const auto& name : names) {
        SortKey key{{}, toLowerLatin1(name), &name};
        if (mode == SortMode::Suffix) key.suffix = lowerSuffixOf(key.lowerName);
        keys.push_back(std::move(key));
    }
    std::sort(keys.begin(), keys.end());

    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys) sorted.push_back(*key.name);
    names = std::move(sorted);
}

bool anyNameContains(std::span<const std::string> names, std::string_view extension) {
    return std::any_of(names.begin(), names.end(),
                       [extension](const std::string& name) { return containsNoCase(name, extension); });
}

std::string PruefeDateiTyp(const ProgramState& state, std::string_view pattern) {
    if (!pattern.empty() && pattern.front() == '*') pattern.remove_prefix(1);
    if (anyNameContains(state.listedFiles(), pattern)) return {};
    return std::string(pattern);
}

} // namespace quillfen
