#include "sfile/IndexedText.h"

#include "platform/Text.h"
#include "sfile/TextSearch.h"

#include <gtest/gtest.h>

#include <random>

namespace quillfen::test {
namespace {

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

// Past the index's limits (a name found too often, too many names) the answers stay right.
TEST(IndexedText, BeyondTheIndexsLimitsStillAnswersRight) {
    IndexedText common(std::string(3u << 20, '1') + "wall.ace", {"1", "wall.ace"});
    EXPECT_TRUE(common.contains("wall.ace"));
    EXPECT_EQ(common.replaceEvery("1", ""), 3u << 20);
    EXPECT_EQ(common.text(), "wall.ace");
    EXPECT_TRUE(common.replaceFirst("wall", "roof"));
    EXPECT_FALSE(common.containsNoCase("WALL.ACE"));
    EXPECT_TRUE(common.containsNoCase("ROOF.ACE"));

    std::vector<std::string> names;
    for (int k = 0; k < 40000; ++k) names.push_back("texture_number_" + std::to_string(k) + "_of_many.ace");
    IndexedText many("image ( texture_number_39999_of_many.ace )", names);
    EXPECT_TRUE(many.contains("texture_number_39999_of_many.ace"));
    EXPECT_EQ(many.replaceEvery("texture_number_39999_of_many.ace", "a.ace"), 1u);
    EXPECT_EQ(many.text(), "image ( a.ace )");
}

} // namespace
} // namespace quillfen::test
