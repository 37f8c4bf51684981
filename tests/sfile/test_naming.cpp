// The s-file's name: the distance in a 3DS file name with the proposal it
// yields, the cleaning of a typed name, and the ".s" ending.

#include "sfile/SFileNaming.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace quillfen {
namespace {

struct DistanceCase {
    std::string fileName;
    std::int64_t distance;
    std::string proposal; // starting from an empty proposal
};

class LodDistance : public testing::TestWithParam<DistanceCase> {};

TEST_P(LodDistance, ReadsTrailingDigitsAndProposesTheTextBeforeThem) {
    const auto& c = GetParam();
    std::string proposal;
    EXPECT_EQ(ErmittleLODEntfernung(c.fileName, proposal), c.distance);
    EXPECT_EQ(proposal, c.proposal);
}

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Names, LodDistance,
    testing::Values(DistanceCase{"house_2000.3ds", 2000, "house_.s"},
                    DistanceCase{"house2000.3ds", 2000, "house.s"},
                    DistanceCase{"house_0500.3ds", 500, "house_.s"},
                    DistanceCase{"house.3ds", kLodNoNumber, ""}, DistanceCase{"2000.3ds", kLodOnlyNumber, ""},
                    DistanceCase{"house_0.3ds", 0, ""}, DistanceCase{"house_000.3ds", 0, ""},
                    DistanceCase{"HOUSE_100.3DS", 100, "HOUSE_.s"},
                    DistanceCase{"  my house 100.3ds", 100, "my house.s"},
                    DistanceCase{"Häuschen_20.3ds", 20, "Häuschen_.s"},
                    // the last four characters, not bytes: an umlaut in the extension counts once
                    DistanceCase{"haus_20.3dä", 20, "haus_.s"},
                    DistanceCase{"haus_2000.3dsx", kLodNoNumber, ""}, // "." before the last four
                    DistanceCase{"haus_100.3ds.3ds", kLodNoNumber, ""},
                    DistanceCase{"a_12345678901.3ds", 12345678901, "a_.s"},
                    DistanceCase{"a_99999999999999999999999999.3ds", kMax, "a_.s"},
                    DistanceCase{".3ds", kLodNoNumber, ""}, DistanceCase{"ab", kLodNoNumber, ""},
                    DistanceCase{"", kLodNoNumber, ""}, DistanceCase{"äöü", kLodNoNumber, ""},
                    DistanceCase{"1.3ds", kLodOnlyNumber, ""}));

TEST(LodDistanceProposal, FirstNameWithADistanceKeepsItsProposal) {
    std::string proposal;
    EXPECT_EQ(ErmittleLODEntfernung("near_0.3ds", proposal), 0);
    EXPECT_EQ(ErmittleLODEntfernung("house_100.3ds", proposal), 100);
    EXPECT_EQ(ErmittleLODEntfernung("other_500.3ds", proposal), 500);
    EXPECT_EQ(proposal, "house_.s");
}

struct CleanCase {
    std::string typed;
    std::size_t caret;
    std::string cleaned;
    std::size_t cleanedCaret;
};

class CleanFileName : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanFileName, ReplacesForbiddenCharactersAndReservedNames) {
    const auto& c = GetParam();
    const auto result = BereinigeDateiName(c.typed, c.caret);
    EXPECT_EQ(result.text, c.cleaned);
    EXPECT_EQ(result.caret, c.cleanedCaret);
    EXPECT_EQ(BereinigeDateiName(c.typed), c.cleaned);
}

TEST_P(CleanFileName, SecondPassChangesNothing) {
    const auto once = BereinigeDateiName(GetParam().typed, GetParam().caret);
    const auto twice = BereinigeDateiName(once.text, once.caret);
    EXPECT_EQ(twice.text, once.text);
    EXPECT_EQ(twice.caret, once.caret);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, CleanFileName,
    testing::Values(CleanCase{"a:b", 2, "a_b", 2}, CleanCase{"<>?\":|\\/*", 9, "_________", 9},
                    CleanCase{"house.s", 3, "house.s", 3}, CleanCase{"con.s", 4, "C_O_N.s", 6},
                    CleanCase{"con.s", 5, "C_O_N.s", 7}, CleanCase{"Con.", 3, "C_O_N.", 5},
                    CleanCase{"aux.s", 1, "A_U_X.s", 2}, CleanCase{"aux.s", 0, "A_U_X.s", 0},
                    CleanCase{"nul.", 4, "N_U_L.", 6}, CleanCase{"prn.x", 2, "P_R_N.x", 4},
                    CleanCase{"COM1.s", 6, "C_O_M_1.s", 9}, CleanCase{"com9.s", 4, "C_O_M_9.s", 7},
                    CleanCase{"lpt5.abc", 8, "L_P_T_5.abc", 11}, CleanCase{"COM10.s", 7, "COM10.s", 7},
                    CleanCase{"con", 3, "con", 3}, CleanCase{"console.s", 9, "console.s", 9},
                    CleanCase{"prn:x", 4, "prn_x", 4}, CleanCase{"äcon.s", 2, "äcon.s", 2},
                    CleanCase{"xcon.s", 0, "xcon.s", 0}, CleanCase{"con.<", 5, "C_O_N._", 7},
                    CleanCase{"", 0, "", 0}, CleanCase{"a", 5, "a", 1}));

TEST(MitEndungS, AppendsDotSUnlessPresentInAnyLetterCase) {
    const std::pair<std::string, std::string> cases[] = {{"", ".s"},
                                                         {"house", "house.s"},
                                                         {"house_.s", "house_.s"},
                                                         {"HOUSE.S", "HOUSE.S"},
                                                         {"house.sd", "house.sd.s"},
                                                         {"s", "s.s"},
                                                         {"house.", "house..s"},
                                                         {"häus", "häus.s"}};
    for (const auto& [name, completed] : cases) EXPECT_EQ(MitEndungS(name), completed) << name;
}

} // namespace
} // namespace quillfen
