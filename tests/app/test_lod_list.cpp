// The LOD list: which names become rows, their order by distance, the rows
// without a distance, overlong distances, and the rule that a row stays checked.

#include "app/LodList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillfen {
namespace {

struct LodCase {
    std::string what;
    std::vector<std::string> files;
    std::vector<std::string> rows;
};

class LodListOrder : public testing::TestWithParam<LodCase> {};

TEST_P(LodListOrder, RowsFollowTheDistanceAllChecked) {
    ProgramState state;
    state.gstrArrDateiNamen.insert(state.gstrArrDateiNamen.end(), GetParam().files.begin(),
                                   GetParam().files.end());
    state.gintAnzahlDateien = static_cast<int>(GetParam().files.size());
    state.gstrArrLODDateien = {"arguments of the last run", "stale.3ds"};

    const auto rows = FuelleLODListe(state);

    std::vector<std::string> texts;
    for (const auto& row : rows) {
        texts.push_back(row.text);
        EXPECT_TRUE(row.checked) << row.text;
    }
    EXPECT_EQ(texts, GetParam().rows);
    EXPECT_EQ(state.gintAnzahlLODs, static_cast<int>(GetParam().rows.size()));
    ASSERT_EQ(state.gstrArrLODDateien.size(), GetParam().rows.size() + 1);
    EXPECT_EQ(state.gstrArrLODDateien[0], "arguments of the last run");
    EXPECT_EQ(rows, lodListRows(state));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, LodListOrder,
    testing::Values(
        LodCase{"nearest first",
                {"a_500.3ds", "a_2000.3ds", "a_100.3ds"},
                {"a_100.3ds", "a_500.3ds", "a_2000.3ds"}},
        LodCase{"same distance by plain character order",
                {"b_2000.3ds", "A_2000.3DS", "a_2000.3ds"},
                {"A_2000.3DS", "a_2000.3ds", "b_2000.3ds"}},
        LodCase{
            "no distance is an empty row at the end", {"haus.3ds", "haus_2000.3ds"}, {"haus_2000.3ds", ""}},
        LodCase{"zero distance counts as none", {"0.3ds", "b_000.3ds", "a_7.3ds"}, {"a_7.3ds", "", ""}},
        LodCase{"other files are left out",
                {"wall.ace", "house_100.s", "readme.txt", "house_100.3ds"},
                {"house_100.3ds"}},
        LodCase{"\".3ds\" anywhere in the name", {"house.3ds.bak", "haus_2000.3dsx"}, {"haus_2000.3dsx", ""}},
        LodCase{"upper case", {"HOUSE_500.3DS", "house_50.3ds"}, {"house_50.3ds", "HOUSE_500.3DS"}},
        LodCase{"blanks and umlauts",
                {"haus_300.3ds", "Häus chen_300.3ds", "über weg 20.3ds"},
                {"über weg 20.3ds", "Häus chen_300.3ds", "haus_300.3ds"}},
        LodCase{"only digits", {"2000.3ds", "100.3ds"}, {"100.3ds", "2000.3ds"}},
        LodCase{"leading zeros do not make a distance overlong",
                {"a_00000000000000500.3ds", "b_100.3ds"},
                {"b_100.3ds", "a_00000000000000500.3ds"}},
        LodCase{"ten digits still sort by their key",
                {"far_9999999998.3ds", "near_1.3ds"},
                {"near_1.3ds", "far_9999999998.3ds"}},
        LodCase{"overlong distances keep their name and come after every other row",
                {"z_12345678901.3ds", "a_100000000000.3ds", "c.3ds", "a_99999999999.3ds", "b_12345678901.3ds",
                 "a_100.3ds", "a_12345678901.3ds"},
                {"a_100.3ds", "", "a_12345678901.3ds", "b_12345678901.3ds", "z_12345678901.3ds",
                 "a_99999999999.3ds", "a_100000000000.3ds"}},
        LodCase{"no 3ds file at all", {"wall.ace"}, {}}, LodCase{"empty folder", {}, {}}),
    [](const testing::TestParamInfo<LodCase>& param) { return "case" + std::to_string(param.index); });

TEST(LodListOrder, UsesOnlyTheCountedNames) {
    ProgramState state;
    state.gstrArrDateiNamen = {"", "a_100.3ds", "left over_50.3ds"};
    state.gintAnzahlDateien = 1;
    const auto rows = FuelleLODListe(state);
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].text, "a_100.3ds");
}

struct RecheckCase {
    std::vector<bool> checked;
    std::size_t changedRow;
    std::optional<std::size_t> recheck;
};

class KeepOneLodChecked : public testing::TestWithParam<RecheckCase> {};

TEST_P(KeepOneLodChecked, TheLastUncheckedRowIsCheckedAgain) {
    EXPECT_EQ(lodRowToRecheck(GetParam().checked, GetParam().changedRow), GetParam().recheck);
}

INSTANTIATE_TEST_SUITE_P(States, KeepOneLodChecked,
                         testing::Values(RecheckCase{{false}, 0, 0}, RecheckCase{{false, false, false}, 2, 2},
                                         RecheckCase{{true, false}, 1, std::nullopt},
                                         RecheckCase{{false, true}, 0, std::nullopt},
                                         RecheckCase{{false, false, true}, 0, std::nullopt},
                                         RecheckCase{{}, 0, std::nullopt},
                                         RecheckCase{{false}, 3, std::nullopt}));

} // namespace
} // namespace quillfen
