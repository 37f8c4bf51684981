#include "sfile/ShaderOptions.h"

#include "platform/Text.h"
#include "sfile/ResultFilesSupport.h"
#include "sfile/SFileSamples.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

struct SingleTextureCase {
    std::string name;
    std::vector<std::string> images;
    std::vector<std::string> files;
    std::string expectedName;
    std::vector<std::string> expectedImages;
};

class SingleTextureTest : public testing::TestWithParam<SingleTextureCase> {};

TEST_P(SingleTextureTest, EveryUsedAceTextureBecomesTheFirst) {
    const SingleTextureCase& c = GetParam();
    WorkFolder work;
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images, plainTextureEntries(c.images.size())));
    LocalFileSystem files;
    const Expected<std::string> kept = SetzeEineTextur(work.state, files);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(*kept, c.expectedName);
    EXPECT_EQ(work.sFileText(), sampleSFile(c.expectedImages, plainTextureEntries(c.images.size())));
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

INSTANTIATE_TEST_SUITE_P(Cases, SingleTextureTest, testing::ValuesIn(kSingleTextureCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

struct ShaderCase {
    std::string name;
    std::vector<std::string> shaders;
    std::vector<std::string> images;
    std::vector<std::string> files;
    std::vector<std::string> expectedShaders;
    std::vector<std::string> expectedImages;
};

class DiffuseTest : public testing::TestWithParam<ShaderCase> {};

TEST_P(DiffuseTest, ShadersBecomeDiffuseAndUsedAceTexturesTheDummy) {
    const ShaderCase& c = GetParam();
    WorkFolder work;
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images, plainTextureEntries(c.images.size()), c.shaders));
    LocalFileSystem files;
    ASSERT_TRUE(SetzeShaderDiffuse(work.state, files).ok());
    EXPECT_EQ(work.sFileText(),
              sampleSFile(c.expectedImages, plainTextureEntries(c.images.size()), c.expectedShaders));
}

const ShaderCase kDiffuseCases[] = {
    {"AllKnownShaders",
     {"Tex", "TexDiff", "BlendATex", "AddATex", "BlendATexDiff", "AddATexDiff", "Diffuse"},
     {"a.ace"},
     {"a.ace"},
     std::vector<std::string>(7, "Diffuse"),
     {"TextureDummy.ace"}},
    {"UsedDdsKeepsItsName",
     {"TexDiff", "BlendATexDiff"},
     {"a.ace", "b.dds", "c.ace"},
     {"a.ace", "b.dds"},
     {"Diffuse", "Diffuse"},
     {"TextureDummy.ace", "b.dds", "c.ace"}},
    {"UnknownShaderStays", {"MyShader", "tex"}, {"a.ace"}, {}, {"MyShader", "tex"}, {"a.ace"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, DiffuseTest, testing::ValuesIn(kDiffuseCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(SetzeShaderAddATexDiff, TexturedShadersBecomeGlassyAndDiffuseStays) {
    WorkFolder work;
    work.setFiles({"a.ace"});
    const std::vector<std::string> before{"Tex",           "TexDiff",     "BlendATex", "AddATex",
                                          "BlendATexDiff", "AddATexDiff", "Diffuse"};
    const std::vector<std::string> after{"AddATexDiff", "AddATexDiff", "AddATexDiff", "AddATexDiff",
                                         "AddATexDiff", "AddATexDiff", "Diffuse"};
    work.writeSFile(sampleSFile({"a.ace"}, plainTextureEntries(1), before));
    LocalFileSystem files;
    ASSERT_TRUE(SetzeShaderAddATexDiff(work.state, files).ok());
    EXPECT_EQ(work.sFileText(), sampleSFile({"a.ace"}, plainTextureEntries(1), after));
}

TEST(ShaderOptions, OneAfterTheOtherOnWhatTheLastLeft) {
    WorkFolder work;
    work.setFiles({"a.ace", "b.ace"});
    work.writeSFile(sampleSFile({"a.ace", "b.ace"}, plainTextureEntries(2), {"TexDiff"}));
    LocalFileSystem files;
    ASSERT_EQ(*SetzeEineTextur(work.state, files), "a.ace");
    ASSERT_TRUE(SetzeShaderDiffuse(work.state, files).ok());
    EXPECT_EQ(work.sFileText(),
              sampleSFile({"TextureDummy.ace", "TextureDummy.ace"}, plainTextureEntries(2), {"Diffuse"}));
}

TEST(ShaderOptions, RealDecalFileKeepsItsDdsTexture) {
    QUILLFEN_REQUIRE_TESTDATA();
    WorkFolder work;
    work.setFiles({"DECAL.dds"});
    LocalFileSystem files;
    const std::string original = *files.readText(testDataDir() + "/sfiles/F89F__decals_rttx_151072.s");
    work.writeSFile(original);
    ASSERT_TRUE(SetzeShaderDiffuse(work.state, files).ok());
    const std::string expected =
        replaceAll(original, "named_shader ( BlendATexDiff )", "named_shader ( Diffuse )");
    ASSERT_NE(expected, original);
    EXPECT_EQ(work.sFileText(), expected);
    EXPECT_TRUE(startsWith(work.sFileBytes(), "\xFF\xFE"));
}

TEST(ShaderOptions, RealSignalWithItsTextureMadeSingle) {
    QUILLFEN_REQUIRE_TESTDATA();
    WorkFolder work;
    work.setFiles({"jp1signals.ace"}); // the s-file says JP1Signals.ace: used, but not replaced
    LocalFileSystem files;
    const std::string original = *files.readText(testDataDir() + "/sfiles/TSRE5__jp2signal9.s");
    work.writeSFile(original);
    const Expected<std::string> kept = SetzeEineTextur(work.state, files);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(*kept, "jp1signals.ace");
    EXPECT_EQ(work.sFileText(), original);
}

TEST(ShaderOptions, FailuresLeaveTheFileAndNameIt) {
    using Operation = std::function<Status(const ProgramState&, FileSystem&)>;
    const std::vector<Operation> operations{[](const ProgramState& s, FileSystem& f) {
                                                auto kept = SetzeEineTextur(s, f);
                                                return kept ? Status{} : Status{kept.error()};
                                            },
                                            SetzeShaderDiffuse, SetzeShaderAddATexDiff};
    for (const FsOperation failing : {FsOperation::ReadBytes, FsOperation::ReplaceFile}) {
        for (const Operation& operation : operations) {
            WorkFolder work;
            work.setFiles({"a.ace", "b.ace"});
            work.writeSFile(sampleSFile({"a.ace", "b.ace"}, plainTextureEntries(2), {"TexDiff"}));
            const std::string before = work.sFileBytes();
            FailingFileSystem files(failing, "house.s");
            const Status status = operation(work.state, files);
            ASSERT_FALSE(status.ok());
            EXPECT_EQ(status.error().path, work.sFilePath());
            EXPECT_EQ(work.sFileBytes(), before);
        }
    }
}

} // namespace
} // namespace quillfen::test
