#include "bbox/BoxInputFilter.h"
#include "bbox/BoxValidation.h"
#include "bbox/BoxValuesText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quillfen {
namespace {

TEST(BoxValuesText, ShowsAtMostSevenSignificantDigitsAndHandsThemOverWithPoints) {
    const std::string shown = boxValuesText({1234567.8f, 0.0312f, 80.25f, -13.3681f, 100, 0.1f}, ',');
    EXPECT_EQ(shown, "1234568 0,0312 80,25 -13,3681 100 0,1");
    EXPECT_EQ(handOverBoxValues(shown), "1234568 0.0312 80.25 -13.3681 100 0.1");
}

TEST(ValidiereBoundingBox, GivesTheNormalFormAndIsStableOnIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"1 2 3 4 5 6", "1.0 2.0 3.0 4.0 5.0 6.0"},
        {"-1,23456 0 0", "-1.2346 0.0 0.0 0.0 0.0 0.0"},
        {"esd_bounding_box ( 1 2 3 4 5 6 7 ) ", "1.0 2.0 3.0 4.0 5.0 6.0"},
        {"1  2", "1.0 0.0 2.0 0.0 0.0 0.0"}, // two blanks make an empty field, which reads as 0
        {"", ""},
        {"abc", "0.0 0.0 0.0 0.0 0.0 0.0"},
        {"0.03125 0.09375 -0.03125", "0.0312 0.0938 -0.0312 0.0 0.0 0.0"}, // exact halves go to the even side
        {"1,,5 2..25", "1.5 2.25 0.0 0.0 0.0 0.0"},
        {"--3 1-2", "-3.0 1.0 0.0 0.0 0.0 0.0"},  // a doubled minus is one; a minus inside a field ends it
        {"\t1\t2 3", "12.0 3.0 0.0 0.0 0.0 0.0"}, // TABs vanish rather than separate
        {"1e400 2 -1e999", "0.0 2.0 0.0 0.0 0.0 0.0"}}; // beyond a double a field reads as 0.0
    for (const auto& [input, expected] : cases) {
        const std::string once = validiereBoundingBox(input, 4);
        EXPECT_EQ(once, expected) << "input: " << input;
        EXPECT_EQ(validiereBoundingBox(once, 4), once) << "input: " << input;
    }
}

TEST(BoxDisplay, ShowsThePrefixAndAtMostSixValues) {
    const char* cases[][3] = {
        {"1 2 3", "ESD_Bounding_Box ( 1 2 3 )", "ESD_Bounding_Box ( 1 2 3 )"},
        // An input that ends in a blank shows two blanks before the ")".
        {"1 2 ", "ESD_Bounding_Box ( 1 2 )", "ESD_Bounding_Box ( 1 2  )"},
        {"1 2 3 4 5 6 7", "ESD_Bounding_Box ( 1 2 3 4 5 6 )", "ESD_Bounding_Box ( 1 2 3 4 5 6 7 )"},
        {"", "ESD_Bounding_Box ( )", "ESD_Bounding_Box (  )"}};
    for (const auto& c : cases) {
        EXPECT_EQ(boxDisplayAfterInputChange(c[0]), c[1]);
        EXPECT_EQ(boxDisplayLine(c[0]), c[2]);
    }
}

TEST(BoxInputKeyUp, TidiesTheTextAndMovesTheCaret) {
    // The text with the caret, the key typed last, and the tidied text with its caret.
    const std::tuple<const char*, int, char32_t, const char*, int> cases[] = {
        {"1a", 2, U'a', "1", 1}, // a typed letter vanishes again and the caret steps back over it
        {"1\u00e42", 2, U'\u00e4', "12", 1},
        {"1,", 2, U',', "1.", 2},
        {"-.", 2, U'.', "-0.", 3},
        {"- ", 2, U' ', "-", 1}, // a blank right after a minus goes, and so do doubled and leading blanks
        {"1  2", 2, U' ', "1 2", 1},
        {" 1 2", 4, U'2', "1 2", 3},
        {"1-", 2, U'-', "1 -", 3},                       // a minus glued to a value gets a blank in front
        {"1 2 3 4 5 6 7", 13, U'7', "1 2 3 4 5 6 ", 12}, // at most six values
        {"", 0, 0, "", 0},
        {"7", 9, U'7', "7", 1}};
    for (const auto& [text, caret, typed, expectedText, expectedCaret] : cases) {
        const BoxInputEdit edit = filterBoxInputKeyUp(text, caret, typed);
        EXPECT_EQ(edit.text, expectedText) << "text: '" << text << "'";
        EXPECT_EQ(edit.caret, expectedCaret) << "text: '" << text << "'";
    }
}

} // namespace
} // namespace quillfen
