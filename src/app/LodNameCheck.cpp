#include "app/LodNameCheck.h"

#include "app/StartupMessages.h"
#include "sfile/SFileNaming.h"

#include <algorithm>

namespace quillfen {

namespace {

bool everyLodRowEmpty(const ProgramState& state) {
    return std::all_of(state.gstrArrLODDateien.begin() + 1, state.gstrArrLODDateien.end(),
                       [](const std::string& entry) { return entry.empty(); });
}

} // namespace

std::optional<StartupMessage> checkLodNames(ProgramState& state) {
    state.gstrSDateiVorschlag.clear();
    state.gintLODFehler = kLodNamesGood;
    if (state.gstrArrLODDateien.empty()) state.gstrArrLODDateien.emplace_back();

    std::optional<StartupMessage> message;
    for (std::size_t i = 1; i < state.gstrArrLODDateien.size(); ++i) {
        const std::string& name = state.gstrArrLODDateien[i];
        if (name.empty()) {
            // Empty rows sort after every row with a distance (only names with an
            // overlong distance follow them), so an empty first row means no file has one.
            if (i == 1 && everyLodRowEmpty(state)) {
                message = noLodMessage(state);
                state.gintLODFehler = kLodNameOnlyNumberOrNoLod;
            }
            continue;
        }
        const auto distance = ErmittleLODEntfernung(name, state.gstrSDateiVorschlag);
        if (distance == 0 || distance == kLodNoNumber) {
            message = noDistanceMessage(state, name);
            state.gintLODFehler = kLodNameWithoutNumber;
        } else if (distance == kLodOnlyNumber) {
            message = onlyNumberMessage(state, name);
            state.gintLODFehler = kLodNameOnlyNumberOrNoLod;
        }
    }
    return message;
}

} // namespace quillfen
