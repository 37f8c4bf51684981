#pragma once
// Shared by the result-file and run tests: a file system that fails one chosen operation, and a working
// folder.

#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"
#include "support/RecordingLog.h"
#include "support/TempFolder.h"

#include <algorithm>

namespace quillfen::test {

enum class FsOperation { None, CreateFolder, MoveFile, CopyFile, DeleteFile, ReadBytes, ReplaceFile };

/// The real file system, except that one operation fails with `reason` on paths ending in `pathEnd` once
/// `passes` such calls went through (the tests run as root, where permissions alone would not fail).
class FailingFileSystem final : public FileSystem {
    using S = const std::string&;
    using enum FsOperation;

public:
    explicit FailingFileSystem(FsOperation fail = None, std::string end = {})
        : failing(fail), pathEnd(std::move(end)) {}
    FsOperation failing;
    std::string pathEnd;
    mutable int passes = 0;
    static constexpr const char* kReason = "Permission denied";
    std::string reason = kReason;

    [[nodiscard]] bool fileExists(S p) const override { return m_real.fileExists(p); }
    [[nodiscard]] bool folderExists(S p) const override { return m_real.folderExists(p); }
    [[nodiscard]] bool isLink(S p) const override { return m_real.isLink(p); }
    Status createFolder(S p) override { return fails(CreateFolder, p) ? denied(p) : m_real.createFolder(p); }
    Status removeEmptyFolder(S p) override { return m_real.removeEmptyFolder(p); }
    Status moveFile(S s, S d) override { return fails(MoveFile, s) ? denied(s) : m_real.moveFile(s, d); }
    Status moveFileOver(S s, S t) override {
        return fails(MoveFile, s) ? denied(s) : m_real.moveFileOver(s, t);
    }
    Status copyFile(S s, S d) override { return fails(CopyFile, s) ? denied(s) : m_real.copyFile(s, d); }
    Status copyFileTo(S s, S t) override { return fails(CopyFile, s) ? denied(s) : m_real.copyFileTo(s, t); }
    Status deleteFile(S p) override { return fails(DeleteFile, p) ? denied(p) : m_real.deleteFile(p); }
    Status deleteFileInFolder(S f, S n) override {
        return fails(DeleteFile, joinPath(f, n)) ? denied(joinPath(f, n)) : m_real.deleteFileInFolder(f, n);
    }
    [[nodiscard]] Expected<std::vector<std::string>> listFiles(S f) const override {
        return m_real.listFiles(f);
    }
    [[nodiscard]] Expected<std::vector<std::string>> listFolders(S f) const override {
        return m_real.listFolders(f);
    }
    [[nodiscard]] Expected<std::string> shortPath(S p) const override { return m_real.shortPath(p); }
    [[nodiscard]] Expected<std::string> readBytes(S p) const override {
        return fails(ReadBytes, p) ? Expected<std::string>(denied(p)) : m_real.readBytes(p);
    }
    Status replaceFile(S p, S b) override {
        return fails(ReplaceFile, p) ? denied(p) : m_real.replaceFile(p, b);
    }

private:
    [[nodiscard]] bool fails(FsOperation op, S p) const {
        return op == failing && std::string_view(p).ends_with(pathEnd) && passes-- <= 0;
    }
    [[nodiscard]] Error denied(S path) const { return Error{path, reason}; }
    LocalFileSystem m_real;
};

/// A working folder holding an empty SHAPES folder, with the state, the file system and a log for the
/// steps that write in it; the s-file is SHAPES/house.s.
struct WorkFolder {
    TempFolder folder;
    ProgramState state;
    ShapePaths paths = ShapePaths::of(folder.path(), "house.s");
    LocalFileSystem files;
    RecordingLog log;

    explicit WorkFolder(Language language = Language::English) {
        state.gstrProgrammPfad = folder.path();
        state.gstrSprache = language;
        std::filesystem::create_directories(folder.fsPath() / "SHAPES");
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
    [[nodiscard]] std::string sFilePath() const { return paths.sFile; }
    void writeSFile(const std::string& text) const {
        folder.write("SHAPES/house.s", encodeUtf16LeWithBom(text));
    }
    [[nodiscard]] std::string sFileBytes() const { return folder.read("SHAPES/house.s"); }
    [[nodiscard]] std::string sFileText() const { return decodeText(sFileBytes()); }
};

inline const std::vector<Language> kLanguages{Language::English, Language::German};

/// The German text for German, the English one otherwise.
inline std::string pickText(Language language, const std::string& german, const std::string& english) {
    return language == Language::German ? german : english;
}

/// Names of the entries of a folder below `root`, sorted; empty when it is missing.
inline std::vector<std::string> entriesIn(const TempFolder& root, const std::string& sub) {
    std::vector<std::string> names;
    if (!std::filesystem::is_directory(root.fsPath() / sub)) return names;
    for (const auto& e : std::filesystem::directory_iterator(root.fsPath() / sub))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/// A converter-style s-file with the given shaders, images and texture entries (by default one per image).
inline std::string sampleSFile(const std::vector<std::string>& images, std::vector<std::string> textures = {},
                               const std::vector<std::string>& shaders = {"TexDiff"}) {
    if (textures.empty())
        for (std::size_t k = 0; k < images.size(); ++k)
            textures.push_back("texture ( " + std::to_string(k) + " 0 0 ff000000 )");
    std::string text = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n";
    text += "\tshader_names ( " + std::to_string(shaders.size()) + "\r\n";
    for (const std::string& shader : shaders) text += "\t\tnamed_shader ( " + shader + " )\r\n";
    text += "\t)\r\n\tpoints ( 1\r\n\t\tpoint ( 0 0 0 )\r\n\t)\r\n";
    text += "\timages ( " + std::to_string(images.size()) + "\r\n";
    for (const std::string& image : images) text += "\t\timage ( " + image + " )\r\n";
    text += "\t)\r\n\ttextures ( " + std::to_string(textures.size()) + "\r\n";
    for (const std::string& texture : textures) text += "\t\t" + texture + "\r\n";
    return text + "\t)\r\n)";
}

/// A real s-file of the shared test data, as text.
inline std::string realSFile(const std::string& name) {
    return *LocalFileSystem().readText(testDataDir() + "/sfiles/" + name);
}

} // namespace quillfen::test
