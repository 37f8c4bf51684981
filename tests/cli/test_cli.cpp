// quillfen-cli run as built on real folders: every command with its output and exit codes.

#include "platform/Text.h"
#include "support/CliProgram.h"
#include "support/ScriptFiles.h"
#include "support/SmallShape.h"
#include "support/TempFolder.h"
#include "texture/AceFile.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillfen::test {
namespace {

using texture::FileFormat;
using texture::Image;
using texture::Rgba;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Cli : public CliTest {
protected:
    Outcome run(const std::string& arguments) { return runCli(arguments); }
    Outcome inFolder(const std::string& command, const std::string& path = "") {
        return runCli(command + " " + inQuotes(folder / path));
    }
    TempFolder folder;
};

TEST_F(Cli, HelpVersionAndUsageErrors) {
    const std::tuple<std::string, int, std::string, std::string> cases[] = {
        {"convert --help", 0, "Usage: quillfen-cli convert [OPTIONS] [DIR...]", ""},
        {"--version", 0, "quillfen-cli " QUILLFEN_VERSION "\n", ""},
        {"convert --help-me .", 2, "", "--help-me"}, // never taken as a folder name
        {"", 2, "", "Usage: quillfen-cli"},
        {"validate-bbox a b", 2, "", "expects the values as one TEXT"},
        {"bbox nothere.s", 1, "", "Shape file nothere.s not found (yet)!"},
    };
    for (const auto& [arguments, exitCode, inOut, inErr] : cases) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.exitCode, exitCode) << arguments;
        EXPECT_TRUE(contains(outcome.out, inOut)) << outcome.out;
        EXPECT_TRUE(contains(outcome.err, inErr)) << outcome.err;
        EXPECT_TRUE(inErr.empty() || outcome.out.empty()) << arguments << ": " << outcome.out;
    }
}

TEST_F(Cli, LodsPrintsTheRowsOrTheMessageInTheSavedLanguage) {
    for (const auto* name : {"h_12345678901.3ds", "h.3ds", "h_100.3DS", "wall.ace"})
        folder.write(std::string("m/") + name, "");
    // an empty row prints as an empty line; an 11-digit distance keeps its name and comes last
    Outcome outcome = inFolder("lods", "m");
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, "h_100.3DS\n\nh_12345678901.3ds\nproposal: h_.s\n");
    EXPECT_EQ(outcome.err, "");
    folder.write("empty/sub/readme.txt", "");
    // A folder named through ".." is named plainly.
    outcome = run("lods " + inQuotes(folder.path() + "/empty/sub/.."));
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err,
              "In the current directory \n\n'" + folder / "empty" + "'\n\ncan't find '3ds'-file(s)!\n");
    folder.write("empty/Quillfen.ini", "cmbLang\t->\t1\r\n");
    EXPECT_EQ(inFolder("lods", "empty").err,
              "Kann im aktuellen Verzeichnis \n\n'" + folder / "empty" + "'\n\nkeine '3DS'-Datei finden!\n");
    // Without a folder: the current one.
    folder.write("roof_40.3ds", "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.fsPath());
    outcome = run("lods");
    std::filesystem::current_path(previous);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, "roof_40.3ds\nproposal: roof_.s\n");
}

TEST_F(Cli, TextureConvertsByExtensionAndMakesAceFilesOfPowersOfTwo) {
    const auto texture = [&](const std::string& in, const std::string& out, const std::string& option = "") {
        return run("texture " + inQuotes(folder / in) + " " + inQuotes(folder / out) + option);
    };
    folder.write("door.png", *texture::encodeTexture(Image(48, 96, Rgba{10, 20, 30, 128}), FileFormat::Png));
    Outcome outcome = texture("door.png", "door.ace");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, folder / "door.png" + ": 48 x 96 pixels scaled to 64 x 128\n" +
                               folder / "door.ace" + ": 64 x 128 pixels written\n");
    const auto ace = texture::readAce(folder.read("door.ace"));
    ASSERT_TRUE(ace.ok());
    EXPECT_EQ(ace->levels[0], Image(64, 128, Rgba{10, 20, 30, 128}));
    EXPECT_EQ(texture("door.ace", "back.png").exitCode, 0);
    EXPECT_EQ(*texture::decodeTexture(folder.read("back.png"), FileFormat::Png), ace->levels[0]);
    EXPECT_EQ(texture("back.png", "small.ace", " --dxt1").exitCode, 0);
    EXPECT_TRUE(texture::readAce(folder.read("small.ace"))->dxt);
    // Failures name the file and leave no output.
    folder.write("bad.png", "\x89PNG garbage");
    const std::tuple<const char*, const char*, int, const char*> failures[] = {
        {"bad.png", "bad.ace", 1, "bad.png: not a readable PNG"},
        {"door.png", "good.dds", 1, "good.dds: DDS files are read, not written"},
        {"door.png", "good.gif", 2, "Usage: quillfen-cli texture IN OUT [--dxt1]"}};
    for (const auto& [in, out, exitCode, errPart] : failures) {
        outcome = texture(in, out);
        EXPECT_EQ(outcome.exitCode, exitCode) << in;
        EXPECT_TRUE(contains(outcome.err, errPart)) << outcome.err;
        EXPECT_FALSE(folder.exists(out)) << out;
    }
}

TEST_F(Cli, BboxPrintsTheBoxAndValidateBboxTheNormalForm) {
    folder.write("house.s", replaceAll(kSmallShape, "point ( 1 0 0 )", "point ( 1.5 0 0 )"));
    Outcome outcome = inFolder("bbox", "house.s");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_TRUE(contains(outcome.out, "\nESD_Bounding_Box ( 0 3 -25 1.5 4 0 )\n")) << outcome.out;
    folder.write("broken.s", "garbage");
    EXPECT_EQ(inFolder("bbox", "broken.s").exitCode, 1);
    outcome = run("validate-bbox \"-1,5 0 -2 1.5 3 2 9\"");
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, "-1.5 0.0 -2.0 1.5 3.0 2.0\n");
#ifndef _WIN32
    // The log shows the box with the user's decimal separator: LC_ALL before LC_NUMERIC before LANG.
    const std::pair<const char*, const char*> locales[] = {{"LC_ALL=de_DE.UTF-8 LC_NUMERIC=C LANG=C", "1,5"},
                                                           {"LC_ALL= LC_NUMERIC=fr_FR LANG=C", "1,5"},
                                                           {"LC_ALL=C LC_NUMERIC=de_DE LANG=de_DE", "1.5"},
                                                           {"LC_ALL= LC_NUMERIC= LANG=nl_NL", "1,5"},
                                                           {"LC_ALL= LC_NUMERIC= LANG=de_CH.UTF-8", "1.5"}};
    for (const auto& [environment, number] : locales) {
        outcome = runProgram("env", environment + (" " + inQuotes(cliProgram().string())) + " bbox " +
                                        inQuotes(folder / "house.s"));
        EXPECT_TRUE(contains(outcome.out, std::string("•BoundingBox: ESD_Bounding_Box ( 0 3 -25 ") + number))
            << environment << "\n"
            << outcome.out;
    }
#endif
}

#ifndef _WIN32

TEST_F(Cli, ConvertHonoursTheSavedChoicesAndKeepsTheGivenOnesWithSave) {
    folder.write("house_100.3ds", "3ds");
    writeScript(folder.fsPath() / "conv3ds.exe", "echo 'bad chunk 0x4d4d' >&2\nexit 1\n");
    folder.write("Quillfen.ini", "cmbLang\t->\t1\r\n");
    // The saved language; options hold for this run, kept only with --save.
    Outcome outcome = inFolder("convert --alt-texture snow --copy1 /tmp");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(contains(outcome.out, "•conv3ds.exe endete mit Exit-Code 1, ohne die s-Datei zu schreiben: "
                                      "bad chunk 0x4d4d"))
        << outcome.out;
    for (const char* line :
         {"cmbLang\t->\t1\r\n", "optNurSommerTextur\t->\t-1\r\n", "chkShapeTo(0)\t->\t0\r\n"})
        EXPECT_TRUE(contains(folder.read("Quillfen.ini"), line)) << line;
    outcome = inFolder("convert --save --lang english --alt-texture snow");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(contains(outcome.out, "•conv3ds.exe ended with exit code 1 without writing the s-file"))
        << outcome.out;
    const std::string saved = folder.read("Quillfen.ini");
    for (const char* line :
         {"cmbLang\t->\t0\r\n", "optSchneeTextur\t->\t-1\r\n", "optNurSommerTextur\t->\t0\r\n"})
        EXPECT_TRUE(contains(saved, line)) << saved;
}

TEST_F(Cli, ConvertWithoutAConverterAnywhereNamesEveryPlaceSearched) {
    folder.write("house_100.3ds", "3ds");
    const Outcome outcome = inFolder("convert");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(contains(outcome.err, "Can't find 'conv3ds.exe'!")) << outcome.err;
    EXPECT_TRUE(contains(outcome.err, "  searched: " + folder.path() + "/conv3ds.exe\n")) << outcome.err;
}

#endif

} // namespace
} // namespace quillfen::test
