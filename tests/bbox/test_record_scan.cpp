#include "bbox/RecordScan.h"
#include "bbox/ShapeNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace quillfen {
namespace {

TEST(NumberBehind, ReadsTheCountInFrontOfARecordList) {
    // Blanks, TABs and LFs do not end the number, a CR does.
    EXPECT_EQ(numberBehind("points ( 1 2\n3\r4", "points ( "), 123.0);
    EXPECT_EQ(numberBehind("hierarchy ( 3 -1 0 1 )", "hierarchy ( "), 3.0); // ends at the root's minus
}

// The tokenizer reads the plain lines, the cleaned line all others: both agree with holeFeldWert.
TEST(RecordFieldReader, ReadsTheFieldsOfTheCleanedLine) {
    const auto plain = LineCleaning::Plain;
    const auto drop = LineCleaning::DropName;
    const std::tuple<const char*, LineCleaning, std::vector<double>> cases[] = {
        // the line, fields 1..
        {"point ( 1.5 -2 3e2 )\r", plain, {1.5, -2.0, 300.0}},
        {"point ( 007 -0 -123456789 )\r", plain, {7.0, -0.0, -123456789.0}},
        {"point ( -.5 5. +7\r", plain, {-0.5, 5.0, 7.0}},
        {"point ( 12345678901234567 1e400 1E-2 )\r", plain, {12345678901234567.0, 0.0, 0.01}},
        {"point (  1  2 )\r", plain, {1.0, 0.0, 2.0}},
        {"point ( 1\t5 2 -\t5 )\r", plain, {15.0, 2.0, -5.0}},
        {"point ( 1 2 3)4 5\r", plain, {1.0, 2.0, 34.0}},
        {"point ( 1-2 1d2 +-1 )\r", plain, {1.0, 100.0, 0.0}},
        {"point ( FFFFFFFF 0x10 inf nan x )\r", plain, {0.0, 0.0, 0.0, 0.0, 0.0}},
        // Every keyword is removed: the second leaves an empty field 2.
        {"point ( 0 point ( 5 6\r", plain, {0.0, 0.0, 5.0}},
        // A matrix's name goes with everything before the first "(".
        {"matrix BOGIE.1 ( 1 2 3 4 5 6 7 8 9 10 11 12 )\r", drop, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"matrix A.B ( 1 ( 2 ) matrix 3\r", drop, {1.0, 0.0, 2.0}}};
    RecordFieldReader reader;
    for (const auto& [line, cleaning, fields] : cases) {
        SCOPED_TRACE(line);
        const char* keyword = cleaning == plain ? "point (" : "matrix ";
        const auto values = reader.read(line, keyword, cleaning, static_cast<int>(fields.size()));
        const std::string cleaned = cleanRecordLine(line, keyword, cleaning);
        for (std::size_t i = 0; i < values.size(); ++i) { // beyond the count: 0, nothing of the line before
            const int n = static_cast<int>(i) + 1;
            const double expected = i < fields.size() ? fields[i] : 0.0;
            EXPECT_EQ(values[i], expected) << "field " << n;
            EXPECT_EQ(std::signbit(values[i]), std::signbit(expected)) << "field " << n;
            EXPECT_EQ(i < fields.size() ? holeFeldWert(cleaned, n) : 0.0, expected) << "field " << n;
        }
    }
}

TEST(ShapeNumbers, RoundHalvesToEvenAndReportOverflow) {
    const std::pair<double, int> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {32767.0, 32767}, {-32768.5, -32768}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(toInt16(value), expected) << value;
    for (const double value : {32767.5, -32769.0}) EXPECT_EQ(toInt16(value), std::nullopt) << value;
    EXPECT_EQ(toFloat32(1e39), std::nullopt);
    EXPECT_EQ(toCount(3e9), std::nullopt);
    // The vertex state keeps its matrix index as 15-digit text: 3.4999999999999996 is stored as 3.5.
    EXPECT_EQ(matrixIndexFromStoredNumber(3.4999999999999996), 4);
    EXPECT_EQ(matrixIndexFromStoredNumber(1e20), std::nullopt);
}

} // namespace
} // namespace quillfen
