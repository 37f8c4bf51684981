// ACE files made in the run from the pictures a modeller has.

#include "run/MissingTextures.h"
#include "support/ResultFiles.h"
#include "texture/AceFile.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

std::string png(int width, int height) {
    return *texture::encodeTexture(texture::Image(width, height, {200, 100, 50, 255}),
                                   texture::FileFormat::Png);
}

TEST(MissingTextures, PicturesBecomeAceFilesWhereNoAceOrDdsIsThere) {
    const std::string damaged = png(8, 8).substr(0, 60);
    const auto picture = [](texture::FileFormat format) {
        return *texture::encodeTexture(texture::Image(4, 4), format);
    };
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files; ///< name and bytes in the working folder
        const char* images;                                     ///< the s-file's image entries ("-" empty)
        const char* made; ///< ACE files expected afterwards, with their size
        std::vector<std::string> log;
    };
    // clang-format off
    const Case cases[] = {
        {"png of powers of two", {{"door.png", png(16, 32)}}, "door.ace", "door.ace:16x32",
         {"•texture door.ace made from door.png"}},
        {"letter case ignored, scaled with a warning", {{"Door.PNG", png(48, 96)}}, "- door.ace",
         "door.ace:64x128",
         {"•Warning: Door.PNG has 48 x 96 pixels, scaled to 64 x 128 (texture sides must be powers of two)",
          "•texture door.ace made from Door.PNG"}},
        {"bmp, tga and jpg too",
         {{"a.bmp", picture(texture::FileFormat::Bmp)}, {"b.tga", picture(texture::FileFormat::Tga)},
          {"c.jpg", picture(texture::FileFormat::Jpg)}},
         "a.ace b.ace c.ace", "a.ace:4x4 b.ace:4x4 c.ace:4x4",
         {"•texture a.ace made from a.bmp", "•texture b.ace made from b.tga", "•texture c.ace made from c.jpg"}},
        {"an ace or dds of any case is kept",
         {{"door.png", png(4, 4)}, {"DOOR.ACE", "mine"}, {"roof.png", png(4, 4)}, {"roof.dds", "mine"}},
         "door.ace roof.ace", "", {}},
        {"no picture, or a name used twice", {{"wall.png", png(4, 4)}}, "missing.ace wall.ace WALL.ace",
         "wall.ace:4x4", {"•texture wall.ace made from wall.png"}},
        {"a damaged picture is logged and the next one made", {{"bad.png", damaged}, {"good.png", png(2, 2)}},
         "bad.ace good.ace", "good.ace:2x2",
         {"•can't make texture bad.ace from bad.png: the image data is damaged (outofdata)",
          "•texture good.ace made from good.png"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::vector<std::string> names;
        for (const auto& [name, bytes] : c.files) {
            folder.write(name, bytes);
            names.push_back(name);
        }
        LocalFileSystem files;
        RecordingLog log;
        std::vector<std::string> images;
        for (const std::string& image : words(c.images)) images.push_back(image == "-" ? "" : image);
        makeMissingTextures(images, names, folder.path(), files, log, Language::English);
        EXPECT_EQ(log.lines, c.log);
        for (const auto& [name, bytes] : c.files) EXPECT_EQ(folder.read(name), bytes) << name;
        std::vector<std::string> made;
        for (const auto& entry : std::filesystem::directory_iterator(folder.fsPath())) {
            const std::string name = entry.path().filename().string();
            if (std::any_of(c.files.begin(), c.files.end(), [&](const auto& f) { return f.first == name; }))
                continue;
            const auto ace = texture::readAce(folder.read(name));
            ASSERT_TRUE(ace.ok()) << name;
            made.push_back(name + ":" + std::to_string(ace->levels[0].width) + "x" +
                           std::to_string(ace->levels[0].height));
        }
        std::sort(made.begin(), made.end());
        EXPECT_EQ(made, words(c.made));
    }
}

TEST(MissingTextures, AFailingWriteLeavesNoFileAndIsLoggedInTheCurrentLanguage) {
    TempFolder folder;
    folder.write("door.png", png(4, 4));
    FailingFileSystem files(FsOperation::ReplaceFile, "door.ace");
    RecordingLog log;
    makeMissingTextures({"door.ace"}, {"door.png"}, folder.path(), files, log, Language::German);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind("•kann Textur door.ace nicht aus door.png erzeugen: ", 0), 0u)
        << log.lines[0];
    EXPECT_FALSE(folder.exists("door.ace"));
}

} // namespace
} // namespace quillfen::test
