// Replacing and copying files: the program's own temporary names, leftovers of killed runs cleared
// before a write, whole files under the final name, and the system's own reason when a write fails.

#include "platform/DurableFiles.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
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

constexpr bool kWindows = kPathSeparator == '\\';

std::vector<std::string> sortedFiles(const TempFolder& dir, const std::string& sub = {}) {
    auto names = *LocalFileSystem().listFiles(sub.empty() ? dir.path() : dir / sub);
    std::ranges::sort(names);
    return names;
}

TEST(TemporaryFileNames, OneShortPatternOfTheProgramsOwn) {
    // The second form was left by earlier versions.
    for (const std::string& name :
         words("~qf-0123abcd.tmp ~qf-ffffffff.tmp house.s.quillfen-123456.tmp a.quillfen-7.tmp"))
        EXPECT_TRUE(isOwnTemporaryFileName(name)) << name;
    for (const std::string& name :
         words("~qf-0123ABCD.tmp ~qf-0123abc.tmp ~qf-0123abcde.tmp ~qf-0123abcd.tmp.ace "
               "house.s.quillfen-1234567.tmp house.s.quillfen-12a.tmp .quillfen-12.tmp "
               "notes.tmp wall.ace"))
        EXPECT_FALSE(isOwnTemporaryFileName(name)) << name;
    for (int i = 0; i < 20; ++i) {
        const std::string name = temporaryFileName();
        EXPECT_EQ(name.size(), 16u);
        EXPECT_TRUE(isOwnTemporaryFileName(name)) << name;
    }
}

TEST(DurableFiles, WritesAndCopiesClearOnlyTheProgramsLeftoversBesideTheTarget) {
    TempFolder dir;
    LocalFileSystem fs;
    dir.write("wall.ace", "texture");
    const auto leftovers = words("~qf-0123abcd.tmp house.s.quillfen-42.tmp"),
               others = words("notes.tmp ~qf-XYZ.tmp wall.ace");
    for (const std::string write : {"replace", "copy"}) {
        for (const auto& name : leftovers) dir.write("SHAPES/" + name, std::string(1000, 'x'));
        for (const auto& name : others) dir.write("SHAPES/" + name, "keep");
        const Status done = write == "replace" ? fs.replaceFile(dir / "SHAPES/house.s", "new")
                                               : fs.copyFileTo(dir / "wall.ace", dir / "SHAPES/house.s");
        ASSERT_TRUE(done) << write << ": " << done.error().message();
        EXPECT_EQ(sortedFiles(dir, "SHAPES"), words("house.s notes.tmp wall.ace ~qf-XYZ.tmp")) << write;
        for (const auto& name : others) EXPECT_EQ(dir.read("SHAPES/" + name), "keep") << write;
    }
}

TEST(DurableFiles, TheOldFileStaysIntactUnderItsNameAndALinkToItKeepsTheOldContent) {
    TempFolder dir;
    LocalFileSystem fs;
    dir.write("house.s", "old");
    std::error_code linked;
    std::filesystem::create_hard_link(dir.fsPath() / "house.s", dir.fsPath() / "taken-before.s", linked);
    ASSERT_TRUE(fs.replaceFile(dir / "house.s", "new"));
    EXPECT_EQ(dir.read("house.s"), "new");
    if (!linked) {
        EXPECT_EQ(dir.read("taken-before.s"), "old") << "the file was written in place";
    }
    dir.write("source.s", "moved");
    ASSERT_TRUE(fs.moveFileOver(dir / "source.s", dir / "house.s"));
    EXPECT_EQ(dir.read("house.s"), "moved");
    EXPECT_FALSE(dir.exists("source.s"));
    EXPECT_FALSE(fs.moveFileOver(dir / "source.s", dir / "house.s"));
    EXPECT_EQ(dir.read("house.s"), "moved");
}

TEST(DurableFiles, ATargetNameNearTheSystemsLimitFitsWithItsTemporaryFile) {
    TempFolder dir;
    LocalFileSystem fs;
    // The name limit is 255 bytes; on Windows the whole path must stay below 260.
    const std::size_t room = kWindows ? 259 - dir.path().size() - 1 : 255;
    const std::string name = std::string(std::min<std::size_t>(room, 255) - 2, 'n') + ".s";
    dir.write("source.s", "shape");
    ASSERT_TRUE(fs.replaceFile(dir / name, "written"));
    ASSERT_TRUE(fs.copyFileTo(dir / "source.s", dir / name));
    EXPECT_EQ(dir.read(name), "shape");
    EXPECT_EQ(sortedFiles(dir).size(), 2u);
}

TEST(DurableFiles, FailuresNameTheFileAndTheSystemsReason) {
    TempFolder dir;
    LocalFileSystem fs;
    dir.write("wall.ace", "texture");
    const Status noFolder = fs.copyFileTo(dir / "wall.ace", dir / "none/wall.ace");
    ASSERT_FALSE(noFolder);
    EXPECT_NE(noFolder.error().path.find("none"), std::string::npos);
    const Status noSource = copyFileDurably(dir / "missing.ace", dir / "copy.ace");
    ASSERT_FALSE(noSource);
    EXPECT_EQ(noSource.error().path, dir / "missing.ace");
    if (!kWindows) {
        EXPECT_EQ(noSource.error().reason, std::generic_category().message(ENOENT));
    }
    EXPECT_FALSE(noSource.error().reason.empty());
    const Status noTarget = writeFileDurably(dir / "none/house.s", "x");
    ASSERT_FALSE(noTarget);
    EXPECT_NE(noTarget.error().message().find("none"), std::string::npos);
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

TEST(DurableFiles, AWriteThatBreaksOffReportsErrnoAndLeavesTheOldFileAndNoTemporary) {
    TempFolder dir;
    LocalFileSystem fs;
    dir.write("big.ace", std::string(200000, 'b'));
    dir.write("SHAPES/big.ace", "old");
    const std::string target = dir / "SHAPES/big.ace";
    Status copied, replaced;
    {
        const FileSizeLimit limit(50000);
        copied = fs.copyFileTo(dir / "big.ace", target);
        replaced = fs.replaceFile(target, std::string(200000, 'r'));
    }
    for (const Status& status : {copied, replaced}) {
        ASSERT_FALSE(status);
        EXPECT_EQ(status.error().path, target);
        EXPECT_EQ(status.error().reason, std::strerror(EFBIG));
    }
    EXPECT_EQ(dir.read("SHAPES/big.ace"), "old");
    EXPECT_EQ(sortedFiles(dir, "SHAPES"), std::vector<std::string>{"big.ace"});
}

TEST(DurableFiles, ATemporaryFileStillBeingWrittenIsNotClearedAway) {
    TempFolder dir;
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

} // namespace
} // namespace quillfen
