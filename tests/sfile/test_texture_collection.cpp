#include "sfile/TextureCollection.h"

#include "sfile/ResultFilesSupport.h"
#include "sfile/SFileSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quillfen::test {
namespace {

enum class Report { NoneCopied, AllCopied };

std::string createdLine(const std::string& language) {
    return language == kLanguageGerman ? "•das Verzeichnis TEXTURES ist erzeugt"
                                       : "•the directory TEXTURES is created";
}

std::string reportLine(Report report, const std::string& language) {
    const bool german = language == kLanguageGerman;
    if (report == Report::NoneCopied)
        return german ? "•es werden keine ace-Texturen in das Verzeichnis TEXTURES kopiert"
                      : "•no ace-textures copied to directory TEXTURES";
    return german ? "•alle verwendeten Texturen sind in das Verzeichnis TEXTURES kopiert"
                  : "•all used textures are copied to directory TEXTURES";
}

std::vector<std::string> filesIn(const TempFolder& folder, const std::string& sub) {
    std::vector<std::string> names;
    if (!std::filesystem::is_directory(folder.fsPath() / sub)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.fsPath() / sub))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct CollectionCase {
    std::string name;
    std::vector<std::string> images;
    std::vector<std::string> files;
    std::vector<std::string> staleFiles;   // left in TEXTURES by an earlier run
    std::vector<std::string> staleFolders; // subfolders of TEXTURES
    std::vector<std::string> expectedCopies;
    bool expectCreatedLine;
    Report expectedReport;
    bool expectFolder;
};

class CollectionTest : public testing::TestWithParam<std::tuple<CollectionCase, std::string>> {};

TEST_P(CollectionTest, CopiesExactlyTheUsedFiles) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    work.setFiles(c.files);
    work.writeSFile(sampleSFile(c.images, plainTextureEntries(c.images.size())));
    for (const std::string& stale : c.staleFiles) work.folder.write("TEXTURES/" + stale, "old");
    for (const std::string& sub : c.staleFolders)
        work.folder.write("TEXTURES/" + sub + "/inside.ace", "kept");
    LocalFileSystem files;
    RecordingLog log;

    KopiereTexturen(work.state, files, log);

    EXPECT_EQ(filesIn(work.folder, "TEXTURES"), c.expectedCopies);
    for (const std::string& copy : c.expectedCopies)
        EXPECT_EQ(work.folder.read("TEXTURES/" + copy), "content of " + copy);
    for (const std::string& sub : c.staleFolders)
        EXPECT_TRUE(work.folder.exists("TEXTURES/" + sub + "/inside.ace"));
    EXPECT_EQ(work.folder.exists("TEXTURES"), c.expectFolder);
    std::vector<std::string> expectedLog;
    if (c.expectCreatedLine) expectedLog.push_back(createdLine(language));
    expectedLog.push_back(reportLine(c.expectedReport, language));
    EXPECT_EQ(log.lines, expectedLog);
}

const CollectionCase kCollectionCases[] = {
    {"NoTextureNoFolder", {"wall.ace"}, {"house_100.3ds"}, {}, {}, {}, false, Report::NoneCopied, false},
    {"UsedFilesOfAnyType",
     {"wall.ace", "roof.dds"},
     {"house_100.3ds", "wall.ace", "roof.dds", "unused.ace"},
     {},
     {},
     {"roof.dds", "wall.ace"},
     true,
     Report::AllCopied,
     true},
    {"NameInsideLongerName",
     {"aa.ace"},
     {"a.ace", "aa.ace"},
     {},
     {},
     {"a.ace", "aa.ace"},
     true,
     Report::AllCopied,
     true},
    {"LetterCaseMustMatch", {"WALL.ace"}, {"Wall.ace"}, {}, {}, {}, false, Report::NoneCopied, false},
    {"StaleFilesDeletedNothingUsed",
     {"wall.ace"},
     {},
     {"old.ace", "older.dds"},
     {},
     {},
     false,
     Report::AllCopied,
     true},
    {"StaleFilesReplacedByThisRun",
     {"wall.ace"},
     {"wall.ace"},
     {"old.ace", "wall.ace"},
     {},
     {"wall.ace"},
     false,
     Report::AllCopied,
     true},
    {"EmptyButForASubfolder",
     {"wall.ace"},
     {},
     {"old.ace"},
     {"archive"},
     {},
     false,
     Report::NoneCopied,
     true},
    {"SubfolderAndCopies",
     {"wall.ace"},
     {"wall.ace"},
     {},
     {"archive"},
     {"wall.ace"},
     false,
     Report::AllCopied,
     true},
};

INSTANTIATE_TEST_SUITE_P(Cases, CollectionTest,
                         testing::Combine(testing::ValuesIn(kCollectionCases), testing::ValuesIn(kLanguages)),
                         [](const auto& caseInfo) {
                             return std::get<0>(caseInfo.param).name + "_" + std::get<1>(caseInfo.param);
                         });

TEST(KopiereTexturen, ListedNameWithoutFileIsSkipped) {
    WorkFolder work;
    work.setFiles({"wall.ace", "roof.ace"});
    std::filesystem::remove(work.folder.fsPath() / "wall.ace");
    work.writeSFile(sampleSFile({"wall.ace", "roof.ace"}, plainTextureEntries(2)));
    LocalFileSystem files;
    RecordingLog log;
    KopiereTexturen(work.state, files, log);
    EXPECT_EQ(filesIn(work.folder, "TEXTURES"), std::vector<std::string>{"roof.ace"});
}

struct FailureCase {
    std::string name;
    FsOperation failing;
    std::string pathPart;
    std::vector<std::string> expectedCopies;
};

class CollectionFailureTest : public testing::TestWithParam<std::tuple<FailureCase, std::string>> {};

TEST_P(CollectionFailureTest, StopsWhereItFailedAndSaysSo) {
    const auto& [c, language] = GetParam();
    WorkFolder work(language);
    work.setFiles({"a.ace", "b.ace", "c.ace"});
    work.writeSFile(sampleSFile({"a.ace", "b.ace", "c.ace"}, plainTextureEntries(3)));
    work.folder.write("TEXTURES/old.ace", "old");
    FailingFileSystem files(c.failing, c.pathPart);
    RecordingLog log;

    KopiereTexturen(work.state, files, log);

    EXPECT_EQ(filesIn(work.folder, "TEXTURES"), c.expectedCopies);
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_NE(log.lines[log.lines.size() - 2].find(FailingFileSystem::kReason), std::string::npos);
    EXPECT_EQ(log.lines.back(),
              language == kLanguageGerman
                  ? "•kein Zugriff auf Verzeichnis TEXTURES. Vermulich blockiert eine offene s-Datei!"
                  : "•can't access to folder TEXTURES. Probably an open s-file blocks access!");
}

const FailureCase kFailureCases[] = {
    {"LockedStaleFile", FsOperation::DeleteFile, "old.ace", {"old.ace"}},
    {"UnreadableSFile", FsOperation::ReadBytes, "house.s", {}},
    {"CopyFails", FsOperation::CopyFile, "b.ace", {"a.ace"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, CollectionFailureTest,
                         testing::Combine(testing::ValuesIn(kFailureCases), testing::ValuesIn(kLanguages)),
                         [](const auto& caseInfo) {
                             return std::get<0>(caseInfo.param).name + "_" + std::get<1>(caseInfo.param);
                         });

TEST(KopiereTexturen, RealShapeGathersItsTwoTextures) {
    QUILLFEN_REQUIRE_TESTDATA();
    WorkFolder work;
    work.setFiles({"redtile.ace", "unionstop.ace", "Redtile.dds"});
    LocalFileSystem files;
    work.writeSFile(*files.readText(testDataDir() + "/sfiles/BlenderExporter__unionstop.s"));
    RecordingLog log;
    KopiereTexturen(work.state, files, log);
    EXPECT_EQ(filesIn(work.folder, "TEXTURES"), (std::vector<std::string>{"redtile.ace", "unionstop.ace"}));
}

} // namespace
} // namespace quillfen::test
