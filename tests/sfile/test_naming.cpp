// The s-file's name from the 3DS file names and as typed, and the text index of the s-file edits.

#include "platform/Text.h"
#include "sfile/IndexedText.h"
#include "sfile/SFileNaming.h"
#include "sfile/TextSearch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace quillfen {
namespace {

TEST(LodDistance, ReadsTrailingDigitsAndProposesTheTextBeforeThem) {
    // The extension is the last four characters, not bytes: an umlaut in it counts once.
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    // clang-format off
    const std::tuple<std::string, std::int64_t, std::string> cases[] = {
        {"house_2000.3ds", 2000, "house_.s"}, {"house2000.3ds", 2000, "house.s"},
        {"house_0500.3ds", 500, "house_.s"}, {"house.3ds", kLodNoNumber, ""}, {"2000.3ds", kLodOnlyNumber, ""},
        {"house_0.3ds", 0, ""}, {"HOUSE_100.3DS", 100, "HOUSE_.s"}, {"  my house 100.3ds", 100, "my house.s"},
        {"haus_20.3dä", 20, "haus_.s"}, {"haus_2000.3dsx", kLodNoNumber, ""},
        {"a_12345678901.3ds", 12345678901, "a_.s"}, {"a_99999999999999999999999999.3ds", kMax, "a_.s"},
        {"", kLodNoNumber, ""}, {"äöü", kLodNoNumber, ""},
    };
    // clang-format on
    for (const auto& [name, distance, proposal] : cases) {
        std::string proposed;
        EXPECT_EQ(ErmittleLODEntfernung(name, proposed), distance) << name;
        EXPECT_EQ(proposed, proposal) << name;
    }
    // The first name with a distance keeps its proposal.
    std::string proposal;
    EXPECT_EQ(ErmittleLODEntfernung("near_0.3ds", proposal), 0);
    EXPECT_EQ(ErmittleLODEntfernung("house_100.3ds", proposal), 100);
    EXPECT_EQ(ErmittleLODEntfernung("other_500.3ds", proposal), 500);
    EXPECT_EQ(proposal, "house_.s");
}

TEST(CleanFileName, ReplacesForbiddenCharactersAndReservedNamesOnceForAll) {
    // clang-format off
    const std::tuple<std::string, std::size_t, std::string, std::size_t> cases[] = {
        {"a:b", 2, "a_b", 2}, {"<>?\":|\\/*", 9, "_________", 9}, {"house.s", 3, "house.s", 3},
        {"con.s", 4, "C_O_N.s", 6}, {"con.s", 5, "C_O_N.s", 7}, {"Con.", 3, "C_O_N.", 5},
        {"aux.s", 0, "A_U_X.s", 0}, {"COM1.s", 6, "C_O_M_1.s", 9}, {"lpt5.abc", 8, "L_P_T_5.abc", 11},
        {"COM10.s", 7, "COM10.s", 7}, {"con", 3, "con", 3}, {"console.s", 9, "console.s", 9},
        {"äcon.s", 2, "äcon.s", 2}, {"con.<", 5, "C_O_N._", 7}, {"", 0, "", 0}, {"a", 5, "a", 1},
    };
    // clang-format on
    for (const auto& [typed, caret, cleaned, cleanedCaret] : cases) {
        const auto once = BereinigeDateiName(typed, caret);
        EXPECT_EQ(once.text, cleaned) << typed;
        EXPECT_EQ(once.caret, cleanedCaret) << typed;
        EXPECT_EQ(BereinigeDateiName(typed), cleaned);
        const auto twice = BereinigeDateiName(once.text, once.caret);
        EXPECT_EQ(twice.text, once.text);
        EXPECT_EQ(twice.caret, once.caret);
    }
}

TEST(MitEndungS, AppendsDotSUnlessPresentInAnyLetterCase) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"", ".s"}, {"house", "house.s"}, {"HOUSE.S", "HOUSE.S"}, {"house.sd", "house.sd.s"}, {"häus", "häus.s"}};
    // clang-format on
    for (const auto& [name, completed] : cases) EXPECT_EQ(MitEndungS(name), completed) << name;
}

// The index must answer exactly as plain searches of the whole text do, also after replacements that
// create, destroy or overlap names.
TEST(IndexedText, AgreesWithPlainSearchesThroughRandomEdits) {
    std::mt19937 random(7);
    const std::string alphabet = "aAbB.e ";
    const auto randomText = [&](std::size_t maxLength) {
        std::string text(random() % (maxLength + 1), ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> names;
        for (int k = 0; k < 6; ++k) names.push_back(randomText(4));
        std::string plain = randomText(200);
        IndexedText indexed(plain, names);
        for (int step = 0; step < 40; ++step) {
            // Mostly indexed names, sometimes others (the plain-search way).
            const std::string name = random() % 4 ? names[random() % names.size()] : randomText(3);
            const std::string other = random() % 4 ? names[random() % names.size()] : randomText(5);
            switch (random() % 4) {
            case 0:
                ASSERT_EQ(indexed.contains(name), containsText(plain, name)) << round << " " << name;
                break;
            case 1:
                ASSERT_EQ(indexed.containsNoCase(name), containsNoCase(plain, name) || name.empty()) << name;
                break;
            case 2: {
                const std::size_t count = indexed.replaceEvery(name, other);
                ASSERT_EQ(count, replaceEvery(plain, name, other));
                break;
            }
            default:
                ASSERT_EQ(indexed.replaceFirst(name, other), replaceFirst(plain, name, other));
                break;
            }
            ASSERT_EQ(indexed.text(), plain) << round << " " << step;
        }
    }
}

} // namespace
} // namespace quillfen
