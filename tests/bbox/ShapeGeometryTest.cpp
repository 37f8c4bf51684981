#include "HandWrittenShape.h"

#include "bbox/BoundingBoxCalculation.h"
#include "platform/Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace quillfen {
namespace {

using test::computeBox;
using test::LevelText;
using test::ShapeText;
using test::SubObjectText;

constexpr const char* kIdentity = "1 0 0 0 1 0 0 0 1 0 0 0";

/// Replaces the first `from` of a shape text; the test fails when there is none.
std::string replaced(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at == std::string::npos) return text;
    return text.substr(0, at) + to + text.substr(at + from.size());
}

struct BoxCase {
    const char* name;
    std::function<ShapeText()> shape;
    BoxValues expected;
};

class ShapeBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ShapeBox, EnclosesThePointsOfTheFirstLevel) {
    const auto outcome = computeBox(GetParam().shape().text());
    ASSERT_TRUE(outcome.read.ok()) << outcome.read.error().message();
    ASSERT_TRUE(outcome.box.ok()) << outcome.box.error().message();
    EXPECT_EQ(*outcome.box, GetParam().expected);
}

ShapeText onePointThroughMatrix(const char* hierarchy, std::vector<std::string> matrices,
                                const char* matrix) {
    ShapeText shape;
    shape.matrices = std::move(matrices);
    shape.vertexStateMatrices = {matrix};
    shape.levels = {LevelText{hierarchy, {SubObjectText{{0}, {"0 0 1"}, "", ""}}}};
    return shape;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapeBox,
    ::testing::Values(
        BoxCase{"OnlyPointThroughMatrixZero", [] { return ShapeText{}; }, {1, 2, 3, 1, 2, 3}},
        BoxCase{"MatrixZeroIsNeverApplied",
                [] { return onePointThroughMatrix("1 -1", {"1 0 0 0 1 0 0 0 1 50 50 50"}, "0"); },
                {1, 2, 3, 1, 2, 3}},
        BoxCase{"RotationAndTranslation",
                [] {
                    return onePointThroughMatrix("2 -1 0", {kIdentity, "0 0 1 0 1 0 -1 0 0 5 0 0"}, "1");
                },
                {2, 2, 1, 2, 2, 1}},
        // Matrix 2, then its parent 1; the parent of 1 is 0, where the chain ends.
        BoxCase{"ChainOfParents",
                [] {
                    return onePointThroughMatrix("3 -1 0 1",
                                                 {"1 0 0 0 1 0 0 0 1 1000 1000 1000",
                                                  "1 0 0 0 1 0 0 0 1 10 0 0", "1 0 0 0 1 0 0 0 1 0 100 0"},
                                                 "2");
                },
                {11, 102, 3, 11, 102, 3}},
        BoxCase{"ParentAppliedAfterChild",
                [] {
                    // The child rotates first, then the parent translates: (1,2,3) -> (2,2,1) -> (2,2,11).
                    return onePointThroughMatrix(
                        "3 -1 0 1", {kIdentity, "1 0 0 0 1 0 0 0 1 0 0 10", "0 0 1 0 1 0 -1 0 0 5 0 0"}, "2");
                },
                {2, 2, 11, 2, 2, 11}},
        // The set "0 2 3" uses vertices 2, 3 and 4 only.
        BoxCase{
            "VertexSetSkipsVertices",
            [] {
                ShapeText shape;
                shape.points = {"100 100 100", "-100 -100 -100", "1 0 0", "0 2 0", "0 0 -3", "50 50 50"};
                shape.levels = {LevelText{"1 -1", {SubObjectText{{0, 1, 2, 3, 4, 5}, {"0 2 3"}, "", ""}}}};
                return shape;
            },
            {0, 0, -3, 1, 2, 0}},
        BoxCase{"ExactHalvesRoundToEven",
                [] {
                    ShapeText shape;
                    shape.points = {"0.03125 0.09375 -0.03125"};
                    return shape;
                },
                {0.0312f, 0.0938f, -0.0312f, 0.0312f, 0.0938f, -0.0312f}},
        // Only the first level counts, with the first hierarchy.
        BoxCase{"TwoDistanceLevels",
                [] {
                    ShapeText shape;
                    shape.points = {"1 1 1", "-1 -1 -1", "9 9 9"};
                    shape.matrices = {kIdentity, "1 0 0 0 1 0 0 0 1 100 0 0"};
                    shape.vertexStateMatrices = {"0", "1"};
                    shape.levels = {LevelText{"2 -1 0",
                                              {SubObjectText{{0}, {"0 0 1"}, "", ""},
                                               SubObjectText{{1}, {"1 0 1"}, "", ""}}},
                                    LevelText{"2 -1 -1", {SubObjectText{{2}, {"0 0 1"}, "", ""}}}};
                    return shape;
                },
                {1, -1, -1, 99, 1, 1}},
        BoxCase{"SeveralSetsInOneSubObject",
                [] {
                    ShapeText shape;
                    shape.points = {"1 1 1", "2 2 2"};
                    shape.matrices = {kIdentity, "1 0 0 0 1 0 0 0 1 0 -10 0"};
                    shape.vertexStateMatrices = {"0", "1"};
                    shape.levels = {LevelText{"2 -1 0", {SubObjectText{{0, 1}, {"0 0 1", "1 1 1"}, "", ""}}}};
                    return shape;
                },
                {1, -8, 1, 2, 1, 2}},
        BoxCase{"NoVertexInAnySet",
                [] {
                    ShapeText shape;
                    shape.levels = {LevelText{"1 -1", {SubObjectText{{0}, {"0 0 0"}, "", ""}}}};
                    return shape;
                },
                {0, 0, 0, 0, 0, 0}},
        // Without CRs every record line is empty and all fields read as 0.
        BoxCase{"LineFeedsOnly",
                [] {
                    ShapeText shape;
                    shape.lineEnd = "\n";
                    return shape;
                },
                {0, 0, 0, 0, 0, 0}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ShapeGeometry, WritesTheVertexAndPointTotalsInTheLanguage) {
    ShapeText shape;
    shape.points = {"1 2 3", "4 5 6"};
    // Vertices that no set uses count too.
    shape.levels = {
        LevelText{"1 -1",
                  {SubObjectText{{0, 1, 1}, {"0 0 1"}, "", ""}, SubObjectText{{0}, {"0 0 1"}, "", ""}}},
        LevelText{"1 -1", {SubObjectText{{0, 0, 0, 0}, {"0 0 1"}, "", ""}}}};
    GeometryTables tables;
    const auto english = computeBox(shape.text(), tables, kLanguageEnglish);
    EXPECT_EQ(english.log, (std::vector<std::string>{"•BoundingBox generating: Shape has 4 vertices.",
                                                     "•BoundingBox generating: Shape has 2 points."}));
    const auto german = computeBox(shape.text(), tables, kLanguageGerman);
    EXPECT_EQ(german.log, (std::vector<std::string>{"•BoundingBox Ermittlung: Shape hat 4 Vertices.",
                                                    "•BoundingBox Ermittlung: Shape hat 2 Points."}));
}

TEST(ShapeGeometry, DoesNotCountTextureCoordinatesAsPoints) {
    const std::string text = ShapeText{}.text();
    ASSERT_NE(text.find("uv_point ("), std::string::npos);
    EXPECT_EQ(computeBox(text).log.back(), "•BoundingBox generating: Shape has 1 points.");
}

TEST(ShapeGeometry, ATableWhoseCountIsZeroKeepsItsEarlierContent) {
    GeometryTables tables;
    ShapeText first;
    first.points = {"7 8 9"};
    ASSERT_TRUE(computeBox(first.text(), tables).box.ok());

    ShapeText second;
    second.points = {"1 1 1"};
    const std::string text = replaced(second.text(), "points ( 1", "points ( 0");
    const auto outcome = computeBox(text, tables);
    ASSERT_TRUE(outcome.box.ok());
    EXPECT_EQ(*outcome.box, (BoxValues{7, 8, 9, 7, 8, 9}));
    EXPECT_EQ(outcome.log.size(), 1u) << "no point line without a point table";
}

TEST(ShapeGeometry, FewerRecordsThanTheCountLeaveZeroEntries) {
    ShapeText shape;
    shape.points = {"5 5 5"};
    shape.levels = {LevelText{"1 -1", {SubObjectText{{0}, {"0 0 2"}, "2", ""}}}};
    // The second vertex has no record: it holds point 0, so the box is that of (5, 5, 5);
    // a third point entry without a record would be (0, 0, 0).
    std::string text = replaced(shape.text(), "points ( 1", "points ( 3");
    auto outcome = computeBox(text);
    ASSERT_TRUE(outcome.box.ok()) << outcome.box.error().message();
    EXPECT_EQ(*outcome.box, (BoxValues{5, 5, 5, 5, 5, 5}));

    shape.levels = {LevelText{"1 -1", {SubObjectText{{0, 2}, {"0 0 2"}, "", ""}}}};
    text = replaced(shape.text(), "points ( 1", "points ( 3");
    outcome = computeBox(text);
    ASSERT_TRUE(outcome.box.ok()) << outcome.box.error().message();
    EXPECT_EQ(*outcome.box, (BoxValues{0, 0, 0, 5, 5, 5}));
}

TEST(ShapeGeometry, SumsProductsInDoublePrecisionBeforeStoringFloats) {
    // (1 + 2^-23)^2 - (1 + 2^-22) is 2^-46 in double precision but 0 in float steps.
    const float a = 1.0f + 0x1p-23f;
    const float b = 1.0f + 0x1p-22f;
    const Matrix m{a, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0};
    const Point moved = transformierePunkt(Point{a, b, 0.0f}, m, true, false);
    EXPECT_EQ(moved.x, 0x1p-46f);
    const Point translated =
        transformierePunkt(Point{1, 2, 3}, Matrix{0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 6, 7}, false, true);
    EXPECT_EQ(translated.x, 6.0f);
    EXPECT_EQ(translated.z, 10.0f);
}

TEST(ShapeGeometry, PausesBetweenBatchesOfRecords) {
    ShapeText shape;
    SubObjectText sub;
    sub.vertexPoints.assign(3 * kRecordsPerPause, 0);
    sub.vertexSets = {"0 0 1"};
    shape.levels = {LevelText{"1 -1", {sub}}};
    const std::string text = shape.text();
    GeometryTables tables;
    ProgramState state;
    Steps reading = liesShapeGeometrie(text, tables, state, {});
    int pauses = 0;
    while (!reading.resume()) ++pauses;
    EXPECT_TRUE(reading.status().ok());
    EXPECT_GE(pauses, 3);
}

struct FailureCase {
    const char* name;
    const char* reason; ///< part of the failure's reason
    std::function<std::string()> text;
};

class ShapeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ShapeFailure, EndsTheComputation) {
    const auto outcome = computeBox(GetParam().text());
    ASSERT_FALSE(outcome.read.ok() && outcome.box.ok());
    const Error& error = outcome.read.ok() ? outcome.box.error() : outcome.read.error();
    EXPECT_THAT(error.reason, ::testing::HasSubstr(GetParam().reason));
}

std::string shapeWith(const std::function<void(ShapeText&)>& change) {
    ShapeText shape;
    change(shape);
    return shape.text();
}

std::string oneSubObject(std::vector<int> vertices, std::vector<std::string> sets) {
    return shapeWith([&](ShapeText& s) {
        s.levels = {LevelText{"1 -1", {SubObjectText{std::move(vertices), std::move(sets), "", ""}}}};
    });
}

std::string withChain(const char* hierarchy, std::vector<std::string> matrices, const char* matrix) {
    return onePointThroughMatrix(hierarchy, std::move(matrices), matrix).text();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapeFailure,
    ::testing::Values(
        FailureCase{"NoHierarchy", "no \"hierarchy (\"",
                    [] { return replaced(ShapeText{}.text(), "hierarchy (", "hierarchy("); }},
        FailureCase{"NoSubObjects", "no \"sub_objects (\"",
                    [] { return replaced(ShapeText{}.text(), "sub_objects (", "sub_objects("); }},
        FailureCase{"NoPrimStates", "no \"prim_states\"",
                    [] { return replaced(ShapeText{}.text(), "prim_states", "prim_stat"); }},
        FailureCase{"NoImages", "no \"images\"",
                    [] { return replaced(ShapeText{}.text(), "images", "pictures"); }},
        FailureCase{"NoPrimitives", "without \"primitives (\"",
                    [] { return replaced(ShapeText{}.text(), "primitives (", "primitives("); }},
        FailureCase{"HierarchyCountZero", "hierarchy count of 0",
                    [] { return withChain("0 -1", {kIdentity}, "0"); }},
        FailureCase{"HierarchyWithoutEntries", "hierarchy without entries",
                    [] { return withChain("1", {kIdentity}, "0"); }},
        FailureCase{"FewerHierarchyEntries", "fewer hierarchy entries",
                    [] { return withChain("3 -1 0", {kIdentity}, "0"); }},
        FailureCase{"HierarchyEntryNoInteger", "hierarchy entry",
                    [] { return withChain("2 -1 x", {kIdentity}, "0"); }},
        FailureCase{"HierarchyEntryEmpty", "hierarchy entry",
                    [] { return withChain("2 -1  0", {kIdentity}, "0"); }},
        FailureCase{"HierarchyEntryTooLarge", "hierarchy entry",
                    [] { return withChain("2 -1 40000", {kIdentity}, "0"); }},
        FailureCase{"MoreSubObjectsThanText", "without \"primitives (\"",
                    [] { return replaced(ShapeText{}.text(), "sub_objects ( 1", "sub_objects ( 2"); }},
        FailureCase{
            "VertexCountZero", "count of vertices",
            [] { return shapeWith([](ShapeText& s) { s.levels[0].subObjects[0].vertexCount = "0"; }); }},
        FailureCase{
            "VertexSetCountZero", "count of vertex sets",
            [] { return shapeWith([](ShapeText& s) { s.levels[0].subObjects[0].vertexSetCount = "0"; }); }},
        FailureCase{"MoreVerticesThanCount", "more vertex records",
                    [] {
                        return shapeWith([](ShapeText& s) {
                            s.levels[0].subObjects[0].vertexPoints = {0, 0};
                            s.levels[0].subObjects[0].vertexCount = "1";
                        });
                    }},
        FailureCase{"MoreVertexSetsThanCount", "more vertex_set records",
                    [] {
                        return shapeWith([](ShapeText& s) {
                            s.levels[0].subObjects[0].vertexSets = {"0 0 1", "0 0 1"};
                            s.levels[0].subObjects[0].vertexSetCount = "1";
                        });
                    }},
        FailureCase{"MorePointsThanCount", "more point records",
                    [] {
                        return replaced(shapeWith([](ShapeText& s) {
                                            s.points = {"1 1 1", "2 2 2"};
                                        }),
                                        "points ( 2", "points ( 1");
                    }},
        FailureCase{"MoreVertexStatesThanCount", "more vtx_state records",
                    [] {
                        return replaced(shapeWith([](ShapeText& s) {
                                            s.vertexStateMatrices = {"0", "0"};
                                        }),
                                        "vtx_states ( 2", "vtx_states ( 1");
                    }},
        FailureCase{"MoreMatricesThanCount", "more matrix records",
                    [] {
                        return replaced(shapeWith([](ShapeText& s) {
                                            s.matrices = {kIdentity, kIdentity};
                                        }),
                                        "matrices ( 2", "matrices ( 1");
                    }},
        FailureCase{"PointIndexBeyond16Bits", "point index does not fit",
                    [] { return oneSubObject({40000}, {"0 0 1"}); }},
        FailureCase{"VertexSetFieldBeyond16Bits", "vertex-set field does not fit",
                    [] { return oneSubObject({0}, {"0 0 32768"}); }},
        FailureCase{"VertexStateIndexOutside", "vertex-state index outside",
                    [] { return oneSubObject({0}, {"1 0 1"}); }},
        FailureCase{"VertexIndexOutside", "vertex index outside",
                    [] { return oneSubObject({0}, {"0 0 2"}); }},
        FailureCase{"NegativeVertexIndex", "vertex index outside",
                    [] { return oneSubObject({0}, {"0 -1 1"}); }},
        FailureCase{"PointIndexOutside", "point index outside", [] { return oneSubObject({1}, {"0 0 1"}); }},
        FailureCase{"MatrixIndexOutsideMatrices", "outside the matrices",
                    [] { return withChain("3 -1 0 0", {kIdentity}, "2"); }},
        FailureCase{"MatrixIndexOutsideHierarchy", "outside the hierarchy",
                    [] {
                        return withChain("1 -1", {kIdentity, kIdentity}, "1");
                    }},
        FailureCase{"NegativeMatrixIndex", "outside the hierarchy",
                    [] { return withChain("1 -1", {kIdentity}, "-1"); }},
        FailureCase{"MatrixIndexBeyond16Bits", "usable matrix index",
                    [] { return withChain("1 -1", {kIdentity}, "70000"); }},
        FailureCase{"ParentChainLoops", "loop",
                    [] {
                        return withChain("3 -1 2 1", {kIdentity, kIdentity, kIdentity}, "1");
                    }},
        FailureCase{"MatrixIsItsOwnParent", "loop",
                    [] {
                        return withChain("2 -1 1", {kIdentity, kIdentity}, "1");
                    }},
        FailureCase{"CoordinateBeyondFloat", "beyond a 32-bit float",
                    [] { return shapeWith([](ShapeText& s) { s.points = {"1e39 0 0"}; }); }},
        FailureCase{"MovedPointBeyondFloat", "moved point",
                    [] {
                        return withChain("2 -1 0", {kIdentity, "3e38 0 0 3e38 1 0 0 0 1 0 0 0"}, "1");
                    }},
        FailureCase{"VertexStateWithoutRecord", "usable matrix index",
                    [] {
                        return replaced(
                            shapeWith([](ShapeText& s) { s.levels[0].subObjects[0].vertexSets = {"1 0 1"}; }),
                            "vtx_states ( 1", "vtx_states ( 2");
                    }},
        FailureCase{"EmptyText", "no \"hierarchy (\"", [] { return std::string(); }},
        FailureCase{"BinaryGarbage", "no \"hierarchy (\"",
                    [] { return std::string("\x1f\x8b\x08\x00\xff\xfe\x00\x01", 8); }}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ShapeGeometry, ABoxIsLeftAsItWasWhenTheComputationFails) {
    GeometryTables tables;
    tables.result = {1, 2, 3, 4, 5, 6};
    const auto outcome = computeBox(replaced(ShapeText{}.text(), "images", "pictures"), tables);
    EXPECT_FALSE(outcome.read.ok());
    EXPECT_EQ(tables.result, (BoxValues{1, 2, 3, 4, 5, 6}));
}

} // namespace
} // namespace quillfen

namespace quillfen {
namespace {

TEST(ShapeGeometryBadInput, EveryTruncationEndsWithABoxOrAFailure) {
    ShapeText shape;
    shape.points = {"1 2 3", "4 5 6"};
    shape.matrices = {kIdentity, "0 0 1 0 1 0 -1 0 0 5 0 0"};
    shape.vertexStateMatrices = {"0", "1"};
    shape.levels = {LevelText{"2 -1 0", {SubObjectText{{0, 1}, {"0 0 1", "1 1 1"}, "", ""}}},
                    LevelText{"2 -1 0", {SubObjectText{{1}, {"0 0 1"}, "", ""}}}};
    const std::string text = shape.text();
    int boxes = 0;
    for (std::size_t length = 0; length <= text.size(); length += 3) {
        GeometryTables tables;
        if (computeBox(text.substr(0, length), tables).box.ok()) ++boxes;
    }
    // Cut anywhere after the first level's sub-objects, the box is still there.
    EXPECT_GT(boxes, 0);
}

TEST(ShapeGeometryBadInput, FortyDigitNumbersFailOnlyWhereTheyCannotFit) {
    const std::string forty = "1234567890123456789012345678901234567890";
    const std::string paddedOne = std::string(39, '0') + "1";
    struct Case {
        const char* name;
        std::string text;
        bool box;
    };
    const std::vector<Case> cases{
        {"Coordinate", shapeWith([&](ShapeText& s) { s.points = {forty + " 0 0"}; }), false},
        {"PointIndex",
         replaced(ShapeText{}.text(), "vertex ( 00000000 0 ", "vertex ( 00000000 " + forty + " "), false},
        {"Count", replaced(ShapeText{}.text(), "points ( 1", "points ( " + forty), false},
        {"MatrixValue", withChain("2 -1 0", {kIdentity, forty + " 0 0 0 1 0 0 0 1 0 0 0"}, "1"), false},
        {"LeadingZeros", shapeWith([&](ShapeText& s) { s.points = {paddedOne + " 2 3"}; }), true},
    };
    for (const Case& c : cases) {
        const auto outcome = computeBox(c.text);
        EXPECT_EQ(outcome.read.ok() && outcome.box.ok(), c.box) << c.name;
    }
}

TEST(ShapeGeometryBadInput, AMegabyteOfBlanksIsAFailure) {
    EXPECT_FALSE(computeBox(std::string(1 << 20, ' ')).read.ok());
}

TEST(ShapeGeometryBadInput, SectionsInAnotherOrderStillEnd) {
    // Images in front of the matrices: the matrix table is read from the text before "images".
    const std::string text = ShapeText{}.text();
    const std::size_t matrices = text.find("\tmatrices (");
    const std::size_t images = text.find("\timages (");
    const std::size_t vtxStates = text.find("\tvtx_states (");
    const std::string swapped = text.substr(0, matrices) + text.substr(images, vtxStates - images) +
                                text.substr(matrices, images - matrices) + text.substr(vtxStates);
    GeometryTables tables;
    const auto outcome = computeBox(swapped, tables);
    ASSERT_TRUE(outcome.box.ok());
    EXPECT_EQ(tables.matrices.size(), 0) << "no matrix record stands before the images";
    EXPECT_EQ(*outcome.box, (BoxValues{1, 2, 3, 1, 2, 3}));
}

} // namespace
} // namespace quillfen
