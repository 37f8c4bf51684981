// The text, number and code-page helpers shared by every part of the program.

#include "platform/CodePage.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quillfen {
namespace {

TEST(LetterCase, KnowsEveryLatin1LetterAndSearchesKeepByteOffsets) {
    EXPECT_EQ(toUpperLatin1("straße äöü éñ ÿ"), "STRAßE ÄÖÜ ÉÑ ÿ");
    EXPECT_EQ(toLowerLatin1("ÄÖÜ ÀÞ × WALL.ACE"), "äöü àþ × wall.ace");
    EXPECT_EQ(toUpperLatin1("€ 日本"), "€ 日本"); // outside Latin-1: unchanged
    EXPECT_EQ(findNoCase("Häuser.ACE wall.ace", "WALL.ACE"), 12u);
}

TEST(TrimAndReplace, BlanksOnlyAndEveryOccurrenceWithoutRescanning) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("abc", "", "z"), "abc");
}

TEST(DecodeText, RecognisesTheEncoding) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string("\xFF\xFEs\0h\0\xE4\0", 8), "sh\xC3\xA4"},
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},
        {"\xEF\xBB\xBFgr\xC3\xBCn", "gr\xC3\xBCn"},
        {"gr\xC3\xBCn", "gr\xC3\xBCn"},
        {"gr\xFCn \x80", "gr\xC3\xBCn \xE2\x82\xAC"}};
    for (const auto& [bytes, text] : cases) EXPECT_EQ(decodeText(bytes), text) << bytes;
}

TEST(EncodeText, RoundTripsThroughUtf16AndWindows1252) {
    const std::string text = "Häuser € 日本 \xF0\x9F\x98\x80";
    EXPECT_EQ(decodeText(encodeUtf16LeWithBom(text)), text);
    bool lossy = false;
    EXPECT_EQ(encodeWindows1252("Bäume €", &lossy), "B\xE4ume \x80");
    EXPECT_FALSE(lossy);
    EXPECT_EQ(encodeWindows1252("日本", &lossy), "??");
    EXPECT_TRUE(lossy);
    EXPECT_FALSE(tryEncodeWindows1252("日本"));
}

TEST(Paths, JoinAndCollapseSeparators) {
    const std::string s = kSep;
    EXPECT_EQ(joinPath("a" + s, "b"), "a" + s + "b");
    EXPECT_EQ(joinPath(s, "b"), s + "b");
    EXPECT_EQ(collapseSeparators("a" + s + s + "b" + s + s + s + "c"), "a" + s + "b" + s + "c");
    EXPECT_EQ(parentOf("x" + s + "y.s"), "x");
    EXPECT_EQ(sameFileName("Wall.ace", "WALL.ACE"), kPathSeparator == '\\'); // Windows ignores case
}

TEST(ReadLeadingNumber, ReadsWhatTheTextBeginsWith) {
    const std::pair<const char*, double> cases[] = {
        {"abc", 0.0}, {"  -3.5", -3.5}, {"1 2 3", 123.0}, {"\t4\n2", 42.0}, {"7\r8", 7.0},
        {"--1", 0.0}, {"-.25x", -0.25}, {"1.2.3", 1.2},   {"2.5E-1", 0.25}, {"1d2", 100.0},
        {"3e+", 3.0}, {"1,5", 1.0},     {"1e999", 0.0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(readLeadingNumber(text), expected) << '"' << text << '"';
}

TEST(ParseNumbers, OnlyAWholeNumberWithTheGivenSeparator) {
    EXPECT_EQ(parseLocaleNumber(" -2,25 ", ','), -2.25);
    EXPECT_EQ(parseLocaleNumber("1e3", '.'), 1000.0);
    for (const char* text : {"1.5", "", "1e"}) EXPECT_FALSE(parseLocaleNumber(text, ',')) << text;
    EXPECT_EQ(parseInteger(" -7 "), -7);
    for (const char* text : {"4.2", "", "99999999999999999999999"}) EXPECT_FALSE(parseInteger(text)) << text;
}

TEST(RoundHalfEven, RoundsTheDecimalValueTheDoubleStandsFor) {
    EXPECT_DOUBLE_EQ(roundHalfEven(0.125, 2), 0.12); // an exact tie goes to even
    EXPECT_DOUBLE_EQ(roundHalfEven(-2.5, 0), -2.0);
    EXPECT_DOUBLE_EQ(roundHalfEven(2.675, 2), 2.67); // 2.675 is a little less than 2.675
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.00001, 4)));
}

TEST(Formats, ZeroPointHashesShortestAndFloat32) {
    EXPECT_EQ(formatZeroPointHashes(3.0), "3.0");
    EXPECT_EQ(formatZeroPointHashes(1.234567), "1.23457");
    EXPECT_EQ(formatZeroPointHashes(-0.000001), "0.0");
    EXPECT_EQ(formatShortest(-0.25, ','), "-0,25");
    EXPECT_EQ(formatShortest(1e20), "100000000000000000000");
    EXPECT_EQ(formatFloat32(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(formatFloat32(0.00001f), "0.00001");
}

TEST(WineCodePage, ComesFromTheLocaleLanguageAndRegion) {
    // The rules: Western by default, the encoding ignored, any letter case, Serbian's Latin script, Chinese
    // by region.
    const std::pair<const char*, int> cases[] = {
        {"C", 1252},           {"", 1252},           {"CS_cz", 1250},      {"ru_RU.UTF-8", 1251},
        {"sr_RS@latin", 1250}, {"zh_CN.UTF-8", 936}, {"zh_TW.UTF-8", 950},
    };
    for (const auto& [locale, codePage] : cases) EXPECT_EQ(wineCodePageOfLocale(locale), codePage) << locale;
}

TEST(FitsCodePage, OnlyTextWhoseEveryCharacterHasAPlace) {
    const std::string czech = "Zden\xC4\x9Bk", russian = "\xD0\x94\xD0\xBE\xD0\xBC"; // ě, Дом
    // € is in Windows-1252; ě is not, nor its best fit "e".
    const std::tuple<std::string, int, bool> cases[] = {
        {"H\xC3\xA4user", 1252, true}, {"\xE2\x82\xAC", 1252, true}, {czech, 1252, false},
        {czech, 1250, true},           {russian, 1251, true},        {czech + " " + russian, 1251, false},
        {"\xE6\x9D\xB1", 932, true}, // 東
    };
    for (const auto& [text, codePage, fits] : cases)
        EXPECT_EQ(fitsCodePage(text, codePage), fits) << text << " in " << codePage;
}

} // namespace
} // namespace quillfen
