// quillfen-cli lods, run as the built program on real folders: the rows and the
// proposal on stdout, or the start-up message on stderr with exit code 2.

#include "platform/Text.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace quillfen {
namespace {

using test::TempFolder;

/// The quillfen-cli built beside this test program (<build>/cli/quillfen-cli),
/// found once, before any test changes the current folder.
const std::filesystem::path& cliProgram() {
    static const std::filesystem::path program = [] {
        const auto self = std::filesystem::absolute(testing::internal::GetArgvs().front()).lexically_normal();
        return self.parent_path().parent_path() / "cli" / ("quillfen-cli" + self.extension().string());
    }();
    return program;
}

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

/// Runs `quillfen-cli lods` with the given arguments (already quoted).
Outcome runLods(const std::string& arguments) {
    const TempFolder capture;
    const auto program = cliProgram();
    std::string command = inQuotes(program.string()) + " lods " + arguments + " > " +
                          inQuotes(capture / "out") + " 2> " + inQuotes(capture / "err");
    // cmd.exe drops the outer pair of quotes of a command line that has more than two.
    if (program.extension() == ".exe") command = inQuotes(command);
    const int status = std::system(command.c_str());
    // A shell's status carries the exit code in its second byte; cmd.exe gives it plainly.
    return {status > 255 ? status >> 8 : status, capture.read("out"), capture.read("err")};
}

class CliLods : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(cliProgram()))
            GTEST_SKIP() << "quillfen-cli not built at " << cliProgram().string();
    }
};

TEST_F(CliLods, BundledExampleListsItsTwoLods) {
    const auto outcome = runLods(inQuotes(std::string(QUILLFEN_SOURCE_DIR) + "/examples/house"));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, "house_100.3ds\nhouse_500.3ds\nproposal: house_.s\n");
    EXPECT_EQ(outcome.err, "");
}

struct LodsCase {
    std::vector<std::string> files;
    std::optional<std::string> settings; // Quillfen.ini's bytes
    int exitCode;
    std::string out;
    std::string err; // "{dir}" is the folder
};

class CliLodsFolders : public CliLods, public testing::WithParamInterface<LodsCase> {};

TEST_P(CliLodsFolders, PrintsRowsOrTheMessageInTheSavedLanguage) {
    const auto& c = GetParam();
    TempFolder folder;
    for (const auto& name : c.files) folder.write(name, "");
    if (c.settings) folder.write("Quillfen.ini", *c.settings);

    const auto outcome = runLods(inQuotes(folder.path()));
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, replaceAll(c.err, "{dir}", folder.path()));
}

const std::string kEnglishNo3ds = "In the current directory \n\n'{dir}'\n\ncan't find '3ds'-file(s)!\n";
const std::string kGermanNo3ds = "Kann im aktuellen Verzeichnis \n\n'{dir}'\n\nkeine '3DS'-Datei finden!\n";

INSTANTIATE_TEST_SUITE_P(
    Folders, CliLodsFolders,
    testing::Values(
        LodsCase{{"h.3ds", "h_100.3ds", "wall.ace"}, std::nullopt, 0, "h_100.3ds\n\nproposal: h_.s\n", ""},
        LodsCase{{"t_12345678901.3ds", "t.3ds", "t_5.3DS"},
                 std::nullopt,
                 0,
                 "t_5.3DS\n\nt_12345678901.3ds\nproposal: t_.s\n",
                 ""},
        LodsCase{{}, std::nullopt, 2, "", kEnglishNo3ds},
        LodsCase{{"wall.ace"}, "cmbLang\t->\t1\r\nchkAceUni\t->\t0\r\n", 2, "", kGermanNo3ds},
        LodsCase{{}, "\r\ncmbLang\t->\t1\r\n", 2, "", kEnglishNo3ds},
        LodsCase{{}, "cmbLang\t->\t1\r\ncmbLang\t->\t0\r\n", 2, "", kEnglishNo3ds},
        LodsCase{{}, "cmbLang\t->\t7\r\n", 2, "", kEnglishNo3ds},
        LodsCase{{}, "cmbLang\t->\tdeutsch\r\n", 2, "", kEnglishNo3ds},
        LodsCase{{},
                 "\xEF\xBB\xBF"
                 "cmbLang\t->\t1\n",
                 2,
                 "",
                 kGermanNo3ds},
        LodsCase{{"haus.3ds"}, "cmbLang\t->\t1\r\n", 2, "", "Keine 3ds-Datei mit LOD-Angabe gefunden!\n"},
        LodsCase{{"2000.3ds"},
                 std::nullopt,
                 2,
                 "",
                 "The name of the 3ds-file:  - 2000.3ds -  contains only a number before the '.3ds' file "
                 "extension.\n\nBecause of that the converter (conv3ds.exe) can't determine the LOD distance "
                 "range "
                 "for MSTS!\n\nIf this distance, for example, is supposed to be 1500 meters, then the "
                 "correct file "
                 "name would be:\n  2000_1500.3DS \n"}),
    [](const testing::TestParamInfo<LodsCase>& param) { return "case" + std::to_string(param.index); });

TEST_F(CliLods, FolderIsNamedPlainlyWithoutTrailingSeparator) {
    TempFolder folder;
    folder.write("sub/readme.txt", "");
    const std::string expected = replaceAll(kEnglishNo3ds, "{dir}", folder.path());
    for (const auto& given : {folder.path() + "/", folder.path() + "/sub/.."}) {
        const auto outcome = runLods(inQuotes(given));
        EXPECT_EQ(outcome.exitCode, 2) << given;
        EXPECT_EQ(outcome.err, expected) << given;
    }
}

TEST_F(CliLods, WithoutAFolderListsTheCurrentOne) {
    TempFolder folder;
    folder.write("roof_40.3ds", "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.fsPath());
    const auto outcome = runLods("");
    std::filesystem::current_path(previous);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, "roof_40.3ds\nproposal: roof_.s\n");
}

TEST_F(CliLods, MoreThanOneFolderIsRefused) {
    const auto outcome = runLods("a b");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err, "");
}

} // namespace
} // namespace quillfen
