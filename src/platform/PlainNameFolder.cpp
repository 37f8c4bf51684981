#include "platform/PlainNameFolder.h"

#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>

namespace quillfen {

std::string temporaryFolder() {
    std::error_code error;
    const auto folder = std::filesystem::temp_directory_path(error);
    if (error) return {};
    const std::u8string text = folder.u8string();
    std::string path(text.begin(), text.end());
    while (path.size() > 1 && endsWithSeparator(path)) path.pop_back();
    return path;
}

std::string plainName(std::string_view name, const FitsCodePage& fits) {
    std::string plain;
    for (const char32_t codePoint : toCodePoints(name)) {
        std::string character;
        appendUtf8(character, codePoint);
        plain += fits(character) ? character : std::string("_");
    }
    return plain;
}

namespace {

/// A name for the folder that no other run is using.
std::string unusedFolderIn(const FileSystem& files, const std::string& baseFolder) {
    std::random_device random;
    for (;;) {
        auto folder = joinPath(baseFolder, "quillfen-" + std::to_string(random() % 100000000U));
        if (!files.folderExists(folder) && !files.fileExists(folder)) return folder;
    }
}

/// The copy's name: the original's where it fits, else a plain one, made unique
/// in front (the distance before the extension must stay as it is).
std::string copyName(const std::string& original, std::size_t index, const std::vector<std::string>& taken,
                     const FitsCodePage& fits) {
    std::string name = plainName(original, fits);
    if (std::find(taken.begin(), taken.end(), name) != taken.end())
        name = std::to_string(index + 1) + "_" + name;
    return name;
}

} // namespace

PlainNameFolder::PlainNameFolder(FileSystem& files, std::string folder)
    : m_files(&files), m_folder(std::move(folder)) {}

PlainNameFolder::PlainNameFolder(PlainNameFolder&& other) noexcept
    : m_files(other.m_files), m_folder(std::move(other.m_folder)), m_lodPaths(std::move(other.m_lodPaths)),
      m_outputPath(std::move(other.m_outputPath)) {
    other.m_folder.clear();
}

PlainNameFolder::~PlainNameFolder() {
    removeAll();
}

void PlainNameFolder::removeAll() {
    if (m_folder.empty()) return;
    if (const auto names = m_files->listFiles(m_folder))
        for (const auto& name : *names) (void)m_files->deleteFile(joinPath(m_folder, name));
    (void)m_files->removeEmptyFolder(m_folder);
}

Expected<PlainNameFolder> PlainNameFolder::make(FileSystem& files, const std::string& baseFolder,
                                                const std::vector<std::string>& lodPaths,
                                                const std::string& outputName, const FitsCodePage& fits) {
    if (!fits(baseFolder))
        return Error{baseFolder, "the converter's code page cannot hold this folder's name"};
    PlainNameFolder made(files, unusedFolderIn(files, baseFolder));
    if (auto created = files.createFolder(made.m_folder); !created) {
        made.m_folder.clear();
        return created.error();
    }
    std::vector<std::string> taken = {plainName(outputName, fits)};
    made.m_outputPath = joinPath(made.m_folder, taken.front());
    for (std::size_t i = 0; i < lodPaths.size(); ++i) {
        taken.push_back(copyName(fileNameOf(lodPaths[i]), i, taken, fits));
        const auto copy = joinPath(made.m_folder, taken.back());
        if (auto copied = files.copyFileTo(lodPaths[i], copy); !copied) return copied.error();
        made.m_lodPaths.push_back(copy);
    }
    return made;
}

} // namespace quillfen
