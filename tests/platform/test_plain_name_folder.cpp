// The folder with a plain name in which a Windows converter gets what it can
// open, for a model folder whose name its code page cannot hold.

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/PlainNameFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

const std::string kModels = "Zden\xC4\x9Bk \xD0\x94\xD0\xBE\xD0\xBC"; // Zdeněk Дом

bool fitsWestern(std::string_view text) {
    return fitsCodePage(text, 1252);
}

TEST(PlainName, ReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(plainName("house_100.3ds", fitsWestern), "house_100.3ds");
    EXPECT_EQ(plainName("H\xC3\xA4user_100.3ds", fitsWestern), "H\xC3\xA4user_100.3ds");
    EXPECT_EQ(plainName(kModels + "_500.3ds", fitsWestern), "Zden_k ____500.3ds");
}

class PlainNameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(files.createFolder(base()));
        for (const std::string name :
             {"house_100.3ds", "\xD0\x94\xD0\xBE\xD0\xBC_500.3ds", "\xD0\xA1\xD0\xB0\xD0\xB4_500.3ds"}) {
            folder.write(kModels + "/" + name, "3ds " + name);
            lods.push_back(joinPath(models(), name));
        }
    }
    [[nodiscard]] std::string models() const { return folder / kModels; }
    [[nodiscard]] std::string base() const { return folder / "tmp"; }

    test::TempFolder folder;
    LocalFileSystem files;
    std::vector<std::string> lods;
};

TEST_F(PlainNameFolderTest, HoldsCopiesUnderPlainNamesAndGoesAwayWithEverythingInIt) {
    std::string made;
    {
        auto plain = PlainNameFolder::make(files, base(), lods, kModels + ".s", fitsWestern);
        ASSERT_TRUE(plain) << plain.error().message();
        made = plain->folder();
        EXPECT_EQ(parentOf(made), base());
        EXPECT_TRUE(fitsWestern(made));
        // Two names that become the same stay apart by a number in front; the distance stays.
        const std::vector<std::string> names = {"house_100.3ds", "____500.3ds", "3_____500.3ds"};
        ASSERT_EQ(plain->lodPaths().size(), names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(plain->lodPaths()[i], joinPath(made, names[i]));
            EXPECT_EQ(files.readBytes(plain->lodPaths()[i]).value(), files.readBytes(lods[i]).value());
        }
        EXPECT_EQ(plain->outputPath(), joinPath(made, "Zden_k ___.s"));
        // The converter's output and anything else it leaves are removed with the folder.
        ASSERT_TRUE(files.replaceFile(plain->outputPath(), "s"));
        auto moved = std::move(*plain);
        EXPECT_TRUE(files.folderExists(moved.folder()));
    }
    EXPECT_FALSE(files.folderExists(made));
    EXPECT_TRUE(files.folderExists(base()));
    EXPECT_TRUE(files.fileExists(lods.front()));
}

TEST_F(PlainNameFolderTest, FailuresNameThePathAndLeaveNothingBehind) {
    const auto unfit = PlainNameFolder::make(files, models(), lods, "h.s", fitsWestern);
    ASSERT_FALSE(unfit);
    EXPECT_EQ(unfit.error().path, models());

    lods.push_back(joinPath(models(), "missing_900.3ds"));
    const auto missing = PlainNameFolder::make(files, base(), lods, "h.s", fitsWestern);
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().message().find("missing_900.3ds"), std::string::npos);
    EXPECT_TRUE(files.listFolders(base()).value().empty());
}

} // namespace
} // namespace quillfen
