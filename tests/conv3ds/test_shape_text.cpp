// The s-file text: numbers as the simulator reads them, names as tokens, long lists wrapped, and
// the encoding of the 3DS file's 8-bit names.

#include "ShapeBuilder.h"
#include "ShapeText.h"
#include "support/ThreeDsFixtures.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillfen::conv3ds {
namespace {

std::string textOf(const Scene& scene) {
    return shapeText(buildShape({{&scene, 100}}, "model"));
}

TEST(ShapeText, NumbersAreTheShortestTextOfTheirFloatAndZeroHasNoSign) {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].localMatrix.reset();
    // 3DS x, y, z become the simulator's x, z, y.
    scene.meshes[0].vertices[0] = Vec3{1e-7f, -0.0f, 123456792.0f};
    scene.meshes[0].vertices[1] = Vec3{-1.5679247e-13f, 0.1f, 2.5f};
    scene.meshes[0].vertices[2] = Vec3{1e6f, 16777216.0f, -3.0f};
    const std::string text = textOf(scene);
    for (const char* expected :
         {"point ( 1e-07 123456792 0 )", "point ( -1.5679247e-13 2.5 0.1 )", "point ( 1e+06 -3 16777216 )"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find(" -0 "), std::string::npos);
    EXPECT_EQ(text.find("-0)"), std::string::npos);
}

TEST(ShapeText, ImagesAreSharedOneTextureEachAndQuotedWhenTheyHaveBlanks) {
    Scene scene = test::oneBoxScene();
    scene.materials.push_back(Material{"Other", {}, "brick.png", 0, false});
    scene.materials.push_back(Material{"Old", {}, "old wall.BMP", 0, false});
    scene.meshes.push_back(test::boxMesh("Second", {5, 0, 0}, {1, 1, 1}, "Other"));
    scene.meshes.push_back(test::boxMesh("Shed", {5, 5, 0}, {1, 1, 1}, "Old"));
    const Shape shape = buildShape({{&scene, 100}}, "model");
    EXPECT_EQ(shape.images, (std::vector<std::string>{"brick.ace", "old wall.ace"}));
    ASSERT_EQ(shape.primStates.size(), 3u);
    EXPECT_EQ(shape.primStates[1].texture, 0);
    const std::string text = shapeText(shape);
    EXPECT_NE(text.find("image ( brick.ace )"), std::string::npos);
    EXPECT_NE(text.find("image ( \"old wall.ace\" )"), std::string::npos);
}

TEST(ShapeText, LongListsWrapAtTheirOwnIndentation) {
    Scene scene = test::oneBoxScene();
    auto& mesh = scene.meshes[0];
    for (std::uint16_t f = 12; f < 212; ++f) {
        mesh.faces.push_back(mesh.faces[f % 12]);
        mesh.groups[0].faces.push_back(f);
    }
    std::istringstream lines(textOf(scene));
    std::string line, previous;
    bool wrapped = false;
    for (; std::getline(lines, line); previous = line) {
        EXPECT_LT(line.size(), 1100u);
        if (previous.find("flags (") != std::string::npos && line.find("00000000") != std::string::npos &&
            line.find('(') == std::string::npos) {
            wrapped = true;
            EXPECT_EQ(line.find_first_not_of('\t'), previous.find_first_not_of('\t'));
        }
    }
    EXPECT_TRUE(wrapped);
}

TEST(ShapeText, EightBitNamesBecomeTheirWindows1252Characters) {
    EXPECT_EQ(toUtf16LeWithBom(std::string("T\xFCr \x80", 5)),
              std::string("\xFF\xFET\0\xFC\0r\0 \0\xAC\x20", 12));
}

} // namespace
} // namespace quillfen::conv3ds
