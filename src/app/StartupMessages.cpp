#include "app/StartupMessages.h"

#include "sfile/SFileNaming.h"

#include <string>

namespace quillfen {

StartupMessage missing3dsMessage(const ProgramState& state) {
    const std::string cr(1, kMessageLineBreak);
    return {state.text(TextId::StartupFilesMissing), state.text(TextId::StartupInFolder) + cr + cr + "'" +
                                                         state.gstrProgrammPfad + "'" + cr + cr +
                                                         state.text(TextId::StartupNo3dsFile)};
}

StartupMessage missingConverterMessage(const ProgramState& state) {
    return {state.text(TextId::StartupFilesMissing), state.text(TextId::StartupConverterMissing)};
}

StartupMessage noLodMessage(const ProgramState& state) {
    return {{}, state.text(TextId::StartupNoLod)};
}

StartupMessage noDistanceMessage(const ProgramState& state, std::string_view lodFileName) {
    return {{}, state.text(TextId::StartupNoDistance, {lodFileName, lodBaseName(lodFileName)})};
}

StartupMessage onlyNumberMessage(const ProgramState& state, std::string_view lodFileName) {
    return {{}, state.text(TextId::StartupOnlyNumber, {lodFileName, lodBaseName(lodFileName)})};
}

} // namespace quillfen
