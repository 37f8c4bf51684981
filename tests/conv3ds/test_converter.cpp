// The converter's command line: arguments, the output file appearing only when
// complete, and failures that leave no file and say where the 3DS file broke.

#include "Converter.h"
#include "Fixtures.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace quillfen::conv3ds {
namespace {

struct CommandResult {
    int exitCode = 0;
    std::string out;
    std::string err;
};

CommandResult run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runConverter(args, out, err);
    return CommandResult{code, out.str(), err.str()};
}

std::size_t filesIn(const test::TempFolder& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.fsPath())) ++count;
    return count;
}

TEST(Converter, DistanceIsTheRunOfDigitsBeforeTheExtension) {
    EXPECT_EQ(distanceFromFileName("house_500.3ds"), 500);
    EXPECT_EQ(distanceFromFileName("/models 2/house_100.3DS"), 100);
    EXPECT_EQ(distanceFromFileName("/a b/house 2000.3ds"), 2000);
    EXPECT_EQ(distanceFromFileName("lod3_0050.3ds"), 50);
    EXPECT_EQ(distanceFromFileName("house.3ds"), std::nullopt);
    EXPECT_EQ(distanceFromFileName("house12a.3ds"), std::nullopt);
    EXPECT_EQ(distanceFromFileName("house_99999999999999999999.3ds"), std::nullopt);
}

TEST(Converter, HelpPrintsTheUsageAndSucceeds) {
    const CommandResult result = run({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("Usage: conv3ds.exe OUTPUT.s LOD1.3ds"), std::string::npos);
}

TEST(Converter, TooFewArgumentsFailWithTheUsage) {
    EXPECT_NE(run({}).exitCode, 0);
    const CommandResult onlyOutput = run({"out.s"});
    EXPECT_NE(onlyOutput.exitCode, 0);
    EXPECT_NE(onlyOutput.err.find("Usage"), std::string::npos);
}

TEST(Converter, WritesTheShapeAtExactlyTheOutputPathWithBlanksInPaths) {
    test::TempFolder folder;
    folder.write("my model/box_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    folder.write("my model/box_500.3ds", test::threeDsBytes(test::oneBoxScene()));
    const std::string output = folder / "my model/box_.s";

    const CommandResult result =
        run({output, folder / "my model/box_100.3ds", folder / "my model/box_500.3ds"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty());
    const std::string bytes = test::readBytes(output);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    const std::string text = test::decodeShape(bytes);
    EXPECT_EQ(text.rfind("SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n", 0), 0u);
    EXPECT_NE(text.find("dlevel_selection ( 100 )"), std::string::npos);
    EXPECT_NE(text.find("dlevel_selection ( 500 )"), std::string::npos);
    EXPECT_NE(text.find("matrix box_ ("), std::string::npos);
    // Only the two inputs and the s-file: no temporary file is left behind.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder.fsPath() / "my model"))
        ++files;
    EXPECT_EQ(files, 3u);
}

TEST(Converter, ReplacesAStaleOutput) {
    test::TempFolder folder;
    folder.write("box_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    folder.write("box_.s", "stale");
    ASSERT_EQ(run({folder / "box_.s", folder / "box_100.3ds"}).exitCode, 0);
    EXPECT_NE(test::readBytes(folder / "box_.s"), "stale");
}

struct FailingInput {
    const char* name;
    std::string bytes;
    const char* messagePart;
};

class FailingConversion : public ::testing::TestWithParam<FailingInput> {};

TEST_P(FailingConversion, LeavesNoFileAndNamesTheFileChunkAndOffset) {
    test::TempFolder folder;
    folder.write("good_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    folder.write("bad_500.3ds", GetParam().bytes);
    const std::string output = folder / "out.s";

    const CommandResult result = run({output, folder / "good_100.3ds", folder / "bad_500.3ds"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_FALSE(folder.exists("out.s"));
    EXPECT_EQ(filesIn(folder), 2u);
    EXPECT_NE(result.err.find(folder / "bad_500.3ds"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(GetParam().messagePart), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
}

std::string withFaceOutOfRange() {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].faces[3].a = 40;
    return test::threeDsBytes(scene);
}

std::string withoutFaces() {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].faces.clear();
    scene.meshes[0].groups.clear();
    return test::threeDsBytes(scene);
}

INSTANTIATE_TEST_SUITE_P(
    Converter, FailingConversion,
    ::testing::Values(FailingInput{"Empty", "", "chunk 0x4D4D (main) at byte 0: file is shorter"},
                      FailingInput{"FaceOutOfRange", withFaceOutOfRange(),
                                   "chunk 0x4120 (face list) at byte "},
                      FailingInput{"NoTriangles", withoutFaces(), "no triangle mesh with faces"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(Converter, AMissingInputFileFailsWithoutOutput) {
    test::TempFolder folder;
    const CommandResult result = run({folder / "out.s", folder / "missing_100.3ds"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("missing_100.3ds: cannot be read"), std::string::npos);
    EXPECT_FALSE(folder.exists("out.s"));
}

TEST(Converter, AnUnwritableOutputFolderFailsCleanly) {
    test::TempFolder folder;
    folder.write("box_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    const CommandResult result = run({folder / "no such folder/box_.s", folder / "box_100.3ds"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("cannot create"), std::string::npos) << result.err;
}

} // namespace
} // namespace quillfen::conv3ds
