#include "platform/FileSystem.h"

#include "platform/DurableFiles.h"
#include "platform/FileLinks.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillfen {

namespace fs = std::filesystem;

namespace {

/// A UTF-8 path as the standard library wants it (on Windows it would
/// otherwise be read in the ANSI code page).
fs::path toFsPath(const std::string& utf8) {
    const std::string collapsed = collapseSeparators(utf8);
    return fs::path(std::u8string(collapsed.begin(), collapsed.end()));
}

std::string toUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

Error errorFor(const std::string& path, const std::error_code& code) {
    return Error{path, code.message()};
}

/// The whole file mapped into memory for reading; nullopt when it is smaller
/// than kSmallestMappedFile or cannot be mapped. Mapped, a file is read by the
/// processor straight from the system's cache, with no copy into a fresh
/// buffer: a read of a large shape spent a fifth of its time on that copy.
std::optional<FileBytes> mappedFile(const fs::path& path) {
#ifdef _WIN32
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    // A mapping stays open while its view lives.
    const HANDLE mapping =
        GetFileSizeEx(file, &size) && static_cast<std::size_t>(size.QuadPart) >= kSmallestMappedFile
            ? CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr)
            : nullptr;
    CloseHandle(file);
    if (mapping == nullptr) return std::nullopt;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);
    if (view == nullptr) return std::nullopt;
    return FileBytes(
        std::string_view(static_cast<const char*>(view), static_cast<std::size_t>(size.QuadPart)),
        std::shared_ptr<const void>(view, [](const void* at) { UnmapViewOfFile(at); }));
#else
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return std::nullopt;
    struct stat status {};
    const bool mappable = fstat(file, &status) == 0 && S_ISREG(status.st_mode) &&
                          static_cast<std::size_t>(status.st_size) >= kSmallestMappedFile;
    const auto size = static_cast<std::size_t>(status.st_size);
    // Populated: the pages are entered when the file is mapped, not one fault at a time as it is read.
    void* view = mappable ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file, 0) : MAP_FAILED;
    close(file);
    if (view == MAP_FAILED) return std::nullopt;
    return FileBytes(
        std::string_view(static_cast<const char*>(view), size),
        std::shared_ptr<const void>(view, [size](const void* at) { munmap(const_cast<void*>(at), size); }));
#endif
}

Error errorFromErrno(const std::string& path) {
    const int saved = errno;
    return Error{path, saved ? std::strerror(saved) : "unknown error"};
}

} // namespace

Expected<std::string> FileSystem::readText(const std::string& path, TextFormat format) const {
    auto bytes = readBytes(path);
    if (!bytes) return bytes.error();
    const std::string& raw = *bytes;
    const bool hasBom = raw.rfind("\xFF\xFE", 0) == 0 || raw.rfind("\xEF\xBB\xBF", 0) == 0;
    if (format == TextFormat::Unicode && !hasBom) return decodeUtf16Le(raw);
    return decodeText(raw);
}

FileBytes::FileBytes(std::string bytes) {
    auto kept = std::make_shared<const std::string>(std::move(bytes));
    m_bytes = *kept;
    m_keeper = std::move(kept);
}

Expected<FileBytes> FileSystem::mapBytes(const std::string& path) const {
    auto bytes = readBytes(path);
    if (!bytes) return bytes.error();
    return FileBytes(std::move(*bytes));
}

Status FileSystem::deleteFileInFolder(const std::string& folder, const std::string& name) {
    if (isLink(folder)) return Error{folder, kThroughLinkReason};
    return deleteFile(joinPath(folder, name));
}

Status FileSystem::writeUnicodeText(const std::string& path, const std::string& text) {
    return replaceFile(path, encodeUtf16LeWithBom(text));
}

bool LocalFileSystem::fileExists(const std::string& path) const {
    std::error_code ignored;
    return fs::is_regular_file(toFsPath(path), ignored);
}

bool LocalFileSystem::folderExists(const std::string& path) const {
    std::error_code ignored;
    return fs::is_directory(toFsPath(path), ignored);
}

Status LocalFileSystem::createFolder(const std::string& path) {
    std::error_code code;
    if (fs::create_directory(toFsPath(path), code) || (!code && folderExists(path))) return {};
    if (!code) code = std::make_error_code(std::errc::file_exists);
    return errorFor(path, code);
}

bool LocalFileSystem::isLink(const std::string& path) const {
    return isLinkOrJunction(path);
}

Status LocalFileSystem::removeEmptyFolder(const std::string& path) {
    if (!isLink(path) && !folderExists(path)) return Error{path, "not a folder"};
    return removeEmptyFolderNotLink(path);
}

Status LocalFileSystem::moveFile(const std::string& source, const std::string& destinationFolder) {
    if (!fileExists(source)) return Error{source, "file not found"};
    const std::string target = joinPath(destinationFolder, fileNameOf(source));
    std::error_code code;
    if (fs::exists(toFsPath(target), code)) return Error{target, "a file of that name exists already"};
    return moveFileOverDurably(source, target);
}

Status LocalFileSystem::moveFileOver(const std::string& source, const std::string& targetPath) {
    if (!fileExists(source)) return Error{source, "file not found"};
    return moveFileOverDurably(source, targetPath);
}

Status LocalFileSystem::copyFile(const std::string& source, const std::string& destinationFolder) {
    return copyFileTo(source, joinPath(destinationFolder, fileNameOf(source)));
}

Status LocalFileSystem::copyFileTo(const std::string& source, const std::string& targetPath) {
    if (!fileExists(source)) return Error{source, "file not found"};
    if (!folderExists(parentOf(collapseSeparators(targetPath))))
        return Error{parentOf(collapseSeparators(targetPath)), "folder not found"};
    // Copied beside the target first and renamed over it: a copy that breaks off
    // never leaves half a texture where a whole one stood.
    return copyFileDurably(source, targetPath);
}

Status LocalFileSystem::deleteFile(const std::string& path) {
    return deleteFileEntry(path);
}

Status LocalFileSystem::deleteFileInFolder(const std::string& folder, const std::string& name) {
    return quillfen::deleteFileInFolder(folder, name);
}

namespace {

template <class Keep> Expected<std::vector<std::string>> listEntries(const std::string& folder, Keep keep) {
    std::error_code code;
    fs::directory_iterator it(toFsPath(folder), code);
    if (code) return errorFor(folder, code);
    std::vector<std::string> names;
    for (const fs::directory_iterator end; it != end; it.increment(code)) {
        if (code) return errorFor(folder, code);
        std::error_code typeCode;
        if (keep(it->status(typeCode))) names.push_back(toUtf8(it->path().filename()));
    }
    if (code) return errorFor(folder, code);
    return names;
}

} // namespace

Expected<std::vector<std::string>> LocalFileSystem::listFiles(const std::string& folder) const {
    return listEntries(folder, [](const fs::file_status& status) { return fs::is_regular_file(status); });
}

Expected<std::vector<std::string>> LocalFileSystem::listFolders(const std::string& folder) const {
    return listEntries(folder, [](const fs::file_status& status) { return fs::is_directory(status); });
}

Expected<std::string> LocalFileSystem::shortPath(const std::string& path) const {
    if (!fileExists(path)) return Error{path, "file not found"};
#ifdef _WIN32
    const std::wstring wide = toFsPath(path).wstring();
    const DWORD length = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (length == 0) return Error{path, "no short path"};
    std::wstring shortened(length, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), shortened.data(), length);
    if (written == 0 || written >= length) return Error{path, "no short path"};
    shortened.resize(written);
    return toUtf8(fs::path(shortened));
#else
    // No 8.3 names here: the converter is started with an argument list, so
    // blanks in the path need no hiding.
    return collapseSeparators(path);
#endif
}

Expected<std::string> LocalFileSystem::readBytes(const std::string& path) const {
    std::ifstream in(toFsPath(path), std::ios::binary | std::ios::ate);
    if (!in) return errorFromErrno(path);
    const std::streamoff size = in.tellg();
    if (size < 0) return errorFromErrno(path);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    in.read(bytes.data(), size);
    if (in.gcount() != size) return Error{path, "the file changed while it was read"};
    return bytes;
}

Expected<FileBytes> LocalFileSystem::mapBytes(const std::string& path) const {
    if (auto mapped = mappedFile(toFsPath(path))) return std::move(*mapped);
    // Small files, pipes and whatever else cannot be mapped are read; so is a file that
    // cannot be opened, and the read names the reason as every read does.
    return FileSystem::mapBytes(path);
}

Expected<std::string> LocalFileSystem::readBytesUpTo(const std::string& path, std::size_t limit) const {
    std::ifstream in(toFsPath(path), std::ios::binary);
    if (!in) return errorFromErrno(path);
    std::string bytes(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return errorFromErrno(path);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

Status LocalFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    return writeFileDurably(path, bytes);
}

} // namespace quillfen
