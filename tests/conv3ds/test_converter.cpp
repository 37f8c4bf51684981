// The converter's command line and what it writes, for small scenes, every real 3DS file and the example.

#include "Converter.h"

#include "platform/TextCodec.h"
#include "support/HandWrittenShape.h"
#include "support/ShapeChecker.h"
#include "support/TempFolder.h"
#include "support/ThreeDsFixtures.h"
#include "texture/AceFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace quillfen::conv3ds {
namespace {

using Strings = std::vector<std::string>;

struct CommandResult {
    int exitCode = 0;
    std::string out, err;
};

CommandResult run(const Strings& args) {
    std::ostringstream out, err;
    const int code = runConverter(args, out, err);
    return {code, out.str(), err.str()};
}

std::size_t filesIn(const std::filesystem::path& folder) {
    const std::filesystem::directory_iterator files(folder);
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

/// Converts the scenes, written as 3DS files named `names`, into house_.s; its text, checked for problems.
std::string converted(const test::TempFolder& folder,
                      const std::vector<std::pair<std::string, Scene>>& files) {
    Strings args;
    for (const auto& [name, scene] : files) {
        folder.write(name, test::threeDsBytes(scene));
        args.push_back(folder / name);
    }
    EXPECT_EQ(test::convert(folder / "house_.s", args), "");
    const std::string text = test::shapeText(folder / "house_.s");
    EXPECT_EQ(test::ShapeChecker::problems(text), Strings{});
    return text;
}

TEST(Converter, DistanceIsTheRunOfDigitsBeforeTheExtension) {
    // clang-format off
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"house_500.3ds", 500}, {"/models 2/house_100.3DS", 100}, {"/a b/house 2000.3ds", 2000},
        {"lod3_0050.3ds", 50}, {"house.3ds", std::nullopt}, {"house12a.3ds", std::nullopt},
        {"house_99999999999999999999.3ds", std::nullopt},
    };
    // clang-format on
    for (const auto& [name, distance] : cases) EXPECT_EQ(distanceFromFileName(name), distance) << name;
}

TEST(Converter, HelpPrintsTheUsageAndTooFewArgumentsFail) {
    const CommandResult help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: conv3ds.exe OUTPUT.s LOD1.3ds"), std::string::npos);
    EXPECT_NE(run({}).exitCode, 0);
    const CommandResult onlyOutput = run({"out.s"});
    EXPECT_NE(onlyOutput.exitCode, 0);
    EXPECT_NE(onlyOutput.err.find("Usage"), std::string::npos);
}

TEST(Converter, ReplacesTheShapeAtExactlyTheOutputPathWithBlanksInPaths) {
    test::TempFolder folder;
    for (const char* name : {"my model/box_100.3ds", "my model/box_500.3ds"})
        folder.write(name, test::threeDsBytes(test::oneBoxScene()));
    folder.write("my model/box_.s", "stale");
    const CommandResult result =
        run({folder / "my model/box_.s", folder / "my model/box_100.3ds", folder / "my model/box_500.3ds"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string bytes = folder.read("my model/box_.s");
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    const std::string text = decodeText(bytes);
    for (const char* part : {"dlevel_selection ( 100 )", "dlevel_selection ( 500 )", "matrix box_ ("})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(filesIn(folder.fsPath() / "my model"), 3u) << "a temporary file was left behind";
}

TEST(Converter, FailuresLeaveNoFileAndNameTheFileChunkAndOffset) {
    Scene faceOutOfRange = test::oneBoxScene(), noFaces = test::oneBoxScene();
    faceOutOfRange.meshes[0].faces[3].a = 40;
    noFaces.meshes[0].faces.clear();
    noFaces.meshes[0].groups.clear();
    const std::pair<std::optional<std::string>, const char*> cases[] = {
        {"", "chunk 0x4D4D (main) at byte 0: file is shorter"},
        {test::threeDsBytes(faceOutOfRange), "chunk 0x4120 (face list) at byte "},
        {test::threeDsBytes(noFaces), "no triangle mesh with faces"},
        {std::nullopt, "bad_500.3ds: cannot be read"}}; // nullopt: the file is not there
    for (const auto& [bytes, messagePart] : cases) {
        test::TempFolder folder;
        folder.write("good_100.3ds", test::threeDsBytes(test::oneBoxScene()));
        if (bytes) folder.write("bad_500.3ds", *bytes);
        const CommandResult result = run({folder / "out.s", folder / "good_100.3ds", folder / "bad_500.3ds"});
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(filesIn(folder.fsPath()), bytes ? 2u : 1u) << "no output, no temporary file";
        EXPECT_NE(result.err.find(folder / "bad_500.3ds"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(messagePart), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
    }
    test::TempFolder folder;
    folder.write("box_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    const CommandResult result = run({folder / "no such folder/box_.s", folder / "box_100.3ds"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("cannot create"), std::string::npos) << result.err;
}

TEST(Converter, LevelsMustComeNearestFirst) {
    for (const Strings& names :
         {Strings{"house_500.3ds", "house_100.3ds"}, Strings{"house_100.3ds", "house_100b_100.3ds"},
          Strings{"house_100.3ds", "house.3ds", "house_500.3ds"}}) {
        test::TempFolder folder;
        Strings args{folder / "house_.s"};
        for (const auto& name : names) {
            folder.write(name, test::threeDsBytes(test::oneBoxScene()));
            args.push_back(folder / name);
        }
        const CommandResult result = run(args);
        EXPECT_EQ(result.exitCode, 1) << names[0];
        EXPECT_FALSE(folder.exists("house_.s"));
        EXPECT_NE(result.err.find("nearest first"), std::string::npos) << result.err;
    }
}

TEST(Converter, AFlatMeshOfMoreThan65535VerticesIsSplitWithTrianglesWhole) {
    // A flat grid of side x side points with mapping, two triangles per square and no smoothing groups,
    // so that every face corner becomes a vertex of its own: 25,088 faces, 75,264 corners.
    const int side = 113;
    Mesh mesh{"Ground", {}, {}, {{"Grass", {}}}, {}, {}, std::nullopt};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            mesh.vertices.push_back({float(x), float(y), float((x * y) % 7)});
            mesh.uvs.push_back({float(x) / float(side - 1), float(y) / 3.0f});
        }
    for (int at = 0; at + side + 1 < side * side; ++at) {
        if (at % side == side - 1) continue;
        const auto corner = [&](int offset) { return static_cast<std::uint16_t>(at + offset); };
        mesh.faces.push_back({corner(0), corner(1), corner(side + 1), 7});
        mesh.faces.push_back({corner(0), corner(side + 1), corner(side), 7});
    }
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) mesh.groups[0].faces.push_back(std::uint16_t(f));
    const Scene grid{{mesh}, {{"Grass", {}, "grass.png", 0.0f, false}}, {}};
    test::TempFolder folder;
    const std::string text = converted(folder, {{"ground_100.3ds", grid}});
    EXPECT_EQ(count(text, "\tsub_object (\r\n"), 2u);
    EXPECT_EQ(count(text, "prim_state_idx ( 0 )"), 2u);         // both halves keep the one prim_state
    EXPECT_EQ(count(text, "geometry_node_map ( 2 -1 0 )"), 2u); // and the object's matrix
    std::size_t faces = 0;
    for (auto at = text.find("geometry_info ( "); at != std::string::npos;
         at = text.find("geometry_info ( ", at + 1))
        faces += std::stoul(text.substr(at + 16, 12));
    EXPECT_EQ(faces, mesh.faces.size());
    test::expectUvsOfTheInput(text, {std::get<Scene>(test::readThreeDs(folder.read("ground_100.3ds")))});
}

TEST(Converter, UntexturedMaterialsGetOneColourTexturesBesideTheShape) {
    Scene scene = test::oneBoxScene();
    scene.materials = {{"Brick", {1.0f, 0.5f, 0.0f}, "", 0.0f, false},
                       {"Glass", {0.0f, 0.0f, 1.0f}, "", 0.17f, false}};
    scene.meshes.push_back(test::boxMesh("Glass", {5, 0, 0}, {1, 1, 1}, "Glass"));
    scene.meshes.push_back(test::boxMesh("Glass2", {8, 0, 0}, {1, 1, 1}, "Glass"));
    test::TempFolder folder;
    const std::string text = converted(folder, {{"box_100.3ds", scene}});
    EXPECT_NE(text.find("named_shader ( BlendATexDiff )"), std::string::npos);
    EXPECT_EQ(text.find("Diffuse"), std::string::npos);
    const std::pair<const char*, texture::Rgba> colours[] = {{"qf_colour_ff8000ff.ace", {255, 128, 0, 255}},
                                                             {"qf_colour_0000ffd4.ace", {0, 0, 255, 212}}};
    for (const auto& [name, colour] : colours) {
        EXPECT_EQ(count(text, std::string("image ( ") + name + " )"), 1u) << name;
        const auto ace = texture::readAce(folder.read(name));
        ASSERT_TRUE(ace.ok()) << name;
        EXPECT_EQ(ace->levels.front(), texture::Image(4, 4, colour)) << name;
    }
}

TEST(Converter, UvValuesAreThoseOfTheThreeDsFiles) {
    Scene nearScene = test::oneBoxScene(), farScene = test::oneBoxScene();
    nearScene.meshes.push_back(test::boxMesh("Shed", {5, 5, 0}, {1, 2, 1}, "Brick"));
    for (auto& uv : nearScene.meshes[1].uvs) uv = {uv[0] * 3.5f - 0.25f, uv[1] * 0.3f + 0.1f};
    farScene.meshes[0].uvs.clear();
    test::TempFolder folder;
    const std::string text = converted(folder, {{"box_100.3ds", nearScene}, {"box_500.3ds", farScene}});
    test::expectUvsOfTheInput(text, {std::get<Scene>(test::readThreeDs(folder.read("box_100.3ds"))),
                                     std::get<Scene>(test::readThreeDs(folder.read("box_500.3ds")))});
}

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
