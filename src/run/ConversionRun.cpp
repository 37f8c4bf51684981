#include "run/ConversionRun.h"

#include "app/FolderListing.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "run/ConversionRunSteps.h"
#include "run/ConverterInvocation.h"
#include "run/RunTexts.h"
#include "sfile/SFileNaming.h"

#include <exception>

namespace quillfen {

namespace {

/// The result of a stage that lets the run go on to the next one.
constexpr int kGoOn = -1;

constexpr int ended(RunEnd end) {
    return static_cast<int>(end);
}

/// Confirming waits for operations the file system performs at once: a wait
/// that runs longer than this means something holds the file or folder.
constexpr double kConfirmLimitSeconds = 30.0;

void logTimeout(const RunServices& s, const std::string& path) {
    s.host.log(s.state.text(TextId::LogNotReadyAfter30s) + path);
}

/// Lists what the working folder holds, so the log shows what the run starts from.
void logInventory(const RunServices& s) {
    s.host.log(kSeparatorLine);
    for (const std::string& name : s.state.listedFiles()) {
        const std::string upper = toUpperLatin1(name);
        // Anywhere in the name, not only at its end: model.sd counts as an s-file.
        if (upper.find(".3DS") != std::string::npos) s.host.log(s.state.text(TextId::LogFound3ds) + name);
        if (upper.find(".ACE") != std::string::npos) s.host.log(s.state.text(TextId::LogFoundTexture) + name);
        if (upper.find(".S") != std::string::npos) s.host.log(s.state.text(TextId::LogFoundSFile) + name);
    }
    s.host.log(kSeparatorLine);
}

/// Validates the box values and reads the working folder anew.
CommandTask prepare(RunServices& s, RunChoices& c) {
    validateBoundingBoxForRun(s, c);
    if (Status listed = LiesDateiFeld(s.state, s.fileSystem, s.state.gstrProgrammPfad, "Suffix"); !listed) {
        logFailure(s, FailedStep::ReadFolder, listed.error());
        co_return ended(RunEnd::Failed);
    }
    logInventory(s);
    co_await yieldFor(0);
    co_return kGoOn;
}

/// Starts the converter on the checked LOD files and waits for its s-file.
CommandTask convertToSFile(RunServices& s, const ShapePaths& paths, const RunChoices& c) {
    // The converter's output is recognised by this file appearing, so a stale copy must go.
    if (s.fileSystem.fileExists(paths.converterOutput)) {
        if (Status deleted = s.fileSystem.deleteFile(paths.converterOutput); !deleted) {
            logFailure(s, FailedStep::DeleteStaleSFile, deleted.error());
            co_return ended(RunEnd::Failed);
        }
    }
    const std::vector<std::string> lodPaths = converterFileArguments(s.state, c.lodRowChecked);
    s.host.setCancelEnabled(true);
    s.host.setBusyCursor(false);
    co_await yieldFor(0);

    if (!checkConverterPresent(s.state, s.host, s.fileSystem)) co_return ended(RunEnd::ConverterMissing);
    auto workplace = converterWorkplace(s.state, paths, s.host, s.fileSystem, lodPaths);
    const auto converter = workplace
                               ? startConverter(s.state, workplace->output, s.host, s.fileSystem, s.processes,
                                                workplace->lodPaths, c.chkCMD_sichtbar != 0)
                               : std::nullopt;
    if (!converter) {
        s.host.setCancelEnabled(false);
        co_return ended(RunEnd::ConverterNotStarted);
    }
    ShapePaths awaited = paths;
    awaited.converterOutput = workplace->output;
    const WaitEnd waited = co_await waitForConverterOutput(s.state, awaited, s.host, s.fileSystem, s.clock,
                                                           s.decimalSeparator, converter->get());
    if (waited == WaitEnd::Cancelled) co_return ended(RunEnd::Cancelled);
    if (waited == WaitEnd::FileFound && workplace->plainFolder) {
        // Complete within two seconds of its appearance, then where the run expects it.
        const double pauseEnd = s.clock.now() + 2.0;
        while (s.clock.now() < pauseEnd) co_await yieldFor(pauseEnd - s.clock.now());
        if (Status copied = s.fileSystem.copyFileTo(workplace->output, paths.converterOutput); !copied) {
            logFailure(s, FailedStep::MoveSFile, copied.error());
            co_return ended(RunEnd::Failed);
        }
    }

    s.host.setCancelEnabled(false);
    s.host.setBusyCursor(true);
    if (!s.fileSystem.fileExists(paths.converterOutput)) {
        if (waited == WaitEnd::ConverterEnded) logConverterEnd(s.state, s.host, (*converter)->look());
        showConversionFailure(s.state, s.host);
        s.host.setBusyCursor(false);
        co_return ended(RunEnd::NoSFile);
    }
    co_return kGoOn;
}

/// Waits, yielding, until `condition()` holds or the confirm limit passed;
/// logs the path that did not get ready.
template <class Condition>
Task<bool> confirmed(const RunServices& s, const std::string& path, Condition condition) {
    const bool ready = co_await waitUntil(s.clock, kConfirmLimitSeconds, condition);
    if (!ready) logTimeout(s, path);
    co_return ready;
}

/// Puts the new s-file into SHAPES, replacing an old one there.
CommandTask moveIntoShapes(RunServices& s, const ShapePaths& paths) {
    FileSystem& files = s.fileSystem;
    s.host.log("\r\n" + kSeparatorLine);
    co_await yieldFor(0);

    if (!files.folderExists(paths.shapesFolder)) {
        if (Status created = files.createFolder(paths.shapesFolder); !created) {
            logFailure(s, FailedStep::CreateShapes, created.error());
            co_return ended(RunEnd::Failed);
        }
    }
    if (!co_await confirmed(s, paths.shapesFolder, [&] { return files.folderExists(paths.shapesFolder); }))
        co_return ended(RunEnd::Failed);
    s.host.log(s.state.text(TextId::LogShapesCreated));

    // The old s-file stays until the new one replaces it in one step below, so
    // that SHAPES holds a whole shape at every moment, also when the run is
    // killed; the log reports the old one's end where it always did. A SHAPES
    // that links elsewhere is written into but not cleaned.
    if (files.isLink(paths.shapesFolder))
        s.host.log(s.state.text(TextId::LogFolderIsLink, {"SHAPES"}));
    else if (files.fileExists(paths.sFile))
        s.host.log(s.state.text(TextId::LogOldShapesSFileDeleted));
    if (!co_await confirmed(s, paths.converterOutput,
                            [&] { return files.fileExists(paths.converterOutput); }))
        co_return ended(RunEnd::Failed);

    // The converter must have finished writing the file within two seconds of its appearance.
    const double pauseEnd = s.clock.now() + 2.0;
    while (s.clock.now() < pauseEnd) co_await yieldFor(pauseEnd - s.clock.now());

    if (Status moved = files.moveFileOver(paths.converterOutput, paths.sFile); !moved) {
        logFailure(s, FailedStep::MoveSFile, moved.error());
        showCrashDiagnosis(s.state, s.host);
        co_return ended(RunEnd::MoveFailed);
    }
    s.host.log(s.state.text(TextId::LogNewSFileMoved));
    if (!co_await waitUntil(s.clock, 10.0, [&] { return files.fileExists(paths.sFile); }))
        co_return ended(RunEnd::MovedFileNotVisible);
    co_return kGoOn;
}

/// The textures made from pictures, the sd-file, the s-file edits, the textures, the copies and the
/// reference entry.
CommandTask finishShape(RunServices& s, const ShapePaths& paths, const RunChoices& c) {
    co_await yieldFor(0);
    if (!makeMissingTexturesForRun(s, paths)) co_return ended(RunEnd::Failed);
    co_await yieldFor(0);
    if (!writeSdFileForRun(s, paths, c)) co_return ended(RunEnd::Failed);
    if (!editSFileForRun(s, paths, c)) co_return ended(RunEnd::Failed);
    if (!copyToTargetsForRun(s, paths, c)) co_return ended(RunEnd::Failed);
    co_await yieldFor(0);
    if (!writeReferenceEntryForRun(s, paths, c)) co_return ended(RunEnd::Failed);
    co_await yieldFor(0);
    co_return kGoOn;
}

/// An empty TEXTURES goes (never one that links elsewhere); "Done!".
void closeRun(RunServices& s, const ShapePaths& paths) {
    if (s.fileSystem.folderExists(paths.texturesFolder) && !s.fileSystem.isLink(paths.texturesFolder)) {
        const auto files = s.fileSystem.listFiles(paths.texturesFolder);
        const auto folders = s.fileSystem.listFolders(paths.texturesFolder);
        if (files.ok() && folders.ok() && files->empty() && folders->empty()) {
            if (!s.fileSystem.removeEmptyFolder(paths.texturesFolder))
                s.host.log(s.state.text(TextId::LogTexturesNotDeleted));
        }
    }
    s.host.log(s.state.text(TextId::LogDone));
}

CommandTask conversionSteps(RunServices& s, RunChoices& c) {
    const ShapePaths paths = ShapePaths::of(s.state.gstrProgrammPfad, MitEndungS(c.txtSDateiName));
    if (const int result = co_await prepare(s, c); result != kGoOn) co_return result;
    if (const int result = co_await convertToSFile(s, paths, c); result != kGoOn) co_return result;
    if (const int result = co_await moveIntoShapes(s, paths); result != kGoOn) co_return result;
    if (const int result = co_await finishShape(s, paths, c); result != kGoOn) co_return result;
    closeRun(s, paths);
    co_return ended(RunEnd::Done);
}

void endSequence(RunServices& s) {
    s.host.setCancelEnabled(false);
    s.host.releaseControls();
    s.host.setBusyCursor(false);
    s.host.setBusyDisplay(false);
}

/// The cancel end: the converter keeps running; the window is unlocked at once.
void cancelEnd(RunServices& s) {
    s.host.setCancelEnabled(false);
    s.host.setBusyDisplay(false);
    s.host.releaseControls();
}

} // namespace

CommandTask runConversion(RunServices services, RunChoices choices) {
    RunServices& s = services;
    // One run at a time in a model folder (two windows, a window and a batch
    // job): the second is refused at once. The lock is the system's, so a
    // killed run leaves none; where the folder cannot hold one, the run goes on.
    const auto folderLock = FolderLock::tryLock(s.state.gstrProgrammPfad);
    if (!folderLock && FolderLock::isHeldElsewhere(folderLock.error())) {
        s.host.showMessage(kProgramName, s.state.text(TextId::MessageFolderBusy, {s.state.gstrProgrammPfad}));
        co_return ended(RunEnd::FolderBusy);
    }
    // A cancel that came too late for the last run's wait must not end this one.
    s.state.gblnAbbruch = false;
    s.host.setBusyCursor(true);
    s.host.setBusyDisplay(true);
    s.host.lockControls();

    auto end = RunEnd::Failed;
    try {
        end = static_cast<RunEnd>(co_await conversionSteps(s, choices));
    } catch (const std::exception& error) {
        logFailure(s, FailedStep::Unexpected, Error{std::string(), error.what()});
    } catch (...) {
        logFailure(s, FailedStep::Unexpected, Error{std::string(), "unknown error"});
    }

    if (end == RunEnd::Cancelled)
        cancelEnd(s);
    else
        endSequence(s);
    co_return ended(end);
}

} // namespace quillfen
