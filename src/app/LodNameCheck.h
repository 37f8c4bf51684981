#pragma once
// The start-up check of the LOD file names: every name must carry a distance
// the converter can read. It also yields the proposed s-file name.

#include "app/StartupMessage.h"
#include "core/ProgramState.h"

#include <optional>

namespace quillfen {

/// gintLODFehler's values.
inline constexpr int kLodNamesGood = 0;
inline constexpr int kLodNameWithoutNumber = 1;
inline constexpr int kLodNameOnlyNumberOrNoLod = 2;

/// Checks `gstrArrLODDateien` in list order (a name with a control character
/// counts as one without a distance), sets `gintLODFehler` and
/// `gstrSDateiVorschlag` (from the first name with a distance above 0), and
/// returns the message of the last offending name, or nothing when all is well.
/// Empty rows (names without a distance) are reported only when every row is
/// empty; then there is no LOD at all.
std::optional<StartupMessage> checkLodNames(ProgramState& state);

} // namespace quillfen
