// The converter against real files: every 3DS file of the shared test data
// converts (or, if broken, fails cleanly); the box that the bounding-box reader
// takes from the output is the box of the 3DS vertices with Y and Z swapped;
// and the output has the block skeleton and layout of real s-files.

#include "Converter.h"
#include "Fixtures.h"
#include "ShapeSkeleton.h"
#include "ThreeDsReader.h"

#include "app/ProgramState.h"
#include "bbox/BoundingBoxCalculation.h"
#include "bbox/ShapeGeometryReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace quillfen::conv3ds {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesWithExtension(const fs::path& dir, const std::string& lowerExtension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (entry.is_regular_file() && extension == lowerExtension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

/// Converts the files into `output`; the error text when it failed.
std::string convert(const std::string& output, const std::vector<std::string>& inputs) {
    std::vector<std::string> args{output};
    args.insert(args.end(), inputs.begin(), inputs.end());
    std::ostringstream out, err;
    return runConverter(args, out, err) == 0 ? std::string() : err.str();
}

/// The box of the vertices that faces use, in the simulator's axes (x, 3DS z, 3DS y).
BoxValues expectedBox(const std::string& threeDsPath) {
    const std::string bytes = test::readBytes(threeDsPath);
    const auto result = readThreeDs(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    const Scene& scene = std::get<Scene>(result);
    BoxValues box{};
    bool first = true;
    for (const auto& mesh : scene.meshes)
        for (const auto& face : mesh.faces)
            for (const auto index : {face.a, face.b, face.c}) {
                const Vec3& v = mesh.vertices[index];
                const std::array<float, 3> p{v.x, v.z, v.y};
                for (std::size_t i = 0; i < 3; ++i) {
                    box[i] = first ? p[i] : std::min(box[i], p[i]);
                    box[i + 3] = first ? p[i] : std::max(box[i + 3], p[i]);
                }
                first = false;
            }
    return box;
}

/// The box as the program's bounding-box command computes it from the s-file text.
BoxValues boxFromShape(const std::string& text) {
    GeometryTables tables;
    const ProgramState state;
    const Status read = liesShapeGeometrie(text, tables, state, [](const std::string&) {}).runToEnd();
    EXPECT_TRUE(read.ok()) << read.error().message();
    const auto box = berechneBoundingBox(tables, 4);
    EXPECT_TRUE(box.ok()) << (box.ok() ? "" : box.error().message());
    return box.ok() ? box.value() : BoxValues{};
}

void expectSameBox(const BoxValues& actual, const BoxValues& expected, const std::string& what) {
    // Equal to 4 decimal places: the reader rounds to 4 places, the 3DS floats are exact.
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1.0001e-4) << what << " value " << i;
}

/// Every line ends in CR LF and starts with one tab per open block.
void expectRealFileLayout(const std::string& text, const std::string& what) {
    ASSERT_EQ(text.rfind("SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n", 0), 0u) << what;
    int depth = 0;
    std::size_t lineStart = 0;
    std::size_t lineNumber = 0;
    while (lineStart < text.size()) {
        const std::size_t lf = text.find('\n', lineStart);
        ASSERT_NE(lf, std::string::npos) << what << ": last line without line end";
        ASSERT_TRUE(lf > lineStart && text[lf - 1] == '\r')
            << what << ": line " << lineNumber << " ends in LF alone";
        const std::string line = text.substr(lineStart, lf - 1 - lineStart);
        const auto tabs = static_cast<int>(
            line.find_first_not_of('\t') == std::string::npos ? line.size() : line.find_first_not_of('\t'));
        const auto opens = static_cast<int>(std::count(line.begin(), line.end(), '('));
        const auto closes = static_cast<int>(std::count(line.begin(), line.end(), ')'));
        const char first = tabs < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(tabs)] : ' ';
        // A closing line and the continuation of a wrapped list stand at their block's own indentation.
        const bool outdented =
            first == ')' || first == '-' || std::isdigit(static_cast<unsigned char>(first));
        if (lineNumber > 1 && !line.empty()) {
            ASSERT_EQ(tabs, outdented ? depth - 1 : depth) << what << ": line " << lineNumber << ": " << line;
        }
        depth += opens - closes;
        lineStart = lf + 1;
        ++lineNumber;
    }
    EXPECT_EQ(depth, 0) << what;
}

const test::Skeleton& realSkeleton() {
    static const test::Skeleton skeleton = [] {
        test::Skeleton result;
        for (const auto& file : filesWithExtension(fs::path(test::testDataDir()) / "sfiles", ".s"))
            test::collectSkeleton(test::parseShapeBlocks(test::decodeShape(test::readBytes(file.string()))),
                                  result);
        return result;
    }();
    return skeleton;
}

void expectRealSkeleton(const std::string& text, const std::string& what) {
    const auto differences = test::skeletonDifferences(test::parseShapeBlocks(text), realSkeleton());
    EXPECT_TRUE(differences.empty()) << what << ":\n" << ::testing::PrintToString(differences);
}

TEST(RealFiles, EveryThreeDsFileConvertsOrFailsCleanly) {
    QUILLFEN_REQUIRE_TESTDATA();
    const auto inputs = filesWithExtension(fs::path(test::testDataDir()) / "3ds", ".3ds");
    ASSERT_GE(inputs.size(), 8u);
    for (const auto& input : inputs) {
        test::TempFolder folder;
        const std::string output = folder / "out.s";
        const std::string error = convert(output, {input.string()});
        if (input.filename() == "empty.3ds") {
            EXPECT_FALSE(folder.exists("out.s"));
            EXPECT_NE(error.find(input.string() + ": chunk 0x4D4D (main) at byte 0"), std::string::npos)
                << error;
            continue;
        }
        ASSERT_TRUE(error.empty()) << error;
        const std::string text = test::decodeShape(test::readBytes(output));
        const std::string what = input.filename().string();
        expectSameBox(boxFromShape(text), expectedBox(input.string()), what);
        expectRealFileLayout(text, what);
        expectRealSkeleton(text, what);
    }
}

TEST(RealFiles, TheSkeletonCheckNoticesAMissingBlockAndAWrongCount) {
    QUILLFEN_REQUIRE_TESTDATA();
    test::TempFolder folder;
    folder.write("box_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    ASSERT_EQ(convert(folder / "box_.s", {folder / "box_100.3ds"}), "");
    const std::string text = test::decodeShape(test::readBytes(folder / "box_.s"));
    expectRealSkeleton(text, "box");

    std::string withoutColours = text;
    withoutColours.erase(withoutColours.find("\tcolours ( 0 )\r\n"), 17);
    EXPECT_FALSE(test::skeletonDifferences(test::parseShapeBlocks(withoutColours), realSkeleton()).empty());

    std::string wrongCount = text;
    const auto points = wrongCount.find("points ( 8");
    wrongCount.replace(points, 10, "points ( 9");
    EXPECT_FALSE(test::skeletonDifferences(test::parseShapeBlocks(wrongCount), realSkeleton()).empty());
}

TEST(ExampleHouse, ConvertsWithTwoLevelsAndTexturesThatAreThere) {
    const fs::path house = fs::path(QUILLFEN_SOURCE_DIR) / "examples" / "house";
    test::TempFolder folder;
    const std::string output = folder / "house_.s";
    ASSERT_EQ(convert(output, {(house / "house_100.3ds").string(), (house / "house_500.3ds").string()}), "");
    const std::string text = test::decodeShape(test::readBytes(output));
    expectRealFileLayout(text, "house");
    EXPECT_NE(text.find("dlevel_selection ( 100 )"), std::string::npos);
    EXPECT_NE(text.find("dlevel_selection ( 500 )"), std::string::npos);
    EXPECT_NE(text.find("image ( wall.ace )"), std::string::npos);
    EXPECT_NE(text.find("named_shader ( BlendATexDiff )"), std::string::npos);
    EXPECT_NE(text.find("named_shader ( Diffuse )"), std::string::npos);
    expectSameBox(boxFromShape(text), expectedBox((house / "house_100.3ds").string()), "house");
    // Every image names a texture file of the example, as .ace or as .dds.
    const auto blocks = test::parseShapeBlocks(text);
    for (const auto& section : blocks.children.at(0).children) {
        if (section.keyword != "images") continue;
        for (const auto& image : section.children) {
            const fs::path ace = house / image.fields.at(0);
            fs::path dds = ace;
            dds.replace_extension(".dds");
            EXPECT_TRUE(fs::exists(ace) || fs::exists(dds)) << image.fields.at(0);
        }
    }
    if (!test::testDataDir().empty()) expectRealSkeleton(text, "house");
}

TEST(ExampleHouse, TexturesAreAceAndDdsFilesWithTheirSignatures) {
    const fs::path house = fs::path(QUILLFEN_SOURCE_DIR) / "examples" / "house";
    for (const char* name : {"wall.ace", "roof.ace"})
        EXPECT_EQ(test::readBytes((house / name).string()).substr(0, 16), "SIMISA@@@@@@@@@@") << name;
    EXPECT_EQ(test::readBytes((house / "window.dds").string()).substr(0, 4), "DDS ");
}

} // namespace
} // namespace quillfen::conv3ds
