// quillfen-cli lods [DIR]: the LOD list and the proposed s-file name, as the
// window shows them when it starts in DIR.

#include "Commands.h"

#include "app/LodList.h"
#include "app/Session.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <iostream>
#include <string>

namespace quillfen::cli {

namespace {

/// A message box text for the terminal: each CR a line break, ending with one.
std::string asTerminalLines(const std::string& text) {
    std::string lines = replaceAll(text, "\r", "\n");
    if (lines.empty() || lines.back() != '\n') lines += '\n';
    return lines;
}

} // namespace

int runLods(const Arguments& args) {
    if (args.size() > 1) {
        std::cerr << "quillfen-cli lods: expects at most one folder\n";
        return 2;
    }
    const LocalFileSystem fileSystem;
    ProgramState state;
    state.gstrProgrammPfad = workingFolderOf(args.empty() ? std::string(".") : args.front());
    SavedSettings settings;
    readSavedSettings(fileSystem, state.gstrProgrammPfad, settings);
    if (const auto message = discoverModels(state, settings, fileSystem)) {
        std::cerr << asTerminalLines(message->text);
        return 2;
    }
    for (const auto& row : lodListRows(state)) std::cout << row.text << '\n';
    std::cout << "proposal: " << state.gstrSDateiVorschlag << '\n';
    return 0;
}

} // namespace quillfen::cli
