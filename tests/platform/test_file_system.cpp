#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quillfen {
namespace {

using test::TempFolder;

TEST(LocalFileSystem, WritesUnicodeAndReadsEveryEncodingBack) {
    TempFolder dir;
    LocalFileSystem fs;
    ASSERT_TRUE(fs.writeUnicodeText(dir / "a.s", "image ( Wand.ace )\r\n"));
    EXPECT_EQ(dir.read("a.s").substr(0, 4), std::string("\xFF\xFEi\0", 4));
    EXPECT_EQ(*fs.readText(dir / "a.s"), "image ( Wand.ace )\r\n");
    dir.write("b.txt", "M\xFC"
                       "ller");
    EXPECT_EQ(*fs.readText(dir / "b.txt"), "M\xC3\xBCller");
    dir.write("c.s", std::string("a\0b\0", 4));
    EXPECT_EQ(*fs.readText(dir / "c.s", TextFormat::Unicode), "ab");
    EXPECT_FALSE(fs.readText(dir / "none.s"));
}

TEST(LocalFileSystem, MovesCopiesAndDeletesIntoFoldersUnderTheFilesOwnName) {
    TempFolder dir;
    LocalFileSystem fs;
    dir.write("house.s", "shape");
    ASSERT_TRUE(fs.createFolder(dir / "SHAPES"));
    EXPECT_TRUE(fs.createFolder(dir / "SHAPES")); // an existing folder is fine
    ASSERT_TRUE(fs.moveFile(dir / "house.s", dir / "SHAPES" + kSep));
    EXPECT_TRUE(dir.exists("SHAPES/house.s"));
    EXPECT_FALSE(dir.exists("house.s"));

    ASSERT_TRUE(fs.createFolder(dir / "copy"));
    ASSERT_TRUE(fs.copyFile(dir / "SHAPES" + kSep + kSep + "house.s", dir / "copy"));
    ASSERT_TRUE(fs.copyFile(dir / "SHAPES/house.s", dir / "copy")); // replaces
    EXPECT_EQ(dir.read("copy/house.s"), "shape");
    EXPECT_FALSE(fs.copyFile(dir / "SHAPES/none.s", dir / "copy"));
    EXPECT_FALSE(fs.copyFile(dir / "SHAPES/house.s", dir / "nowhere"));

    ASSERT_TRUE(fs.deleteFile(dir / "copy/house.s"));
    EXPECT_FALSE(fs.deleteFile(dir / "copy/house.s"));
    EXPECT_TRUE(fs.removeEmptyFolder(dir / "copy"));
    EXPECT_FALSE(fs.removeEmptyFolder(dir / "SHAPES"));
}

TEST(LocalFileSystem, ListsFilesAndFoldersApart) {
    TempFolder dir;
    LocalFileSystem fs;
    dir.write("b.3ds", "");
    dir.write("Ä.ace", "");
    std::filesystem::create_directory(dir.fsPath() / "SHAPES");
    auto files = *fs.listFiles(dir.path());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"b.3ds", "Ä.ace"}));
    EXPECT_EQ(*fs.listFolders(dir.path()), std::vector<std::string>{"SHAPES"});
    EXPECT_FALSE(fs.listFiles(dir / "none"));
    EXPECT_TRUE(fs.fileExists(dir / "Ä.ace"));
    EXPECT_FALSE(fs.folderExists(dir / "Ä.ace"));
    EXPECT_TRUE(fs.folderExists(dir / "SHAPES"));
}

TEST(LocalFileSystem, ShortPathOfAnExistingFile) {
    TempFolder dir;
    LocalFileSystem fs;
    dir.write("with blank.3ds", "");
    const auto shortened = fs.shortPath(dir / "with blank.3ds");
    ASSERT_TRUE(shortened);
#ifdef _WIN32
    EXPECT_EQ(fileNameOf(*shortened).find(' '), std::string::npos);
#else
    EXPECT_EQ(*shortened, dir / "with blank.3ds");
#endif
    EXPECT_FALSE(fs.shortPath(dir / "none.3ds"));
}

} // namespace
} // namespace quillfen
