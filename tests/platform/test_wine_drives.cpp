// The drives of a Wine prefix, read from a fake prefix's dosdevices links, and the Windows form of this
// machine's paths through them. A prefix still to be made, or one without Z:: see the process tests.

#include "platform/WineDrives.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quillfen {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32

class WineDrivesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(prefix() / "dosdevices");
        fs::create_directories(prefix() / "drive_c" / "Program Files");
        fs::create_directories(models() / "house");
    }
    [[nodiscard]] fs::path prefix() const { return folder.fsPath() / "prefix"; }
    [[nodiscard]] fs::path models() const { return fs::canonical(folder.fsPath()) / "models"; }
    void link(const fs::path& target, const std::string& entry) const {
        fs::create_directory_symlink(target, prefix() / "dosdevices" / entry);
    }

    test::TempFolder folder;
};

TEST_F(WineDrivesTest, ReadsTheLinksOfDosdevicesInLetterOrder) {
    link("../drive_c", "c:");
    link("/", "z:");
    link(models(), "M:");
    link("/dev/sr0", "d::");                             // a device, not a drive
    std::ofstream(prefix() / "dosdevices" / "x:") << ""; // a stray file
    link(folder.fsPath() / "gone", "q:");                // a link to nowhere

    const auto drives = wineDrivesOf(prefix().string());
    ASSERT_TRUE(drives);
    std::vector<std::string> found;
    for (const WineDrive& drive : *drives) found.push_back(drive.letter + (" " + drive.hostFolder));
    EXPECT_EQ(found, (std::vector<std::string>{"C " + fs::canonical(prefix() / "drive_c").string(),
                                               "M " + models().string(), "Z /"}));
}

TEST_F(WineDrivesTest, PathsTakeTheDriveThatReachesThemMostClosely) {
    link("../drive_c", "c:");
    link("/", "z:");
    const std::string house = (models() / "house").string();
    const std::string driveC = (prefix() / "drive_c").string();
    struct Case {
        std::string hostPath;
        bool withModelsDrive;
        std::optional<std::string> windows;
    };
    std::string windowsHouse = house;
    std::ranges::replace(windowsHouse, '/', '\\');
    const Case cases[] = {
        {house + "/house_100.3ds", false, "Z:" + windowsHouse + "\\house_100.3ds"},
        {driveC + "/Program Files/MSTS/UTILS/conv3ds.exe", false,
         "C:\\Program Files\\MSTS\\UTILS\\conv3ds.exe"},
        {driveC, false, "C:\\"},
        // A link in the path is resolved first: the prefix's own link leads into drive_c.
        {(prefix() / "dosdevices" / "c:" / "x.s").string(), false, "C:\\x.s"},
        {house + "/Zden\xC4\x9Bk \xD0\x94\xD0\xBE\xD0\xBC.s", true,
         "M:\\house\\Zden\xC4\x9Bk \xD0\x94\xD0\xBE\xD0\xBC.s"},
        {house + "/../house/a.s", true, "M:\\house\\a.s"},
        {models().string() + "x/a.s", true, std::nullopt}, // "modelsx" is not below "models"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hostPath);
        auto drives = *wineDrivesOf(prefix().string());
        if (c.withModelsDrive) {
            // Without Z:, with M: showing the models.
            std::erase_if(drives, [](const WineDrive& d) { return d.letter == 'Z'; });
            drives.push_back({'M', models().string()});
        }
        EXPECT_EQ(windowsPathOnDrives(c.hostPath, drives), c.windows);
    }
}

#endif

} // namespace
} // namespace quillfen
