// Shapes made by other people's tools and exporters, through both readers: the
// full shape reader (tables, levels, triangles) and the box computation.

#include "support/HandWrittenShape.h"
#include "support/TempFolder.h"

#include "bbox/BoxValuesText.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "shape/ShapeReader.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quillfen {
namespace {

TEST(RealShapeFile, ReadsWholeAndGivesTheBoxOfItsFirstLevel) {
    QUILLFEN_REQUIRE_TESTDATA();
    // The file, the log's vertices and points, levels, the first's distance and indices, the handed-over box.
    const std::tuple<const char*, int, std::size_t, std::size_t, float, std::size_t, const char*> cases[] = {
        {"BlenderExporter__Crate.s", 24, 8, 1, 2000, 36, "-1 -1 -1 1 1 1"}, // a unit cube
        // Its own sd-file says -2.170686 -0.3397218 -2.602739 2.186182 3.569522 1.951271.
        {"BlenderExporter__unionstop.s", 58, 22, 1, 2000, 90, "-2.1707 -0.3397 -2.6027 2.1862 3.5695 1.9513"},
        {"F89F__decals_rttx_151072.s", 156, 124, 1, 300, 210,
         "-1.5413 0.5686 -13.3681 1.5477 1.1938 13.3681"},
        // Two distance levels: only the first (700 m) counts.
        {"F89F__upsz29002.s", 2417, 1146, 2, 700, 6420, "-1.3 0.0147 -7.3359 1.3 3.9612 0.6601"},
        // A signal head whose matrix hangs below the mast's.
        {"TSRE5__jp2signal9.s", 155, 112, 4, 50, 429, "-0.5623 0.0049 -0.5137 0.731 5.5372 1.3223"},
        // Ten matrices with rotations, four levels.
        {"shapeio__DK10f_A1tPnt5dLft.s", 8301, 3962, 4, 200, 15474, "-5.0773 -0.025 -0.25 2.6 7.2 80.25"},
        {"trackshape-utils__DB1z_a1t150r10d.s", 1703, 1020, 3, 500, 3984,
         "-4.8393 -0.02 -0.25 2.6 7.2 26.4987"},
        {"trackshape-utils__NR_EmbBase_a1t10mStrt.s", 180, 76, 3, 400, 270,
         "-4.9 -0.32 -0.2097 4.9 0.325 10.2097"},
    };
    LocalFileSystem fileSystem;
    for (const auto& [file, vertices, points, levels, firstSelection, firstLevelIndices, box] : cases) {
        SCOPED_TRACE(file);
        const std::string path = joinPath(joinPath(test::testDataDir(), "sfiles"), file);
        const auto shape = shape::readShapeFile(fileSystem, path);
        ASSERT_TRUE(shape.ok()) << shape.error().message();
        EXPECT_EQ(shape->points.size(), points);
        ASSERT_EQ(shape->distanceLevels.size(), levels);
        EXPECT_EQ(shape->distanceLevels[0].selection, firstSelection);
        std::size_t indices = 0;
        for (const shape::SubObject& object : shape->distanceLevels[0].subObjects)
            for (const shape::TriangleList& list : object.triangleLists) indices += list.vertexIndices.size();
        EXPECT_EQ(indices, firstLevelIndices);

        const auto text = fileSystem.readText(path);
        ASSERT_TRUE(text.ok()) << text.error().message();
        const auto readAhead = shape::readShapeText(*text, {3, 0}); // threads read its sub-objects
        ASSERT_TRUE(readAhead.ok()) << readAhead.error().message();
        EXPECT_TRUE(*readAhead == *shape);
        const auto outcome = test::computeBox(*text);
        ASSERT_TRUE(outcome.read.ok()) << outcome.read.error().message();
        ASSERT_TRUE(outcome.box.ok()) << outcome.box.error().message();
        EXPECT_EQ(outcome.log,
                  (std::vector<std::string>{
                      "•BoundingBox generating: Shape has " + std::to_string(vertices) + " vertices.",
                      "•BoundingBox generating: Shape has " + std::to_string(points) + " points."}));
        EXPECT_EQ(handOverBoxValues(boxValuesText(*outcome.box, '.')), box);
    }
}

} // namespace
} // namespace quillfen
