#include "platform/DurableFiles.h"

#include "platform/FileLinks.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillfen {

namespace {

constexpr std::string_view kTemporaryPrefix = "~qf-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryDigits = 8;
constexpr std::string_view kEarlierInfix = ".quillfen-";
constexpr std::size_t kCopyChunk = 1 << 20;
constexpr int kNameAttempts = 16;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool allOf(std::string_view text, bool (*test)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), test);
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

/// "NAME.quillfen-NNNNNN.tmp", the temporary name of earlier versions.
bool isEarlierTemporaryName(std::string_view name) {
    if (!endsWith(name, kTemporarySuffix)) return false;
    const std::string_view stem = name.substr(0, name.size() - kTemporarySuffix.size());
    const auto infix = stem.rfind(kEarlierInfix);
    if (infix == std::string_view::npos || infix == 0) return false;
    const std::string_view digits = stem.substr(infix + kEarlierInfix.size());
    return digits.size() <= 6 && allOf(digits, [](char c) { return c >= '0' && c <= '9'; });
}

/// The folder and the name of a path as the program writes it.
struct PathParts {
    std::string folder;
    std::string name;
};

PathParts partsOf(const std::string& path) {
    const std::string collapsed = collapseSeparators(path);
    std::string folder = parentOf(collapsed);
    if (folder.empty()) folder = endsWithSeparator(collapsed) ? collapsed.substr(0, 1) : ".";
    return {folder, fileNameOf(collapsed)};
}

} // namespace

std::string temporaryFileName() {
    static thread_local std::mt19937 random{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryDigits; ++i) name += kDigits[random() % 16];
    name += kTemporarySuffix;
    return name;
}

bool isOwnTemporaryFileName(std::string_view name) {
    if (isEarlierTemporaryName(name)) return true;
    if (name.size() != kTemporaryPrefix.size() + kTemporaryDigits + kTemporarySuffix.size()) return false;
    return name.substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix && endsWith(name, kTemporarySuffix) &&
           allOf(name.substr(kTemporaryPrefix.size(), kTemporaryDigits), isHexDigit);
}

#ifndef _WIN32

namespace {

Error systemError(const std::string& path, int code) {
    return Error{path, std::generic_category().message(code)};
}

/// A descriptor closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

Expected<Descriptor> openFolder(const std::string& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) return systemError(folder, errno);
    return fd;
}

/// 0, or the errno of the first failing write.
int writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

/// Flushes a folder so a rename in it survives a power cut. Some file systems
/// cannot flush a folder at all (EINVAL); that is no failure of the write.
Status flushFolder(int folderFd, const std::string& folder) {
    if (::fsync(folderFd) != 0 && errno != EINVAL) return systemError(folder, errno);
    return {};
}

/// A temporary file beside the target, created exclusively and locked for as
/// long as it is written, so that another run's clean-up passes it over.
class TemporaryFile {
public:
    static Expected<TemporaryFile> create(int folderFd, const std::string& targetPath) {
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = temporaryFileName();
            Descriptor fd(::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (fd.valid()) {
                ::flock(fd.get(), LOCK_EX | LOCK_NB);
                return TemporaryFile(folderFd, std::move(name), std::move(fd));
            }
            if (errno != EEXIST) return systemError(targetPath, errno);
        }
        return systemError(targetPath, EEXIST);
    }
    TemporaryFile(TemporaryFile&&) noexcept = default;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!m_name.empty()) ::unlinkat(m_folderFd, m_name.c_str(), 0);
    }

    [[nodiscard]] int fd() const { return m_fd.get(); }

    /// Flushes the content, renames it over `targetName` and flushes the folder.
    Status commit(const std::string& targetName, const std::string& targetPath, const std::string& folder) {
        if (::fsync(m_fd.get()) != 0) return systemError(targetPath, errno);
        if (::renameat(m_folderFd, m_name.c_str(), m_folderFd, targetName.c_str()) != 0)
            return systemError(targetPath, errno);
        m_name.clear();
        return flushFolder(m_folderFd, folder);
    }

private:
    TemporaryFile(int folderFd, std::string name, Descriptor fd)
        : m_folderFd(folderFd), m_name(std::move(name)), m_fd(std::move(fd)) {}
    int m_folderFd;
    std::string m_name; ///< empty once renamed
    Descriptor m_fd;
};

bool heldByAnotherWrite(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return false;
    return errno == EWOULDBLOCK;
}

void removeLeftoversIn(int folderFd) {
    const int listing = ::dup(folderFd);
    if (listing < 0) return;
    DIR* dir = ::fdopendir(listing);
    if (dir == nullptr) {
        ::close(listing);
        return;
    }
    ::rewinddir(dir);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir))
        if (isOwnTemporaryFileName(entry->d_name)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : names) {
        Descriptor fd(::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (!heldByAnotherWrite(fd.get())) ::unlinkat(folderFd, name.c_str(), 0);
    }
}

/// Copies the open source into the temporary file; a failing read names the source.
Status copyContent(int sourceFd, const std::string& sourcePath, int targetFd, const std::string& targetPath) {
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        const ssize_t got = ::read(sourceFd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return systemError(sourcePath, errno);
        }
        if (got == 0) return {};
        if (const int code = writeAll(targetFd, buffer.data(), static_cast<std::size_t>(got)))
            return systemError(targetPath, code);
    }
}

/// Runs `fill` on a fresh temporary file beside `targetPath`, then commits it.
template <class Fill> Status replaceThrough(const std::string& targetPath, Fill fill) {
    const PathParts parts = partsOf(targetPath);
    auto folderFd = openFolder(parts.folder);
    if (!folderFd) return folderFd.error();
    removeTemporaryLeftovers(parts.folder);
    auto temporary = TemporaryFile::create(folderFd->get(), targetPath);
    if (!temporary) return temporary.error();
    if (Status filled = fill(temporary->fd()); !filled) return filled;
    return temporary->commit(parts.name, targetPath, parts.folder);
}

} // namespace

Status writeFileDurably(const std::string& targetPath, std::string_view bytes) {
    return replaceThrough(targetPath, [&](int fd) -> Status {
        if (const int code = writeAll(fd, bytes.data(), bytes.size())) return systemError(targetPath, code);
        return {};
    });
}

Status copyFileDurably(const std::string& sourcePath, const std::string& targetPath) {
    const std::string source = collapseSeparators(sourcePath);
    Descriptor sourceFd(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!sourceFd.valid()) return systemError(sourcePath, errno);
    return replaceThrough(targetPath,
                          [&](int fd) { return copyContent(sourceFd.get(), sourcePath, fd, targetPath); });
}

Status moveFileOverDurably(const std::string& sourcePath, const std::string& targetPath) {
    const PathParts from = partsOf(sourcePath);
    const PathParts to = partsOf(targetPath);
    {
        // What the converter wrote reaches the disk before its name moves.
        Descriptor sourceFd(::open(collapseSeparators(sourcePath).c_str(), O_RDONLY | O_CLOEXEC));
        if (!sourceFd.valid()) return systemError(sourcePath, errno);
        if (::fsync(sourceFd.get()) != 0 && errno != EINVAL) return systemError(sourcePath, errno);
    }
    auto fromFd = openFolder(from.folder);
    if (!fromFd) return fromFd.error();
    auto toFd = openFolder(to.folder);
    if (!toFd) return toFd.error();
    if (::renameat(fromFd->get(), from.name.c_str(), toFd->get(), to.name.c_str()) != 0) {
        if (errno != EXDEV) return systemError(sourcePath, errno);
        if (Status copied = copyFileDurably(sourcePath, targetPath); !copied) return copied;
        if (::unlinkat(fromFd->get(), from.name.c_str(), 0) != 0) return systemError(sourcePath, errno);
    }
    if (Status flushed = flushFolder(toFd->get(), to.folder); !flushed) return flushed;
    return flushFolder(fromFd->get(), from.folder);
}

void removeTemporaryLeftovers(const std::string& folder) {
    // Only in the folder itself: never through a link in its place.
    std::string path = collapseSeparators(folder);
    while (path.size() > 1 && endsWithSeparator(path)) path.pop_back();
    const Descriptor folderFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folderFd.valid()) removeLeftoversIn(folderFd.get());
}

#else // Windows

namespace {

std::wstring widePath(const std::string& utf8) {
    const std::string collapsed = collapseSeparators(utf8);
    return std::filesystem::path(std::u8string(collapsed.begin(), collapsed.end())).wstring();
}

std::string utf8Name(const wchar_t* name) {
    const std::u8string text = std::filesystem::path(name).u8string();
    return {text.begin(), text.end()};
}

Error systemError(const std::string& path, DWORD code) {
    return Error{path, std::system_category().message(static_cast<int>(code))};
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    Handle(Handle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = INVALID_HANDLE_VALUE; }
    Handle& operator=(Handle&& other) noexcept {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    void close() {
        if (valid()) CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    [[nodiscard]] HANDLE get() const { return m_handle; }
    [[nodiscard]] bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

/// 0, or the system's code of the first failing write.
DWORD writeAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, kCopyChunk));
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr)) return GetLastError();
        data += written;
        size -= written;
    }
    return 0;
}

/// Flushes a folder's entries. Not every file system lets a folder be opened
/// for this; the rename was already made with write-through then.
void flushFolder(const std::wstring& folder) {
    Handle handle(CreateFileW(folder.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle.valid()) FlushFileBuffers(handle.get());
}

void removeLeftoversIn(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> names;
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
            isOwnTemporaryFileName(utf8Name(found.cFileName)))
            names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    // A temporary file still being written is open without delete sharing: its delete fails.
    for (const std::wstring& name : names) DeleteFileW((folder + L"\\" + name).c_str());
}

/// Runs `fill` on a fresh temporary file beside `targetPath`, flushes it and
/// renames it over the target with write-through.
template <class Fill> Status replaceThrough(const std::string& targetPath, Fill fill) {
    const PathParts parts = partsOf(targetPath);
    const std::wstring folder = widePath(parts.folder);
    const std::wstring target = widePath(targetPath);
    removeTemporaryLeftovers(parts.folder);
    std::wstring temporary;
    Handle file;
    for (int attempt = 0; attempt < kNameAttempts && !file.valid(); ++attempt) {
        temporary = folder + L"\\" + widePath(temporaryFileName());
        file = Handle(CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS)
            return systemError(targetPath, GetLastError());
    }
    if (!file.valid()) return systemError(targetPath, ERROR_FILE_EXISTS);
    Status result = fill(file.get());
    if (result && !FlushFileBuffers(file.get())) result = systemError(targetPath, GetLastError());
    file.close();
    if (result &&
        !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = systemError(targetPath, GetLastError());
    if (!result) {
        DeleteFileW(temporary.c_str());
        return result;
    }
    flushFolder(folder);
    return {};
}

} // namespace

Status writeFileDurably(const std::string& targetPath, std::string_view bytes) {
    return replaceThrough(targetPath, [&](HANDLE file) -> Status {
        if (const DWORD code = writeAll(file, bytes.data(), bytes.size()))
            return systemError(targetPath, code);
        return {};
    });
}

Status copyFileDurably(const std::string& sourcePath, const std::string& targetPath) {
    Handle source(CreateFileW(widePath(sourcePath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source.valid()) return systemError(sourcePath, GetLastError());
    return replaceThrough(targetPath, [&](HANDLE file) -> Status {
        std::vector<char> buffer(kCopyChunk);
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
                return systemError(sourcePath, GetLastError());
            if (got == 0) return {};
            if (const DWORD code = writeAll(file, buffer.data(), got)) return systemError(targetPath, code);
        }
    });
}

Status moveFileOverDurably(const std::string& sourcePath, const std::string& targetPath) {
    if (!MoveFileExW(widePath(sourcePath).c_str(), widePath(targetPath).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
        return systemError(sourcePath, GetLastError());
    flushFolder(widePath(partsOf(targetPath).folder));
    return {};
}

void removeTemporaryLeftovers(const std::string& folder) {
    // Only in the folder itself: never through a junction or link in its place.
    if (!isLinkOrJunction(folder)) removeLeftoversIn(widePath(folder));
}

#endif

} // namespace quillfen
