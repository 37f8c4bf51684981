#include "platform/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillfen {
namespace {

struct LeadingCase {
    const char* text;
    double expected;
};

class ReadLeadingNumber : public testing::TestWithParam<LeadingCase> {};

TEST_P(ReadLeadingNumber, ReadsWhatTheTextBeginsWith) {
    EXPECT_DOUBLE_EQ(readLeadingNumber(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLeadingNumber,
    testing::Values(LeadingCase{"", 0.0}, LeadingCase{"abc", 0.0}, LeadingCase{"12", 12.0},
                    LeadingCase{"  -3.5", -3.5}, LeadingCase{"1 2 3", 123.0}, LeadingCase{"\t4\n2", 42.0},
                    LeadingCase{"7\r8", 7.0}, LeadingCase{"1-2", 1.0}, LeadingCase{"--1", 0.0},
                    LeadingCase{"+5", 5.0}, LeadingCase{".5", 0.5}, LeadingCase{"-.25x", -0.25},
                    LeadingCase{"1.2.3", 1.2}, LeadingCase{"1e3", 1000.0}, LeadingCase{"2.5E-1", 0.25},
                    LeadingCase{"1d2", 100.0}, LeadingCase{"1e", 1.0}, LeadingCase{"3e+", 3.0},
                    LeadingCase{"1,5", 1.0}, LeadingCase{"-", 0.0}, LeadingCase{"1e999", 0.0},
                    LeadingCase{"0.0001 m", 0.0001}));

TEST(ParseLocaleNumber, AcceptsOnlyAWholeNumberWithTheGivenSeparator) {
    EXPECT_EQ(parseLocaleNumber("1,5", ','), 1.5);
    EXPECT_EQ(parseLocaleNumber(" -2,25 ", ','), -2.25);
    EXPECT_EQ(parseLocaleNumber("1.5", '.'), 1.5);
    EXPECT_EQ(parseLocaleNumber("3", ','), 3.0);
    EXPECT_EQ(parseLocaleNumber("1e3", '.'), 1000.0);
    EXPECT_FALSE(parseLocaleNumber("1.5", ','));
    EXPECT_FALSE(parseLocaleNumber("", '.'));
    EXPECT_FALSE(parseLocaleNumber("-", '.'));
    EXPECT_FALSE(parseLocaleNumber("12a", '.'));
    EXPECT_FALSE(parseLocaleNumber("1e", '.'));
}

TEST(ParseInteger, WholeNumbersOnly) {
    EXPECT_EQ(parseInteger("42"), 42);
    EXPECT_EQ(parseInteger(" -7 "), -7);
    EXPECT_FALSE(parseInteger("4.2"));
    EXPECT_FALSE(parseInteger("zwei"));
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("99999999999999999999999"));
}

TEST(RoundHalfEven, RoundsTheDecimalValueTheDoubleStandsFor) {
    EXPECT_DOUBLE_EQ(roundHalfEven(0.125, 2), 0.12);   // an exact tie goes to even
    EXPECT_DOUBLE_EQ(roundHalfEven(0.375, 2), 0.38);
    EXPECT_DOUBLE_EQ(roundHalfEven(2.5, 0), 2.0);
    EXPECT_DOUBLE_EQ(roundHalfEven(-2.5, 0), -2.0);
    EXPECT_DOUBLE_EQ(roundHalfEven(1.23456, 4), 1.2346);
    EXPECT_DOUBLE_EQ(roundHalfEven(2.675, 2), 2.67); // 2.675 is a little less than 2.675
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.00001, 4)));
}

TEST(Formats, ZeroPointHashesShortestAndFloat32) {
    EXPECT_EQ(formatZeroPointHashes(0.0), "0.0");
    EXPECT_EQ(formatZeroPointHashes(3.0), "3.0");
    EXPECT_EQ(formatZeroPointHashes(-1.25), "-1.25");
    EXPECT_EQ(formatZeroPointHashes(1.234567), "1.23457");
    EXPECT_EQ(formatZeroPointHashes(-0.000001), "0.0");
    EXPECT_EQ(formatShortest(1.5), "1.5");
    EXPECT_EQ(formatShortest(-0.25, ','), "-0,25");
    EXPECT_EQ(formatShortest(3.0), "3");
    EXPECT_EQ(formatShortest(1e20), "100000000000000000000");
    EXPECT_EQ(formatFloat32(0.1f), "0.1");
    EXPECT_EQ(formatFloat32(-2.5f), "-2.5");
    EXPECT_EQ(formatFloat32(100.0f), "100");
    EXPECT_EQ(formatFloat32(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(formatFloat32(123456789.0f), "123456800");
    EXPECT_EQ(formatFloat32(0.00001f), "0.00001");
}

} // namespace
} // namespace quillfen
