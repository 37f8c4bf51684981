#include "bbox/BoxValidation.h"
#include "bbox/BoxInputFilter.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

struct ValidationCase {
    const char* input;
    const char* expected;
};

class ValidiereBoundingBox : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidiereBoundingBox, GivesTheNormalForm) {
    EXPECT_EQ(validiereBoundingBox(GetParam().input, 4), GetParam().expected)
        << "input: " << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidiereBoundingBox,
    ::testing::Values(ValidationCase{"1 2 3 4 5 6", "1.0 2.0 3.0 4.0 5.0 6.0"},
                      ValidationCase{"-1,23456 0 0", "-1.2346 0.0 0.0 0.0 0.0 0.0"},
                      ValidationCase{"ESD_Bounding_Box ( 1 2 3 4 5 6 )", "1.0 2.0 3.0 4.0 5.0 6.0"},
                      ValidationCase{"esd_bounding_box ( -1.5 2 3 4 5 6 ) ", "-1.5 2.0 3.0 4.0 5.0 6.0"},
                      // Two blanks make an empty field, which reads as 0.
                      ValidationCase{"1  2", "1.0 0.0 2.0 0.0 0.0 0.0"},
                      ValidationCase{"1 2 3 4 5 6 7", "1.0 2.0 3.0 4.0 5.0 6.0"}, ValidationCase{"", ""},
                      ValidationCase{"    ", ""}, ValidationCase{"abc", "0.0 0.0 0.0 0.0 0.0 0.0"},
                      // Exact halves go to the even neighbour.
                      ValidationCase{"0.03125 0.09375 -0.03125", "0.0312 0.0938 -0.0312 0.0 0.0 0.0"},
                      ValidationCase{"1,,5 2..25", "1.5 2.25 0.0 0.0 0.0 0.0"},
                      // A doubled minus is one minus; a minus inside a field ends its number.
                      ValidationCase{"--3 1-2", "-3.0 1.0 0.0 0.0 0.0 0.0"},
                      // TABs vanish rather than separate.
                      ValidationCase{"\t1\t2 3", "12.0 3.0 0.0 0.0 0.0 0.0"},
                      ValidationCase{"(1 2 3 4 5 6).", "1.0 2.0 3.0 4.0 5.0 6.0"},
                      // Beyond the range of a double a field reads as 0.0; validation goes on.
                      ValidationCase{"1e400 2 -1e999", "0.0 2.0 0.0 0.0 0.0 0.0"},
                      ValidationCase{"1e20", "100000000000000000000.0 0.0 0.0 0.0 0.0 0.0"},
                      ValidationCase{"-0.00001 12345678.123456", "0.0 12345678.1235 0.0 0.0 0.0 0.0"}));

TEST(ValidiereBoundingBoxTest, IsStableOnItsOwnResult) {
    for (const char* input : {"1 2 3 4 5 6", "-1,23456 0 0", "1e300 -7.5 .5", "x y z"}) {
        const std::string once = validiereBoundingBox(input, 4);
        EXPECT_EQ(validiereBoundingBox(once, 4), once) << input;
    }
}

struct DisplayCase {
    const char* input;
    const char* afterInputChange;
    const char* displayLine;
};

class BoxDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(BoxDisplay, ShowsThePrefixAndAtMostSixValues) {
    EXPECT_EQ(boxDisplayAfterInputChange(GetParam().input), GetParam().afterInputChange);
    EXPECT_EQ(boxDisplayLine(GetParam().input), GetParam().displayLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxDisplay,
    ::testing::Values(DisplayCase{"1 2 3", "ESD_Bounding_Box ( 1 2 3 )", "ESD_Bounding_Box ( 1 2 3 )"},
                      // An input that ends in a blank shows two blanks before the ")".
                      DisplayCase{"1 2 ", "ESD_Bounding_Box ( 1 2 )", "ESD_Bounding_Box ( 1 2  )"},
                      DisplayCase{"1 2 3 4 5 6 7", "ESD_Bounding_Box ( 1 2 3 4 5 6 )",
                                  "ESD_Bounding_Box ( 1 2 3 4 5 6 7 )"},
                      DisplayCase{"", "ESD_Bounding_Box ( )", "ESD_Bounding_Box (  )"}));

TEST(BoxDisplayLine, AnEditInItIsUndoneWithTheCaretLeftInPlace) {
    const std::string line = "ESD_Bounding_Box ( 1 2 )";
    EXPECT_FALSE(restoreBoxDisplayLine(line, "1 2", 5, 0).has_value());
    const auto typed = restoreBoxDisplayLine("ESD_Bounding_Box ( 1 x2 )", "1 2", 22, U'x');
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(typed->line, line);
    EXPECT_EQ(typed->caret, 22);
    // Backspace moved the caret one to the left; it goes back where it was.
    const auto erased = restoreBoxDisplayLine("ESD_Bounding_Box ( 1 )", "1 2", 21, 8);
    ASSERT_TRUE(erased.has_value());
    EXPECT_EQ(erased->line, line);
    EXPECT_EQ(erased->caret, 22);
}

struct KeyUpCase {
    const char* text;
    int caret;
    char32_t typed;
    const char* expectedText;
    int expectedCaret;
};

class BoxInputKeyUp : public ::testing::TestWithParam<KeyUpCase> {};

TEST_P(BoxInputKeyUp, TidiesTheTextAndMovesTheCaret) {
    const KeyUpCase& c = GetParam();
    const BoxInputEdit edit = filterBoxInputKeyUp(c.text, c.caret, c.typed);
    EXPECT_EQ(edit.text, c.expectedText) << "text: '" << c.text << "'";
    EXPECT_EQ(edit.caret, c.expectedCaret) << "text: '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(Cases, BoxInputKeyUp,
                         ::testing::Values(
                             // A typed letter vanishes again and the caret steps back over it.
                             KeyUpCase{"1a", 2, U'a', "1", 1}, KeyUpCase{"1a2", 2, U'a', "12", 1},
                             KeyUpCase{"1\u00e42", 2, U'\u00e4', "12", 1}, KeyUpCase{"1,", 2, U',', "1.", 2},
                             KeyUpCase{"-.", 2, U'.', "-0.", 3},
                             // A blank right after a minus is removed.
                             KeyUpCase{"- ", 2, U' ', "-", 1}, KeyUpCase{"1  2", 2, U' ', "1 2", 1},
                             KeyUpCase{"1 2..", 5, U'.', "1 2.", 4}, KeyUpCase{" 1 2", 4, U'2', "1 2", 3},
                             // A minus glued to a value gets a blank in front, and stays.
                             KeyUpCase{"1-", 2, U'-', "1 -", 3}, KeyUpCase{"1 -", 3, U'-', "1 -", 3},
                             KeyUpCase{"-1-2", 4, U'2', "-1 -2", 5},
                             // At most six values: the text ends behind the sixth blank.
                             KeyUpCase{"1 2 3 4 5 6 7", 13, U'7', "1 2 3 4 5 6 ", 12},
                             KeyUpCase{"1 2 3 4 5 6-", 12, U'-', "1 2 3 4 5 6 ", 12},
                             // Nothing to tidy: text and caret stay.
                             KeyUpCase{"12.5 -3", 3, U'2', "12.5 -3", 3}, KeyUpCase{"", 0, 0, "", 0},
                             KeyUpCase{"7", 9, U'7', "7", 1}));

} // namespace
} // namespace quillfen
