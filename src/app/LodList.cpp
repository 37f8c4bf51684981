#include "app/LodList.h"

#include "app/FolderListing.h"
#include "platform/Text.h"

#include <algorithm>
#include <tuple>

namespace quillfen {

namespace {

constexpr std::size_t kKeyDigits = 10;
/// The key of a name without a distance: it sorts after every real distance
/// and leaves an empty row once the key is cut off.
const std::string kNoDistanceKey(kKeyDigits, '9');

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// The digits just before the name's last ".", without leading zeros
/// (empty when there are none or they are all zeros).
std::string distanceDigitsOf(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::size_t start = dot;
    while (start > 0 && isDigit(name[start - 1])) --start;
    while (start < dot && name[start] == '0') ++start;
    return name.substr(start, dot - start);
}

/// A name whose distance is too long for the ten-digit key.
struct OverlongEntry {
    std::string digits;
    std::string name;

    bool operator<(const OverlongEntry& other) const {
        return std::forward_as_tuple(digits.size(), digits, name) <
               std::forward_as_tuple(other.digits.size(), other.digits, other.name);
    }
};

struct KeyedEntries {
    std::vector<std::string> keyed; ///< ten-digit key + name, or the no-distance key alone
    std::vector<OverlongEntry> overlong;
};

KeyedEntries keyLodNames(const ProgramState& state) {
    KeyedEntries entries;
    for (const std::string& name : state.listedFiles()) {
        if (!containsNoCase(name, ".3DS")) continue;
        std::string digits = distanceDigitsOf(name);
        if (digits.size() > kKeyDigits) {
            entries.overlong.push_back({std::move(digits), name});
        } else if (digits.empty()) {
            entries.keyed.push_back(kNoDistanceKey);
        } else {
            entries.keyed.push_back(std::string(kKeyDigits - digits.size(), '0') + digits + name);
        }
    }
    return entries;
}

} // namespace

std::vector<LodRow> FuelleLODListe(ProgramState& state) {
    KeyedEntries entries = keyLodNames(state);
    std::sort(entries.keyed.begin(), entries.keyed.end());
    std::sort(entries.overlong.begin(), entries.overlong.end());

    const std::string converterArguments =
        state.gstrArrLODDateien.empty() ? std::string() : state.gstrArrLODDateien.front();
    state.gstrArrLODDateien.assign(1, converterArguments);
    for (const auto& entry : entries.keyed) state.gstrArrLODDateien.push_back(entry.substr(kKeyDigits));
    for (const auto& entry : entries.overlong) state.gstrArrLODDateien.push_back(entry.name);
    state.gintAnzahlLODs = static_cast<int>(state.gstrArrLODDateien.size() - 1);
    return lodListRows(state);
}

std::vector<LodRow> lodListRows(const ProgramState& state) {
    std::vector<LodRow> rows;
    for (std::size_t i = 1; i < state.gstrArrLODDateien.size(); ++i)
        rows.push_back({state.gstrArrLODDateien[i], true});
    return rows;
}

std::optional<std::size_t> lodRowToRecheck(const std::vector<bool>& checked, std::size_t changedRow) {
    if (changedRow >= checked.size()) return std::nullopt;
    if (std::find(checked.begin(), checked.end(), true) != checked.end()) return std::nullopt;
    return changedRow;
}

} // namespace quillfen
