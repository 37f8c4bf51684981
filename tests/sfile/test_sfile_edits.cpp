// The s-file edits of a run: the texture correction, the shader options and the TEXTURES collection.

#include "sfile/ShaderOptions.h"
#include "sfile/TextureCollection.h"
#include "sfile/TextureCorrection.h"

#include "platform/Text.h"
#include "support/ResultFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <map>
#include <sstream>

namespace quillfen::test {
namespace {

using Names = std::vector<std::string>;

/// "a b c" as {"a", "b", "c"}.
Names words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

/// A working folder with `files` (in list order) and SHAPES/house.s holding `text` (none when empty).
struct Work : WorkFolder {
    Work(const Names& names, const std::string& text, Language language = Language::English)
        : WorkFolder(language) {
        setFiles(names);
        if (!text.empty()) writeSFile(text);
    }
    Status correct(const std::string& mipmap = "0", FileSystem&& fs = LocalFileSystem()) {
        TextureCorrectionChoices choices;
        choices.cmbMipMap = mipmap;
        choices.decimalSeparator = ',';
        return KorrigiereTexturen(choices, state, paths, fs, log);
    }
    void collect(FileSystem&& fs = LocalFileSystem()) { KopiereTexturen(state, paths, fs, log); }
};

TEST(KorrigiereTexturen, RenamesImagesAndLogsEachCorrection) {
    // images, files, images afterwards, log lines "kind from to" (kind "ace" or "dds") split by ','; the
    // same name is still reported; every occurrence counts, also inside longer names; letter case is
    // ignored in the match only
    const std::array<std::string, 4> cases[] = {
        {"wall.ace", "wall.ace", "wall.ace", "ace wall.ace wall.ace"},
        {"wall.ace", "Wall2.ace", "Wall2.ace", "ace wall.ace Wall2.ace"},
        {"wall.ace", "Wall.ace Wall2.ace", "Wall.ace", "ace wall.ace Wall.ace"},
        {"Wall.ace", "Wall.ace Wall2.ace", "Wall2.ace", "ace Wall.ace Wall.ace,ace Wall.ace Wall2.ace"},
        {"wall.ace", "Wall.ace Wall.dds", "Wall.dds", "ace wall.ace Wall.ace,dds Wall.ace Wall.dds"},
        {"wall.ace bigwall.ace", "Wall.ace", "Wall.ace bigWall.ace", "ace wall.ace Wall.ace"},
        {"roof.ace roofedge.ace", "RoofEdge.ace", "RoofEdge.ace roofedge.ace", "ace roof.ace RoofEdge.ace"},
        {"wall.ace", "house_100.3ds door.ace Quillfen.ini", "wall.ace", ""},
        {"wall.ace", "Wall.dds", "Wall.dds", "dds wall.ace Wall.dds"},
    };
    for (const Language language : kLanguages)
        for (const auto& [images, files, imagesAfter, log] : cases) {
            if (language == Language::German && log.find("dds") == std::string::npos) continue;
            SCOPED_TRACE(images + " / " + files);
            Work work(words(files), sampleSFile(words(images)), language);
            ASSERT_TRUE(work.correct().ok());
            EXPECT_EQ(work.sFileText(), sampleSFile(words(imagesAfter)));
            Names expected;
            std::istringstream lines(log);
            for (std::string line; std::getline(lines, line, ',');) {
                const Names kindFromTo = words(line);
                expected.push_back(pickText(language, "•korrigiere in s-Datei ", "•correct in s-file ") +
                                   kindFromTo[0] +
                                   pickText(language, "-Textur-Bezeichnung von ", "-texture-name from ") +
                                   kindFromTo[1] + pickText(language, " zu ", " to ") + kindFromTo[2]);
            }
            EXPECT_EQ(work.log.lines, expected);
        }
}

TEST(KorrigiereTexturen, WritesTheMipmapBiasIntoPlainEntriesBelowTheImageCount) {
    // "k" stands for "texture ( k 0 0 ff000000 )", "k:b" for "texture ( k 0 b ff000000 )".
    const auto entries = [](const Names& shortForms) {
        Names full;
        for (const std::string& e : shortForms)
            full.push_back(e.rfind("texture", 0) == 0
                               ? e
                               : "texture ( " + e.substr(0, 1) + " 0 " + (e.size() > 1 ? e.substr(2) : "0") +
                                     " ff000000 )");
        return full;
    };
    const Names odd{"texture ( 0 1 0 ff000000 )", "texture ( 1 0 -1 ff000000 )",
                    "texture (  2 0 0 ff000000 )", "texture ( 2 0 0 FF000000 )"};
    // the text as typed; other fields or blanks stay; only the first occurrence of an index
    const std::tuple<std::string, Names, Names> cases[] = {
        {"0", {"0", "1", "2"}, {"0", "1", "2"}},
        {"0.0", {"0", "1", "2"}, {"0", "1", "2"}},
        {"-3", {"0", "1", "2"}, {"0:-3", "1:-3", "2:-3"}},
        {" -1,5", {"0"}, {"0: -1,5"}},
        {"-2", odd, odd},
        {"2", {"0", "0"}, {"0:2", "0"}},
        {"-1", {"0", "1", "2", "3", "4"}, {"0:-1", "1:-1", "2:-1", "3", "4"}},
    };
    const Names images{"a.ace", "b.ace", "c.ace"};
    for (const auto& [mipmap, textures, expected] : cases) {
        Work work({}, sampleSFile(images, entries(textures)));
        ASSERT_TRUE(work.correct(mipmap).ok());
        EXPECT_EQ(work.sFileText(), sampleSFile(images, entries(expected))) << mipmap;
    }
}

TEST(KorrigiereTexturen, TextWithoutAceIsOnlyRewrittenAsUtf16) {
    Work work({"Decal.dds"}, "");
    const std::string text = sampleSFile({"decal.dds"});
    work.folder.write("SHAPES/house.s", text); // plain one-byte text, as some converters write
    ASSERT_TRUE(work.correct("").ok());        // no mipmap value needed without ace names
    EXPECT_EQ(work.sFileBytes(), encodeUtf16LeWithBom(text));
    EXPECT_TRUE(work.log.lines.empty());
}

TEST(KorrigiereTexturen, AnUnmetNeedOrAFailingFileLeavesTheFileUntouchedAndNamesIt) {
    const std::string good = sampleSFile({"wall.ace"});
    const struct {
        std::string text; // "" for no s-file at all
        std::string mipmap, reason;
        FsOperation failing = FsOperation::None;
    } cases[] = {
        {"images ( 1\r\n\timage ( wall.ace )\r\n)", "0", "textures ("},
        {"images ( 0 )\r\ntextures ( 0 )\r\nwall.ace", "0", "image ("},
        {"images ( 3\r\n\timage ( wall.ace )\r\n\timage ( roof.ace )\r\n)\r\ntextures ( 0\r\n)", "0",
         "announces 3 images but lists only 2"},
        {good, "", "not a number"},
        {good, "0", FailingFileSystem::kReason, FsOperation::ReadBytes},
        {good, "0", FailingFileSystem::kReason, FsOperation::ReplaceFile},
        {"", "0", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " " + c.mipmap);
        Work work({"Wall.ace"}, c.text);
        const std::string before = c.text.empty() ? "" : work.sFileBytes();
        const Status status = work.correct(c.mipmap, FailingFileSystem(c.failing, "house.s"));
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().path, work.sFilePath());
        EXPECT_NE(status.error().reason.find(c.reason), std::string::npos) << status.error().reason;
        EXPECT_EQ(work.folder.exists("SHAPES/house.s") ? work.sFileBytes() : "", before);
        // corrections made before a failing write are logged
        EXPECT_TRUE(c.failing != FsOperation::None || work.log.lines.empty());
    }
}

TEST(SFileEdits, RealFilesFromOtherToolsChangeExactlyAsExpected) {
    QUILLFEN_REQUIRE_TESTDATA();
    using Replacements = std::vector<std::pair<std::string, std::string>>;
    const std::tuple<std::string, std::string, std::string, Replacements> cases[] = {
        {"trackshape-utils__NR_EmbBase_a1t10mStrt.s",
         "ACleanTrack1.ace nr_embbase.ace",
         "-2",
         {{"NR_EmbBase.ace", "nr_embbase.ace"},
          {"texture ( 0 0 0 ff000000 )", "texture ( 0 0 -2 ff000000 )"}}},
        {"BlenderExporter__unionstop.s", "unionstop.ace RedTile.dds", "-3", {{"redtile.ace", "RedTile.dds"}}},
        {"shapeio__DK10f_A1tPnt5dLft.s", "db_track10sw.ace", "0", {{"DB_Track10sw.ACE", "db_track10sw.ace"}}},
    };
    for (const auto& [file, workFiles, mipmap, replacements] : cases) {
        const std::string original = realSFile(file);
        Work work(words(workFiles), original);
        ASSERT_TRUE(work.correct(mipmap).ok());
        std::string expected = original;
        for (const auto& [from, to] : replacements) expected = replaceAll(expected, from, to);
        EXPECT_TRUE(startsWith(work.sFileBytes(), "\xFF\xFE"));
        EXPECT_EQ(work.sFileText(), expected) << file;
    }
    LocalFileSystem files;
    Work decals({"DECAL.dds"}, realSFile("F89F__decals_rttx_151072.s"));
    const std::string decalsBefore = decals.sFileText();
    ASSERT_TRUE(SetzeShaderDiffuse(decals.state, decals.paths, files).ok());
    EXPECT_EQ(decals.sFileText(),
              replaceAll(decalsBefore, "named_shader ( BlendATexDiff )", "named_shader ( Diffuse )"));
    // The s-file says JP1Signals.ace: used, but not replaced.
    Work signal({"jp1signals.ace"}, realSFile("TSRE5__jp2signal9.s"));
    const std::string signalBefore = signal.sFileText();
    EXPECT_EQ(*SetzeEineTextur(signal.state, signal.paths, files), "jp1signals.ace");
    EXPECT_EQ(signal.sFileText(), signalBefore);
    Work stop({"redtile.ace", "unionstop.ace", "Redtile.dds"}, realSFile("BlenderExporter__unionstop.s"));
    stop.collect();
    EXPECT_EQ(entriesIn(stop.folder, "TEXTURES"), (Names{"redtile.ace", "unionstop.ace"}));
}

TEST(ShaderOptions, ReplaceShadersAndUsedAceTexturesOnWhatTheLastLeft) {
    const std::string all = "Tex TexDiff BlendATex AddATex BlendATexDiff AddATexDiff Diffuse";
    const std::string six = "AddATexDiff AddATexDiff AddATexDiff AddATexDiff AddATexDiff AddATexDiff Diffuse";
    // options ('E' SetzeEineTextur, 'D' SetzeShaderDiffuse, 'G' SetzeShaderAddATexDiff, in this order),
    // shaders, images, files, the name SetzeEineTextur keeps, shaders and images afterwards; the test for
    // use ignores letter case, the replacement does not
    const std::array<std::string, 7> cases[] = {
        {"E", "TexDiff", "b.ace a.ace", "a.ace b.ace", "a.ace", "TexDiff", "a.ace a.ace"},
        {"E", "TexDiff", "wall.ace", "roof.ace house_100.3ds", "", "TexDiff", "wall.ace"},
        {"E", "TexDiff", "A.ACE b.ace", "a.ace b.ace", "a.ace", "TexDiff", "A.ACE a.ace"},
        {"E", "TexDiff", "a.ace b.dds", "a.ace b.dds", "a.ace", "TexDiff", "a.ace b.dds"},
        {"D", all, "a.ace", "a.ace", "", "Diffuse Diffuse Diffuse Diffuse Diffuse Diffuse Diffuse",
         "TextureDummy.ace"},
        {"D", "TexDiff BlendATexDiff", "a.ace b.dds c.ace", "a.ace b.dds", "", "Diffuse Diffuse",
         "TextureDummy.ace b.dds c.ace"},
        {"D", "MyShader tex", "a.ace", "", "", "MyShader tex", "a.ace"},
        {"G", all, "a.ace", "a.ace", "", six, "a.ace"},
        {"ED", "TexDiff", "a.ace b.ace", "a.ace b.ace", "a.ace", "Diffuse",
         "TextureDummy.ace TextureDummy.ace"},
    };
    for (const auto& [options, shaders, images, files, kept, shadersAfter, imagesAfter] : cases) {
        SCOPED_TRACE(options + " " + images);
        Work work(words(files), sampleSFile(words(images), {}, words(shaders)));
        LocalFileSystem system;
        std::string keptName;
        for (const char option : options) {
            if (option == 'E') keptName = *SetzeEineTextur(work.state, work.paths, system);
            const Status status = option == 'D'   ? SetzeShaderDiffuse(work.state, work.paths, system)
                                  : option == 'G' ? SetzeShaderAddATexDiff(work.paths, system)
                                                  : Status{};
            ASSERT_TRUE(status.ok());
        }
        EXPECT_EQ(keptName, kept);
        EXPECT_EQ(work.sFileText(), sampleSFile(words(imagesAfter), {}, words(shadersAfter)));
    }
}

TEST(ShaderOptions, FailuresLeaveTheFileAndNameIt) {
    for (const FsOperation failing : {FsOperation::ReadBytes, FsOperation::ReplaceFile})
        for (int option = 0; option < 3; ++option) {
            Work work({"a.ace", "b.ace"}, sampleSFile({"a.ace", "b.ace"}));
            const std::string before = work.sFileBytes();
            FailingFileSystem files(failing, "house.s");
            const auto kept = SetzeEineTextur(work.state, work.paths, files);
            const Status status = option == 0   ? (kept ? Status{} : Status{kept.error()})
                                  : option == 1 ? SetzeShaderDiffuse(work.state, work.paths, files)
                                                : SetzeShaderAddATexDiff(work.paths, files);
            ASSERT_FALSE(status.ok());
            EXPECT_EQ(status.error().path, work.sFilePath());
            EXPECT_EQ(work.sFileBytes(), before);
        }
}

TEST(KopiereTexturen, CopiesExactlyTheUsedFiles) {
    const std::map<char, std::string> line{{'C', "•the directory TEXTURES is created"},
                                           {'N', "•no ace-textures copied to directory TEXTURES"},
                                           {'A', "•all used textures are copied to directory TEXTURES"}};
    // images, files, entries left in TEXTURES by an earlier run ("x/": a subfolder), entries afterwards,
    // the log; a TEXTURES folder holding only a subfolder is kept
    const std::array<std::string, 5> cases[] = {
        {"wall.ace roof.dds", "house_100.3ds wall.ace roof.dds unused.ace", "", "roof.dds wall.ace", "CA"},
        {"wall.ace", "house_100.3ds", "", "", "N"},
        {"aa.ace", "a.ace aa.ace", "", "a.ace aa.ace", "CA"},
        {"WALL.ace", "Wall.ace", "", "", "N"},
        {"wall.ace", "", "old.ace older.dds", "", "A"},
        {"wall.ace", "wall.ace", "old.ace wall.ace", "wall.ace", "A"},
        {"wall.ace", "", "old.ace archive/", "archive", "N"},
        {"wall.ace", "wall.ace", "archive/", "archive wall.ace", "A"},
    };
    for (const auto& [images, files, stale, textures, log] : cases) {
        SCOPED_TRACE(images + " / " + files + " / " + stale);
        Work work(words(files), sampleSFile(words(images)));
        for (const std::string& entry : words(stale))
            work.folder.write("TEXTURES/" + entry + (entry.back() == '/' ? "inside.ace" : ""), "old");
        work.collect();
        EXPECT_EQ(entriesIn(work.folder, "TEXTURES"), words(textures));
        for (const std::string& entry : words(textures)) {
            const bool subfolder = entry.find('.') == std::string::npos;
            EXPECT_EQ(work.folder.read("TEXTURES/" + entry + (subfolder ? "/inside.ace" : "")),
                      subfolder ? "old" : "content of " + entry);
        }
        // no TEXTURES folder is made where nothing is copied
        EXPECT_EQ(work.folder.exists("TEXTURES"), log != "N" || !stale.empty());
        Names expectedLog;
        for (const char code : log) expectedLog.push_back(line.at(code));
        EXPECT_EQ(work.log.lines, expectedLog);
    }
    // A listed name without its file is passed over.
    Work work({"wall.ace", "roof.ace"}, sampleSFile({"wall.ace", "roof.ace"}));
    std::filesystem::remove(work.folder.fsPath() / "wall.ace");
    work.collect();
    EXPECT_EQ(entriesIn(work.folder, "TEXTURES"), Names{"roof.ace"});
    // A TEXTURES holding only an empty subfolder keeps it, and the folder itself.
    Work empty({}, sampleSFile({"wall.ace"}));
    std::filesystem::create_directories(empty.folder.fsPath() / "TEXTURES" / "archive");
    empty.collect();
    EXPECT_EQ(entriesIn(empty.folder, "TEXTURES"), Names{"archive"});
}

TEST(KopiereTexturen, AFailureStopsTheCollectionWhereItFailedAndSaysSo) {
    // The used textures are copied in before the stale ones go: a failure (or a kill) on the way never
    // leaves TEXTURES without what the shape uses.
    const std::tuple<FsOperation, std::string, std::string, std::string, Language> cases[] = {
        {FsOperation::DeleteFile, "old.ace", "a.ace b.ace c.ace old.ace", FailingFileSystem::kReason,
         Language::English},
        {FsOperation::ReadBytes, "house.s", "old.ace", FailingFileSystem::kReason, Language::German},
        {FsOperation::CopyFile, "b.ace", "a.ace old.ace", "No space left on device", Language::English},
    };
    for (const auto& [failing, pathEnd, textures, reason, language] : cases) {
        Work work({"a.ace", "b.ace", "c.ace"}, sampleSFile({"a.ace", "b.ace", "c.ace"}), language);
        work.folder.write("TEXTURES/old.ace", "old");
        FailingFileSystem files(failing, pathEnd);
        files.reason = reason;
        work.collect(std::move(files));
        EXPECT_EQ(entriesIn(work.folder, "TEXTURES"), words(textures));
        ASSERT_GE(work.log.lines.size(), 2u);
        EXPECT_NE(work.log.lines[work.log.lines.size() - 2].find(pathEnd + ": " + reason), std::string::npos);
        EXPECT_EQ(work.log.lines.back(),
                  pickText(language,
                           "•kein Zugriff auf Verzeichnis TEXTURES. Vermulich blockiert eine offene s-Datei!",
                           "•can't access to folder TEXTURES. Probably an open s-file blocks access!"));
    }
}

} // namespace
} // namespace quillfen::test
