// The converter's command line: arguments, the output file appearing only when complete, and
// failures that leave no file and say where the 3DS file broke.

#include "Converter.h"
#include "support/ThreeDsFixtures.h"

#include "platform/TextCodec.h"
#include "support/ShapeChecker.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

namespace quillfen::conv3ds {
namespace {

struct CommandResult {
    int exitCode = 0;
    std::string out, err;
};

CommandResult run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runConverter(args, out, err);
    return {code, out.str(), err.str()};
}

std::size_t filesIn(const std::filesystem::path& folder) {
    const std::filesystem::directory_iterator files(folder);
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
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
    folder.write("my model/box_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    folder.write("my model/box_500.3ds", test::threeDsBytes(test::oneBoxScene()));
    folder.write("my model/box_.s", "stale");
    const CommandResult result =
        run({folder / "my model/box_.s", folder / "my model/box_100.3ds", folder / "my model/box_500.3ds"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string bytes = folder.read("my model/box_.s");
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    const std::string text = decodeText(bytes);
    EXPECT_EQ(text.rfind("SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n", 0), 0u);
    for (const char* part : {"dlevel_selection ( 100 )", "dlevel_selection ( 500 )", "matrix box_ ("})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(test::ShapeChecker::problems(text), std::vector<std::string>{});
    EXPECT_EQ(filesIn(folder.fsPath() / "my model"), 3u) << "a temporary file was left behind";
}

TEST(Converter, FailuresLeaveNoFileAndNameTheFileChunkAndOffset) {
    Scene faceOutOfRange = test::oneBoxScene(), noFaces = test::oneBoxScene();
    faceOutOfRange.meshes[0].faces[3].a = 40;
    noFaces.meshes[0].faces.clear();
    noFaces.meshes[0].groups.clear();
    const struct {
        std::optional<std::string> bytes; ///< nullopt: the file is not there
        const char* messagePart;
    } cases[] = {{"", "chunk 0x4D4D (main) at byte 0: file is shorter"},
                 {test::threeDsBytes(faceOutOfRange), "chunk 0x4120 (face list) at byte "},
                 {test::threeDsBytes(noFaces), "no triangle mesh with faces"},
                 {std::nullopt, "bad_500.3ds: cannot be read"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.messagePart);
        test::TempFolder folder;
        folder.write("good_100.3ds", test::threeDsBytes(test::oneBoxScene()));
        if (c.bytes) folder.write("bad_500.3ds", *c.bytes);
        const CommandResult result = run({folder / "out.s", folder / "good_100.3ds", folder / "bad_500.3ds"});
        EXPECT_NE(result.exitCode, 0);
        EXPECT_FALSE(folder.exists("out.s"));
        EXPECT_EQ(filesIn(folder.fsPath()), c.bytes ? 2u : 1u);
        EXPECT_NE(result.err.find(folder / "bad_500.3ds"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(c.messagePart), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
    }
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
