#pragma once
// One run at a time per model folder. The lock is an operating-system lock on
// the file "Quillfen.lock" in the folder: the system releases it when the
// process ends in any way, so a killed run never leaves a stale lock behind.

#include "platform/Expected.h"

#include <cstdint>
#include <string>
#include <utility>

namespace quillfen {

inline constexpr const char* kFolderLockFileName = "Quillfen.lock";
/// The reason given when another process holds the folder's lock.
inline constexpr const char* kLockHeldReason = "held by another run";

class FolderLock {
public:
    /// Takes the lock of `folder` at once, or fails at once: with
    /// kLockHeldReason when another run holds it, else with the system's reason.
    [[nodiscard]] static Expected<FolderLock> tryLock(const std::string& folder);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    /// Releases the lock and removes the lock file.
    ~FolderLock();

    [[nodiscard]] static bool isHeldElsewhere(const Error& error) { return error.reason == kLockHeldReason; }

private:
    FolderLock(std::string path, std::intptr_t handle) : m_path(std::move(path)), m_handle(handle) {}
    void release();

    std::string m_path;
    std::intptr_t m_handle = -1; ///< a descriptor, or a Windows HANDLE
};

} // namespace quillfen
