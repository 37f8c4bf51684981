// The model folder's lock, against a real second process (the lock probe, tests/fault/lock_probe.cpp):
// a second run is refused at once, and a run that dies without releasing the lock leaves none behind.

#include "platform/FolderLock.h"
#include "platform/Paths.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace quillfen {
namespace {

using test::TempFolder;

enum Probe { kLocked = 0, kHeld = 3, kFailed = 4 };

/// Runs the lock probe on `folder` ("try", or "die": lock, then end without releasing).
int probe(const std::string& folder, const std::string& mode) {
    const int status =
        std::system((toNativeSeparators(QUILLFEN_LOCK_PROBE) + " \"" + folder + "\" " + mode).c_str());
#ifdef WEXITSTATUS
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#else
    return status;
#endif
}

TEST(FolderLock, ASecondProcessIsRefusedAtOnceUntilTheLockIsReleased) {
    TempFolder dir;
    {
        auto lock = FolderLock::tryLock(dir.path());
        ASSERT_TRUE(lock) << lock.error().message();
        EXPECT_EQ(probe(dir.path(), "try"), kHeld);
        const auto again = FolderLock::tryLock(dir.path());
        ASSERT_FALSE(again);
        EXPECT_TRUE(FolderLock::isHeldElsewhere(again.error()));
        EXPECT_EQ(again.error().path, dir.path());
    }
    EXPECT_FALSE(dir.exists(kFolderLockFileName));
    EXPECT_EQ(probe(dir.path(), "try"), kLocked);
    EXPECT_EQ(probe(dir.path(), "die"), kLocked);
    EXPECT_TRUE(FolderLock::tryLock(dir.path())) << "a run that died left a stale lock";
}

TEST(FolderLock, AFolderThatCannotHoldALockGivesTheSystemsReason) {
    TempFolder dir;
    const auto lock = FolderLock::tryLock(dir / "none");
    ASSERT_FALSE(lock);
    EXPECT_FALSE(FolderLock::isHeldElsewhere(lock.error()));
    EXPECT_FALSE(lock.error().reason.empty());
    EXPECT_EQ(probe(dir / "none", "try"), kFailed);
}

} // namespace
} // namespace quillfen
