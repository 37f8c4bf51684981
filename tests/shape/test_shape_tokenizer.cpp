// The tokenizer's number readers read whole groups of characters at once: every length and neighbouring byte.

#include "shape/ShapeTokenizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace quillfen::shape {
namespace {

// Every byte next to the digits' and letters' ranges ends a word badly; a control character ends it well.
TEST(ShapeTokenizer, ReadsHexadecimalWordsOfEveryLengthAndCase) {
    const std::pair<const char*, std::uint32_t> good[] = {
        {"00000000", 0U},          {"ffffffff", 0xFFFFFFFFU},
        {"1a2B3c4D", 0x1A2B3C4DU}, {"9fA0aF09 )", 0x9FA0AF09U},
        {"000001d2)", 0x1D2U},     {"1d2 ", 0x1D2U},
        {"0000\020000", 0U}};
    for (const auto& [text, value] : good) EXPECT_EQ(ShapeTokenizer(text).nextHex(), value) << text;
    for (const char* text : {"123456789", "0000000g", "0000:000", "0000/000", "0000`000", "0000@000",
                             "0000\301000", "0000\177000", "00000000x", "-1", ""})
        EXPECT_EQ(ShapeTokenizer(text).nextHex(), std::nullopt) << text;
}

// Up to 18 digits; more than fit are no whole number.
TEST(ShapeTokenizer, ReadsWholeNumbersOfEveryLength) {
    const std::pair<const char*, std::int64_t> good[] = {
        {"7)", 7}, {"-3 ", -3}, {"+42 ", 42}, {"1234567 ", 1234567}, {"12345678 ", 12345678}, {"12", 12}};
    EXPECT_EQ(ShapeTokenizer("123456789012345678 ").nextInteger(), 123456789012345678);
    for (const auto& [text, value] : good) EXPECT_EQ(ShapeTokenizer(text).nextInteger(), value) << text;
    for (const char* text :
         {"1234567890123456789 ", "12a4567 ", "1234567x", "12/4567 ", "12:4567 ", "1.5 ", "-"})
        EXPECT_EQ(ShapeTokenizer(text).nextInteger(), std::nullopt) << text;
}

// Keywords are compared a word of characters at a time: a difference at any place of any length counts.
TEST(ShapeTokenizer, SkipsAKeywordOnlyWhenItStandsWhole) {
    for (std::size_t size = 1; size <= 16; ++size) {
        const std::string keyword = std::string("distance_levels_").substr(0, size), text = keyword + " (";
        ShapeTokenizer whole(text);
        EXPECT_TRUE(whole.skipKeyword(keyword) && whole.next().kind == TokenKind::Open) << keyword;
        EXPECT_FALSE(ShapeTokenizer(keyword + "s").skipKeyword(keyword) ||
                     ShapeTokenizer(text.substr(0, size - 1)).skipKeyword(keyword));
        for (std::size_t at = 0; at < size; ++at)
            EXPECT_FALSE(
                ShapeTokenizer(std::string(text).replace(at, 1, 1, static_cast<char>(text[at] ^ 0x20)))
                    .skipKeyword(keyword))
                << at;
    }
}

} // namespace
} // namespace quillfen::shape
