// quillfen-cli texture, run as the built program: conversions by extension,
// ACE files scaled to powers of two, and failures with their exit codes.

#include "support/CliProgram.h"
#include "support/TempFolder.h"
#include "texture/AceFile.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

using texture::FileFormat;
using texture::Image;
using texture::Rgba;

class CliTexture : public CliTest {
protected:
    Outcome texture(const std::string& in, const std::string& out, const std::string& option = "") {
        return runCli("texture " + inQuotes(folder / in) + " " + inQuotes(folder / out) + option);
    }
    TempFolder folder;
};

TEST_F(CliTexture, ConvertsByExtensionAndMakesAceFilesOfPowersOfTwo) {
    const Image picture(48, 96, Rgba{10, 20, 30, 128});
    folder.write("door.png", *texture::encodeTexture(picture, FileFormat::Png));
    Outcome outcome = texture("door.png", "door.ace");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, folder / "door.png" + ": 48 x 96 pixels scaled to 64 x 128\n" +
                               folder / "door.ace" + ": 64 x 128 pixels written\n");
    const auto ace = texture::readAce(folder.read("door.ace"));
    ASSERT_TRUE(ace.ok());
    EXPECT_EQ(ace->levels[0], Image(64, 128, Rgba{10, 20, 30, 128}));

    outcome = texture("door.ace", "back.png");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(*texture::decodeTexture(folder.read("back.png"), FileFormat::Png), ace->levels[0]);

    outcome = texture("back.png", "small.ace", " --dxt1");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    const auto dxt = texture::readAce(folder.read("small.ace"));
    ASSERT_TRUE(dxt.ok());
    EXPECT_TRUE(dxt->dxt);
}

TEST_F(CliTexture, FailuresNameTheFileAndLeaveNoOutput) {
    folder.write("bad.png", "\x89PNG garbage");
    folder.write("good.png", *texture::encodeTexture(Image(4, 4), FileFormat::Png));
    const struct {
        const char* in;
        const char* out;
        int exitCode;
        const char* errPart;
    } cases[] = {{"bad.png", "bad.ace", 1, "bad.png: not a readable PNG"},
                 {"missing.png", "missing.ace", 1, "missing.png: "},
                 {"good.png", "good.dds", 1, "good.dds: DDS files are read, not written"},
                 {"good.png", "good.gif", 2, "Usage: quillfen-cli texture IN OUT [--dxt1]"}};
    for (const auto& c : cases) {
        const Outcome outcome = texture(c.in, c.out);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.in;
        EXPECT_NE(outcome.err.find(c.errPart), std::string::npos) << outcome.err;
        EXPECT_FALSE(folder.exists(c.out)) << c.out;
    }
}

} // namespace
} // namespace quillfen::test
