#include "app/StartFolder.h"

#include "app/FolderListing.h"

namespace quillfen {

bool holds3dsFiles(const FileSystem& files, const std::string& folder) {
    const auto names = files.listFiles(folder);
    return names && anyNameContains(*names, ".3ds");
}

StartFolder chooseStartFolder(const FileSystem& files, const std::string& currentDirectory,
                              const std::string& programFolder) {
    if (holds3dsFiles(files, currentDirectory))
        return {StartFolderSource::CurrentDirectory, currentDirectory};
    if (holds3dsFiles(files, programFolder)) return {StartFolderSource::ProgramFolder, programFolder};
    return {StartFolderSource::AskUser, currentDirectory};
}

} // namespace quillfen
