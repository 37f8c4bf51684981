#include "sfile/TextureCollection.h"

#include "platform/Paths.h"
#include "sfile/IndexedText.h"
#include "sfile/SFilePaths.h"

#include <string>

namespace quillfen {

namespace {

void logNoTexturesCopied(const ProgramState& state, LogSink& log) {
    logInLanguage(log, state, "•es werden keine ace-Texturen in das Verzeichnis TEXTURES kopiert",
                  "•no ace-textures copied to directory TEXTURES");
}

void logAccessFailure(const Error& error, const ProgramState& state, LogSink& log) {
    logInLanguage(log, state, "•" + error.message(), "•" + error.message());
    logInLanguage(log, state,
                  "•kein Zugriff auf Verzeichnis TEXTURES. Vermulich blockiert eine offene s-Datei!",
                  "•can't access to folder TEXTURES. Probably an open s-file blocks access!");
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

Status copyUsedFiles(const IndexedText& text, const std::string& folder, const ProgramState& state,
                     FileSystem& files, LogSink& log) {
    Status result;
    forEachListedFile(state, [&](const std::string& fileName) {
        if (!result) return;
        const std::string source = state.gstrProgrammPfad + kSep + fileName;
        if (!text.contains(fileName) || !files.fileExists(source)) return;
        if (!files.folderExists(folder)) {
            result = files.createFolder(folder);
            if (!result) return;
            logInLanguage(log, state, "•das Verzeichnis TEXTURES ist erzeugt",
                          "•the directory TEXTURES is created");
        }
        result = files.copyFile(source, folder);
    });
    return result;
}

void logClosingReport(const std::string& folder, const ProgramState& state, FileSystem& files, LogSink& log) {
    if (!files.folderExists(folder)) return logNoTexturesCopied(state, log);
    auto fileNames = files.listFiles(folder);
    auto folderNames = files.listFolders(folder);
    if (!fileNames) return logAccessFailure(fileNames.error(), state, log);
    if (!folderNames) return logAccessFailure(folderNames.error(), state, log);
    if (fileNames->empty() && !folderNames->empty()) return logNoTexturesCopied(state, log);
    logInLanguage(log, state, "•alle verwendeten Texturen sind in das Verzeichnis TEXTURES kopiert",
                  "•all used textures are copied to directory TEXTURES");
}

} // namespace

void KopiereTexturen(const ProgramState& state, FileSystem& files, LogSink& log) {
    const std::string folder = texturesFolderPath(state);
    if (Status emptied = emptyTexturesFolder(folder, files); !emptied)
        return logAccessFailure(emptied.error(), state, log);
    auto text = files.readText(sFilePath(state), TextFormat::Unicode);
    if (!text) return logAccessFailure(text.error(), state, log);
    std::vector<std::string> names;
    forEachListedFile(state, [&](const std::string& fileName) { names.push_back(fileName); });
    if (Status copied = copyUsedFiles(IndexedText(std::move(*text), names), folder, state, files, log);
        !copied)
        return logAccessFailure(copied.error(), state, log);
    logClosingReport(folder, state, files, log);
}

} // namespace quillfen
