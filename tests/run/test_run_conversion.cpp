// Headless conversion runs against fake converters (shell scripts), driven by
// a manual clock: each end of a run, in both languages, with the files left
// behind and the state of the window afterwards.

#include "platform/CodePage.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "run/ConversionRun.h"
#include "run/ConverterInvocation.h"
#include "support/RunSupport.h"
#include "support/TempFolder.h"
#include "texture/AceFile.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;

enum class Converter {
    Writes,        ///< records its arguments, writes the s-file at once
    WritesNothing, ///< records its arguments and exits at once
    Refuses,       ///< says why on stderr and exits at once with code 1
    RunsOn,        ///< writes nothing and runs until the test ends
    WritesLate,    ///< writes the s-file once the test says "go"
    KeepsOpen,     ///< writes the s-file and keeps it open until released
};

/// The system's start, keeping the last process it started, so that a test
/// can let the manual clock run only once a converter that ends at once has ended.
class WatchingStarter final : public ProcessStarter {
public:
    LaunchResult startConverter(const ConverterLaunch& launch) override {
        LaunchResult result = system.startConverter(launch);
        last = result.process;
        return result;
    }
    [[nodiscard]] bool ended() const { return last && !last->look().running; }

    SystemProcessStarter system;
    std::shared_ptr<WatchedProcess> last;
};

class ConversionRunTest : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override {
        QUILLFEN_REQUIRE_SHELL();
        wd = root.fsPath() / "model";
        markers = root.fsPath() / "markers";
        fs::create_directories(markers);
        layOutHouse(wd, state, choices);
        state.gstrSprache = GetParam();
        useConverter(Converter::Writes);
    }
    void TearDown() override {
        if (markers.empty()) return;        // skipped before the model folder was laid out
        std::ofstream(markers / "release"); // lets a converter that keeps its file open end
        EXPECT_TRUE(!expectIdle || host.idle()) << "every end of a run unlocks the window";
    }

    [[nodiscard]] std::string pick(const std::string& german, const std::string& english) const {
        return pickText(state.gstrSprache, german, english);
    }

    void useConverter(Converter kind, const fs::path& folder = {}) {
        converter = (folder.empty() ? root.fsPath() / "tools" : folder) / "conv3ds.exe";
        const std::string m = shellQuoted(markers.string());
        const auto waitFor = [&](const std::string& marker) {
            return "i=0; while [ ! -e " + m + "/" + marker +
                   " ] && [ $i -lt 3000 ]; do sleep 0.01; i=$((i+1)); done\n";
        };
        const std::string write =
            "printf '%s' " + shellQuoted(kSFileText) + " > \"$1.part\"\nmv \"$1.part\" \"$1\"\n";
        const std::string done = ": > " + m + "/done\n";
        std::string body =
            recordArguments(markers / "args.txt") + "[ -e \"$1\" ] && : > " + m + "/stale-seen\n";
        if (kind == Converter::Writes) body += write + done;
        if (kind == Converter::WritesNothing) body += done;
        if (kind == Converter::Refuses)
            body += "echo 'reading house_100.3ds'\necho 'bad chunk 0x4d4d' >&2\n" + done + "exit 1\n";
        if (kind == Converter::RunsOn) body += done + waitFor("release");
        endsAtOnce =
            kind == Converter::Writes || kind == Converter::WritesNothing || kind == Converter::Refuses;
        if (kind == Converter::WritesLate) body += waitFor("go") + write + done;
        if (kind == Converter::KeepsOpen)
            body += "exec 3> \"$1\"\nprintf '%s' " + shellQuoted(kSFileText) + " >&3\n" + done +
                    waitFor("release");
        writeScript(converter, body);
        state.gstrConv3dsPfad = converter.string();
    }

    /// True while the run waits for the converter (the cancel button is on and
    /// the command line logged). The first time, waits in real time until the
    /// converter is done, so that the manual clock never runs ahead of it.
    bool inWait() {
        if (!host.cancelEnabled) return false;
        const std::string caption =
            pick("•Konverter-Start mit cmd-Befehlszeile:", "•Converter starts with cmd-command:");
        if (!host.logHas(caption)) return false;
        if (!converterSettled)
            converterSettled = waitForReal([&] { return fs::exists(markers / "done"); }) &&
                               (!endsAtOnce || waitForReal([&] { return processes.ended(); }));
        return converterSettled;
    }

    std::optional<int> runWith(std::function<bool()> onYield = {}, char separator = '.') {
        task = runConversion(RunServices{state, host, view, files, clock, processes, separator}, choices);
        ClockDriver driver(clock);
        driver.onYield = onYield ? std::move(onYield) : [&] {
            inWait();
            return true;
        };
        return driver.run(task);
    }

    [[nodiscard]] std::vector<std::string> converterArguments() const {
        return recordedLines(markers / "args.txt");
    }
    /// Position of a line in the log, newest first.
    [[nodiscard]] std::ptrdiff_t at(const std::string& line) const {
        const auto all = host.lines();
        return std::find(all.begin(), all.end(), line) - all.begin();
    }

    [[nodiscard]] std::string progress(int slices) const {
        return waitProgressLine(state, "house_.s", slices, '.');
    }

    TempFolder root;
    fs::path wd;
    fs::path markers;
    fs::path converter;
    bool converterSettled = false;
    bool endsAtOnce = false;
    bool expectIdle = true;

    ProgramState state;
    RunChoices choices;
    RecordingHost host;
    RecordingView view;
    FailingFileSystem files;
    ManualClock clock;
    WatchingStarter processes;
    CommandTask task;
};

INSTANTIATE_TEST_SUITE_P(BothLanguages, ConversionRunTest,
                         ::testing::Values(Language::German, Language::English),
                         [](const auto& param) { return std::string(languageName(param.param)); });

TEST_P(ConversionRunTest, CompleteRunLeavesTheShapeAndUnlocksTheWindow) {
    std::ofstream(wd / "house_.s") << "stale output of an earlier run";
    std::ofstream(wd / "notes.txt.s3") << "not a shape, but its name holds \".S\"";

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Done));

    EXPECT_FALSE(fs::exists(markers / "stale-seen")) << "the converter found the stale s-file";
    EXPECT_EQ(converterArguments(),
              (std::vector<std::string>{(wd / "house_.s").string(), (wd / "house_100.3ds").string(),
                                        (wd / "house_500.3ds").string()}));
    EXPECT_TRUE(fs::exists(wd / "SHAPES" / "house_.s"));
    EXPECT_TRUE(fs::exists(wd / "SHAPES" / "house_.sd"));
    EXPECT_FALSE(fs::exists(wd / "house_.s"));
    EXPECT_TRUE(fs::exists(wd / "TEXTURES" / "wall.ace"));
    EXPECT_EQ(host.locks, 1);
    EXPECT_TRUE(host.messages.empty());

    const auto lines = host.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), pick("Fertig!", "Done!"));
    // Read from the top: separator, caption, command line, separator; the inventory below.
    const auto caption =
        at(pick("•Konverter-Start mit cmd-Befehlszeile:", "•Converter starts with cmd-command:"));
    ASSERT_LT(caption + 2, static_cast<long>(lines.size()));
    EXPECT_EQ(lines[caption - 1], std::string(91, '-'));
    EXPECT_EQ(lines[caption + 1], "\"" + converter.string() + "\" \"" + (wd / "house_.s").string() + "\" \"" +
                                      (wd / "house_100.3ds").string() + "\" \"" +
                                      (wd / "house_500.3ds").string() + "\"");
    EXPECT_EQ(lines[caption + 2], std::string(91, '-'));
    // The inventory in list order (by extension, then name), so newest on top: 500 above 100.
    const auto shape = at(pick("•Shape-Datei gefunden : notes.txt.s3", "•s-file found   : notes.txt.s3"));
    const auto texture = at(pick("•Textur gefunden      : wall.ace", "•Texture found  : wall.ace"));
    const auto far = at(pick("•3ds-Datei gefunden   : house_500.3ds", "•3ds-file found : house_500.3ds"));
    const auto near = at(pick("•3ds-Datei gefunden   : house_100.3ds", "•3ds-file found : house_100.3ds"));
    EXPECT_LT(shape, static_cast<long>(lines.size()));
    EXPECT_LT(texture, far);
    EXPECT_LT(far, near);
    EXPECT_LT(near, static_cast<long>(lines.size()));
    EXPECT_TRUE(host.logHas(progress(1))) << "a file there at the first look counts one slice";
    EXPECT_TRUE(host.logHas(pick("•das Verzeichnis SHAPES ist erzeugt", "•the directory SHAPES is created")));
    EXPECT_TRUE(host.logHas(pick("•neue s-Datei in SHAPES verschoben", "•new s-file moved to SHAPES")));
}

TEST_P(ConversionRunTest, APictureBecomesTheAceTextureBeforeTheCorrectionAndTheCollection) {
    fs::remove(wd / "wall.ace");
    std::ofstream(wd / "Wall.PNG", std::ios::binary)
        << *texture::encodeTexture(texture::Image(48, 32, {90, 60, 30, 255}), texture::FileFormat::Png);

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Done));

    ASSERT_TRUE(fs::exists(wd / "wall.ace"));
    const auto ace = texture::readAce(readFile(wd / "wall.ace"));
    ASSERT_TRUE(ace.ok());
    EXPECT_EQ(ace->levels[0].width, 64);
    EXPECT_EQ(readFile(wd / "TEXTURES" / "wall.ace"), readFile(wd / "wall.ace")) << "collected as made";
    const auto made =
        at(pick("•Textur wall.ace aus Wall.PNG erzeugt", "•texture wall.ace made from Wall.PNG"));
    const auto scaled =
        at(pick("•Warnung: Wall.PNG hat 48 x 32 Pixel, auf 64 x 32 skaliert (Texturseiten müssen "
                "Zweierpotenzen sein)",
                "•Warning: Wall.PNG has 48 x 32 pixels, scaled to 64 x 32 (texture sides must be "
                "powers of two)"));
    const auto moved = at(pick("•neue s-Datei in SHAPES verschoben", "•new s-file moved to SHAPES"));
    const auto sdFile = at(pick("•sd-Datei in SHAPES geschrieben", "•sd-file written in SHAPES"));
    EXPECT_LT(sdFile, made); // newest first: made after the move, before the sd-file and the edits
    EXPECT_LT(made, scaled);
    EXPECT_LT(scaled, moved);
    EXPECT_LT(moved, static_cast<long>(host.lines().size()));
}

TEST_P(ConversionRunTest, ConverterThatKeepsItsFileOpenStillReplacesTheOldShape) {
    useConverter(Converter::KeepsOpen);
    fs::create_directories(wd / "SHAPES");
    std::ofstream(wd / "SHAPES" / "house_.s") << "old";

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Done));

    EXPECT_EQ(decodeText(readFile(wd / "SHAPES" / "house_.s")).substr(0, 6), "SIMISA"); // not "old"
    EXPECT_TRUE(host.logHas(pick("•alte s-Datei in SHAPES gelöscht", "•old s-file in SHAPES deleted")));
}

TEST_P(ConversionRunTest, LateConverterIsWaitedForAndTheSecondsCounted) {
    useConverter(Converter::WritesLate);
    double waitStart = -1;
    bool released = false;
    ASSERT_EQ(runWith([&] {
                  if (!host.cancelEnabled) return true;
                  if (waitStart < 0) waitStart = clock.now();
                  if (!released && clock.now() - waitStart > 12.25) {
                      std::ofstream(markers / "go");
                      released = waitForReal([&] { return fs::exists(markers / "done"); });
                  }
                  return true;
              }),
              static_cast<int>(RunEnd::Done));
    EXPECT_TRUE(host.logHas(progress(123)));
    EXPECT_FALSE(host.logHas(progress(124)));
}

TEST_P(ConversionRunTest, MissingConverterIsReportedAndNothingStarted) {
    std::ofstream(wd / "house_.s") << "stale";
    state.gstrConv3dsPfad = (root.fsPath() / "gone" / "conv3ds.exe").string();

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::ConverterMissing));

    const std::string besideProgram = (wd / "conv3ds.exe").string();
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "Quillfen");
    EXPECT_EQ(host.messages[0].text,
              pick("Quillfen kann die Konverter-Datei nicht finden!", "Quillfen can't find converter file!") +
                  "\r\n\r\n" + besideProgram);
    const auto lines = host.lines();
    ASSERT_GE(lines.size(), 4U);
    EXPECT_EQ(lines[0], std::string(91, '-'));
    EXPECT_EQ(lines[1], pick("Quillfen kann die Konverter-Datei 'conv3ds.exe' nicht finden im Pfad:",
                             "Quillfen can't find converter file 'conv3ds.exe' in path:"));
    EXPECT_EQ(lines[2], besideProgram);
    EXPECT_EQ(lines[3], std::string(91, '-'));
    EXPECT_FALSE(fs::exists(wd / "house_.s")) << "the stale output is deleted before the check";
    EXPECT_FALSE(fs::exists(markers / "args.txt"));
    EXPECT_FALSE(fs::exists(wd / "SHAPES"));
}

TEST_P(ConversionRunTest, ConverterThatRunsOnWithoutOutputEndsAtTheSliceLimitWithTheGermanMessage) {
    useConverter(Converter::RunsOn);

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::NoSFile));

    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(
        host.messages[0].text.rfind("Shape konnte nicht erzeugt werden! Der Konverter 'conv3ds.exe' kommt "
                                    "mit der '*.3ds'-Datei nicht klar!\r\nMaterialien",
                                    0),
        0U);
    EXPECT_EQ(host.lines().front(), progress(kWaitSliceLimit));
    EXPECT_TRUE(host.logHas(progress(kWaitSliceLimit)));
    EXPECT_NE(progress(kWaitSliceLimit).find(" 9000 "), std::string::npos);
    EXPECT_FALSE(fs::exists(wd / "SHAPES"));
}

TEST_P(ConversionRunTest, ConverterThatEndsWithoutOutputEndsTheWaitAfterTwoSeconds) {
    struct Case {
        Converter kind;
        std::string line;
    };
    const Case cases[] = {
        {Converter::Refuses,
         state.text(TextId::LogConverterEndedWithOutput, {"1", "reading house_100.3ds | bad chunk 0x4d4d"})},
        {Converter::WritesNothing, state.text(TextId::LogConverterEnded, {"0"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        useConverter(c.kind);
        fs::remove(markers / "done");
        converterSettled = false;
        host = RecordingHost();

        ASSERT_EQ(runWith(), static_cast<int>(RunEnd::NoSFile));

        ASSERT_EQ(host.messages.size(), 1U);
        EXPECT_EQ(host.messages[0].text, state.text(TextId::MessageConversionFailed));
        EXPECT_EQ(host.lines().front(), c.line);
        // The end is seen at the first slice, the file is given two seconds more.
        EXPECT_TRUE(host.logHas(progress(21)));
        EXPECT_FALSE(host.logHas(progress(22)));
        EXPECT_FALSE(fs::exists(wd / "SHAPES"));
    }
}

TEST_P(ConversionRunTest, CancelDuringTheWaitUnlocksAtOnceAndKeepsTheLastProgressLine) {
    useConverter(Converter::RunsOn);
    std::string snapshot;
    const auto result = runWith([&] {
        if (inWait() && snapshot.empty()) snapshot = host.logText();
        if (inWait() && !state.gblnAbbruch && host.logText().find(progress(4)) == 0)
            state.gblnAbbruch = true; // the click lands in the yield of the fifth slice
        return true;
    });

    ASSERT_EQ(result, static_cast<int>(RunEnd::Cancelled));
    EXPECT_FALSE(state.gblnAbbruch);
    EXPECT_TRUE(host.messages.empty());
    const auto lines = host.lines();
    EXPECT_EQ(lines.front(), progress(4));
    EXPECT_EQ(host.logText(), progress(4) + "\r\n" + snapshot);
    EXPECT_FALSE(fs::exists(wd / "SHAPES"));
}

TEST_P(ConversionRunTest, CancelInTheSameYieldAsTheFileAppearsWins) {
    useConverter(Converter::RunsOn);
    const auto result = runWith([&] {
        if (inWait() && task.requestedWait() > 0 && !state.gblnAbbruch) {
            std::ofstream(wd / "house_.s") << kSFileText;
            state.gblnAbbruch = true;
        }
        return true;
    });
    ASSERT_EQ(result, static_cast<int>(RunEnd::Cancelled));
    EXPECT_TRUE(fs::exists(wd / "house_.s")) << "the converter's late file stays where it is";
    EXPECT_FALSE(fs::exists(wd / "SHAPES"));
}

TEST_P(ConversionRunTest, CancelAfterTheFileWasSeenDoesNotCancelTheNextRun) {
    bool clicked = false;
    auto result = runWith([&] {
        // The yield after a slice that found the file: too late to cancel this run.
        if (inWait() && task.requestedWait() == 0 && fs::exists(wd / "house_.s") && !clicked) {
            state.gblnAbbruch = true;
            clicked = true;
        }
        return true;
    });
    ASSERT_TRUE(clicked);
    ASSERT_EQ(result, static_cast<int>(RunEnd::Done));

    fs::remove(markers / "done");
    fs::remove(markers / "args.txt");
    converterSettled = false;
    host = RecordingHost();
    result = runWith();
    EXPECT_EQ(result, static_cast<int>(RunEnd::Done));
}

TEST_P(ConversionRunTest, QuittingDuringTheWaitDestroysTheRunWithoutTouchingTheWindow) {
    useConverter(Converter::RunsOn);
    const auto result = runWith([&] { return !(inWait() && clock.now() > 1002.0); });
    ASSERT_FALSE(result.has_value());
    expectIdle = false;
    const int callsBefore = host.calls;
    const std::string logBefore = host.logText();

    task.reset();

    EXPECT_EQ(host.calls, callsBefore);
    EXPECT_EQ(host.logText(), logBefore);
    EXPECT_FALSE(task.valid());
}

TEST_P(ConversionRunTest, MoveThatFailsShowsTheCrashDiagnosis) {
    files.failing = FsOperation::MoveFile;
    files.pathEnd = "house_.s";
    fs::create_directories(wd / "SHAPES");
    std::ofstream(wd / "SHAPES" / "house_.s") << "old";

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::MoveFailed));

    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, pick("Ist conv3ds.exe abgestürtzt?", "Is conv3ds.exe crashed?"));
    EXPECT_NE(host.messages[0].text.find("\"+1s\""), std::string::npos);
    EXPECT_TRUE(fs::exists(wd / "house_.s")) << "the new s-file stays in the working directory";
    EXPECT_EQ(readFile(wd / "SHAPES" / "house_.s"), "old") << "the old shape stays until replaced";
}

TEST_P(ConversionRunTest, TheOldShapeStaysUntilTheNewOneReplacesItInOneStep) {
    fs::create_directories(wd / "SHAPES");
    std::ofstream(wd / "SHAPES" / "house_.s") << "old";
    bool alwaysWhole = true;
    ASSERT_EQ(runWith([&] {
                  inWait();
                  const std::string shape = readFile(wd / "SHAPES" / "house_.s");
                  alwaysWhole = alwaysWhole && (shape == "old" || decodeText(shape).find("SIMISA") == 0);
                  return true;
              }),
              static_cast<int>(RunEnd::Done));
    EXPECT_TRUE(alwaysWhole) << "SHAPES stood without a whole shape at some yield";
    const auto created = at(pick("•das Verzeichnis SHAPES ist erzeugt", "•the directory SHAPES is created"));
    const auto old = at(pick("•alte s-Datei in SHAPES gelöscht", "•old s-file in SHAPES deleted"));
    const auto moved = at(pick("•neue s-Datei in SHAPES verschoben", "•new s-file moved to SHAPES"));
    EXPECT_EQ(old + 1, created);
    EXPECT_LT(moved, old);
}

TEST_P(ConversionRunTest, LinkedShapesAndTexturesAreWrittenIntoButNeverCleaned) {
    fs::create_directories(root.fsPath() / "other");
    std::ofstream(root.fsPath() / "other" / "stale.ace") << "someone else's";
    const std::pair<const char*, fs::path> links[] = {{"SHAPES", "."}, {"TEXTURES", root.fsPath() / "other"}};
    for (const auto& [name, target] : links) {
        std::error_code made;
        fs::create_directory_symlink(target, wd / name, made);
        if (made) GTEST_SKIP() << "no symbolic links here: " << made.message();
    }

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Done));

    for (const fs::path& kept : {wd / "house_100.3ds", wd / "wall.ace", root.fsPath() / "other" / "stale.ace",
                                 root.fsPath() / "other" / "wall.ace", wd / "house_.s", wd / "house_.sd"})
        EXPECT_TRUE(fs::exists(kept)) << kept;
    for (const char* name : {"SHAPES", "TEXTURES"})
        EXPECT_TRUE(host.logHas(state.text(TextId::LogFolderIsLink, {name}))) << name;
    EXPECT_FALSE(host.logHas(pick("•alte s-Datei in SHAPES gelöscht", "•old s-file in SHAPES deleted")));
}

TEST_P(ConversionRunTest, ASecondRunInTheFolderIsRefusedAtOnce) {
    const auto firstRun = FolderLock::tryLock(wd.string());
    ASSERT_TRUE(firstRun);

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::FolderBusy));

    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].text, state.text(TextId::MessageFolderBusy, {wd.string()}));
    EXPECT_NE(host.messages[0].text.find(pick("läuft schon", "is running")), std::string::npos);
    EXPECT_TRUE(host.lines().empty());
    EXPECT_FALSE(fs::exists(markers / "args.txt")) << "the converter was started";
}

TEST_P(ConversionRunTest, ACopyThatFailsGivesTheSystemsOwnReason) {
    fs::create_directories(root.fsPath() / "route");
    choices.chkShapeTo[0] = 1;
    choices.lblCopyPfad[0] = (root.fsPath() / "route").string();
    files.failing = FsOperation::CopyFile;
    files.reason = "No space left on device";
    files.pathEnd = (wd / "SHAPES" / "house_.s").string();

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Failed));

    EXPECT_EQ(host.lines().front(), pick("•kann nicht ins Ziel kopieren: ", "•can't copy to target: ") +
                                        files.pathEnd + ": No space left on device");
}

TEST_P(ConversionRunTest, MovedFileThatNeverShowsEndsSilentlyAfterTenSeconds) {
    files.invisibleEnd = (fs::path("SHAPES") / "house_.s").string();
    double movedAt = -1;
    ASSERT_EQ(runWith([&] {
                  inWait();
                  if (movedAt < 0 &&
                      host.logHas(pick("•neue s-Datei in SHAPES verschoben", "•new s-file moved to SHAPES")))
                      movedAt = clock.now();
                  return true;
              }),
              static_cast<int>(RunEnd::MovedFileNotVisible));
    EXPECT_EQ(host.lines().front(),
              pick("•neue s-Datei in SHAPES verschoben", "•new s-file moved to SHAPES"));
    EXPECT_GE(clock.now() - movedAt, 9.99);
    EXPECT_TRUE(host.messages.empty());
}

TEST_P(ConversionRunTest, ShapesFolderThatNeverShowsEndsTheRunAfterThirtySeconds) {
    files.invisibleEnd = "SHAPES";
    double createdAt = -1;
    ASSERT_EQ(runWith([&] {
                  inWait();
                  if (createdAt < 0 && fs::exists(wd / "SHAPES")) createdAt = clock.now();
                  return true;
              }),
              static_cast<int>(RunEnd::Failed));
    EXPECT_EQ(host.lines().front(),
              pick("•nach 30 Sekunden noch nicht bereit: ", "•still not ready after 30 seconds: ") +
                  (wd / "SHAPES").string());
    EXPECT_GE(clock.now() - createdAt, 29.99);
}

// Unguarded file operations: one log line naming the file and the reason,
// then the end sequence.
struct UnguardedFailure {
    const char* name;
    FsOperation operation;
    const char* pathEnd; ///< relative to the working directory
    const char* german;
    const char* english;
    bool oldFilesPresent; ///< a stale wd/house_.s and an old SHAPES/house_.s
    bool converterStarted;
};

const UnguardedFailure kUnguardedFailures[] = {
    {"StaleSFile", FsOperation::DeleteFile, "house_.s",
     "•kann alte s-Datei nicht löschen: ", "•can't delete old s-file: ", true, false},
    {"ShapesFolder", FsOperation::CreateFolder, "SHAPES",
     "•kann Verzeichnis SHAPES nicht erzeugen: ", "•can't create the directory SHAPES: ", false, true},
    {"SdFile", FsOperation::ReplaceFile, "SHAPES/house_.sd",
     "•kann sd-Datei nicht schreiben: ", "•can't write sd-file: ", false, true},
    {"SFileEdit", FsOperation::ReplaceFile, "SHAPES/house_.s",
     "•kann s-Datei nicht bearbeiten: ", "•can't edit s-file: ", false, true},
    {"ReferenceEntry", FsOperation::ReplaceFile, "AddToRef.txt",
     "•kann AddToRef.txt nicht schreiben: ", "•can't write AddToRef.txt: ", false, true},
};

TEST_P(ConversionRunTest, UnguardedFailureIsLoggedWithFileAndReasonAndUnlocks) {
    for (const auto& failure : kUnguardedFailures) {
        SCOPED_TRACE(failure.name);
        fs::remove_all(wd / "SHAPES");
        fs::remove(wd / "house_.s");
        fs::remove(markers / "args.txt");
        fs::remove(markers / "done");
        converterSettled = false;
        host = RecordingHost();
        if (failure.oldFilesPresent) {
            std::ofstream(wd / "house_.s") << "stale";
            fs::create_directories(wd / "SHAPES");
            std::ofstream(wd / "SHAPES" / "house_.s") << "old";
        }
        choices.chkRefEintrag = 1;
        files.failing = failure.operation;
        const std::string path = (wd / failure.pathEnd).string();
        files.pathEnd = path;

        ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Failed));

        EXPECT_EQ(host.lines().front(), pick(failure.german, failure.english) + path + ": Permission denied");
        EXPECT_EQ(fs::exists(markers / "args.txt"), failure.converterStarted);
        EXPECT_TRUE(host.idle());
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST_P(ConversionRunTest, ConverterThatCannotBeStartedIsLoggedAndUnlocks) {
    // Not executable: the system's reason. A Windows program and no wine on the PATH: says so.
    fs::permissions(converter, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::ConverterNotStarted));
    EXPECT_EQ(host.lines().front(),
              pick("•Konverter kann nicht gestartet werden: ", "•can't start the converter: ") +
                  converter.string() + ": Permission denied");
    EXPECT_TRUE(host.idle());
    std::ofstream(converter, std::ios::binary | std::ios::trunc) << "MZ\x90";
    processes.system = SystemProcessStarter([](const std::string& name) {
        return name == "PATH" ? std::string("/nonexistent-folder") : std::string();
    });
    host = RecordingHost();
    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::ConverterNotStarted));
    EXPECT_EQ(host.lines().front().rfind(pick("•wine nicht gefunden: ", "•wine not found: "), 0), 0U);
    EXPECT_NE(host.lines().front().find(converter.string()), std::string::npos);
}

TEST_P(ConversionRunTest, VisibleConverterWithoutATerminalRunsHiddenAfterAWarning) {
    choices.chkCMD_sichtbar = 1;
    processes.system = SystemProcessStarter([](const std::string& name) {
        return name == "PATH" ? std::string("/nonexistent-folder") : std::string();
    });
    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Done));
    EXPECT_TRUE(host.logHas(state.text(TextId::LogTerminalMissing)));
    EXPECT_TRUE(fs::exists(wd / "SHAPES" / "house_.s"));
}

TEST_P(ConversionRunTest, WindowsConverterWorksInAPlainFolderWhereItsCodePageLacksTheModelFolder) {
    // "Zdeněk Дом": no single-byte code page holds both letters.
    wd = root.fsPath() / TempFolder::pathOf("Zden\xC4\x9Bk \xD0\x94\xD0\xBE\xD0\xBC");
    fs::create_directories(wd);
    for (const char* name : {"house_100.3ds", "house_500.3ds"}) std::ofstream(wd / name) << "3ds";
    state.gstrProgrammPfad = TempFolder::utf8Of(wd);
    std::ofstream(converter, std::ios::binary | std::ios::trunc) << "MZ\x90";
    // The fake wine writes the s-file at the host path of its second argument (drive Z: is the root).
    const std::string m = shellQuoted(markers.string());
    writeScript(root.fsPath() / "bin" / "wine",
                recordArguments(markers / "args.txt") +
                    "out=$(printf '%s' \"$2\" | sed -e 's/^Z://' -e 's/\\\\/\\//g')\nprintf '%s' " +
                    shellQuoted(kSFileText) + " > \"$out\"\n: > " + m + "/done\n");
    endsAtOnce = true;
    const std::string bin = (root.fsPath() / "bin").string();
    processes.system =
        SystemProcessStarter([bin](const std::string& name) { return name == "PATH" ? bin : std::string(); });

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Done));
    EXPECT_TRUE(fs::exists(wd / "SHAPES" / "house_.s"));
    const auto arguments = converterArguments();
    ASSERT_EQ(arguments.size(), 4U);
    for (const auto& argument : arguments) EXPECT_TRUE(fitsCodePage(argument, 1252)) << argument;
    const std::string plainFolder = parentOf(toNativeSeparators(arguments[1].substr(2)));
    EXPECT_TRUE(host.logHas(
        state.text(TextId::LogConverterInPlainFolder, {plainFolder, std::to_string(converterCodePage())})));
    EXPECT_FALSE(fs::exists(plainFolder)) << "the plain folder goes at the end";
}

TEST_P(ConversionRunTest, PathsWithBlanksQuotesAndShellWordsReachTheConverterUnchanged) {
    wd = root.fsPath() / "my \"model\" $(touch pwned) dir";
    fs::create_directories(wd);
    for (const char* name : {"a b'_100.3ds", "x;y_500.3ds"}) std::ofstream(wd / name) << "3ds";
    state.gstrProgrammPfad = wd.string();
    state.gstrArrLODDateien = {"", "a b'_100.3ds", "x;y_500.3ds"};
    useConverter(Converter::Writes, root.fsPath() / "conv \"3ds\" `touch pwned`");

    ASSERT_EQ(runWith(), static_cast<int>(RunEnd::Done));

    EXPECT_EQ(converterArguments(),
              (std::vector<std::string>{(wd / "house_.s").string(), (wd / "a b'_100.3ds").string(),
                                        (wd / "x;y_500.3ds").string()}));
    EXPECT_FALSE(fs::exists(root.fsPath() / "pwned"));
    EXPECT_FALSE(fs::exists(wd / "pwned"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

/// The ASCII text of a UTF-16LE file (zero bytes and the byte-order mark dropped).
std::string asciiOfUtf16(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 2; i < bytes.size(); i += 2) text += bytes[i];
    return text;
}

TEST_P(ConversionRunTest, ChoicesAndTheUsersDecimalSeparatorReachTheResults) {
    const fs::path route = root.fsPath() / "route";
    fs::create_directories(route);
    choices.optNurSommerTextur = false;
    choices.optJahreszeitenTextur = true;
    choices.chkBoundingBox = 1;
    choices.txtBBoxInput = "1 2 3 4 5 6";
    choices.chkRefEintrag = 1;
    choices.chkShapeTo = {1, 1, 0};
    choices.lblCopyPfad = {route.string(), (root.fsPath() / "no such route").string(), "C:\\"};

    state.gstrArrLODDateien = {"", "house_100.3ds", "house_500.3ds", ""};
    choices.lodRowChecked = {false, true, true}; // only checked rows with a file are converted

    ASSERT_EQ(runWith({}, ','), static_cast<int>(RunEnd::Done));

    EXPECT_EQ(converterArguments(),
              (std::vector<std::string>{(wd / "house_.s").string(), (wd / "house_500.3ds").string()}));
    EXPECT_TRUE(host.logHas(waitProgressLine(state, "house_.s", 1, ',')));
    EXPECT_NE(waitProgressLine(state, "house_.s", 1, ',').find(" 0,1 "), std::string::npos);
    EXPECT_EQ(view.shownInput, "1.0 2.0 3.0 4.0 5.0 6.0");
    EXPECT_EQ(view.shownDisplay, "ESD_Bounding_Box ( 1.0 2.0 3.0 4.0 5.0 6.0 )");
    const std::string sd = asciiOfUtf16(readFile(wd / "SHAPES" / "house_.sd"));
    EXPECT_NE(sd.find("ESD_Alternative_Texture (252)"), std::string::npos) << sd;
    EXPECT_NE(sd.find("        ESD_Bounding_Box ( 1.0 2.0 3.0 4.0 5.0 6.0 )"), std::string::npos) << sd;
    EXPECT_TRUE(fs::exists(wd / "AddToRef.txt"));
    EXPECT_TRUE(fs::exists(route / "SHAPES" / "house_.s"));
    EXPECT_TRUE(fs::exists(route / "SHAPES" / "house_.sd"));
    EXPECT_TRUE(host.logHas(pick("Kein gültiges Verzeichnis angegeben!", "No valid directory given!")));
    EXPECT_EQ(host.lines().front(), pick("Fertig!", "Done!"));
}

} // namespace
} // namespace quillfen::test
