// quillfen-cli lods [DIR]: the LOD list and the proposed s-file name, as the
// window shows them when it starts in DIR.

#include "Commands.h"

#include "app/LodList.h"
#include "app/Session.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <iostream>
#include <memory>
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

int runLods(const std::string& folder) {
    const LocalFileSystem fileSystem;
    ProgramState state;
    state.gstrProgrammPfad = workingFolderOf(folder);
    SavedSettings settings;
    // A damaged settings file is left for a convert run to keep aside.
    (void)readSavedSettings(fileSystem, state.gstrProgrammPfad, settings);
    if (const auto message = discoverModels(state, settings, fileSystem)) {
        std::cerr << asTerminalLines(message->text);
        return 2;
    }
    for (const auto& row : lodListRows(state)) std::cout << row.text << '\n';
    std::cout << "proposal: " << state.gstrSDateiVorschlag << '\n';
    return 0;
}

void addLodsCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand("lods", "List DIR's levels of detail as the window would, then the "
                                               "proposed s-file name");
    auto folder = std::make_shared<std::string>(".");
    command->add_option("DIR", *folder, "the model folder (default: the current folder)");
    command->callback([folder, &exitCode] { exitCode = runLods(*folder); });
}

} // namespace quillfen::cli
