#include "sfile/ShaderOptions.h"

#include "platform/Text.h"
#include "support/ResultFiles.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

using Names = std::vector<std::string>;

struct SingleTextureCase {
    std::string name;
    Names images;
    Names files;
    std::string expectedName;
    Names expectedImages;
};

class SingleTextureTest : public testing::TestWithParam<SingleTextureCase> {};

TEST_P(SingleTextureTest, EveryUsedAceTextureBecomesTheFirst) {
    const SingleTextureCase& c = GetParam();
    WorkFolder work;
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images));
    LocalFileSystem files;
    const Expected<std::string> kept = SetzeEineTextur(work.state, work.paths, files);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(*kept, c.expectedName);
    EXPECT_EQ(work.sFileText(), sampleSFile(c.expectedImages));
}

const SingleTextureCase kSingleTextureCases[] = {
    {"TwoUsedTextures", {"a.ace", "b.ace"}, {"a.ace", "b.ace"}, "a.ace", {"a.ace", "a.ace"}},
    {"ListOrderDecides", {"b.ace", "a.ace"}, {"a.ace", "b.ace"}, "a.ace", {"a.ace", "a.ace"}},
    {"UnusedFilesSkipped", {"b.ace"}, {"a.ace", "b.ace"}, "b.ace", {"b.ace"}},
    {"NoUsedTexture", {"wall.ace"}, {"roof.ace", "house_100.3ds"}, "", {"wall.ace"}},
    // The test for use ignores letter case, the replacement does not.
    {"CaseDiffersFromFile", {"A.ACE", "b.ace"}, {"a.ace", "b.ace"}, "a.ace", {"A.ACE", "a.ace"}},
    {"DdsTexturesStay", {"a.ace", "b.dds"}, {"a.ace", "b.dds"}, "a.ace", {"a.ace", "b.dds"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SingleTextureTest, testing::ValuesIn(kSingleTextureCases), kCaseName);

const Names kAllShaders{"Tex", "TexDiff", "BlendATex", "AddATex", "BlendATexDiff", "AddATexDiff", "Diffuse"};

struct ShaderCase {
    std::string name;
    bool glassy; // SetzeShaderAddATexDiff, else SetzeShaderDiffuse
    Names shaders;
    Names images;
    Names files;
    Names expectedShaders;
    Names expectedImages;
};

class ShaderTest : public testing::TestWithParam<ShaderCase> {};

TEST_P(ShaderTest, ShadersAndUsedAceTexturesAreReplaced) {
    const ShaderCase& c = GetParam();
    WorkFolder work;
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images, {}, c.shaders));
    LocalFileSystem files;
    const Status edited = c.glassy ? SetzeShaderAddATexDiff(work.paths, files)
                                   : SetzeShaderDiffuse(work.state, work.paths, files);
    ASSERT_TRUE(edited.ok());
    EXPECT_EQ(work.sFileText(), sampleSFile(c.expectedImages, {}, c.expectedShaders));
}

const ShaderCase kShaderCases[] = {
    {"AllKnownShaders", false, kAllShaders, {"a.ace"}, {"a.ace"}, Names(7, "Diffuse"), {"TextureDummy.ace"}},
    {"UsedDdsKeepsItsName",
     false,
     {"TexDiff", "BlendATexDiff"},
     {"a.ace", "b.dds", "c.ace"},
     {"a.ace", "b.dds"},
     {"Diffuse", "Diffuse"},
     {"TextureDummy.ace", "b.dds", "c.ace"}},
    {"UnknownShaderStays", false, {"MyShader", "tex"}, {"a.ace"}, {}, {"MyShader", "tex"}, {"a.ace"}},
    {"GlassyDiffuseStays",
     true,
     kAllShaders,
     {"a.ace"},
     {"a.ace"},
     {"AddATexDiff", "AddATexDiff", "AddATexDiff", "AddATexDiff", "AddATexDiff", "AddATexDiff", "Diffuse"},
     {"a.ace"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ShaderTest, testing::ValuesIn(kShaderCases), kCaseName);

TEST(ShaderOptions, OneAfterTheOtherOnWhatTheLastLeft) {
    WorkFolder work;
    work.setFiles({"a.ace", "b.ace"});
    work.writeSFile(sampleSFile({"a.ace", "b.ace"}));
    LocalFileSystem files;
    ASSERT_EQ(*SetzeEineTextur(work.state, work.paths, files), "a.ace");
    ASSERT_TRUE(SetzeShaderDiffuse(work.state, work.paths, files).ok());
    EXPECT_EQ(work.sFileText(), sampleSFile({"TextureDummy.ace", "TextureDummy.ace"}, {}, {"Diffuse"}));
}

TEST(ShaderOptions, RealFilesKeepTheirDdsTextureAndUsedButOtherCaseName) {
    QUILLFEN_REQUIRE_TESTDATA();
    LocalFileSystem files;
    {
        WorkFolder work;
        work.setFiles({"DECAL.dds"});
        const std::string original = realSFile("F89F__decals_rttx_151072.s");
        work.writeSFile(original);
        ASSERT_TRUE(SetzeShaderDiffuse(work.state, work.paths, files).ok());
        const std::string expected =
            replaceAll(original, "named_shader ( BlendATexDiff )", "named_shader ( Diffuse )");
        ASSERT_NE(expected, original);
        EXPECT_EQ(work.sFileText(), expected);
        EXPECT_TRUE(startsWith(work.sFileBytes(), "\xFF\xFE"));
    }
    WorkFolder work;
    work.setFiles({"jp1signals.ace"}); // the s-file says JP1Signals.ace: used, but not replaced
    const std::string original = realSFile("TSRE5__jp2signal9.s");
    work.writeSFile(original);
    const Expected<std::string> kept = SetzeEineTextur(work.state, work.paths, files);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(*kept, "jp1signals.ace");
    EXPECT_EQ(work.sFileText(), original);
}

TEST(ShaderOptions, FailuresLeaveTheFileAndNameIt) {
    using Operation = std::function<Status(const WorkFolder&, FileSystem&)>;
    const std::vector<Operation> operations{
        [](const WorkFolder& w, FileSystem& f) {
            auto kept = SetzeEineTextur(w.state, w.paths, f);
            return kept ? Status{} : Status{kept.error()};
        },
        [](const WorkFolder& w, FileSystem& f) { return SetzeShaderDiffuse(w.state, w.paths, f); },
        [](const WorkFolder& w, FileSystem& f) { return SetzeShaderAddATexDiff(w.paths, f); }};
    for (const FsOperation failing : {FsOperation::ReadBytes, FsOperation::ReplaceFile}) {
        for (const Operation& operation : operations) {
            WorkFolder work;
            work.setFiles({"a.ace", "b.ace"});
            work.writeSFile(sampleSFile({"a.ace", "b.ace"}));
            const std::string before = work.sFileBytes();
            FailingFileSystem files(failing, "house.s");
            const Status status = operation(work, files);
            ASSERT_FALSE(status.ok());
            EXPECT_EQ(status.error().path, work.sFilePath());
            EXPECT_EQ(work.sFileBytes(), before);
        }
    }
}

} // namespace
} // namespace quillfen::test
