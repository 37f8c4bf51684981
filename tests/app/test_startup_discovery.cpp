// The discovery part of the window load on real folders: listing, the 3DS
// presence check, the LOD list, the name check and the proposed name.

#include "app/LodList.h"
#include "app/LodNameCheck.h"
#include "app/StartupDiscovery.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quillfen {
namespace {

using test::TempFolder;

const std::string kNoDistanceStart = "Die 3ds-Datei:\r- ";

struct DiscoveryCase {
    std::string what;
    std::string language;
    std::vector<std::string> files;
    std::vector<std::string> rows; // when the checks pass
    std::string proposal;          // when the checks pass
    std::optional<std::string> textStarts =
        std::nullopt; // the message's text begins so ("{dir}" is the folder)
    int lodError = 0;
};

std::string rowTexts(const ProgramState& state) {
    std::string texts;
    for (const auto& row : lodListRows(state)) texts += "[" + row.text + "]";
    return texts;
}

std::string joined(const std::vector<std::string>& rows) {
    std::string texts;
    for (const auto& row : rows) texts += "[" + row + "]";
    return texts;
}

class StartupDiscovery : public testing::TestWithParam<DiscoveryCase> {};

TEST_P(StartupDiscovery, ListsChecksAndProposes) {
    const auto& c = GetParam();
    TempFolder folder;
    // through the file service, so names with umlauts are UTF-8 on every platform
    for (const auto& name : c.files)
        ASSERT_TRUE(LocalFileSystem().replaceFile(joinPath(folder.path(), name), "").ok());
    folder.write("SHAPES/ignored_10.3ds", "");

    ProgramState state;
    state.gstrProgrammPfad = folder.path();
    state.gstrSprache = c.language;
    const auto message = runStartupDiscovery(state, LocalFileSystem());

    EXPECT_EQ(state.gintLODFehler, c.lodError);
    if (!c.textStarts) {
        ASSERT_FALSE(message) << message->text;
        EXPECT_EQ(rowTexts(state), joined(c.rows));
        EXPECT_EQ(state.gstrSDateiVorschlag, c.proposal);
        EXPECT_EQ(state.gstrSDateiName, c.proposal);
        return;
    }
    ASSERT_TRUE(message);
    EXPECT_TRUE(startsWith(message->text, replaceAll(*c.textStarts, "{dir}", folder.path())))
        << message->text;
    EXPECT_EQ(state.gstrSDateiName, "");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, StartupDiscovery,
    testing::Values(
        DiscoveryCase{
            "empty folder", "english", {}, {}, "", "In the current directory \r\r'{dir}'\r\rcan't find"},
        DiscoveryCase{
            "no 3ds in German", "deutsch", {"wall.ace"}, {}, "", "Kann im aktuellen Verzeichnis \r\r'{dir}'"},
        DiscoveryCase{"three distances",
                      "english",
                      {"a_500.3ds", "a_2000.3ds", "a_100.3ds", "wall.ace"},
                      {"a_100.3ds", "a_500.3ds", "a_2000.3ds"},
                      "a_.s",
                      std::nullopt},
        DiscoveryCase{"a row without distance passes",
                      "english",
                      {"haus_2000.3ds", "haus.3ds"},
                      {"haus_2000.3ds", ""},
                      "haus_.s",
                      std::nullopt},
        DiscoveryCase{"no distance anywhere",
                      "english",
                      {"haus.3ds", "Dach.3DS"},
                      {},
                      "",
                      "No LOD-instruction found in the name of the 3ds-file!",
                      2},
        DiscoveryCase{"no distance anywhere, German",
                      "deutsch",
                      {"haus.3ds"},
                      {},
                      "",
                      "Keine 3ds-Datei mit LOD-Angabe gefunden!",
                      2},
        DiscoveryCase{
            "only a number", "english", {"2000.3ds"}, {}, "", "The name of the 3ds-file:  - 2000.3ds -", 2},
        DiscoveryCase{"extension after the distance is German whatever the language",
                      "english",
                      {"haus_2000.3dsx"},
                      {},
                      "",
                      kNoDistanceStart + "haus_2000.3dsx\r",
                      1},
        DiscoveryCase{"the last offending name is reported",
                      "english",
                      {"x_2000.3dsx", "1000.3ds"},
                      {},
                      "",
                      kNoDistanceStart + "x_2000.3dsx\r",
                      1},
        DiscoveryCase{"upper case, blanks and umlauts",
                      "english",
                      {"HAUS MIT GARTEN_100.3DS", "Häuschen am See_50.3ds"},
                      {"Häuschen am See_50.3ds", "HAUS MIT GARTEN_100.3DS"},
                      "Häuschen am See_.s",
                      std::nullopt},
        DiscoveryCase{"a zero distance is an empty row",
                      "english",
                      {"near_0.3ds", "far_10.3ds"},
                      {"far_10.3ds", ""},
                      "far_.s",
                      std::nullopt},
        DiscoveryCase{"distance zero once the last four characters are cut",
                      "english",
                      {"h.3ds_0x5.y"},
                      {},
                      "",
                      kNoDistanceStart + "h.3ds_0x5.y\r",
                      1},
        DiscoveryCase{"an eleven-digit distance is a usable row",
                      "english",
                      {"tower_12345678901.3ds"},
                      {"tower_12345678901.3ds"},
                      "tower_.s",
                      std::nullopt},
        DiscoveryCase{"an eleven-digit distance after a row without distance",
                      "english",
                      {"h_12345678901.3ds", "h.3ds", "h_500.3ds"},
                      {"h_500.3ds", "", "h_12345678901.3ds"},
                      "h_.s",
                      std::nullopt},
        DiscoveryCase{"only an eleven-digit distance and no distance",
                      "english",
                      {"h_12345678901.3ds", "h.3ds"},
                      {"", "h_12345678901.3ds"},
                      "h_.s",
                      std::nullopt},
        DiscoveryCase{"only digits, eleven of them",
                      "english",
                      {"12345678901.3ds"},
                      {},
                      "",
                      "The name of the 3ds-file:  - 12345678901.3ds -",
                      2}),
    [](const testing::TestParamInfo<DiscoveryCase>& param) { return "case" + std::to_string(param.index); });

TEST(StartupDiscoveryFolder, AFolderThatCannotBeListedSaysWhy) {
    TempFolder folder;
    ProgramState state;
    state.gstrProgrammPfad = folder / "gone";
    const auto message = runStartupDiscovery(state, LocalFileSystem());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->title, "Missing files!!!");
    EXPECT_TRUE(startsWith(message->text, "In the current directory \r\r'" + folder / "gone" + "'"))
        << message->text;
    EXPECT_NE(message->text.rfind("\r" + folder / "gone"), std::string::npos) << message->text;
}

TEST(StartupDiscoveryFolder, RealModelFilesFromOtherTools) {
    QUILLFEN_REQUIRE_TESTDATA();
    ProgramState state;
    state.gstrProgrammPfad = test::testDataDir() + "/3ds";
    const auto message = runStartupDiscovery(state, LocalFileSystem());
    ASSERT_FALSE(message) << message->text;
    // test1.3ds is the only name with a distance; the others give empty rows after it.
    const auto rows = lodListRows(state);
    ASSERT_GE(rows.size(), 2U);
    EXPECT_EQ(rows.front().text, "test1.3ds");
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].text, "");
    EXPECT_EQ(state.gstrSDateiName, "test.s");
}

TEST(LodNameCheck, StartsFromAnEmptyProposal) {
    ProgramState state;
    state.gstrSDateiVorschlag = "earlier.s";
    state.gstrArrLODDateien = {"", "b_20.3ds"};
    EXPECT_FALSE(checkLodNames(state));
    EXPECT_EQ(state.gstrSDateiVorschlag, "b_.s");
}

} // namespace
} // namespace quillfen
