#pragma once
// Where the window starts when no folder is named on its command line. A
// start from a desktop menu or a terminal has no argument: the models are
// then in the current directory, rarely beside the program (on Linux the
// program lives in a bin folder), and otherwise the modeller is asked.

#include "platform/FileSystem.h"

#include <string>

namespace quillfen {

/// Where the start folder came from.
enum class StartFolderSource {
    CurrentDirectory, ///< it holds 3DS files
    ProgramFolder,    ///< it holds 3DS files, the current directory does not
    AskUser,          ///< neither holds any: `folder` is where a folder dialog starts
};

struct StartFolder {
    StartFolderSource source = StartFolderSource::AskUser;
    std::string folder;
};

/// True when a file name in `folder` contains ".3ds" in any letter case, the
/// same test the start-up's discovery makes.
[[nodiscard]] bool holds3dsFiles(const FileSystem& files, const std::string& folder);

/// The start folder for a start without an argument.
[[nodiscard]] StartFolder chooseStartFolder(const FileSystem& files, const std::string& currentDirectory,
                                            const std::string& programFolder);

} // namespace quillfen
