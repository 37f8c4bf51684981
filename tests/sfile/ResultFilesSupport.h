#pragma once
// Shared by the tests of the result-file steps (s-file edits, texture
// collection, sd-file, copies, reference entry): a log recorder, a file system
// that fails one chosen operation, and a working folder with a SHAPES folder.

#include "app/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"
#include "sfile/LogSink.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace quillfen::test {

class RecordingLog final : public LogSink {
public:
    void log(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines; ///< oldest first
};

enum class FsOperation {
    None,
    CreateFolder,
    CopyFile,
    DeleteFile,
    ListFiles,
    ListFolders,
    ReadBytes,
    ReplaceFile
};

/// The real file system, except that one operation fails on paths containing
/// `pathPart` (every path when it is empty), as a locked or full disk would.
class FailingFileSystem final : public FileSystem {
public:
    explicit FailingFileSystem(FsOperation failing = FsOperation::None, std::string pathPart = {})
        : m_failing(failing), m_pathPart(std::move(pathPart)) {}

    [[nodiscard]] bool fileExists(const std::string& path) const override { return m_real.fileExists(path); }
    [[nodiscard]] bool folderExists(const std::string& path) const override {
        return m_real.folderExists(path);
    }
    Status createFolder(const std::string& path) override {
        if (fails(FsOperation::CreateFolder, path)) return injected(path);
        return m_real.createFolder(path);
    }
    Status removeEmptyFolder(const std::string& path) override { return m_real.removeEmptyFolder(path); }
    Status moveFile(const std::string& source, const std::string& folder) override {
        return m_real.moveFile(source, folder);
    }
    Status copyFile(const std::string& source, const std::string& folder) override {
        if (fails(FsOperation::CopyFile, source)) return injected(source);
        return m_real.copyFile(source, folder);
    }
    Status copyFileTo(const std::string& source, const std::string& target) override {
        if (fails(FsOperation::CopyFile, source)) return injected(source);
        return m_real.copyFileTo(source, target);
    }
    Status deleteFile(const std::string& path) override {
        if (fails(FsOperation::DeleteFile, path)) return injected(path);
        return m_real.deleteFile(path);
    }
    [[nodiscard]] Expected<std::vector<std::string>> listFiles(const std::string& folder) const override {
        if (fails(FsOperation::ListFiles, folder)) return injected(folder);
        return m_real.listFiles(folder);
    }
    [[nodiscard]] Expected<std::vector<std::string>> listFolders(const std::string& folder) const override {
        if (fails(FsOperation::ListFolders, folder)) return injected(folder);
        return m_real.listFolders(folder);
    }
    [[nodiscard]] Expected<std::string> shortPath(const std::string& path) const override {
        return m_real.shortPath(path);
    }
    [[nodiscard]] Expected<std::string> readBytes(const std::string& path) const override {
        if (fails(FsOperation::ReadBytes, path)) return injected(path);
        return m_real.readBytes(path);
    }
    Status replaceFile(const std::string& path, const std::string& bytes) override {
        if (fails(FsOperation::ReplaceFile, path)) return injected(path);
        return m_real.replaceFile(path, bytes);
    }

    static constexpr const char* kReason = "injected failure";

private:
    [[nodiscard]] bool fails(FsOperation operation, const std::string& path) const {
        return operation == m_failing && path.find(m_pathPart) != std::string::npos;
    }
    static Error injected(const std::string& path) { return Error{path, kReason}; }

    LocalFileSystem m_real;
    FsOperation m_failing;
    std::string m_pathPart;
};

/// A working folder holding SHAPES/house.s and the given files (in list order).
struct WorkFolder {
    TempFolder folder;
    ProgramState state;

    explicit WorkFolder(const std::string& language = kLanguageEnglish) {
        state.gstrProgrammPfad = folder.path();
        state.gstrSDateiName = "house.s";
        state.gstrSprache = language;
        folder.write("SHAPES/keep", "");
        std::filesystem::remove(folder.fsPath() / "SHAPES" / "keep");
    }
    /// Creates the files in the working folder and lists them in this order.
    void setFiles(const std::vector<std::string>& names) {
        state.gstrArrDateiNamen = {std::string()};
        for (const std::string& name : names) {
            folder.write(name, "content of " + name);
            state.gstrArrDateiNamen.push_back(name);
        }
        state.gintAnzahlDateien = static_cast<int>(names.size());
    }
    /// The s-file's path as the program builds it.
    [[nodiscard]] std::string sFilePath() const {
        return state.gstrProgrammPfad + kSep + "SHAPES" + kSep + state.gstrSDateiName;
    }
    void writeSFile(const std::string& text) const {
        folder.write("SHAPES/house.s", encodeUtf16LeWithBom(text));
    }
    [[nodiscard]] std::string sFileBytes() const { return folder.read("SHAPES/house.s"); }
    [[nodiscard]] std::string sFileText() const { return decodeText(sFileBytes()); }
};

inline const std::vector<std::string> kLanguages{kLanguageEnglish, kLanguageGerman};

} // namespace quillfen::test
