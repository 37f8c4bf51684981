// Every real 3DS file and the example convert to shapes that match their input and real s-files.

#include "Converter.h"
#include "support/ShapeChecker.h"
#include "support/ThreeDsFixtures.h"

#include "platform/TextCodec.h"
#include "support/HandWrittenShape.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

namespace quillfen::conv3ds {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesEndingIn(const fs::path& dir, const std::string& lowerExtension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::string extension = entry.path().extension().string();
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (entry.is_regular_file() && extension == lowerExtension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

/// Equal to 4 decimal places: the box of the vertices that faces use, in the simulator's axes
/// (x, 3DS z, 3DS y), and the box the program's bounding-box command computes from the s-file.
void expectSameBox(const std::string& text, const std::string& threeDsPath) {
    const Scene scene = std::get<Scene>(test::readThreeDs(test::readFile(threeDsPath)));
    const float big = std::numeric_limits<float>::max();
    BoxValues expected{big, big, big, -big, -big, -big};
    for (const auto& mesh : scene.meshes)
        for (const auto& face : mesh.faces)
            for (const auto index : {face.a, face.b, face.c})
                for (std::size_t i = 0; i < 3; ++i) {
                    const Vec3& v = mesh.vertices[index];
                    expected[i] = std::min(expected[i], i == 0 ? v.x : i == 1 ? v.z : v.y);
                    expected[i + 3] = std::max(expected[i + 3], i == 0 ? v.x : i == 1 ? v.z : v.y);
                }
    const auto outcome = test::computeBox(text);
    ASSERT_TRUE(outcome.read.ok()) << outcome.read.error().message();
    ASSERT_TRUE(outcome.box.ok()) << outcome.box.error().message();
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR((*outcome.box)[i], expected[i], 1.0001e-4) << "value " << i;
}

/// Every line ends in CR LF and starts with one tab per open block.
void expectRealFileLayout(const std::string& text) {
    ASSERT_EQ(text.rfind("SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n", 0), 0u);
    int depth = 0;
    for (std::size_t start = 0, number = 0; start < text.size(); ++number) {
        const std::size_t lf = text.find('\n', start);
        ASSERT_NE(lf, std::string::npos) << "last line without line end";
        ASSERT_TRUE(lf > start && text[lf - 1] == '\r') << "line " << number << " ends in LF alone";
        const std::string line = text.substr(start, lf - 1 - start);
        const auto tabs = std::min(line.find_first_not_of('\t'), line.size());
        // A closing line and the continuation of a wrapped list stand at their block's own indentation.
        const char first = tabs < line.size() ? line[tabs] : ' ';
        const bool outdented =
            first == ')' || first == '-' || std::isdigit(static_cast<unsigned char>(first));
        const int expected =
            number < 2 || line.empty() ? static_cast<int>(tabs) : depth - (outdented ? 1 : 0);
        ASSERT_EQ(static_cast<int>(tabs), expected) << "line " << number << ": " << line;
        depth += static_cast<int>(std::count(line.begin(), line.end(), '(') -
                                  std::count(line.begin(), line.end(), ')'));
        start = lf + 1;
    }
    EXPECT_EQ(depth, 0);
}

/// What each block shows at its path ("/shape/points/point"): "path N" for N fields and "path > a b" for
/// the order of its child blocks (repeats collapsed). Leaving out what the check ignores: the length
/// of a list of values (ShapeChecker compares every list with its count) and an empty list's order.
void skeleton(const test::Block& block, const std::string& path, bool ignoring,
              std::set<std::string>& facts) {
    static const std::string kValueLists = " vertex_idxs normal_idxs flags hierarchy geometry_node_map "
                                           "subobject_shaders tex_idxs vertex_uvs ";
    for (const auto& child : block.children) {
        const std::string at = path + "/" + child.keyword;
        facts.insert(at);
        if (!ignoring || kValueLists.find(" " + child.keyword + " ") == std::string::npos)
            facts.insert(at + " " + std::to_string(child.fields.size()));
        std::string order = at + " >";
        for (std::size_t i = 0; i < child.children.size(); ++i)
            if (i == 0 || child.children[i - 1].keyword != child.children[i].keyword)
                order += " " + child.children[i].keyword;
        if (!ignoring || !child.children.empty() || child.fields != std::vector<std::string>{"0"})
            facts.insert(order);
        skeleton(child, at, ignoring, facts);
    }
}

/// The blocks, field counts and child orders of `text` that no real s-file has.
std::vector<std::string> skeletonDifferences(const std::string& text) {
    static const std::set<std::string> real = [] {
        std::set<std::string> facts;
        for (const auto& file : filesEndingIn(fs::path(test::testDataDir()) / "sfiles", ".s"))
            skeleton(test::parseShapeBlocks(test::shapeText(file.string())), "", false, facts);
        return facts;
    }();
    std::set<std::string> facts;
    skeleton(test::parseShapeBlocks(text), "", true, facts);
    std::vector<std::string> differences;
    std::set_difference(facts.begin(), facts.end(), real.begin(), real.end(),
                        std::back_inserter(differences));
    return differences;
}

/// The checks every converted file passes, `inputs` being its levels' 3DS files.
void expectLikeARealFile(const std::string& text, const std::vector<std::string>& inputs) {
    EXPECT_EQ(test::ShapeChecker::problems(text), std::vector<std::string>{});
    std::vector<Scene> levels;
    for (const auto& input : inputs)
        levels.push_back(std::get<Scene>(test::readThreeDs(test::readFile(input))));
    test::expectUvsOfTheInput(text, levels);
    expectSameBox(text, inputs.front());
    expectRealFileLayout(text);
    EXPECT_TRUE(test::testDataDir().empty() || skeletonDifferences(text).empty())
        << testing::PrintToString(skeletonDifferences(text));
}

TEST(RealFiles, EveryThreeDsFileConvertsOrFailsCleanly) {
    QUILLFEN_REQUIRE_TESTDATA();
    const auto inputs = filesEndingIn(fs::path(test::testDataDir()) / "3ds", ".3ds");
    ASSERT_GE(inputs.size(), 8u);
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        test::TempFolder folder;
        const std::string error = test::convert(folder / "out.s", {input.string()});
        if (input.filename() == "empty.3ds") {
            EXPECT_FALSE(folder.exists("out.s"));
            EXPECT_NE(error.find(input.string() + ": chunk 0x4D4D (main) at byte 0"), std::string::npos)
                << error;
            continue;
        }
        ASSERT_EQ(error, "");
        expectLikeARealFile(test::shapeText(folder / "out.s"), {input.string()});
    }
}

TEST(ExampleHouse, ConvertsLikeARealFileWithTexturesThatAreThere) {
    const fs::path house = fs::path(QUILLFEN_SOURCE_DIR) / "examples" / "house";
    const std::vector<std::string> inputs{(house / "house_100.3ds").string(),
                                          (house / "house_500.3ds").string()};
    test::TempFolder folder;
    ASSERT_EQ(test::convert(folder / "house_.s", inputs), "");
    const std::string text = test::shapeText(folder / "house_.s");
    expectLikeARealFile(text, inputs);
    // Every image names a texture of the example: an ACE or DDS file, a PNG file the run makes one from,
    // or a one-colour texture the converter wrote beside the s-file.
    const std::map<std::string, std::string> signatures{
        {".ace", "SIMISA@@@@@@@@@@"}, {".dds", "DDS "}, {".png", "\x89PNG"}};
    std::set<std::string> files;
    const test::Block blocks = test::parseShapeBlocks(text);
    for (const auto& section : blocks.children.at(0).children)
        for (const auto& image :
             section.keyword == "images" ? section.children : std::vector<test::Block>{}) {
            const std::string& name = image.fields.at(0);
            fs::path file = (name.rfind("qf_colour_", 0) == 0 ? folder.fsPath() : house) / name;
            for (const char* extension : {".dds", ".png"})
                if (!fs::exists(file)) file.replace_extension(extension);
            const std::string& signature = signatures.at(file.extension().string());
            EXPECT_EQ(test::readFile(file.string()).substr(0, signature.size()), signature) << file;
            files.insert(file.filename().string());
        }
    EXPECT_EQ(files, (std::set<std::string>{"door.png", "qf_colour_8c4033ff.ace", "roof.ace", "wall.ace",
                                            "window.dds"}));
}

} // namespace
} // namespace quillfen::conv3ds
