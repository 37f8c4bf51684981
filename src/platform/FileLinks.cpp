#include "platform/FileLinks.h"

#include "platform/Paths.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillfen {

namespace {

/// The path without separators at its end, so the last component itself is
/// looked at (a trailing separator would make the system follow a link).
std::string withoutTrailingSeparators(const std::string& path) {
    std::string result = collapseSeparators(path);
    while (result.size() > 1 && endsWithSeparator(result)) result.pop_back();
    return result;
}

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != "..";
}

} // namespace

#ifndef _WIN32

namespace {

Error systemError(const std::string& path, int code) {
    return Error{path, std::generic_category().message(code)};
}

} // namespace

bool isLinkOrJunction(const std::string& path) {
    struct stat info {};
    return ::lstat(withoutTrailingSeparators(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

namespace {

/// Removes the entry `name` of the folder open as `folderFd` (AT_FDCWD: the
/// current folder); a link goes itself, a folder never.
Status removeEntry(int folderFd, const std::string& name, const std::string& path) {
    struct stat info {};
    int code = 0;
    if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        code = errno;
    else if (S_ISDIR(info.st_mode))
        code = EISDIR;
    else if (::unlinkat(folderFd, name.c_str(), 0) != 0)
        code = errno;
    if (code == ENOENT) return Error{path, "file not found"};
    if (code != 0) return systemError(path, code);
    return {};
}

} // namespace

Status deleteFileEntry(const std::string& path) {
    const std::string file = withoutTrailingSeparators(path);
    if (!isPlainName(fileNameOf(file))) return systemError(path, EISDIR);
    return removeEntry(AT_FDCWD, file, path);
}

Status deleteFileInFolder(const std::string& folder, const std::string& name) {
    const std::string path = joinPath(folder, name);
    if (!isPlainName(name) || name.find(kPathSeparator) != std::string::npos)
        return systemError(path, EISDIR);
    const std::string opened = withoutTrailingSeparators(folder);
    // Opened without following a link in its place: a link there, even one
    // swapped in just now, is refused.
    const int folderFd = ::open(opened.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0) {
        const int code = errno; // ELOOP or ENOTDIR for a link, by the kind of file system
        if (code == ELOOP || isLinkOrJunction(opened)) return Error{folder, kThroughLinkReason};
        return systemError(folder, code);
    }
    Status removed = removeEntry(folderFd, name, path);
    ::close(folderFd);
    return removed;
}

Status removeEmptyFolderNotLink(const std::string& path) {
    const std::string folder = withoutTrailingSeparators(path);
    if (isLinkOrJunction(folder)) return Error{path, kThroughLinkReason};
    if (::rmdir(folder.c_str()) != 0) return systemError(path, errno);
    return {};
}

#else // Windows

namespace {

std::wstring widePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

Error systemError(const std::string& path, DWORD code) {
    return Error{path, std::system_category().message(static_cast<int>(code))};
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(widePath(withoutTrailingSeparators(path)).c_str());
}

} // namespace

bool isLinkOrJunction(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

Status deleteFileEntry(const std::string& path) {
    const std::string file = withoutTrailingSeparators(path);
    if (!isPlainName(fileNameOf(file))) return systemError(path, ERROR_DIRECTORY);
    const DWORD attributes = attributesOf(file);
    if (attributes == INVALID_FILE_ATTRIBUTES) return Error{path, "file not found"};
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return systemError(path, ERROR_DIRECTORY);
    if (!DeleteFileW(widePath(file).c_str())) return systemError(path, GetLastError());
    return {};
}

Status deleteFileInFolder(const std::string& folder, const std::string& name) {
    const std::string path = joinPath(folder, name);
    if (!isPlainName(name) || name.find_first_of("\\/") != std::string::npos)
        return systemError(path, ERROR_DIRECTORY);
    if (isLinkOrJunction(folder)) return Error{folder, kThroughLinkReason};
    return deleteFileEntry(path);
}

Status removeEmptyFolderNotLink(const std::string& path) {
    const std::string folder = withoutTrailingSeparators(path);
    if (isLinkOrJunction(folder)) return Error{path, kThroughLinkReason};
    if (!RemoveDirectoryW(widePath(folder).c_str())) return systemError(path, GetLastError());
    return {};
}

#endif

} // namespace quillfen
