// quillfen-cli convert and the command-line habits of the three programs, run
// as built: help and version, unknown options, a converter that refuses, and
// the window's choices given as options, kept with --save.

#include "support/CliProgram.h"
#include "support/ScriptFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace quillfen::test {
namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using CliConvert = CliTest;

TEST_F(CliConvert, HelpVersionAndUnknownOptions) {
    struct Case {
        std::string arguments;
        int exitCode;
        std::string inOut, inErr;
    };
    const Case cases[] = {
        {"convert --help", 0, "Usage: quillfen-cli convert [OPTIONS] [DIR...]", ""},
        {"lods --help", 0, "Usage: quillfen-cli lods", ""},
        {"--version", 0, "quillfen-cli " QUILLFEN_VERSION "\n", ""},
        // Never taken as a folder name.
        {"convert --help-me .", 2, "", "--help-me"},
        {"convert --lang klingon .", 2, "", "Usage: quillfen-cli convert"},
        {"", 2, "", "Usage: quillfen-cli"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        EXPECT_TRUE(contains(outcome.out, c.inOut)) << outcome.out;
        EXPECT_TRUE(contains(outcome.err, c.inErr)) << outcome.err;
    }
    // The two other programs, where this build made them (the window only natively).
    const auto build = cliProgram().parent_path().parent_path();
    const std::pair<std::filesystem::path, std::string> others[] = {
        {build / "tools" / "conv3ds" / "conv3ds.exe", "conv3ds.exe (Quillfen) " QUILLFEN_VERSION "\n"},
        {build / "src" / "ui" / "quillfen", "quillfen " QUILLFEN_VERSION "\n"},
    };
    for (const auto& [program, version] : others)
        if (std::filesystem::exists(program)) {
            EXPECT_EQ(runProgram(program, "--version").out, version);
        }
}

#ifndef _WIN32

TEST_F(CliConvert, ARefusingConverterEndsTheRunWithItsWordsAndExitCode1) {
    TempFolder model;
    model.write("house_100.3ds", "3ds");
    writeScript(model.fsPath() / "conv3ds.exe", "echo 'bad chunk 0x4d4d' >&2\nexit 1\n");
    model.write("Quillfen.ini", "cmbLang\t->\t0\r\n");

    // The options hold for this run: the log speaks German, the file keeps English.
    Outcome outcome =
        runCli("convert --lang deutsch --alt-texture snow --copy1 /tmp " + inQuotes(model.path()));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(contains(outcome.out, "•conv3ds.exe endete mit Exit-Code 1, ohne die s-Datei zu schreiben: "
                                      "bad chunk 0x4d4d"))
        << outcome.out;
    EXPECT_TRUE(contains(model.read("Quillfen.ini"), "cmbLang\t->\t0\r\n"));

    outcome = runCli("convert --save --lang deutsch --alt-texture snow " + inQuotes(model.path()));
    EXPECT_EQ(outcome.exitCode, 1);
    const std::string saved = model.read("Quillfen.ini");
    EXPECT_TRUE(contains(saved, "cmbLang\t->\t1\r\n")) << saved;
    EXPECT_TRUE(contains(saved, "optSchneeTextur\t->\t-1\r\n")) << saved;
    EXPECT_TRUE(contains(saved, "optNurSommerTextur\t->\t0\r\n")) << saved;
}

TEST_F(CliConvert, NoConverterAnywhereNamesEveryPlaceSearched) {
    TempFolder model;
    model.write("house_100.3ds", "3ds");
    const Outcome outcome = runCli("convert " + inQuotes(model.path()));
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(contains(outcome.err, "Can't find 'conv3ds.exe'!")) << outcome.err;
    EXPECT_TRUE(contains(outcome.err, "  searched: " + model.path() + "/conv3ds.exe\n")) << outcome.err;
}

#endif

} // namespace
} // namespace quillfen::test
