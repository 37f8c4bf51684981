// The LOD list: which names become rows, their order by distance, the rows
// without a distance, overlong distances, and the rule that a row stays checked.

#include "app/LodList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillfen {
namespace {

using Names = std::vector<std::string>;

TEST(LodList, RowsFollowTheDistanceAllChecked) {
    const std::pair<Names, Names> cases[] = {
        {{"a_500.3ds", "a_2000.3ds", "a_100.3ds"}, {"a_100.3ds", "a_500.3ds", "a_2000.3ds"}},
        // same distance: plain character order
        {{"b_2000.3ds", "A_2000.3DS", "a_2000.3ds"}, {"A_2000.3DS", "a_2000.3ds", "b_2000.3ds"}},
        // no distance, or zero, is an empty row at the end
        {{"haus.3ds", "haus_2000.3ds"}, {"haus_2000.3ds", ""}},
        {{"0.3ds", "b_000.3ds", "a_7.3ds"}, {"a_7.3ds", "", ""}},
        {{"wall.ace", "house_100.s", "readme.txt", "house_100.3ds"}, {"house_100.3ds"}},
        {{"house.3ds.bak", "haus_2000.3dsx"}, {"haus_2000.3dsx", ""}},
        {{"HOUSE_500.3DS", "house_50.3ds"}, {"house_50.3ds", "HOUSE_500.3DS"}},
        {{"haus_300.3ds", "Häus chen_300.3ds", "über weg 20.3ds"},
         {"über weg 20.3ds", "Häus chen_300.3ds", "haus_300.3ds"}},
        {{"2000.3ds", "100.3ds"}, {"100.3ds", "2000.3ds"}},
        {{"a_00000000000000500.3ds", "b_100.3ds"}, {"b_100.3ds", "a_00000000000000500.3ds"}},
        {{"far_9999999998.3ds", "near_1.3ds"}, {"near_1.3ds", "far_9999999998.3ds"}},
        // more than ten digits: the row keeps the file's name and comes after every other row
        {{"z_12345678901.3ds", "a_100000000000.3ds", "c.3ds", "a_99999999999.3ds", "b_12345678901.3ds",
          "a_100.3ds", "a_12345678901.3ds"},
         {"a_100.3ds", "", "a_12345678901.3ds", "b_12345678901.3ds", "z_12345678901.3ds", "a_99999999999.3ds",
          "a_100000000000.3ds"}},
        {{"wall.ace"}, {}},
        {{}, {}},
    };
    for (const auto& [files, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(files));
        ProgramState state;
        state.gstrArrDateiNamen.insert(state.gstrArrDateiNamen.end(), files.begin(), files.end());
        state.gintAnzahlDateien = static_cast<int>(files.size());
        state.gstrArrLODDateien = {"arguments of the last run", "stale.3ds"};
        const auto rows = FuelleLODListe(state);
        Names texts;
        for (const auto& row : rows) {
            texts.push_back(row.text);
            EXPECT_TRUE(row.checked) << row.text;
        }
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(state.gintAnzahlLODs, static_cast<int>(expected.size()));
        ASSERT_EQ(state.gstrArrLODDateien.size(), expected.size() + 1);
        EXPECT_EQ(state.gstrArrLODDateien[0], "arguments of the last run");
        EXPECT_EQ(rows, lodListRows(state));
    }
}

TEST(LodList, UsesOnlyTheCountedNames) {
    ProgramState state;
    state.gstrArrDateiNamen = {"", "a_100.3ds", "left over_50.3ds"};
    state.gintAnzahlDateien = 1;
    const auto rows = FuelleLODListe(state);
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].text, "a_100.3ds");
}

TEST(LodList, TheLastUncheckedRowIsCheckedAgain) {
    EXPECT_EQ(lodRowToRecheck({false}, 0), 0U);
    EXPECT_EQ(lodRowToRecheck({false, false, false}, 2), 2U);
    EXPECT_EQ(lodRowToRecheck({true, false}, 1), std::nullopt);
    EXPECT_EQ(lodRowToRecheck({false, false, true}, 0), std::nullopt);
    EXPECT_EQ(lodRowToRecheck({}, 0), std::nullopt);
    EXPECT_EQ(lodRowToRecheck({false}, 3), std::nullopt);
}

} // namespace
} // namespace quillfen
