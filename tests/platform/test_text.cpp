#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

TEST(LetterCase, KnowsEveryLatin1Letter) {
    EXPECT_EQ(toUpperLatin1("straße äöü éñ ÿ"), "STRAßE ÄÖÜ ÉÑ ÿ");
    EXPECT_EQ(toLowerLatin1("ÄÖÜ ÀÞ × WALL.ACE"), "äöü àþ × wall.ace");
    EXPECT_EQ(toUpperLatin1("€ 日本"), "€ 日本"); // outside Latin-1: unchanged
}

TEST(LetterCase, SearchesIgnoreCaseAndKeepByteOffsets) {
    EXPECT_EQ(findNoCase("Häuser.ACE wall.ace", "WALL.ACE"), 12u);
    EXPECT_EQ(findNoCase("HÄUS", "äu"), 1u);
    EXPECT_EQ(findNoCase("abc", "x"), std::string::npos);
    EXPECT_TRUE(equalsNoCase("Straße", "STRAßE"));
    EXPECT_FALSE(equalsNoCase("Wall", "Wall2"));
}

TEST(Trim, RemovesBlanksOnly) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(trimBlanks("   "), "");
}

TEST(Replace, EveryOccurrenceWithoutRescanning) {
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("x->y->z", "->", ""), "xyz");
    EXPECT_EQ(replaceAll("abc", "", "z"), "abc");
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;
};

class DecodeText : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeText, RecognisesTheEncoding) { EXPECT_EQ(decodeText(GetParam().bytes), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeText,
    testing::Values(DecodeCase{"utf16", std::string("\xFF\xFEs\0h\0\xE4\0", 8), "sh\xC3\xA4"},
                    DecodeCase{"utf16pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},
                    DecodeCase{"utf8bom", "\xEF\xBB\xBFgr\xC3\xBCn", "gr\xC3\xBCn"},
                    DecodeCase{"utf8", "gr\xC3\xBCn", "gr\xC3\xBCn"},
                    DecodeCase{"cp1252", "gr\xFCn \x80", "gr\xC3\xBCn \xE2\x82\xAC"},
                    DecodeCase{"empty", "", ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(EncodeText, RoundTripsThroughUtf16AndWindows1252) {
    const std::string text = "Häuser € 日本 \xF0\x9F\x98\x80";
    EXPECT_EQ(decodeText(encodeUtf16LeWithBom(text)), text);
    bool lossy = false;
    EXPECT_EQ(encodeWindows1252("Bäume €", &lossy), "B\xE4ume \x80");
    EXPECT_FALSE(lossy);
    EXPECT_EQ(encodeWindows1252("日本", &lossy), "??");
    EXPECT_TRUE(lossy);
    EXPECT_FALSE(tryEncodeWindows1252("日本"));
    EXPECT_EQ(tryEncodeWindows1252("Gr\xC3\xBC\xC3\x9F"), std::string("Gr\xFC\xDF"));
}

TEST(Paths, JoinAndCollapseSeparators) {
    const std::string s = kSep;
    EXPECT_EQ(joinPath("a", "b"), "a" + s + "b");
    EXPECT_EQ(joinPath("a" + s, "b"), "a" + s + "b");
    EXPECT_EQ(joinPath(s, "b"), s + "b");
    EXPECT_EQ(collapseSeparators("a" + s + s + "b" + s + s + s + "c"), "a" + s + "b" + s + "c");
    EXPECT_EQ(fileNameOf("x" + s + "y.s"), "y.s");
    EXPECT_EQ(parentOf("x" + s + "y.s"), "x");
    EXPECT_TRUE(endsWithSeparator("x" + s));
}

} // namespace
} // namespace quillfen
