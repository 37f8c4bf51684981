#include "app/StartupDiscovery.h"

#include "app/FolderListing.h"
#include "app/LodList.h"
#include "app/LodNameCheck.h"
#include "app/StartupMessages.h"

namespace quillfen {

std::optional<StartupMessage> runStartupDiscovery(ProgramState& state, const FileSystem& fileSystem) {
    setStartupMessageTexts(state);

    const Status listed = LiesDateiFeld(state, fileSystem, state.gstrProgrammPfad, "");
    if (!listed) {
        // A folder that cannot be read holds no usable 3DS file either; the
        // system's reason tells the modeller why.
        StartupMessage message = missing3dsMessage(state);
        message.text += kMessageLineBreak + listed.error().message();
        return message;
    }
    if (!PruefeDateiTyp(state, "*.3ds").empty()) return missing3dsMessage(state);

    FuelleLODListe(state);
    if (auto message = checkLodNames(state)) return message;

    state.gstrSDateiName = state.gstrSDateiVorschlag;
    return std::nullopt;
}

} // namespace quillfen
