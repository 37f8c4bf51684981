#include "sfile/TextureCollection.h"

#include "platform/Paths.h"
#include "sfile/IndexedText.h"

#include <string>

namespace quillfen {

namespace {

void logNoTexturesCopied(const ProgramState& state, LogSink& log) {
    log.log(state.text(TextId::LogNoTexturesCopied));
}

void logAccessFailure(const Error& error, const ProgramState& state, LogSink& log) {
    log.log("•" + error.message());
    log.log(state.text(TextId::LogTexturesNoAccess));
}

/// Deletes the files the last run left in the folder; its subfolders stay.
Status emptyTexturesFolder(const std::string& folder, FileSystem& files) {
    if (!files.folderExists(folder)) return {};
    auto names = files.listFiles(folder);
    if (!names) return names.error();
    for (const std::string& name : *names)
        if (Status deleted = files.deleteFile(folder + kSep + name); !deleted) return deleted;
    return {};
}

Status copyUsedFiles(const IndexedText& text, const ShapePaths& paths, const ProgramState& state,
                     FileSystem& files, LogSink& log) {
    for (const std::string& fileName : state.listedFiles()) {
        const std::string source = paths.workingFolder + kSep + fileName;
        if (!text.contains(fileName) || !files.fileExists(source)) continue;
        if (!files.folderExists(paths.texturesFolder)) {
            if (Status created = files.createFolder(paths.texturesFolder); !created) return created;
            log.log(state.text(TextId::LogTexturesCreated));
        }
        if (Status copied = files.copyFile(source, paths.texturesFolder); !copied) return copied;
    }
    return {};
}

void logClosingReport(const std::string& folder, const ProgramState& state, FileSystem& files, LogSink& log) {
    if (!files.folderExists(folder)) return logNoTexturesCopied(state, log);
    auto fileNames = files.listFiles(folder);
    auto folderNames = files.listFolders(folder);
    if (!fileNames) return logAccessFailure(fileNames.error(), state, log);
    if (!folderNames) return logAccessFailure(folderNames.error(), state, log);
    if (fileNames->empty() && !folderNames->empty()) return logNoTexturesCopied(state, log);
    log.log(state.text(TextId::LogTexturesCopied));
}

} // namespace

void KopiereTexturen(const ProgramState& state, const ShapePaths& paths, FileSystem& files, LogSink& log) {
    if (Status emptied = emptyTexturesFolder(paths.texturesFolder, files); !emptied)
        return logAccessFailure(emptied.error(), state, log);
    auto text = files.readText(paths.sFile, TextFormat::Unicode);
    if (!text) return logAccessFailure(text.error(), state, log);
    const auto listed = state.listedFiles();
    const IndexedText indexed(std::move(*text), std::vector<std::string>(listed.begin(), listed.end()));
    if (Status copied = copyUsedFiles(indexed, paths, state, files, log); !copied)
        return logAccessFailure(copied.error(), state, log);
    logClosingReport(paths.texturesFolder, state, files, log);
}

} // namespace quillfen
