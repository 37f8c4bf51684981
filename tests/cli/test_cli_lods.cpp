// quillfen-cli lods, run as the built program on real folders: the rows and the
// proposal on stdout, or the start-up message on stderr with exit code 2.

#include "support/CliProgram.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quillfen {
namespace {

using test::TempFolder;

/// Runs `quillfen-cli lods` with the given arguments (already quoted).
test::Outcome runLods(const std::string& arguments) {
    return test::runCli("lods " + arguments);
}

using test::cliProgram;
using test::inQuotes;

using CliLods = test::CliTest;

TEST_F(CliLods, RowsOrTheMessageInTheSavedLanguage) {
    TempFolder folder;
    for (const auto* name : {"h_12345678901.3ds", "h.3ds", "h_100.3DS", "wall.ace"}) folder.write(name, "");
    auto outcome = runLods(inQuotes(folder.path()));
    EXPECT_EQ(outcome.exitCode, 0);
    // an empty row prints as an empty line; an 11-digit distance keeps its name and comes last
    EXPECT_EQ(outcome.out, "h_100.3DS\n\nh_12345678901.3ds\nproposal: h_.s\n");
    EXPECT_EQ(outcome.err, "");

    TempFolder empty;
    outcome = runLods(inQuotes(empty.path()));
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err,
              "In the current directory \n\n'" + empty.path() + "'\n\ncan't find '3ds'-file(s)!\n");
    empty.write("Quillfen.ini", "cmbLang\t->\t1\r\n");
    outcome = runLods(inQuotes(empty.path()));
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.err,
              "Kann im aktuellen Verzeichnis \n\n'" + empty.path() + "'\n\nkeine '3DS'-Datei finden!\n");
}

TEST_F(CliLods, TheBundledExampleAndAFolderNamedPlainlyWithoutTrailingSeparator) {
    TempFolder folder;
    folder.write("sub/readme.txt", "");
    const auto example = runLods(inQuotes(std::string(QUILLFEN_SOURCE_DIR) + "/examples/house"));
    EXPECT_EQ(example.out, "house_100.3ds\nhouse_500.3ds\nproposal: house_.s\n");
    for (const auto& given : {folder.path() + "/", folder.path() + "/sub/.."}) {
        const auto outcome = runLods(inQuotes(given));
        EXPECT_EQ(outcome.exitCode, 2) << given;
        EXPECT_NE(outcome.err.find("\n'" + folder.path() + "'\n"), std::string::npos) << outcome.err;
    }
}

TEST_F(CliLods, ListsTheCurrentFolderAndRefusesTwoFolders) {
    TempFolder folder;
    folder.write("roof_40.3ds", "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.fsPath());
    const auto outcome = runLods("");
    std::filesystem::current_path(previous);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, "roof_40.3ds\nproposal: roof_.s\n");

    const auto refused = runLods("a b");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err, "");
}

} // namespace
} // namespace quillfen
