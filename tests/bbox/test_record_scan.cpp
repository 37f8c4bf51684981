#include "bbox/RecordScan.h"
#include "bbox/ShapeNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quillfen {
namespace {

TEST(NumberBehind, ReadsTheCountInFrontOfARecordList) {
    EXPECT_EQ(numberBehind("points ( 12\r\n\t\tpoint ( 1 2 3 )", "points ( "), 12.0);
    // Blanks, TABs and LFs do not end the number, a CR does.
    EXPECT_EQ(numberBehind("points ( 1 2\n3\r4", "points ( "), 123.0);
    // The hierarchy's count ends at the root's minus.
    EXPECT_EQ(numberBehind("hierarchy ( 3 -1 0 1 )", "hierarchy ( "), 3.0);
    // Without its keyword, the reading starts at the keyword's length less one.
    EXPECT_EQ(numberBehind("abcdefgh42", "points ( "), 42.0);
}

// Fields are parted by single blanks (two make an empty field, which reads as 0);
// TABs, keywords, CRs, LFs and ")" vanish and join what stands around them; a
// field reads as far as it is a number. The tokenizer reads the plain lines, the
// cleaned line all others: both must agree with holeFeldWert on the cleaned line.
TEST(RecordFieldReader, ReadsTheFieldsOfTheCleanedLine) {
    const auto plain = LineCleaning::Plain;
    const struct {
        const char* line;
        LineCleaning cleaning;
        std::vector<double> expected; ///< fields 1..
    } cases[] = {
        {"point ( 1.5 -2 3e2 )\r", plain, {1.5, -2.0, 300.0}},
        {"point ( 007 -0 -123456789 )\r", plain, {7.0, -0.0, -123456789.0}},
        {"point ( -.5 5. +7\r", plain, {-0.5, 5.0, 7.0}},
        {"point ( 12345678901234567 1e400 1E-2 )\r", plain, {12345678901234567.0, 0.0, 0.01}},
        {"point (  1  2 )\r", plain, {1.0, 0.0, 2.0}},
        {"point ( 1\t5 2 -\t5 )\r", plain, {15.0, 2.0, -5.0}},
        {"point ( 1 2 3)4 5\r", plain, {1.0, 2.0, 34.0}},
        {"point ( 1 2 3\r4 5", plain, {1.0, 2.0, 34.0}},
        {"point ( 1-2 1d2 +-1 )\r", plain, {1.0, 100.0, 0.0}},
        {"point ( FFFFFFFF 0x10 inf nan x )\r", plain, {0.0, 0.0, 0.0, 0.0, 0.0}},
        // Every occurrence of the keyword is removed: the second one leaves an empty field 2.
        {"point ( 0 point ( 5 6\r", plain, {0.0, 0.0, 5.0}},
        {"point ( po\nint ( 7 8 9 )\r", plain, {0.0, 0.0, 7.0}},
        // A matrix's name goes with everything before the first "(".
        {"matrix BOGIE.1 ( 1 2 3 4 5 6 7 8 9 10 11 12 )\r",
         LineCleaning::DropName,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"matrix A.B ( 1 ( 2 ) matrix 3\r", LineCleaning::DropName, {1.0, 0.0, 2.0}},
    };
    RecordFieldReader reader;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const char* keyword = c.cleaning == plain ? "point (" : "matrix ";
        const int count = static_cast<int>(c.expected.size());
        const auto values = reader.read(c.line, keyword, c.cleaning, count);
        const std::string cleaned = cleanRecordLine(c.line, keyword, c.cleaning);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double expected = i < c.expected.size() ? c.expected[i] : 0.0;
            EXPECT_EQ(values[i], expected) << "field " << i + 1;
            EXPECT_EQ(std::signbit(values[i]), std::signbit(expected)) << "field " << i + 1;
            const int n = static_cast<int>(i) + 1;
            EXPECT_EQ(i < c.expected.size() ? holeFeldWert(cleaned, n) : 0.0, expected) << "field " << n;
        }
    }
}

TEST(ShapeNumbers, RoundHalvesToEvenAndReportOverflow) {
    const std::pair<double, std::optional<std::int16_t>> cases[] = {{2.5, 2},
                                                                    {3.5, 4},
                                                                    {-2.5, -2},
                                                                    {1.4999, 1},
                                                                    {32767.0, 32767},
                                                                    {32767.5, std::nullopt},
                                                                    {-32768.5, -32768},
                                                                    {-32769.0, std::nullopt},
                                                                    {1e300, std::nullopt}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(toInt16(value), expected) << value;
    EXPECT_EQ(toFloat32(1e39), std::nullopt);
    EXPECT_EQ(toCount(3e9), std::nullopt);
    EXPECT_EQ(toCount(0.5), 0);
    // The vertex state keeps its matrix index as 15-digit text: 3.4999999999999996 is stored as 3.5.
    EXPECT_EQ(matrixIndexFromStoredNumber(3.4999999999999996), 4);
    EXPECT_EQ(matrixIndexFromStoredNumber(1e20), std::nullopt);
}

} // namespace
} // namespace quillfen
