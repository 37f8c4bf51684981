#include "sfile/TextureCollection.h"

#include "support/ResultFiles.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

using Names = std::vector<std::string>;

// Log: "C" the TEXTURES folder is created, "N" no ace-textures copied, "A" all copied.
struct CollectionCase {
    std::string name;
    Names images;
    Names files;
    Names stale;            // left in TEXTURES by an earlier run; a name ending in '/' is a subfolder
    Names expectedTextures; // entries of TEXTURES afterwards
    std::string expectedLog;
    bool expectFolder = true;
};

std::string collectionLine(char code, Language language) {
    if (code == 'C')
        return pickText(language, "•das Verzeichnis TEXTURES ist erzeugt",
                        "•the directory TEXTURES is created");
    if (code == 'N')
        return pickText(language, "•es werden keine ace-Texturen in das Verzeichnis TEXTURES kopiert",
                        "•no ace-textures copied to directory TEXTURES");
    return pickText(language, "•alle verwendeten Texturen sind in das Verzeichnis TEXTURES kopiert",
                    "•all used textures are copied to directory TEXTURES");
}

class CollectionTest : public testing::TestWithParam<std::tuple<CollectionCase, Language>> {};

TEST_P(CollectionTest, CopiesExactlyTheUsedFiles) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images));
    for (const std::string& stale : c.stale)
        work.folder.write("TEXTURES/" + stale + (stale.back() == '/' ? "inside.ace" : ""), "old");
    LocalFileSystem files;
    RecordingLog log;

    KopiereTexturen(work.state, work.paths, files, log);

    EXPECT_EQ(entriesIn(work.folder, "TEXTURES"), c.expectedTextures);
    for (const std::string& entry : c.expectedTextures) {
        const bool subfolder = entry.find('.') == std::string::npos;
        EXPECT_EQ(work.folder.read("TEXTURES/" + entry + (subfolder ? "/inside.ace" : "")),
                  subfolder ? "old" : "content of " + entry);
    }
    EXPECT_EQ(work.folder.exists("TEXTURES"), c.expectFolder);
    Names expectedLog;
    for (const char code : c.expectedLog) expectedLog.push_back(collectionLine(code, language));
    EXPECT_EQ(log.lines, expectedLog);
}

const CollectionCase kCollectionCases[] = {
    {"NoTextureNoFolder", {"wall.ace"}, {"house_100.3ds"}, {}, {}, "N", false},
    {"UsedFilesOfAnyType",
     {"wall.ace", "roof.dds"},
     {"house_100.3ds", "wall.ace", "roof.dds", "unused.ace"},
     {},
     {"roof.dds", "wall.ace"},
     "CA"},
    {"NameInsideLongerName", {"aa.ace"}, {"a.ace", "aa.ace"}, {}, {"a.ace", "aa.ace"}, "CA"},
    {"LetterCaseMustMatch", {"WALL.ace"}, {"Wall.ace"}, {}, {}, "N", false},
    {"StaleFilesDeletedNothingUsed", {"wall.ace"}, {}, {"old.ace", "older.dds"}, {}, "A"},
    {"StaleFilesReplacedByThisRun", {"wall.ace"}, {"wall.ace"}, {"old.ace", "wall.ace"}, {"wall.ace"}, "A"},
    {"EmptyButForASubfolder", {"wall.ace"}, {}, {"old.ace", "archive/"}, {"archive"}, "N"},
    {"SubfolderAndCopies", {"wall.ace"}, {"wall.ace"}, {"archive/"}, {"archive", "wall.ace"}, "A"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CollectionTest,
                         testing::Combine(testing::ValuesIn(kCollectionCases), testing::ValuesIn(kLanguages)),
                         kCaseAndLanguage);

TEST(KopiereTexturen, ListedNameWithoutFileIsSkipped) {
    WorkFolder work;
    work.setFiles({"wall.ace", "roof.ace"});
    std::filesystem::remove(work.folder.fsPath() / "wall.ace");
    work.writeSFile(sampleSFile({"wall.ace", "roof.ace"}));
    LocalFileSystem files;
    RecordingLog log;
    KopiereTexturen(work.state, work.paths, files, log);
    EXPECT_EQ(entriesIn(work.folder, "TEXTURES"), Names{"roof.ace"});
}

struct FailureCase {
    std::string name;
    FsOperation failing;
    std::string pathEnd;
    Names expectedTextures;
    std::string reason = FailingFileSystem::kReason;
};

class CollectionFailureTest : public testing::TestWithParam<std::tuple<FailureCase, Language>> {};

TEST_P(CollectionFailureTest, StopsWhereItFailedAndSaysSo) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    work.setFiles({"a.ace", "b.ace", "c.ace"});
    work.writeSFile(sampleSFile({"a.ace", "b.ace", "c.ace"}));
    work.folder.write("TEXTURES/old.ace", "old");
    FailingFileSystem files(c.failing, c.pathEnd);
    files.reason = c.reason;
    RecordingLog log;

    KopiereTexturen(work.state, work.paths, files, log);

    EXPECT_EQ(entriesIn(work.folder, "TEXTURES"), c.expectedTextures);
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_NE(log.lines[log.lines.size() - 2].find(c.pathEnd + ": " + c.reason), std::string::npos);
    EXPECT_EQ(log.lines.back(),
              pickText(language,
                       "•kein Zugriff auf Verzeichnis TEXTURES. Vermulich blockiert eine offene s-Datei!",
                       "•can't access to folder TEXTURES. Probably an open s-file blocks access!"));
}

// The used textures are copied in before the stale ones go: a failure (or a
// kill) on the way never leaves TEXTURES without what the shape uses.
const FailureCase kFailureCases[] = {
    {"LockedStaleFile", FsOperation::DeleteFile, "old.ace", {"a.ace", "b.ace", "c.ace", "old.ace"}},
    {"UnreadableSFile", FsOperation::ReadBytes, "house.s", {"old.ace"}},
    {"DiskFullOnACopy", FsOperation::CopyFile, "b.ace", {"a.ace", "old.ace"}, "No space left on device"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CollectionFailureTest,
                         testing::Combine(testing::ValuesIn(kFailureCases), testing::ValuesIn(kLanguages)),
                         kCaseAndLanguage);

TEST(KopiereTexturen, ATexturesFolderThatLinksElsewhereIsFilledButNeverCleaned) {
    for (const std::string target : {".", "other"}) {
        SCOPED_TRACE(target);
        WorkFolder work;
        work.setFiles({"wall.ace", "house_100.3ds"});
        work.writeSFile(sampleSFile({"wall.ace"}));
        work.folder.write("other/stale.ace", "someone else's");
        std::error_code made;
        std::filesystem::create_directory_symlink(target, work.folder.fsPath() / "TEXTURES", made);
        if (made) GTEST_SKIP() << "no symbolic links here: " << made.message();
        LocalFileSystem files;
        RecordingLog log;

        KopiereTexturen(work.state, work.paths, files, log);

        for (const char* kept : {"house_100.3ds", "wall.ace", "other/stale.ace", "TEXTURES/wall.ace"})
            EXPECT_TRUE(work.folder.exists(kept)) << kept;
        EXPECT_EQ(log.lines,
                  (Names{"•the directory TEXTURES is a link to another place: Quillfen deletes nothing in it",
                         collectionLine('A', Language::English)}));
    }
}

TEST(KopiereTexturen, RealShapeGathersItsTwoTextures) {
    QUILLFEN_REQUIRE_TESTDATA();
    WorkFolder work;
    work.setFiles({"redtile.ace", "unionstop.ace", "Redtile.dds"});
    work.writeSFile(realSFile("BlenderExporter__unionstop.s"));
    LocalFileSystem files;
    RecordingLog log;
    KopiereTexturen(work.state, work.paths, files, log);
    EXPECT_EQ(entriesIn(work.folder, "TEXTURES"), (Names{"redtile.ace", "unionstop.ace"}));
}

} // namespace
} // namespace quillfen::test
