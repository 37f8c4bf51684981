#include "sfile/TextureCollection.h"

#include "platform/Paths.h"
#include "sfile/IndexedText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillfen {

namespace {

void logNoTexturesCopied(const ProgramState& state, LogSink& log) {
    log.log(state.text(TextId::LogNoTexturesCopied));
}

void logAccessFailure(const Error& error, const ProgramState& state, LogSink& log) {
    log.log("•" + error.message());
    log.log(state.text(TextId::LogTexturesNoAccess));
}

bool isAmong(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& kept) { return sameFileName(kept, name); });
}

/// Deletes the files an earlier run left in the folder that this run did not
/// copy; its subfolders stay.
Status deleteStaleFiles(const std::string& folder, const std::vector<std::string>& copied,
                        FileSystem& files) {
    if (!files.folderExists(folder)) return {};
    auto names = files.listFiles(folder);
    if (!names) return names.error();
    for (const std::string& name : *names)
        if (!isAmong(copied, name))
            if (Status deleted = files.deleteFileInFolder(folder, name); !deleted) return deleted;
    return {};
}

/// Copies each used file in (each one whole or not at all); `copied` gets their names.
Status copyUsedFiles(const IndexedText& text, const ShapePaths& paths, const ProgramState& state,
                     FileSystem& files, LogSink& log, std::vector<std::string>& copied) {
    for (const std::string& fileName : state.listedFiles()) {
        const std::string source = paths.workingFolder + kSep + fileName;
        if (!text.contains(fileName) || !files.fileExists(source)) continue;
        if (!files.folderExists(paths.texturesFolder)) {
            if (Status created = files.createFolder(paths.texturesFolder); !created) return created;
            log.log(state.text(TextId::LogTexturesCreated));
        }
        if (Status done = files.copyFile(source, paths.texturesFolder); !done) return done;
        copied.push_back(fileName);
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
    // The used textures are copied in first and the stale ones deleted after,
    // so that a run killed in between leaves TEXTURES with every texture the
    // shape in SHAPES uses. A TEXTURES that links elsewhere is not cleaned.
    auto text = files.readText(paths.sFile, TextFormat::Unicode);
    if (!text) return logAccessFailure(text.error(), state, log);
    const bool linked = files.isLink(paths.texturesFolder);
    if (linked) log.log(state.text(TextId::LogFolderIsLink, {"TEXTURES"}));
    const auto listed = state.listedFiles();
    const IndexedText indexed(std::move(*text), std::vector<std::string>(listed.begin(), listed.end()));
    std::vector<std::string> copied;
    if (Status done = copyUsedFiles(indexed, paths, state, files, log, copied); !done)
        return logAccessFailure(done.error(), state, log);
    if (!linked)
        if (Status deleted = deleteStaleFiles(paths.texturesFolder, copied, files); !deleted)
            return logAccessFailure(deleted.error(), state, log);
    logClosingReport(paths.texturesFolder, state, files, log);
}

} // namespace quillfen
