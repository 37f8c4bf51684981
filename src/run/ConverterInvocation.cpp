#include "run/ConverterInvocation.h"

#include "platform/CodePage.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "run/RunTexts.h"

#include <algorithm>

namespace quillfen {

std::vector<std::string> converterFileArguments(const ProgramState& state,
                                                const std::vector<bool>& rowChecked) {
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < state.gstrArrLODDateien.size(); ++i) {
        const std::string& name = state.gstrArrLODDateien[i];
        const std::size_t row = i - 1;
        // An empty row stands for a 3DS file without distance: never passed on.
        if (name.empty() || row >= rowChecked.size() || !rowChecked[row]) continue;
        paths.push_back(state.gstrProgrammPfad + kSep + name);
    }
    return paths;
}

bool checkConverterPresent(const ProgramState& state, CommandHost& host, const FileSystem& fileSystem) {
    if (fileSystem.fileExists(state.gstrConv3dsPfad)) return true;
    // The messages name the converter's place beside the program, whichever path was tested.
    const std::string besideProgram = state.gstrProgrammPfad + kSep + "conv3ds.exe";
    host.log(kSeparatorLine);
    host.showMessage(kProgramName, state.text(TextId::MessageConverterMissing) + "\r\n\r\n" + besideProgram);
    host.log(besideProgram);
    host.log(state.text(TextId::LogConverterMissing));
    host.log(kSeparatorLine);
    host.setCancelEnabled(false);
    return false;
}

namespace {

void logLaunchProblem(const ProgramState& state, CommandHost& host, const LaunchResult& launched) {
    switch (launched.problem) {
    case LaunchProblem::WineMissing:
        host.log(state.text(TextId::LogWineMissing, {launched.error.path}));
        break;
    case LaunchProblem::TerminalMissing:
        host.log(state.text(TextId::LogTerminalMissing));
        break;
    case LaunchProblem::StartFailed:
    case LaunchProblem::NoWineDrive:
    case LaunchProblem::None:
        host.log(state.text(TextId::LogConverterNotStarted) + launched.error.message());
        break;
    }
}

/// The first path a Windows converter would receive garbled, or nullptr.
const std::string* pathOutsideCodePage(const std::string& converter, const std::vector<std::string>& paths,
                                       int codePage) {
    if (!takesCodePageArguments(converter)) return nullptr;
    for (const auto& path : paths)
        if (!fitsCodePage(path, codePage)) return &path;
    return nullptr;
}

} // namespace

std::optional<ConverterWorkplace> converterWorkplace(const ProgramState& state, const ShapePaths& paths,
                                                     CommandHost& host, FileSystem& fileSystem,
                                                     const std::vector<std::string>& lodPaths) {
    ConverterWorkplace workplace{std::nullopt, paths.converterOutput, lodPaths};
    std::vector<std::string> all = lodPaths;
    all.push_back(paths.converterOutput);
    const int codePage = converterCodePage();
    const std::string* garbled = pathOutsideCodePage(state.gstrConv3dsPfad, all, codePage);
    if (garbled == nullptr) return workplace;
    const auto fits = [codePage](std::string_view text) { return fitsCodePage(text, codePage); };
    auto plain = PlainNameFolder::make(fileSystem, temporaryFolder(), lodPaths, paths.sFileName, fits);
    if (!plain) {
        host.log(state.text(TextId::LogPathNotInCodePage, {*garbled, std::to_string(codePage)}));
        return std::nullopt;
    }
    host.log(state.text(TextId::LogConverterInPlainFolder, {plain->folder(), std::to_string(codePage)}));
    workplace.output = plain->outputPath();
    workplace.lodPaths = plain->lodPaths();
    workplace.plainFolder.emplace(std::move(*plain));
    return workplace;
}

std::optional<std::shared_ptr<WatchedProcess>>
startConverter(const ProgramState& state, const std::string& output, CommandHost& host,
               const FileSystem& fileSystem, ProcessStarter& processes,
               const std::vector<std::string>& lodPaths, bool visible) {
    ConverterLaunch launch;
    launch.converterPath = state.gstrConv3dsPfad;
    const auto shortPath = fileSystem.shortPath(state.gstrConv3dsPfad);
    launch.converterShortPath = shortPath.ok() ? shortPath.value() : state.gstrConv3dsPfad;
    launch.arguments.push_back(output);
    launch.arguments.insert(launch.arguments.end(), lodPaths.begin(), lodPaths.end());
    launch.visible = visible;

    LaunchResult launched = processes.startConverter(launch);
    if (launched.problem == LaunchProblem::TerminalMissing) {
        // Without a terminal to show it, the converter still does its work.
        host.log(state.text(TextId::LogTerminalMissing));
        launch.visible = false;
        launched = processes.startConverter(launch);
    }
    if (!launched.started()) {
        logLaunchProblem(state, host, launched);
        return std::nullopt;
    }
    // Logged bottom-up, so that the caption stands above the command line.
    host.log(launched.shownCommand);
    host.log(state.text(TextId::LogConverterCommand));
    host.log(kSeparatorLine);
    return launched.process;
}

std::string waitProgressLine(const ProgramState& state, const std::string& sFileName, int slices,
                             char decimalSeparator) {
    const std::string seconds = formatShortest(static_cast<double>(slices) / 10.0, decimalSeparator);
    return state.text(TextId::LogConverterProgress, {"\"" + sFileName + "\"", seconds});
}

Task<WaitEnd> waitForConverterOutput(ProgramState& state, const ShapePaths& paths, CommandHost& host,
                                     const FileSystem& fileSystem, const Clock& clock, char decimalSeparator,
                                     WatchedProcess* converter) {
    const std::string& output = paths.converterOutput;
    const std::string snapshot = host.logText();
    int slices = 0;
    std::optional<double> endSeenAt;
    for (;;) {
        ++slices;
        const double sliceEnd = clock.now() + kWaitSliceSeconds;
        // Within a slice: look for the file, and between looks sleep on the
        // event loop until the slice is over (or something wakes the run).
        while (clock.now() < sliceEnd) {
            if (fileSystem.fileExists(output)) break;
            co_await yieldFor(std::max(sliceEnd - clock.now(), 0.001));
            if (state.gblnAbbruch) {
                state.gblnAbbruch = false;
                co_return WaitEnd::Cancelled;
            }
        }
        co_await yieldFor(0);
        host.setLogText(waitProgressLine(state, paths.sFileName, slices, decimalSeparator) + "\r\n" +
                        snapshot);
        if (fileSystem.fileExists(output)) co_return WaitEnd::FileFound;
        if (slices >= kWaitSliceLimit) co_return WaitEnd::LimitReached;
        // A converter that ended may still have its file appear a moment later.
        if (!endSeenAt && converter != nullptr && !converter->look().running) endSeenAt = clock.now();
        if (endSeenAt && clock.now() - *endSeenAt >= kConverterEndGraceSeconds)
            co_return WaitEnd::ConverterEnded;
    }
}

void logConverterEnd(const ProgramState& state, CommandHost& host, const ProcessStatus& status) {
    const std::string code = std::to_string(status.exitCode);
    if (status.lastOutputLines.empty()) {
        host.log(state.text(TextId::LogConverterEnded, {code}));
        return;
    }
    std::string lines;
    for (const auto& line : status.lastOutputLines) lines += (lines.empty() ? "" : " | ") + line;
    host.log(state.text(TextId::LogConverterEndedWithOutput, {code, lines}));
}

void showConversionFailure(const ProgramState& state, CommandHost& host) {
    host.showMessage(state.text(TextId::MessageConversionFailedTitle),
                     state.text(TextId::MessageConversionFailed));
}

void showCrashDiagnosis(const ProgramState& state, CommandHost& host) {
    host.showMessage(state.text(TextId::MessageCrashTitle), state.text(TextId::MessageCrash));
}

} // namespace quillfen
