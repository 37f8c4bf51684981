#include "platform/FolderLock.h"

#include "platform/Paths.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillfen {

namespace {

// A lock file removed by its holder between our open and our lock would leave
// us holding a lock on a file nobody else sees; such a race ends after a try or two.
constexpr int kAttempts = 8;

} // namespace

FolderLock::FolderLock(FolderLock&& other) noexcept
    : m_path(std::move(other.m_path)), m_handle(std::exchange(other.m_handle, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        release();
        m_path = std::move(other.m_path);
        m_handle = std::exchange(other.m_handle, -1);
    }
    return *this;
}

FolderLock::~FolderLock() {
    release();
}

#ifndef _WIN32

Expected<FolderLock> FolderLock::tryLock(const std::string& folder) {
    const std::string path = joinPath(collapseSeparators(folder), kFolderLockFileName);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) return Error{folder, std::generic_category().message(errno)};
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int code = errno;
            ::close(fd);
            if (code == EWOULDBLOCK) return Error{folder, kLockHeldReason};
            return Error{folder, std::generic_category().message(code)};
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev)
            return FolderLock(path, fd);
        ::close(fd); // the file we locked was removed meanwhile: take the new one
    }
    return Error{folder, kLockHeldReason};
}

void FolderLock::release() {
    if (m_handle < 0) return;
    // Removed while still held, so nobody can lock the old file after us.
    ::unlink(m_path.c_str());
    ::close(static_cast<int>(m_handle));
    m_handle = -1;
}

#else // Windows

Expected<FolderLock> FolderLock::tryLock(const std::string& folder) {
    const std::string path = joinPath(collapseSeparators(folder), kFolderLockFileName);
    const std::wstring wide = std::filesystem::path(std::u8string(path.begin(), path.end())).wstring();
    DWORD code = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // Deleted by the system when the last handle closes, also when the process dies.
        HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            // A lock file whose holder is just closing it is briefly "delete pending".
            code = GetLastError();
            if (code == ERROR_ACCESS_DENIED) continue;
            break;
        }
        OVERLAPPED whole{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole))
            return FolderLock(path, reinterpret_cast<std::intptr_t>(file));
        code = GetLastError();
        CloseHandle(file);
        if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING) return Error{folder, kLockHeldReason};
        break;
    }
    return Error{folder, std::system_category().message(static_cast<int>(code))};
}

void FolderLock::release() {
    if (m_handle == -1) return;
    CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}

#endif

} // namespace quillfen
