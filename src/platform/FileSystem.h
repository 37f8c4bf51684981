#pragma once
// The file-system service: every file and folder operation of the program goes
// through this interface, so tests can make any single operation fail (the
// tests run as root, where permissions alone would not make a write fail).
//
// Paths are UTF-8 text with the platform's separator (see Paths.h). A doubled
// separator inside a path counts as one.

#include "platform/Expected.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillfen {

/// How a text file's bytes are turned into text when it has no byte-order mark.
enum class TextFormat {
    SystemDefault, ///< UTF-8 when the bytes are valid UTF-8, else Windows-1252
    Unicode,       ///< UTF-16LE (a BOM, when present, is dropped)
};

/// A file's bytes for reading, valid while the value (or a copy of it) lives:
/// a view of the file as the system maps it into memory, or bytes read whole.
class FileBytes {
public:
    FileBytes() = default;
    explicit FileBytes(std::string bytes);
    /// `bytes` stay valid while `keeper` lives (it ends the mapping).
    FileBytes(std::string_view bytes, std::shared_ptr<const void> keeper)
        : m_keeper(std::move(keeper)), m_bytes(bytes) {}

    [[nodiscard]] std::string_view view() const { return m_bytes; }

private:
    std::shared_ptr<const void> m_keeper;
    std::string_view m_bytes;
};

/// Files from this size on are mapped by the local file system's mapBytes,
/// smaller ones read: their copy costs little, and on Linux a mapped file that
/// another program cuts shorter while it is being read ends the reading program.
inline constexpr std::size_t kSmallestMappedFile = std::size_t{4} << 20;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    [[nodiscard]] virtual bool fileExists(const std::string& path) const = 0;
    [[nodiscard]] virtual bool folderExists(const std::string& path) const = 0;

    /// True when the path itself is a symbolic link or a Windows junction (not followed).
    [[nodiscard]] virtual bool isLink(const std::string& path) const = 0;

    virtual Status createFolder(const std::string& path) = 0;
    /// Removes a folder; fails unless it is empty, and refuses a link or junction.
    virtual Status removeEmptyFolder(const std::string& path) = 0;

    /// Moves a file into `destinationFolder` under its own name.
    virtual Status moveFile(const std::string& source, const std::string& destinationFolder) = 0;
    /// Moves a file to an exact path in one step, replacing a file there, so
    /// that the path never stands empty.
    virtual Status moveFileOver(const std::string& source, const std::string& targetPath) = 0;
    /// Copies a file into `destinationFolder` under its own name, replacing a file of that name.
    virtual Status copyFile(const std::string& source, const std::string& destinationFolder) = 0;
    /// Copies a file to an exact target path, replacing it atomically.
    virtual Status copyFileTo(const std::string& source, const std::string& targetPath) = 0;
    /// Deletes the file at `path` (a link there goes itself, a folder never).
    virtual Status deleteFile(const std::string& path) = 0;
    /// Deletes the file `name` from `folder`, refusing when `folder` is a link or
    /// junction: what a run cleans up, it cleans only in its own folders.
    virtual Status deleteFileInFolder(const std::string& folder, const std::string& name);

    /// Names (without folder) of the folder's files, in the order the system lists them.
    [[nodiscard]] virtual Expected<std::vector<std::string>> listFiles(const std::string& folder) const = 0;
    /// Names (without folder) of the folder's subfolders.
    [[nodiscard]] virtual Expected<std::vector<std::string>> listFolders(const std::string& folder) const = 0;

    /// The file's short path form, without blanks where the platform has one
    /// (Windows 8.3 names); elsewhere the path itself.
    [[nodiscard]] virtual Expected<std::string> shortPath(const std::string& path) const = 0;

    /// The file's raw bytes.
    [[nodiscard]] virtual Expected<std::string> readBytes(const std::string& path) const = 0;
    /// The file's bytes for reading without a copy: a reader of a large file so
    /// never holds it twice. Here they are read whole; the local file system maps
    /// a file of kSmallestMappedFile bytes or more into memory.
    [[nodiscard]] virtual Expected<FileBytes> mapBytes(const std::string& path) const;
    /// The file's first bytes, at most `limit` + 1 of them: a caller that must
    /// not read a huge file whole sees from the size whether it was larger.
    [[nodiscard]] virtual Expected<std::string> readBytesUpTo(const std::string& path,
                                                              std::size_t limit) const {
        auto bytes = readBytes(path);
        if (bytes && bytes->size() > limit + 1) bytes->resize(limit + 1);
        return bytes;
    }
    /// Replaces the file by `bytes` atomically and durably: written to a
    /// temporary file in the same folder, flushed to the disk, renamed over the
    /// target, and the folder flushed, so neither a failure nor a power cut
    /// leaves a truncated or empty file where a good one stood.
    virtual Status replaceFile(const std::string& path, const std::string& bytes) = 0;

    /// The whole text of a file as UTF-8. A BOM (UTF-16LE, UTF-8) decides the
    /// encoding; without one, `format` does.
    [[nodiscard]] Expected<std::string> readText(const std::string& path,
                                                 TextFormat format = TextFormat::SystemDefault) const;
    /// Replaces the file by `text`, written as UTF-16LE with a BOM.
    Status writeUnicodeText(const std::string& path, const std::string& text);
};

/// The real file system of the machine.
class LocalFileSystem final : public FileSystem {
public:
    [[nodiscard]] bool fileExists(const std::string& path) const override;
    [[nodiscard]] bool folderExists(const std::string& path) const override;
    [[nodiscard]] bool isLink(const std::string& path) const override;
    Status createFolder(const std::string& path) override;
    Status removeEmptyFolder(const std::string& path) override;
    Status moveFile(const std::string& source, const std::string& destinationFolder) override;
    Status moveFileOver(const std::string& source, const std::string& targetPath) override;
    Status copyFile(const std::string& source, const std::string& destinationFolder) override;
    Status copyFileTo(const std::string& source, const std::string& targetPath) override;
    Status deleteFile(const std::string& path) override;
    Status deleteFileInFolder(const std::string& folder, const std::string& name) override;
    [[nodiscard]] Expected<std::vector<std::string>> listFiles(const std::string& folder) const override;
    [[nodiscard]] Expected<std::vector<std::string>> listFolders(const std::string& folder) const override;
    [[nodiscard]] Expected<std::string> shortPath(const std::string& path) const override;
    [[nodiscard]] Expected<std::string> readBytes(const std::string& path) const override;
    [[nodiscard]] Expected<FileBytes> mapBytes(const std::string& path) const override;
    [[nodiscard]] Expected<std::string> readBytesUpTo(const std::string& path,
                                                      std::size_t limit) const override;
    Status replaceFile(const std::string& path, const std::string& bytes) override;
};

} // namespace quillfen
