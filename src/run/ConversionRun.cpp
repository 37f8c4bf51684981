#include "run/ConversionRun.h"

#include "app/FolderListing.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "run/ConversionRunAwait.h"
#include "run/ConversionRunSteps.h"
#include "run/ConversionRunTexts.h"
#include "run/ConverterInvocation.h"
#include "sfile/SFileNaming.h"

#include <exception>

namespace quillfen {

namespace {

/// The result of a stage that lets the run go on to the next one.
constexpr int kGoOn = -1;

/// Confirming waits for operations the file system performs at once: a wait
/// that runs longer than this means something holds the file or folder.
constexpr double kConfirmLimitSeconds = 30.0;

std::string shapesFolder(const ProgramState& state) {
    return state.gstrProgrammPfad + kSep + "SHAPES";
}
std::string shapesSFile(const ProgramState& state) {
    return shapesFolder(state) + kSep + state.gstrSDateiName;
}

void logTimeout(const RunServices& s, const std::string& path) {
    logPick(s.state, s.host, "•nach 30 Sekunden noch nicht bereit: " + path,
            "•still not ready after 30 seconds: " + path);
}

// A: lock the window and log what the working directory holds.
void logInventory(const RunServices& s) {
    s.host.log(texts::kSeparatorLine);
    for (std::size_t i = 1; i < s.state.gstrArrDateiNamen.size() && i <= listedFileCount(s.state); ++i) {
        const std::string& name = s.state.gstrArrDateiNamen[i];
        const std::string upper = toUpperLatin1(name);
        // Anywhere in the name, not only at its end: model.sd counts as an s-file.
        if (upper.find(".3DS") != std::string::npos)
            logPick(s.state, s.host, "•3ds-Datei gefunden   : " + name, "•3ds-file found : " + name);
        if (upper.find(".ACE") != std::string::npos)
            logPick(s.state, s.host, "•Textur gefunden      : " + name, "•Texture found  : " + name);
        if (upper.find(".S") != std::string::npos)
            logPick(s.state, s.host, "•Shape-Datei gefunden : " + name, "•s-file found   : " + name);
    }
    s.host.log(texts::kSeparatorLine);
}

CommandTask lockAndInventory(RunServices& s, RunChoices& c) {
    validateBoundingBoxForRun(s, c);
    if (Status listed = LiesDateiFeld(s.state, s.fileSystem, s.state.gstrProgrammPfad, "Suffix"); !listed) {
        logFailure(s, FailedStep::ReadFolder, listed.error());
        co_return static_cast<int>(RunEnd::Failed);
    }
    logInventory(s);
    co_await yieldFor(0);
    co_return kGoOn;
}

// B and C: the converter's inputs, its start and the wait for its s-file.
CommandTask convertToSFile(RunServices& s, const RunChoices& c) {
    s.state.gstrSDateiName = MitEndungS(c.txtSDateiName);
    const std::string output = converterOutputPath(s.state);
    // The converter's output is recognised by this file appearing, so a stale copy must go.
    if (s.fileSystem.fileExists(output)) {
        if (Status deleted = s.fileSystem.deleteFile(output); !deleted) {
            logFailure(s, FailedStep::DeleteStaleSFile, deleted.error());
            co_return static_cast<int>(RunEnd::Failed);
        }
    }
    const std::vector<std::string> lodPaths = buildConverterFileArguments(s.state, c.lodRowChecked);
    s.host.setCancelEnabled(true);
    s.host.setBusyCursor(false);
    co_await yieldFor(0);

    if (!checkConverterPresent(s.state, s.host, s.fileSystem))
        co_return static_cast<int>(RunEnd::ConverterMissing);
    if (!startConverter(s.state, s.host, s.fileSystem, s.processes, lodPaths, c.chkCMD_sichtbar != 0)) {
        s.host.setCancelEnabled(false);
        s.state.gblnAbbruch = false;
        co_return static_cast<int>(RunEnd::ConverterNotStarted);
    }
    int waitEnd = 0;
    QUILLFEN_CO_RUN(waitForConverterOutput(s.state, s.host, s.fileSystem, s.clock, s.decimalSeparator),
                    waitEnd);
    if (waitEnd == static_cast<int>(WaitEnd::Cancelled)) co_return static_cast<int>(RunEnd::Cancelled);

    s.host.setCancelEnabled(false);
    s.host.setBusyCursor(true);
    if (!s.fileSystem.fileExists(output)) {
        showConversionFailure(s.host);
        s.host.setBusyCursor(false);
        co_return static_cast<int>(RunEnd::NoSFile);
    }
    co_return kGoOn;
}

// D: the new s-file into SHAPES, replacing an old one there.
CommandTask moveIntoShapes(RunServices& s) {
    const std::string folder = shapesFolder(s.state);
    const std::string target = shapesSFile(s.state);
    const std::string output = converterOutputPath(s.state);
    FileSystem& files = s.fileSystem;
    int ready = 0;

    s.host.log("\r\n" + texts::kSeparatorLine);
    co_await yieldFor(0);

    if (!files.folderExists(folder)) {
        if (Status created = files.createFolder(folder); !created) {
            logFailure(s, FailedStep::CreateShapes, created.error());
            co_return static_cast<int>(RunEnd::Failed);
        }
    }
    QUILLFEN_CO_RUN(waitUntil(s.clock, kConfirmLimitSeconds, [&] { return files.folderExists(folder); }),
                    ready);
    if (!ready) {
        logTimeout(s, folder);
        co_return static_cast<int>(RunEnd::Failed);
    }
    logPick(s.state, s.host, "•das Verzeichnis SHAPES ist erzeugt", "•the directory SHAPES is created");

    if (files.fileExists(target)) {
        if (Status deleted = files.deleteFile(target); !deleted) {
            logFailure(s, FailedStep::DeleteOldShapesSFile, deleted.error());
            co_return static_cast<int>(RunEnd::Failed);
        }
        logPick(s.state, s.host, "•alte s-Datei in SHAPES gelöscht", "•old s-file in SHAPES deleted");
    }
    QUILLFEN_CO_RUN(waitUntil(s.clock, kConfirmLimitSeconds, [&] { return !files.fileExists(target); }),
                    ready);
    if (!ready) {
        logTimeout(s, target);
        co_return static_cast<int>(RunEnd::Failed);
    }

    QUILLFEN_CO_RUN(waitUntil(s.clock, kConfirmLimitSeconds, [&] { return files.fileExists(output); }),
                    ready);
    if (!ready) {
        logTimeout(s, output);
        co_return static_cast<int>(RunEnd::Failed);
    }
    // The converter must have finished writing the file within two seconds of its appearance.
    const double pauseEnd = s.clock.now() + 2.0;
    while (s.clock.now() < pauseEnd) co_await yieldFor(pauseEnd - s.clock.now());

    if (Status moved = files.moveFile(output, folder); !moved) {
        logFailure(s, FailedStep::MoveSFile, moved.error());
        showCrashDiagnosis(s.state, s.host);
        co_return static_cast<int>(RunEnd::MoveFailed);
    }
    logPick(s.state, s.host, "•neue s-Datei in SHAPES verschoben", "•new s-file moved to SHAPES");
    QUILLFEN_CO_RUN(waitUntil(s.clock, 10.0, [&] { return files.fileExists(target); }), ready);
    if (!ready) co_return static_cast<int>(RunEnd::MovedFileNotVisible);
    co_return kGoOn;
}

// E to G: the sd-file, the s-file edits, the textures, the copies and the reference entry.
CommandTask finishShape(RunServices& s, const RunChoices& c) {
    int result = kGoOn;
    co_await yieldFor(0);
    if (!writeSdFileForRun(s, c)) co_return static_cast<int>(RunEnd::Failed);
    if (!editSFileForRun(s, c)) co_return static_cast<int>(RunEnd::Failed);
    QUILLFEN_CO_RUN(copyToTargetsForRun(s, c), result);
    if (result != kGoOn) co_return result;
    co_await yieldFor(0);
    if (!writeReferenceEntryForRun(s, c)) co_return static_cast<int>(RunEnd::Failed);
    co_await yieldFor(0);
    co_return kGoOn;
}

// H: an empty TEXTURES goes; "Fertig!".
void closeRun(RunServices& s) {
    const std::string textures = s.state.gstrProgrammPfad + kSep + "TEXTURES";
    if (s.fileSystem.folderExists(textures)) {
        const auto files = s.fileSystem.listFiles(textures);
        const auto folders = s.fileSystem.listFolders(textures);
        if (files.ok() && folders.ok() && files->empty() && folders->empty()) {
            if (!s.fileSystem.removeEmptyFolder(textures))
                logPick(
                    s.state, s.host,
                    "•kann Verzeichnis TEXTURES nicht löschen -> Vermutlich blockiert ein anderes Programm",
                    "•can't delete TEXTURES folder -> Maybe another program blocks");
        }
    }
    logPick(s.state, s.host, "Fertig!", "Done!");
}

CommandTask conversionSteps(RunServices& s, RunChoices& c) {
    int result = kGoOn;
    QUILLFEN_CO_RUN(lockAndInventory(s, c), result);
    if (result != kGoOn) co_return result;
    QUILLFEN_CO_RUN(convertToSFile(s, c), result);
    if (result != kGoOn) co_return result;
    QUILLFEN_CO_RUN(moveIntoShapes(s), result);
    if (result != kGoOn) co_return result;
    QUILLFEN_CO_RUN(finishShape(s, c), result);
    if (result != kGoOn) co_return result;
    closeRun(s);
    co_return static_cast<int>(RunEnd::Done);
}

void endSequence(RunServices& s) {
    s.host.setCancelEnabled(false);
    s.host.releaseControls();
    s.host.setBusyCursor(false);
    s.host.setBusyDisplay(false);
}

// The cancel end: the converter keeps running; the window is unlocked at once.
void cancelEnd(RunServices& s) {
    s.host.setCancelEnabled(false);
    s.state.gblnAbbruch = false;
    s.host.setBusyDisplay(false);
    s.host.releaseControls();
}

} // namespace

CommandTask runConversion(RunServices services, RunChoices choices) {
    RunServices& s = services;
    // A cancel that came too late for the last run's wait must not end this one.
    s.state.gblnAbbruch = false;
    s.host.setBusyCursor(true);
    s.host.setBusyDisplay(true);
    s.host.lockControls();

    auto end = RunEnd::Failed;
    try {
        int result = 0;
        QUILLFEN_CO_RUN(conversionSteps(s, choices), result);
        end = static_cast<RunEnd>(result);
    } catch (const std::exception& error) {
        logFailure(s, FailedStep::Unexpected, Error{std::string(), error.what()});
    } catch (...) {
        logFailure(s, FailedStep::Unexpected, Error{std::string(), "unknown error"});
    }

    if (end == RunEnd::Cancelled)
        cancelEnd(s);
    else
        endSequence(s);
    co_return static_cast<int>(end);
}

} // namespace quillfen
