// Deletes that stay in their folder: a TEXTURES or SHAPES that is a symbolic link (to the model folder
// itself, or to another model's textures) is never deleted through.

#include "platform/FileLinks.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace quillfen {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

/// A symbolic link to a folder; false where the system will not make one.
bool linked(const TempFolder& dir, const char* target, const char* link) {
    std::error_code made;
    fs::create_directory_symlink(dir.fsPath() / target, dir.fsPath() / link, made);
    return !made;
}

TEST(FileLinks, CleaningNeverGoesThroughALinkedFolder) {
    TempFolder dir;
    LocalFileSystem files;
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

TEST(FileLinks, ALinkInsideAFolderGoesItselfAndAFolderIsNeverDeletedAsAFile) {
    TempFolder dir;
    LocalFileSystem files;
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

TEST(FileLinks, AnEmptyFolderBehindALinkKeepsLinkAndFolder) {
    TempFolder dir;
    LocalFileSystem files;
    for (const char* folder : {"other/textures", "model"}) fs::create_directories(dir.fsPath() / folder);
    if (!linked(dir, "other/textures", "model/TEXTURES")) GTEST_SKIP() << "no symbolic links here";
    const Status removed = files.removeEmptyFolder(dir / "model/TEXTURES");
    ASSERT_FALSE(removed);
    EXPECT_EQ(removed.error().reason, kThroughLinkReason);
    EXPECT_TRUE(files.isLink(dir / "model/TEXTURES"));
    EXPECT_TRUE(files.folderExists(dir / "other/textures"));
    EXPECT_TRUE(files.removeEmptyFolder(dir / "other/textures"));
}

} // namespace
} // namespace quillfen
