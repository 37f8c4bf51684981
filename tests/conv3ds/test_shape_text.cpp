// The s-file text: numbers as the simulator reads them, names as tokens,
// long lists wrapped, and the encoding of the 3DS file's 8-bit names.

#include "Fixtures.h"
#include "ShapeBuilder.h"
#include "ShapeText.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillfen::conv3ds {
namespace {

std::string textOf(const Scene& scene) {
    return shapeText(buildShape({{&scene, 100}}, "model"));
}

TEST(ShapeText, NumbersNeverUseAnExponentAndZeroHasNoSign) {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].localMatrix.reset();
    scene.meshes[0].vertices[0] = Vec3{1e-7f, -0.0f, 123456792.0f};
    const std::string text = textOf(scene);
    EXPECT_NE(text.find("point ( 0.0000001 123456792 0 )"), std::string::npos);
    EXPECT_EQ(text.find("e-"), std::string::npos);
    EXPECT_EQ(text.find("e+"), std::string::npos);
    EXPECT_EQ(text.find(" -0 "), std::string::npos);
}

TEST(ShapeText, ImageNamesWithBlanksAreQuotedOthersNot) {
    Scene scene = test::oneBoxScene();
    scene.materials.push_back(Material{"Old", {}, "old wall.BMP", 0, false});
    scene.meshes.push_back(test::boxMesh("Shed", {5, 5, 0}, {1, 1, 1}, "Old"));
    const std::string text = textOf(scene);
    EXPECT_NE(text.find("image ( brick.ace )"), std::string::npos);
    EXPECT_NE(text.find("image ( \"old wall.ace\" )"), std::string::npos);
}

TEST(ShapeText, LongListsWrapAtTheirOwnIndentation) {
    Scene scene = test::oneBoxScene();
    for (int i = 0; i < 200; ++i)
        scene.meshes[0].faces.push_back(scene.meshes[0].faces[static_cast<std::size_t>(i % 12)]);
    for (std::uint16_t f = 12; f < scene.meshes[0].faces.size(); ++f)
        scene.meshes[0].groups[0].faces.push_back(f);
    const std::string text = textOf(scene);
    std::istringstream lines(text);
    std::string line, previous;
    bool wrapped = false;
    while (std::getline(lines, line)) {
        EXPECT_LT(line.size(), 1100u);
        if (previous.find("flags (") != std::string::npos && line.find("00000000") != std::string::npos &&
            line.find('(') == std::string::npos) {
            wrapped = true;
            EXPECT_EQ(line.find_first_not_of('\t'), previous.find_first_not_of('\t'));
        }
        previous = line;
    }
    EXPECT_TRUE(wrapped);
}

TEST(ShapeText, EightBitNamesBecomeTheirWindows1252Characters) {
    const std::string bytes = toUtf16LeWithBom(std::string("T\xFCr \x80", 5));
    EXPECT_EQ(bytes, std::string("\xFF\xFET\0\xFC\0r\0 \0\xAC\x20", 12));
}

} // namespace
} // namespace quillfen::conv3ds
