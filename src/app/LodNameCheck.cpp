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

bool isControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
}

/// The name with each control character shown as '_', as the s-file name box would clean it.
std::string withoutControlCharacters(std::string name) {
    std::replace_if(name.begin(), name.end(), isControlCharacter, '_');
    return name;
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
        // A line break or other control character in the name would reach the
        // converter's command line and the sd-file's shape line; the name is the
        // file's own, so only the modeller can change it.
        if (std::any_of(name.begin(), name.end(), isControlCharacter)) {
            message = noDistanceMessage(state, withoutControlCharacters(name));
            state.gintLODFehler = kLodNameWithoutNumber;
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
