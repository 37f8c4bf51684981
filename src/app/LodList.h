#pragma once
// The LOD list: the folder's 3DS files ordered by the display distance in
// their names, nearest first, as rows of the window's check list.

#include "core/ProgramState.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quillfen {

/// One row of the check list `lstLODListe`.
struct LodRow {
    std::string text;
    bool checked = true;

    bool operator==(const LodRow&) const = default;
};

/// Builds `gstrArrLODDateien` (index 0 kept) and `gintAnzahlLODs` from every
/// listed name that contains ".3ds" in any letter case, ordered by the
/// distance before the name's last ".", then by name (plain character order).
/// A name without a distance (or distance 0) becomes an empty row after all
/// rows with one. A distance of more than ten digits cannot take part in the
/// ten-digit ordering: such a name keeps its text and its row comes after every
/// other row, these rows ordered by distance, then name. Returns the rows, all
/// checked; row r belongs to element r + 1.
std::vector<LodRow> FuelleLODListe(ProgramState& state);

/// The rows of the LOD list as built, all checked.
[[nodiscard]] std::vector<LodRow> lodListRows(const ProgramState& state);

/// At least one LOD row stays checked: after the check mark of `changedRow`
/// changed, the row to check again when no row is checked any more.
[[nodiscard]] std::optional<std::size_t> lodRowToRecheck(const std::vector<bool>& checked,
                                                         std::size_t changedRow);

} // namespace quillfen
