#include "bbox/RecordScan.h"
#include "bbox/ShapeGeometryReader.h"
#include "bbox/ShapeNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quillfen {
namespace {

TEST(HoleFeldWert, ReadsTheNumberOfOneBlankSeparatedField) {
    struct Case {
        const char* line;
        int field;
        double expected;
    };
    for (const Case& c :
         {Case{"  1 2 3 ", 2, 2.0}, Case{"1  2", 2, 0.0}, Case{"1  2", 3, 2.0}, Case{"1 2", 3, 0.0},
          Case{"", 1, 0.0}, Case{"1\t5 2", 1, 15.0}, Case{"-1.5e2 x", 1, -150.0}, Case{"FFFFFFFF 7", 1, 0.0}})
        EXPECT_EQ(holeFeldWert(c.line, c.field), c.expected) << "'" << c.line << "' field " << c.field;
}

TEST(NumberBehind, ReadsTheCountInFrontOfARecordList) {
    EXPECT_EQ(numberBehind("points ( 12\r\n\t\tpoint ( 1 2 3 )", "points ( "), 12.0);
    // Blanks, TABs and LFs do not end the number, a CR does.
    EXPECT_EQ(numberBehind("points ( 1 2\n3\r4", "points ( "), 123.0);
    // The hierarchy's count ends at the root's minus.
    EXPECT_EQ(numberBehind("hierarchy ( 3 -1 0 1 )", "hierarchy ( "), 3.0);
    // Without its keyword, the reading starts at the keyword's length less one.
    EXPECT_EQ(numberBehind("abcdefgh42", "points ( "), 42.0);
    EXPECT_EQ(numberBehind("short", "points ( "), 0.0);
}

TEST(RecordScanner, TakesEachRecordUpToItsCarriageReturn) {
    RecordScanner scanner("x point ( 1 2 3 )\r\n point ( 4\r\n5 )\r\n", "point (");
    EXPECT_EQ(scanner.next(), "point ( 1 2 3 )\r");
    EXPECT_EQ(scanner.next(), "point ( 4\r");
    EXPECT_EQ(scanner.next(), std::nullopt);
    EXPECT_EQ(scanner.next(), std::nullopt);
}

TEST(RecordScanner, GivesEmptyLinesWhenNoCarriageReturnFollows) {
    RecordScanner scanner("point ( 1 2 3 )\npoint ( 4 5 6 )\n", "point (");
    EXPECT_EQ(scanner.next(), "");
    EXPECT_EQ(scanner.next(), "");
    EXPECT_EQ(scanner.next(), std::nullopt);
}

TEST(RecordFieldReader, CleansTheLineBeforeReadingFields) {
    struct Case {
        const char* line;
        const char* keyword;
        LineCleaning cleaning;
        int count;
        std::vector<double> expected;
    };
    const std::vector<Case> cases{
        {"point ( 1.5 -2 3e2 )\r", "point (", LineCleaning::Plain, 3, {1.5, -2.0, 300.0}},
        {"vertex ( 00000000 6 0 FFFFFFFF FF000000\r", "vertex (", LineCleaning::Plain, 2, {0.0, 6.0}},
        // Every occurrence of the keyword is removed: the second one leaves an empty field 2.
        {"vertex ( 0 vertex ( 5 6\r", "vertex (", LineCleaning::Plain, 3, {0.0, 0.0, 5.0}},
        {"", "point (", LineCleaning::Plain, 3, {0.0, 0.0, 0.0}},
        {"point ( 1 2 )\r", "point (", LineCleaning::Plain, 3, {1.0, 2.0, 0.0}},
        {"point ( 007 -0 -123456789 )\r", "point (", LineCleaning::Plain, 3, {7.0, -0.0, -123456789.0}},
        {"point ( 1234567890123 1-2 -\t5 )\r",
         "point (",
         LineCleaning::Plain,
         3,
         {1234567890123.0, 1.0, -5.0}},
        // A matrix's name goes with everything before the first "(".
        {"matrix BOGIE.1 ( 1 2 3 4 5 6 7 8 9 10 11 12 )\r",
         "matrix ",
         LineCleaning::DropName,
         12,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"matrix 7 8 9\r", "matrix ", LineCleaning::DropName, 3, {7.0, 8.0, 9.0}},
    };
    RecordFieldReader reader;
    for (const Case& c : cases) {
        const auto& values = reader.read(c.line, c.keyword, c.cleaning, c.count);
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(values[i], c.expected[i]) << "'" << c.line << "' field " << i + 1;
    }
}

TEST(RecordFieldReader, AgreesWithHoleFeldWertOnTheCleanedLine) {
    const std::vector<std::string> lines{"point ( 1 2 3 )\r",
                                         "point (  1   2 )\r",
                                         "point (1)2 3\r",
                                         "point ( 1\t2 -3e+1 4.5.6 )\r",
                                         "point ( po\nint ( 7 8 9 )\r",
                                         "point ( ) ) 4 ) 5\r",
                                         "   point ( x 1 \r",
                                         "point ( 1 2 3",
                                         ""};
    RecordFieldReader reader;
    for (const std::string& line : lines) {
        const auto& values = reader.read(line, "point (", LineCleaning::Plain, 3);
        const std::string cleaned = cleanRecordLine(line, "point (", LineCleaning::Plain);
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(values[static_cast<std::size_t>(n - 1)], holeFeldWert(cleaned, n))
                << "'" << line << "' " << n;
    }
    const std::string matrix = "matrix A.B ( 1 ( 2 ) matrix 3\r";
    const auto& values = reader.read(matrix, "matrix ", LineCleaning::DropName, 3);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(values[static_cast<std::size_t>(n - 1)],
                  holeFeldWert(cleanRecordLine(matrix, "matrix ", LineCleaning::DropName), n));
}

TEST(TeileUnterobjekte, CutsFromVerticesToJustBeforePrimitives) {
    const std::string text =
        "sub_objects ( 2 a vertices ( 1 v primitives ( x b vertices ( 2 w primitives ( y";
    const auto pieces = teileUnterobjekte(text, 2);
    ASSERT_TRUE(pieces.ok());
    ASSERT_EQ(pieces->size(), 2u);
    EXPECT_EQ((*pieces)[0], "vertices ( 1 v ");
    EXPECT_EQ((*pieces)[1], "vertices ( 2 w ");
    // One sub-object more than the text holds has no "primitives (" behind it.
    EXPECT_FALSE(teileUnterobjekte(text, 3).ok());
    EXPECT_FALSE(teileUnterobjekte("sub_objects ( 1 primitives ( vertices (", 1).ok());
}

TEST(ShapeNumbers, RoundHalvesToEvenAndReportOverflow) {
    struct Case {
        double value;
        std::optional<std::int16_t> expected;
    };
    for (const Case& c : {Case{2.5, 2}, Case{3.5, 4}, Case{-2.5, -2}, Case{1.4999, 1}, Case{32767.0, 32767},
                          Case{32767.5, std::nullopt}, Case{-32768.5, -32768}, Case{-32769.0, std::nullopt},
                          Case{1e300, std::nullopt}})
        EXPECT_EQ(toInt16(c.value), c.expected) << c.value;
    EXPECT_EQ(toFloat32(1e39), std::nullopt);
    EXPECT_EQ(toFloat32(-2.5), -2.5f);
    EXPECT_EQ(toCount(3e9), std::nullopt);
    EXPECT_EQ(toCount(0.5), 0);
    // The vertex state keeps its matrix index as 15-digit text: 3.4999999999999996 is stored as 3.5.
    EXPECT_EQ(matrixIndexFromStoredNumber(3.4999999999999996), 4);
    EXPECT_EQ(matrixIndexFromStoredNumber(1e20), std::nullopt);
}

} // namespace
} // namespace quillfen
