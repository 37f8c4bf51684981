// The local file system: durable replaces and copies, links never deleted through, the model folder's lock.

#include "platform/DurableFiles.h"
#include "platform/FileLinks.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace quillfen {
namespace {

using test::TempFolder;
using test::words;
namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
protected:
    TempFolder dir;
    LocalFileSystem files;
};

TEST_F(FileTest, LocalFileSystemMovesCopiesAndDeletesIntoFoldersUnderTheFilesOwnName) {
    dir.write("house.s", "shape");
    ASSERT_TRUE(files.createFolder(dir / "SHAPES"));
    EXPECT_TRUE(files.createFolder(dir / "SHAPES")); // an existing folder is fine
    ASSERT_TRUE(files.moveFile(dir / "house.s", dir / "SHAPES" + kSep));
    EXPECT_TRUE(dir.exists("SHAPES/house.s") && !dir.exists("house.s"));

    ASSERT_TRUE(files.createFolder(dir / "copy"));
    dir.write("copy/house.s", "older");
    ASSERT_TRUE(files.copyFile(dir / "SHAPES" + kSep + kSep + "house.s", dir / "copy"));
    EXPECT_EQ(dir.read("copy/house.s"), "shape");
    EXPECT_FALSE(files.copyFile(dir / "SHAPES/house.s", dir / "nowhere"));

    ASSERT_TRUE(files.deleteFile(dir / "copy/house.s"));
    EXPECT_TRUE(files.removeEmptyFolder(dir / "copy"));
    EXPECT_FALSE(files.removeEmptyFolder(dir / "SHAPES"));
}

constexpr bool kWindows = kPathSeparator == '\\';

std::vector<std::string> sortedFiles(const TempFolder& dir, const std::string& sub = {}) {
    auto names = *LocalFileSystem().listFiles(sub.empty() ? dir.path() : dir / sub);
    std::ranges::sort(names);
    return names;
}

TEST(TemporaryFileNames, OneShortPatternOfTheProgramsOwn) {
    // The second form was left by earlier versions.
    for (const std::string& name :
         words("~qf-0123abcd.tmp house.s.quillfen-123456.tmp " + temporaryFileName()))
        EXPECT_TRUE(isOwnTemporaryFileName(name)) << name;
    for (const std::string& name : words("~qf-0123ABCD.tmp ~qf-0123abcde.tmp ~qf-0123abcd.tmp.ace "
                                         "house.s.quillfen-1234567.tmp .quillfen-12.tmp notes.tmp"))
        EXPECT_FALSE(isOwnTemporaryFileName(name)) << name;
}

TEST_F(FileTest, DurableFilesWritesAndCopiesClearOnlyTheProgramsLeftoversBesideTheTarget) {
    dir.write("wall.ace", "texture");
    const auto leftovers = words("~qf-0123abcd.tmp house.s.quillfen-42.tmp"),
               others = words("notes.tmp ~qf-XYZ.tmp wall.ace");
    for (const std::string write : {"replace", "copy"}) {
        for (const auto& name : leftovers) dir.write("SHAPES/" + name, std::string(1000, 'x'));
        for (const auto& name : others) dir.write("SHAPES/" + name, "keep");
        const Status done = write == "replace" ? files.replaceFile(dir / "SHAPES/house.s", "new")
                                               : files.copyFileTo(dir / "wall.ace", dir / "SHAPES/house.s");
        ASSERT_TRUE(done) << write << ": " << done.error().message();
        EXPECT_EQ(sortedFiles(dir, "SHAPES"), words("house.s notes.tmp wall.ace ~qf-XYZ.tmp")) << write;
        for (const auto& name : others) EXPECT_EQ(dir.read("SHAPES/" + name), "keep") << write;
    }
}

TEST_F(FileTest, DurableFilesTheOldFileStaysIntactUnderItsNameAndALinkToItKeepsTheOldContent) {
    dir.write("house.s", "old");
    std::error_code linked;
    std::filesystem::create_hard_link(dir.fsPath() / "house.s", dir.fsPath() / "taken-before.s", linked);
    ASSERT_TRUE(files.replaceFile(dir / "house.s", "new"));
    EXPECT_EQ(dir.read("house.s"), "new");
    if (!linked) {
        EXPECT_EQ(dir.read("taken-before.s"), "old") << "the file was written in place";
    }
    dir.write("source.s", "moved");
    ASSERT_TRUE(files.moveFileOver(dir / "source.s", dir / "house.s"));
    EXPECT_EQ(dir.read("house.s"), "moved");
    EXPECT_FALSE(dir.exists("source.s"));
    EXPECT_FALSE(files.moveFileOver(dir / "source.s", dir / "house.s"));
    EXPECT_EQ(dir.read("house.s"), "moved");
}

TEST_F(FileTest, DurableFilesATargetNameNearTheSystemsLimitFitsWithItsTemporaryFile) {
    // The name limit is 255 bytes; on Windows the whole path must stay below 260.
    const std::size_t room = kWindows ? 259 - dir.path().size() - 1 : 255;
    const std::string name = std::string(std::min<std::size_t>(room, 255) - 2, 'n') + ".s";
    dir.write("source.s", "shape");
    ASSERT_TRUE(files.replaceFile(dir / name, "written"));
    ASSERT_TRUE(files.copyFileTo(dir / "source.s", dir / name));
    EXPECT_EQ(dir.read(name), "shape");
    EXPECT_EQ(sortedFiles(dir).size(), 2u);
}

#ifndef _WIN32
/// A write beyond the process's file size limit fails as a full disk does: with errno.
struct FileSizeLimit {
    rlimit saved{};
    void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved), std::signal(SIGXFSZ, handler); }
};

TEST_F(FileTest, DurableFilesAWriteThatBreaksOffReportsErrnoAndLeavesTheOldFileAndNoTemporary) {
    dir.write("big.ace", std::string(200000, 'b'));
    dir.write("SHAPES/big.ace", "old");
    const std::string target = dir / "SHAPES/big.ace";
    Status copied, replaced;
    {
        const FileSizeLimit limit(50000);
        copied = files.copyFileTo(dir / "big.ace", target);
        replaced = files.replaceFile(target, std::string(200000, 'r'));
    }
    for (const Status& status : {copied, replaced}) {
        ASSERT_FALSE(status);
        EXPECT_EQ(status.error().path, target);
        EXPECT_EQ(status.error().reason, std::strerror(EFBIG));
    }
    EXPECT_EQ(dir.read("SHAPES/big.ace"), "old");
    EXPECT_EQ(sortedFiles(dir, "SHAPES"), std::vector<std::string>{"big.ace"});
}

TEST_F(FileTest, DurableFilesATemporaryFileStillBeingWrittenIsNotClearedAway) {
    dir.write("SHAPES/~qf-00000001.tmp", "being written");
    const int held = ::open((dir / "SHAPES/~qf-00000001.tmp").c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    removeTemporaryLeftovers(dir / "SHAPES");
    EXPECT_TRUE(dir.exists("SHAPES/~qf-00000001.tmp"));
    ::close(held);
    removeTemporaryLeftovers(dir / "SHAPES");
    EXPECT_FALSE(dir.exists("SHAPES/~qf-00000001.tmp"));
}
#endif

/// A symbolic link to a folder; false where the system will not make one.
bool linked(const TempFolder& dir, const char* target, const char* link) {
    std::error_code made;
    fs::create_directory_symlink(dir.fsPath() / target, dir.fsPath() / link, made);
    return !made;
}

TEST_F(FileTest, FileLinksCleaningNeverGoesThroughALinkedFolder) {
    dir.write("model/house_100.3ds", "model");
    dir.write("other/textures/wall.ace", "someone else's");
    if (!linked(dir, "model", "model/TEXTURES") || !linked(dir, "other/textures", "model/SHAPES"))
        GTEST_SKIP() << "no symbolic links here";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // folder, name, the file kept
        {dir / "model/TEXTURES", "house_100.3ds", "model/house_100.3ds"},
        {dir / "model/TEXTURES" + kSep, "house_100.3ds", "model/house_100.3ds"},
        {dir / "model/SHAPES", "wall.ace", "other/textures/wall.ace"},
        {dir / "model", "TEXTURES/house_100.3ds", "model/house_100.3ds"},
        {dir / "model/TEXTURES", "..", "model/TEXTURES"},
    };
    for (const auto& [folder, name, kept] : cases) {
        EXPECT_FALSE(files.deleteFileInFolder(folder, name)) << folder << " " << name;
        EXPECT_TRUE(dir.exists(kept)) << folder << " " << name;
    }
    EXPECT_EQ(files.deleteFileInFolder(dir / "model/TEXTURES", "house_100.3ds").error().reason,
              kThroughLinkReason);
    // a model folder reached through a link is the folder the user chose
    ASSERT_TRUE(linked(dir, "model", "chosen"));
    dir.write("model/house_.s", "stale converter output");
    ASSERT_TRUE(files.deleteFile(dir / "chosen/house_.s"));
    EXPECT_FALSE(dir.exists("model/house_.s"));
    // a write through the link works, but clears no leftovers behind it
    dir.write("model/~qf-0123abcd.tmp", "left by a killed run");
    ASSERT_TRUE(files.replaceFile(dir / "model/TEXTURES/AddToRef.txt", "entry"));
    EXPECT_TRUE(dir.exists("model/~qf-0123abcd.tmp"));
    for (const std::string& path : {dir / "model/TEXTURES", dir / "model/TEXTURES" + kSep})
        EXPECT_TRUE(files.isLink(path)) << path;
    for (const std::string& path : {dir / "model", dir / "model/house_100.3ds", dir / "none"})
        EXPECT_FALSE(files.isLink(path)) << path;
}

TEST_F(FileTest, FileLinksALinkInsideAFolderGoesItselfAndAFolderIsNeverDeletedAsAFile) {
    dir.write("wall.ace", "texture");
    dir.write("TEXTURES/sub/keep.ace", "kept");
    std::error_code made;
    fs::create_symlink(dir.fsPath() / "wall.ace", dir.fsPath() / "TEXTURES/wall.ace", made);
    if (made) GTEST_SKIP() << "no symbolic links here: " << made.message();
    ASSERT_TRUE(files.deleteFileInFolder(dir / "TEXTURES", "wall.ace"));
    EXPECT_EQ(dir.read("wall.ace"), "texture");
    for (const std::string& path : {dir / "TEXTURES/sub", dir / "TEXTURES/sub/..", dir / "TEXTURES/."})
        EXPECT_FALSE(files.deleteFile(path)) << path;
    EXPECT_TRUE(dir.exists("TEXTURES/sub/keep.ace"));
    EXPECT_FALSE(files.deleteFile(dir / "TEXTURES/none.ace"));
}

TEST_F(FileTest, FileLinksAnEmptyFolderBehindALinkKeepsLinkAndFolder) {
    for (const char* folder : {"other/textures", "model"}) fs::create_directories(dir.fsPath() / folder);
    if (!linked(dir, "other/textures", "model/TEXTURES")) GTEST_SKIP() << "no symbolic links here";
    const Status removed = files.removeEmptyFolder(dir / "model/TEXTURES");
    ASSERT_FALSE(removed);
    EXPECT_EQ(removed.error().reason, kThroughLinkReason);
    EXPECT_TRUE(files.isLink(dir / "model/TEXTURES"));
    EXPECT_TRUE(files.folderExists(dir / "other/textures"));
    EXPECT_TRUE(files.removeEmptyFolder(dir / "other/textures"));
}

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

TEST_F(FileTest, FolderLockASecondProcessIsRefusedAtOnceUntilTheLockIsReleased) {
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

TEST_F(FileTest, FolderLockAFolderThatCannotHoldALockGivesTheSystemsReason) {
    const auto lock = FolderLock::tryLock(dir / "none");
    ASSERT_FALSE(lock);
    EXPECT_FALSE(FolderLock::isHeldElsewhere(lock.error()));
    EXPECT_FALSE(lock.error().reason.empty());
    EXPECT_EQ(probe(dir / "none", "try"), kFailed);
}

} // namespace
} // namespace quillfen
