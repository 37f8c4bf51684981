#include "app/StartFolder.h"

#include "platform/Text.h"

#include <algorithm>

namespace quillfen {

bool holds3dsFiles(const FileSystem& files, const std::string& folder) {
    const auto names = files.listFiles(folder);
    return names && std::any_of(names->begin(), names->end(),
                                [](const std::string& name) { return containsNoCase(name, ".3ds"); });
}

StartFolder chooseStartFolder(const FileSystem& files, const std::string& currentDirectory,
                              const std::string& programFolder) {
    if (holds3dsFiles(files, currentDirectory))
        return {StartFolderSource::CurrentDirectory, currentDirectory};
    if (holds3dsFiles(files, programFolder)) return {StartFolderSource::ProgramFolder, programFolder};
    return {StartFolderSource::AskUser, currentDirectory};
}

} // namespace quillfen
