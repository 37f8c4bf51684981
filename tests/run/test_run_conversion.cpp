// Whole conversion runs against fake converters (shell scripts) under a manual clock.

#include "app/RunChoices.h"
#include "core/CommandHost.h"
#include "core/Task.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "run/ConversionRun.h"
#include "run/ConverterInvocation.h"
#include "run/RunView.h"
#include "support/ResultFiles.h"
#include "support/ScriptFiles.h"
#include "texture/AceFile.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;

/// The log as text (newest line first), the messages shown, and the window's lock and busy state.
class RecordingHost final : public CommandHost {
public:
    void log(const std::string& line) override { setLogText(line + "\r\n" + m_text); }
    [[nodiscard]] std::string logText() const override { return m_text; }
    void setLogText(const std::string& text) override { ++calls, m_text = text; }
    void showMessage(const std::string& title, const std::string& text) override {
        ++calls, messages.push_back({title, text});
    }
    bool askYesNo(const std::string& title, const std::string& text) override {
        return showMessage(title, text), true;
    }
    void setBusyCursor(bool busy) override { ++calls, busyCursor = busy; }
    void lockControls() override { ++calls, ++locks; }
    void releaseControls() override { ++calls, ++releases; }
    void setBusyDisplay(bool running) override { ++calls, busyDisplay = running; }
    void setCancelEnabled(bool enabled) override { ++calls, cancelEnabled = enabled; }

    [[nodiscard]] std::vector<std::string> lines() const {
        std::vector<std::string> result;
        for (std::size_t start = 0, end; start < m_text.size(); start = end + 2) {
            end = std::min(m_text.find("\r\n", start), m_text.size());
            result.push_back(m_text.substr(start, end - start));
        }
        return result;
    }
    [[nodiscard]] bool logHas(const std::string& line) const { return std::ranges::count(lines(), line) > 0; }
    [[nodiscard]] bool idle() const {
        return locks == releases && !busyCursor && !busyDisplay && !cancelEnabled;
    }

    struct Message {
        std::string title, text;
    };
    std::vector<Message> messages;
    int locks = 0, releases = 0, calls = 0;
    bool busyCursor = false, busyDisplay = false, cancelEnabled = false;

private:
    std::string m_text;
};

/// Drives a command to its end: at each yield the manual clock moves by the wait asked for, then `onYield`
/// runs (false: stop there).
template <class Result>
std::optional<Result> drive(Task<Result>& task, ManualClock& clock, const std::function<bool()>& onYield) {
    for (long yields = 0; !task.resume();) {
        clock.advance(task.requestedWait());
        if (!onYield() || ++yields > 2'000'000) return std::nullopt;
    }
    return task.result();
}

/// The s-file the fake converters write: one image, one texture.
inline const std::string kSFileText = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n"
                                      "\tshape_header ( 00000000 00000000 )\r\n"
                                      "\timages ( 1\r\n\t\timage ( wall.ace )\r\n\t)\r\n"
                                      "\ttextures ( 1\r\n\t\ttexture ( 0 -1 0 ff000000 )\r\n\t)\r\n)\r\n";

TEST(WaitProgressLine, ShortestDecimalWithTheUsersSeparator) {
    const std::tuple<Language, int, char, const char*> cases[] = {
        {Language::English, 123, ',', "•conv3ds.exe creates s-file: \"h.s\" in 12,3 seconds."},
        {Language::German, 90000, ',', "•conv3ds.exe erzeugt s-Datei: \"h.s\" in 9000 Sekunden."},
    };
    for (const auto& [language, slices, separator, expected] : cases) {
        ProgramState state;
        state.gstrSprache = language;
        EXPECT_EQ(waitProgressLine(state, "h.s", slices, separator), expected);
    }
}

constexpr bool kWindows = kPathSeparator == '\\';
const char* const kMoved = "•new s-file moved to SHAPES";
const char* const kOldDeleted = "•old s-file in SHAPES deleted";
const char* const kCreated = "•the directory SHAPES is created";

enum class Converter { Writes, WritesNothing, Refuses, RunsOn, KeepsOpen };

/// The system's start, keeping the last process, so that the clock runs on only once a quick converter ended.
class WatchingStarter final : public ProcessStarter {
public:
    LaunchResult startConverter(const ConverterLaunch& launch) override {
        LaunchResult result = system.startConverter(launch);
        last = result.process;
        return result;
    }
    SystemProcessStarter system;
    std::shared_ptr<WatchedProcess> last;
};

SystemProcessStarter withPath(const std::string& path) {
    return SystemProcessStarter([path](const std::string& name) { return name == "PATH" ? path : ""; });
}

class ConversionRunTest : public ::testing::Test, public RunView {
protected:
    void showBoundingBox(const std::string& input, const std::string& displayLine) override {
        shownInput = input, shownDisplay = displayLine;
    }
    void SetUp() override {
        if (kWindows) GTEST_SKIP() << "fake converters are shell scripts";
        layOut("model");
        useConverter(Converter::Writes);
    }
    void TearDown() override {
        if (markers.empty()) return;        // skipped before the model folder was laid out
        std::ofstream(markers / "release"); // lets a converter that keeps its file open end
        EXPECT_TRUE(!expectIdle || host.idle()) << "every end of a run unlocks the window";
    }
    void layOut(const std::string& folder) {
        fs::create_directories(markers = root.fsPath() / "markers");
        fs::create_directories(wd = root.fsPath() / TempFolder::pathOf(folder));
        for (const char* name : {"house_100.3ds", "house_500.3ds"}) std::ofstream(wd / name) << "3ds";
        std::ofstream(wd / "wall.ace") << "ace";
        state.gstrProgrammPfad = TempFolder::utf8Of(wd);
        state.gstrArrLODDateien = {"", "house_100.3ds", "house_500.3ds"};
        state.gintAnzahlLODs = 2;
        choices.txtSDateiName = "house_";
        choices.lodRowChecked = {true, true};
    }

    /// A fake converter that records its arguments and notes a stale s-file, then does its part.
    void useConverter(Converter kind, const fs::path& folder = {}) {
        converter = (folder.empty() ? root.fsPath() / "tools" : folder) / "conv3ds.exe";
        const std::string m = shellQuoted(markers.string()), done = ": > " + m + "/done\n";
        const auto waitFor = [&](const char* marker) {
            return "i=0; while [ ! -e " + m + "/" + marker +
                   " ] && [ $i -lt 3000 ]; do sleep 0.01; i=$((i+1)); done\n";
        };
        const std::string write =
            "printf '%s' " + shellQuoted(kSFileText) + " > \"$1.part\"\nmv \"$1.part\" \"$1\"\n";
        const std::string parts[] = {
            write + done, // Writes
            done,         // WritesNothing
            "echo 'reading house_100.3ds'\necho 'bad chunk 0x4d4d' >&2\n" + done + "exit 1\n", // Refuses
            done + waitFor("release"), // RunsOn: until the test ends
            "exec 3> \"$1\"\nprintf '%s' " + shellQuoted(kSFileText) + " >&3\n" + done +
                waitFor("release"), // KeepsOpen
        };
        writeScript(converter, recordArguments(markers / "args.txt") + "[ -e \"$1\" ] && : > " + m +
                                   "/stale-seen\n" + parts[static_cast<int>(kind)]);
        endsAtOnce = kind <= Converter::Refuses;
        state.gstrConv3dsPfad = converter.string();
    }
    void reset() {
        for (const fs::path& made : {wd / "SHAPES", wd / "TEXTURES", wd / "house_.s", markers / "args.txt",
                                     markers / "done", markers / "stale-seen"})
            fs::remove_all(made);
        converterSettled = false;
        host = RecordingHost();
    }

    /// True while the run waits for the converter; the first time, waits in real time until it is done.
    bool inWait() {
        if (!host.cancelEnabled || !host.logHas(state.text(TextId::LogConverterCommand))) return false;
        if (!converterSettled)
            converterSettled = waitForReal([&] { return fs::exists(markers / "done"); }) &&
                               (!endsAtOnce || waitForReal([&] { return !processes.last->look().running; }));
        return converterSettled;
    }
    std::optional<int> runWith(std::function<bool()> onYield = {}, char separator = '.') {
        task = runConversion(RunServices{state, host, *this, files, clock, processes, separator}, choices);
        if (!onYield) onYield = [&] { return inWait() || true; };
        return drive(task, clock, onYield);
    }
    static int ended(RunEnd end) { return static_cast<int>(end); }

    [[nodiscard]] std::vector<std::string> converterArguments() const {
        return recordedLines(markers / "args.txt");
    }
    [[nodiscard]] std::vector<std::string> paths(const std::vector<const char*>& names) const {
        std::vector<std::string> result;
        for (const char* name : names) result.push_back(TempFolder::utf8Of(wd / name));
        return result;
    }
    [[nodiscard]] std::ptrdiff_t at(const std::string& line) const {
        const auto lines = host.lines();
        return std::ranges::find(lines, line) - lines.begin();
    }
    /// All the lines logged, the newest first.
    [[nodiscard]] bool newestFirst(const std::vector<std::string>& lines) const {
        std::vector<std::ptrdiff_t> positions;
        for (const std::string& line : lines) positions.push_back(at(line));
        positions.push_back(std::ssize(host.lines()));
        return std::ranges::adjacent_find(positions, std::greater_equal<>()) == positions.end();
    }
    [[nodiscard]] std::string progress(int slices, char separator = '.') const {
        return waitProgressLine(state, "house_.s", slices, separator);
    }

    TempFolder root;
    fs::path wd, markers, converter;
    bool converterSettled = false, endsAtOnce = false, expectIdle = true;
    ProgramState state;
    RunChoices choices;
    RecordingHost host;
    std::string shownInput, shownDisplay;
    FailingFileSystem files;
    ManualClock clock;
    WatchingStarter processes;
    CommandTask task;
};

TEST_F(ConversionRunTest, CompleteRunLeavesTheShapeAndLogsInBothLanguages) {
    for (const Language language : kLanguages) {
        SCOPED_TRACE(languageName(language));
        reset();
        state.gstrSprache = language;
        const auto pick = [&](const char* german, const char* english) {
            return pickText(language, german, english);
        };
        std::ofstream(wd / "house_.s") << "stale output of an earlier run";

        ASSERT_EQ(runWith(), ended(RunEnd::Done));

        EXPECT_FALSE(fs::exists(markers / "stale-seen")) << "the converter found the stale s-file";
        EXPECT_EQ(converterArguments(), paths({"house_.s", "house_100.3ds", "house_500.3ds"}));
        for (const char* made : {"SHAPES/house_.s", "SHAPES/house_.sd", "TEXTURES/wall.ace"})
            EXPECT_TRUE(fs::exists(wd / made)) << made;
        EXPECT_FALSE(fs::exists(wd / "house_.s"));
        EXPECT_TRUE(host.locks == 1 && host.messages.empty() && host.idle());

        const auto lines = host.lines();
        EXPECT_EQ(lines.front(), pick("Fertig!", "Done!"));
        // The command line below its caption.
        const auto caption =
            at(pick("•Konverter-Start mit cmd-Befehlszeile:", "•Converter starts with cmd-command:"));
        ASSERT_LT(caption + 1, std::ssize(lines));
        std::string command = "\"" + converter.string() + "\"";
        for (const std::string& path : paths({"house_.s", "house_100.3ds", "house_500.3ds"}))
            command += " \"" + path + "\"";
        EXPECT_EQ(lines[caption + 1], command);
        EXPECT_TRUE(host.logHas(progress(1))) << "a file there at the first look counts one slice";
        EXPECT_TRUE(host.logHas(pick("•das Verzeichnis SHAPES ist erzeugt", kCreated)));
        EXPECT_TRUE(host.logHas(pick("•neue s-Datei in SHAPES verschoben", kMoved)));
    }
}

TEST_F(ConversionRunTest, APictureBecomesTheAceTextureBeforeTheCorrectionAndTheCollection) {
    fs::remove(wd / "wall.ace");
    std::ofstream(wd / "Wall.PNG", std::ios::binary)
        << *texture::encodeTexture(texture::Image(48, 32, {90, 60, 30, 255}), texture::FileFormat::Png);

    ASSERT_EQ(runWith(), ended(RunEnd::Done));

    const auto ace = texture::readAce(readFile(wd / "wall.ace"));
    ASSERT_TRUE(ace.ok());
    EXPECT_EQ(ace->levels[0].width, 64);
    EXPECT_EQ(readFile(wd / "TEXTURES" / "wall.ace"), readFile(wd / "wall.ace")) << "collected as made";
    // Newest first: made after the move, before the sd-file and the edits.
    EXPECT_TRUE(
        newestFirst({"•sd-file written in SHAPES", "•texture wall.ace made from Wall.PNG",
                     "•Warning: Wall.PNG has 48 x 32 pixels, scaled to 64 x 32 (texture sides must be "
                     "powers of two)",
                     kMoved}));
}

TEST_F(ConversionRunTest, MissingConverterIsReportedAndNothingStarted) {
    std::ofstream(wd / "house_.s") << "stale";
    state.gstrConv3dsPfad = (root.fsPath() / "gone" / "conv3ds.exe").string();

    ASSERT_EQ(runWith(), ended(RunEnd::ConverterMissing));

    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].text,
              "Quillfen can't find converter file!\r\n\r\n" + (wd / "conv3ds.exe").string());
    EXPECT_FALSE(fs::exists(wd / "house_.s")) << "the stale output is deleted before the check";
    EXPECT_FALSE(fs::exists(markers / "args.txt") || fs::exists(wd / "SHAPES"));
}

TEST_F(ConversionRunTest, ConverterWithoutOutputEndsTheWaitTwoSecondsAfterItsEndOrAtTheSliceLimit) {
    // The end is seen at the first slice, the file is given two seconds more.
    const std::tuple<Converter, std::string, int> cases[] = {
        {Converter::Refuses,
         "•conv3ds.exe ended with exit code 1 without writing the s-file: reading house_100.3ds | bad chunk "
         "0x4d4d",
         21},
        {Converter::WritesNothing, "•conv3ds.exe ended with exit code 0 without writing the s-file.", 21},
        {Converter::RunsOn, progress(kWaitSliceLimit), kWaitSliceLimit},
    };
    for (const auto& [kind, line, slices] : cases) {
        SCOPED_TRACE(line);
        reset();
        useConverter(kind);
        ASSERT_EQ(runWith(), ended(RunEnd::NoSFile));
        EXPECT_EQ(host.messages.size(), 1U);
        EXPECT_EQ(host.lines().front(), line);
        EXPECT_TRUE(host.logHas(progress(slices)));
        EXPECT_FALSE(host.logHas(progress(slices + 1)));
        EXPECT_FALSE(fs::exists(wd / "SHAPES"));
    }
}

TEST_F(ConversionRunTest, CancelDuringTheWaitUnlocksAtOnceAndKeepsTheLastProgressLine) {
    useConverter(Converter::RunsOn);
    std::string snapshot;
    ASSERT_EQ(runWith([&] {
                  if (inWait() && snapshot.empty()) snapshot = host.logText();
                  if (inWait() && !state.gblnAbbruch && host.logText().starts_with(progress(4)))
                      state.gblnAbbruch = true; // the click lands in the yield of the fifth slice
                  return true;
              }),
              ended(RunEnd::Cancelled));
    EXPECT_FALSE(state.gblnAbbruch);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.logText(), progress(4) + "\r\n" + snapshot);
    EXPECT_FALSE(fs::exists(wd / "SHAPES"));
}

TEST_F(ConversionRunTest, QuittingDuringTheWaitDestroysTheRunWithoutTouchingTheWindow) {
    useConverter(Converter::RunsOn);
    ASSERT_FALSE(runWith([&] { return !(inWait() && clock.now() > 1002.0); }).has_value());
    expectIdle = false;
    const int callsBefore = host.calls;
    const std::string logBefore = host.logText();
    task.reset();
    EXPECT_EQ(host.calls, callsBefore);
    EXPECT_EQ(host.logText(), logBefore);
}

TEST_F(ConversionRunTest, MoveThatFailsShowsTheCrashDiagnosis) {
    files.failing = FsOperation::MoveFile;
    files.pathEnd = "house_.s";
    fs::create_directories(wd / "SHAPES");
    std::ofstream(wd / "SHAPES" / "house_.s") << "old";

    ASSERT_EQ(runWith(), ended(RunEnd::MoveFailed));

    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "Is conv3ds.exe crashed?");
    EXPECT_TRUE(fs::exists(wd / "house_.s")) << "the new s-file stays in the working directory";
    EXPECT_EQ(readFile(wd / "SHAPES" / "house_.s"), "old") << "the old shape stays until replaced";
}

TEST_F(ConversionRunTest, TheOldShapeStaysUntilTheNewOneReplacesItInOneStepEvenWhileTheConverterHoldsIt) {
    useConverter(Converter::KeepsOpen);
    fs::create_directories(wd / "SHAPES");
    std::ofstream(wd / "SHAPES" / "house_.s") << "old";
    bool alwaysWhole = true;
    ASSERT_EQ(runWith([&] {
                  inWait();
                  const std::string shape = readFile(wd / "SHAPES" / "house_.s");
                  alwaysWhole = alwaysWhole && (shape == "old" || decodeText(shape).starts_with("SIMISA"));
                  return true;
              }),
              ended(RunEnd::Done));
    EXPECT_TRUE(alwaysWhole) << "SHAPES stood without a whole shape at some yield";
    EXPECT_EQ(at(kOldDeleted) + 1, at(kCreated));
    EXPECT_LT(at(kMoved), at(kOldDeleted));
}

TEST_F(ConversionRunTest, LinkedShapesAndTexturesAreWrittenIntoButNeverCleaned) {
    fs::create_directories(root.fsPath() / "other");
    std::ofstream(root.fsPath() / "other" / "stale.ace") << "someone else's";
    for (const auto& [name, target] :
         {std::pair<const char*, fs::path>{"SHAPES", "."}, {"TEXTURES", root.fsPath() / "other"}}) {
        std::error_code made;
        fs::create_directory_symlink(target, wd / name, made);
        if (made) GTEST_SKIP() << "no symbolic links here: " << made.message();
    }

    ASSERT_EQ(runWith(), ended(RunEnd::Done));

    for (const fs::path& kept : {wd / "house_100.3ds", wd / "wall.ace", root.fsPath() / "other" / "stale.ace",
                                 root.fsPath() / "other" / "wall.ace", wd / "house_.s", wd / "house_.sd"})
        EXPECT_TRUE(fs::exists(kept)) << kept;
    for (const char* name : {"SHAPES", "TEXTURES"})
        EXPECT_TRUE(host.logHas(state.text(TextId::LogFolderIsLink, {name})));
    EXPECT_FALSE(host.logHas(kOldDeleted));
}

TEST_F(ConversionRunTest, ASecondRunInTheFolderIsRefusedAtOnce) {
    const auto firstRun = FolderLock::tryLock(wd.string());
    ASSERT_TRUE(firstRun);
    ASSERT_EQ(runWith(), ended(RunEnd::FolderBusy));
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_NE(host.messages[0].text.find("is running"), std::string::npos);
    EXPECT_TRUE(host.lines().empty());
    EXPECT_FALSE(fs::exists(markers / "args.txt")) << "the converter was started";
}

TEST_F(ConversionRunTest, FailingFileOperationIsLoggedWithFileAndReasonAndEndsTheRun) {
    struct Failure {
        const char* name;
        FsOperation operation;
        const char* pathEnd; ///< below the working folder
        int passes;          ///< such operations that still succeed
        const char* line;
    };
    // The s-file's four edits: the texture correction, one texture, the shaders Diffuse and AddATexDiff.
    const Failure failures[] = {
        {"StaleSFile", FsOperation::DeleteFile, "house_.s", 0, "•can't delete old s-file: "},
        {"ShapesFolder", FsOperation::CreateFolder, "SHAPES", 0, "•can't create the directory SHAPES: "},
        {"SdFile", FsOperation::ReplaceFile, "SHAPES/house_.sd", 0, "•can't write sd-file: "},
        {"TextureCorrection", FsOperation::ReplaceFile, "SHAPES/house_.s", 0, "•can't edit s-file: "},
        {"OneTexture", FsOperation::ReplaceFile, "SHAPES/house_.s", 1, "•can't edit s-file: "},
        {"ShaderDiffuse", FsOperation::ReplaceFile, "SHAPES/house_.s", 2, "•can't edit s-file: "},
        {"ShaderAddATexDiff", FsOperation::ReplaceFile, "SHAPES/house_.s", 3, "•can't edit s-file: "},
        {"RouteCopy", FsOperation::CopyFile, "SHAPES/house_.s", 0, "•can't copy to target: "},
        {"ReferenceEntry", FsOperation::ReplaceFile, "AddToRef.txt", 0, "•can't write AddToRef.txt: "},
    };
    fs::create_directories(root.fsPath() / "route");
    choices.chkShapeTo[0] = 1;
    choices.lblCopyPfad[0] = (root.fsPath() / "route").string();
    choices.chkRefEintrag = choices.chkAceUni = choices.chkShaderDiffuse = choices.chkShaderAddATexDiff = 1;
    const std::string edits[] = {state.text(TextId::LogOnlyOneTexture), state.text(TextId::LogShaderDiffuse),
                                 state.text(TextId::LogShaderAddATexDiff)};
    const auto logged = [&](const std::string& start) {
        return std::ranges::any_of(host.lines(),
                                   [&](const std::string& line) { return line.starts_with(start); });
    };
    for (const Failure& c : failures) {
        SCOPED_TRACE(c.name);
        reset();
        const bool stale = c.operation == FsOperation::DeleteFile;
        if (stale) std::ofstream(wd / "house_.s") << "stale";
        files.failing = c.operation;
        files.pathEnd = TempFolder::utf8Of((wd / TempFolder::pathOf(c.pathEnd)).make_preferred());
        files.passes = c.passes;

        ASSERT_EQ(runWith(), ended(RunEnd::Failed));

        EXPECT_EQ(host.lines().front(), c.line + files.pathEnd + ": Permission denied");
        EXPECT_EQ(fs::exists(markers / "args.txt"), !stale) << "whether the converter was started";
        EXPECT_TRUE(host.idle() && host.messages.empty());
        EXPECT_FALSE(host.logHas("•sd-file written in SHAPES") && std::string_view(c.name) == "SdFile");
        EXPECT_FALSE(host.logHas("•AddToRef.txt is created"));
        for (int i = 0; i < 3 && std::string_view(c.line) == "•can't edit s-file: "; ++i)
            EXPECT_EQ(logged(edits[i]), i < c.passes - 1) << edits[i];
    }
}

TEST_F(ConversionRunTest, ConverterThatCannotBeStartedIsLogged) {
    // Not executable: the system's reason; a Windows program and no wine on the PATH: says so.
    fs::permissions(converter, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(runWith(), ended(RunEnd::ConverterNotStarted));
    EXPECT_EQ(host.lines().front(),
              "•can't start the converter: " + converter.string() + ": Permission denied");
    EXPECT_TRUE(host.idle());
    std::ofstream(converter, std::ios::binary | std::ios::trunc) << "MZ\x90";
    processes.system = withPath("/nonexistent-folder");
    reset();
    ASSERT_EQ(runWith(), ended(RunEnd::ConverterNotStarted));
    EXPECT_TRUE(host.lines().front().starts_with("•wine not found: "));
    EXPECT_NE(host.lines().front().find(converter.string()), std::string::npos);
}

TEST_F(ConversionRunTest, WindowsConverterWorksInAPlainFolderWhereItsCodePageLacksTheModelFolder) {
    layOut("Zden\xC4\x9Bk \xD0\x94\xD0\xBE\xD0\xBC"); // "Zdeněk Дом": no single-byte code page holds both
    std::ofstream(converter, std::ios::binary | std::ios::trunc) << "MZ\x90";
    // The fake wine writes the s-file at the host path of its second argument (drive Z: is the root).
    writeScript(root.fsPath() / "bin" / "wine",
                recordArguments(markers / "args.txt") +
                    "out=$(printf '%s' \"$2\" | sed -e 's/^Z://' -e 's/\\\\/\\//g')\n"
                    "printf '%s' " +
                    shellQuoted(kSFileText) + " > \"$out\"\n: > " + shellQuoted(markers.string()) +
                    "/done\n");
    processes.system = withPath((root.fsPath() / "bin").string());

    ASSERT_EQ(runWith(), ended(RunEnd::Done));
    EXPECT_TRUE(fs::exists(wd / "SHAPES" / "house_.s"));
    const auto arguments = converterArguments();
    ASSERT_EQ(arguments.size(), 4U);
    for (const auto& argument : arguments) EXPECT_TRUE(fitsCodePage(argument, 1252)) << argument;
    const std::string plainFolder = parentOf(toNativeSeparators(arguments[1].substr(2)));
    EXPECT_TRUE(host.logHas(
        state.text(TextId::LogConverterInPlainFolder, {plainFolder, std::to_string(converterCodePage())})));
    EXPECT_FALSE(fs::exists(plainFolder)) << "the plain folder goes at the end";
}

TEST_F(ConversionRunTest, PathsWithBlanksQuotesAndShellWordsReachTheConverterUnchanged) {
    wd = root.fsPath() / "my \"model\" $(touch pwned) dir";
    fs::create_directories(wd);
    for (const char* name : {"a b'_100.3ds", "x;y_500.3ds"}) std::ofstream(wd / name) << "3ds";
    state.gstrProgrammPfad = wd.string();
    state.gstrArrLODDateien = {"", "a b'_100.3ds", "x;y_500.3ds"};
    useConverter(Converter::Writes, root.fsPath() / "conv \"3ds\" `touch pwned`");

    ASSERT_EQ(runWith(), ended(RunEnd::Done));

    EXPECT_EQ(converterArguments(), paths({"house_.s", "a b'_100.3ds", "x;y_500.3ds"}));
    for (const fs::path& folder : {root.fsPath(), wd, fs::current_path()})
        EXPECT_FALSE(fs::exists(folder / "pwned"));
}

TEST_F(ConversionRunTest, ChoicesAndTheUsersDecimalSeparatorReachTheResults) {
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

    ASSERT_EQ(runWith({}, ','), ended(RunEnd::Done));

    EXPECT_EQ(converterArguments(), paths({"house_.s", "house_500.3ds"}));
    EXPECT_TRUE(host.logHas(progress(1, ',')));
    EXPECT_EQ(shownInput + "|" + shownDisplay,
              "1.0 2.0 3.0 4.0 5.0 6.0|ESD_Bounding_Box ( 1.0 2.0 3.0 4.0 5.0 6.0 )");
    const std::string sd = decodeText(readFile(wd / "SHAPES" / "house_.sd"));
    EXPECT_NE(sd.find("(252)\r\n        ESD_Bounding_Box ( 1.0 2.0 3.0 4.0 5.0 6.0 )"), std::string::npos)
        << sd;
    for (const fs::path& made : {wd / "AddToRef.txt", route / "SHAPES" / "house_.sd"})
        EXPECT_TRUE(fs::exists(made)) << made;
}

} // namespace
} // namespace quillfen::test
