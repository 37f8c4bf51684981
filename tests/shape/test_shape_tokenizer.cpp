// The tokenizer's number readers, which read whole groups of characters at
// once, against the words flags and colours are written with; and the line it
// names, which it finds only when asked.

#include "shape/ShapeTokenizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quillfen::shape {
namespace {

TEST(ShapeTokenizer, ReadsHexadecimalWordsOfEveryLengthAndCase) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"00000000", 0U},
        {"ffffffff", 0xFFFFFFFFU},
        {"FF808080", 0xFF808080U},
        {"1a2B3c4D", 0x1A2B3C4DU},
        {"9fA0aF09 )", 0x9FA0AF09U},
        {"000001d2)", 0x1D2U},
        {"c", 0xCU},
        {"1d2 ", 0x1D2U},
        {"123456789", std::nullopt}, // nine digits
        {"0000000g", std::nullopt},
        {"0000000G", std::nullopt},
        {"0000:000", std::nullopt}, // the byte after '9'
        {"0000/000", std::nullopt}, // the byte before '0'
        {"0000`000", std::nullopt}, // the byte before 'a'
        {"0000@000", std::nullopt}, // the byte before 'A'
        {"0000\xC1"
         "000",
         std::nullopt}, // 'A' with the high bit
        {"0000\x10"
         "000",
         0U}, // a control character ends the word
        {"0000\x7F"
         "000",
         std::nullopt},
        {"00000000x", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ShapeTokenizer tokens(c.text);
        EXPECT_EQ(tokens.nextHex(), c.value);
    }
}

TEST(ShapeTokenizer, ReadsWholeNumbersOfEveryLength) {
    const struct {
        const char* text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"0 ", 0},
        {"7)", 7},
        {"-3 ", -3},
        {"+42 ", 42},
        {"1234567 ", 1234567},
        {"9876543)", 9876543},
        {"0012345 ", 12345},
        {"12345678 ", 12345678}, // eight digits: read one by one
        {"123456789012345678 ", 123456789012345678},
        {"1234567890123456789 ", std::nullopt}, // more digits than fit
        {"12", 12},                             // the text ends within eight characters
        {"123 456 ", 123},
        {"12a4567 ", std::nullopt},
        {"1234567x", std::nullopt},
        {"12/4567 ", std::nullopt}, // the byte before '0'
        {"12:4567 ", std::nullopt}, // the byte after '9'
        {"1.5 ", std::nullopt},
        {"- 1 ", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ShapeTokenizer tokens(c.text);
        EXPECT_EQ(tokens.nextInteger(), c.value);
    }
}

TEST(ShapeTokenizer, NamesTheLineItStandsOn) {
    ShapeTokenizer tokens("a\r\n\t\t\t\t\t\t\t\t\t\t( \"two\nlines\" \n\n        b");
    EXPECT_EQ(tokens.line(), 1);
    tokens.next();
    tokens.next();
    EXPECT_EQ(tokens.line(), 2);
    tokens.next();
    EXPECT_EQ(tokens.line(), 3);
    EXPECT_EQ(tokens.next().text, "b");
    EXPECT_EQ(tokens.line(), 5);
}

} // namespace
} // namespace quillfen::shape
