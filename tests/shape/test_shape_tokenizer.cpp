// The tokenizer's number readers, which read whole groups of characters at
// once, against the words flags and colours are written with (the lines it
// names: the reader's damaged-file tests).

#include "shape/ShapeTokenizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace quillfen::shape {
namespace {

// Around the digits' and letters' ranges every neighbouring byte (and 'A' with
// the high bit) ends the number badly; a control character ends the word.
TEST(ShapeTokenizer, ReadsHexadecimalWordsOfEveryLengthAndCase) {
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"00000000", 0U},           {"ffffffff", 0xFFFFFFFFU},     {"FF808080", 0xFF808080U},
        {"1a2B3c4D", 0x1A2B3C4DU},  {"9fA0aF09 )", 0x9FA0AF09U},   {"000001d2)", 0x1D2U},
        {"1d2 ", 0x1D2U},           {"123456789", std::nullopt},   {"0000000g", std::nullopt},
        {"0000:000", std::nullopt}, {"0000/000", std::nullopt},    {"0000`000", std::nullopt},
        {"0000@000", std::nullopt}, {"0000\301000", std::nullopt}, {"0000\177000", std::nullopt},
        {"0000\020000", 0U},        {"00000000x", std::nullopt},   {"-1", std::nullopt},
        {"", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ShapeTokenizer(text).nextHex(), value) << text;
}

// Up to 18 digits; more than fit are no whole number.
TEST(ShapeTokenizer, ReadsWholeNumbersOfEveryLength) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"0 ", 0},
        {"7)", 7},
        {"-3 ", -3},
        {"+42 ", 42},
        {"1234567 ", 1234567},
        {"12345678 ", 12345678},
        {"123456789012345678 ", 123456789012345678},
        {"1234567890123456789 ", std::nullopt},
        {"12", 12},
        {"123 456 ", 123},
        {"12a4567 ", std::nullopt},
        {"1234567x", std::nullopt},
        {"12/4567 ", std::nullopt},
        {"12:4567 ", std::nullopt},
        {"1.5 ", std::nullopt},
        {"- 1 ", std::nullopt},
        {"-", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ShapeTokenizer(text).nextInteger(), value) << text;
}

} // namespace
} // namespace quillfen::shape
