#include "run/RouteCopies.h"

#include "platform/Paths.h"
#include "platform/Text.h"

#include <algorithm>
#include <string>

namespace quillfen {

namespace {

constexpr std::size_t kRouteTargets = 2; ///< targets 0 and 1 are route folders

/// The file must be there after a copy; the file-system service copies at once,
/// so it is looked for once instead of waited for.
Status confirmFile(const FileSystem& files, const std::string& path) {
    if (files.fileExists(path)) return {};
    return Error{path, "the copied file is not there"};
}

Status copyInto(FileSystem& files, const std::string& source, const std::string& folder) {
    if (Status copied = files.copyFile(source, folder); !copied) return copied;
    return confirmFile(files, joinPath(folder, fileNameOf(source)));
}

/// Creates the folder when it is missing.
Status ensureFolder(FileSystem& files, const std::string& folder) {
    if (files.folderExists(folder)) return {};
    if (Status created = files.createFolder(folder); !created) return created;
    if (files.folderExists(folder)) return {};
    return Error{folder, "the created folder is not there"};
}

/// Every file of the working folder's TEXTURES into the route's TEXTURES.
Status copyTextures(const std::string& caption, const ShapePaths& paths, FileSystem& files) {
    const std::string target = caption + kSep + existingFolderName(files, caption, "TEXTURES");
    if (Status ensured = ensureFolder(files, target); !ensured) return ensured;
    const std::string& source = paths.texturesFolder;
    if (!files.folderExists(source)) return {};
    auto names = files.listFiles(source);
    if (!names) return names.error();
    for (const std::string& name : *names)
        if (Status copied = copyInto(files, source + kSep + name, target); !copied) return copied;
    return {};
}

Status serveTarget(std::size_t index, const CopyChoices& choices, const ProgramState& state,
                   const ShapePaths& paths, FileSystem& files, LogSink& log) {
    const std::string& caption = choices.targets[index].lblCopyPfad;
    if (!files.folderExists(caption)) {
        log.log(state.text(TextId::LogNoValidTarget));
        log.log(state.text(TextId::LogMissingTargetFolder, {std::to_string(index + 1), caption}));
        return {};
    }
    const bool isRoute = index < kRouteTargets;
    const std::string targetPath =
        copyTargetPath(caption, isRoute ? existingFolderName(files, caption, "SHAPES") : "");
    if (isRoute)
        if (Status ensured = ensureFolder(files, targetPath); !ensured) return ensured;
    if (Status copied = copyInto(files, paths.sFile, targetPath); !copied) return copied;
    if (isRoute) {
        if (Status copied = copyInto(files, paths.sdFile, targetPath); !copied) return copied;
        if (choices.chkTextureCopy == 1)
            if (Status copied = copyTextures(caption, paths, files); !copied) return copied;
    }
    log.log(state.text(TextId::LogSFileCopied, {targetPath}));
    return {};
}

} // namespace

std::string copyTargetPath(const std::string& caption, const std::string& shapesFolderName) {
    const std::string path =
        shapesFolderName.empty() ? caption + kSep : caption + kSep + shapesFolderName + kSep;
    return collapseSeparators(path);
}

std::string existingFolderName(const FileSystem& files, const std::string& parent,
                               const std::string& wanted) {
    // Asked by listing, not by existence: on a file system that ignores letter
    // case "SHAPES" exists when the folder is called "Shapes", and the log
    // should name the folder as it is.
    const auto folders = files.listFolders(parent);
    if (!folders) return wanted;
    if (std::find(folders->begin(), folders->end(), wanted) != folders->end()) return wanted;
    for (const std::string& name : *folders)
        if (equalsNoCase(name, wanted)) return name;
    return wanted;
}

Status copyToTargets(const CopyChoices& choices, const ProgramState& state, const ShapePaths& paths,
                     FileSystem& files, LogSink& log) {
    for (std::size_t index = 0; index < choices.targets.size(); ++index) {
        if (choices.targets[index].chkShapeTo != 1) continue;
        if (Status served = serveTarget(index, choices, state, paths, files, log); !served) return served;
    }
    return {};
}

} // namespace quillfen
