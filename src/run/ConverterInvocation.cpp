#include "run/ConverterInvocation.h"

#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "run/ConversionRunTexts.h"

#include <algorithm>

namespace quillfen {

std::string converterOutputPath(const ProgramState& state) {
    return state.gstrProgrammPfad + kSep + state.gstrSDateiName;
}

std::vector<std::string> buildConverterFileArguments(ProgramState& state,
                                                     const std::vector<bool>& rowChecked) {
    std::vector<std::string> paths;
    std::string text;
    for (std::size_t i = 1; i < state.gstrArrLODDateien.size(); ++i) {
        const std::string& name = state.gstrArrLODDateien[i];
        const std::size_t row = i - 1;
        // An empty row stands for a 3DS file without distance: never passed on.
        if (name.empty() || row >= rowChecked.size() || !rowChecked[row]) continue;
        const std::string path = state.gstrProgrammPfad + kSep + name;
        text += " \"" + path + "\"";
        paths.push_back(path);
    }
    state.gstrArrLODDateien.front() = trimBlanks(text);
    return paths;
}

bool checkConverterPresent(ProgramState& state, CommandHost& host, const FileSystem& fileSystem) {
    if (fileSystem.fileExists(state.gstrConv3dsPfad)) return true;
    // The messages name the converter's place beside the program, whichever path was tested.
    const std::string besideProgram = state.gstrProgrammPfad + kSep + "conv3ds.exe";
    host.log(texts::kSeparatorLine);
    host.showMessage(texts::kProgramName, state.pick("Quillfen kann die Konverter-Datei nicht finden!",
                                                     "Quillfen can't find converter file!") +
                                              "\r\n\r\n" + besideProgram);
    host.log(besideProgram);
    logPick(state, host, "Quillfen kann die Konverter-Datei 'conv3ds.exe' nicht finden im Pfad:",
            "Quillfen can't find converter file 'conv3ds.exe' in path:");
    host.log(texts::kSeparatorLine);
    host.setCancelEnabled(false);
    state.gblnAbbruch = false;
    return false;
}

namespace {

void logLaunchProblem(const ProgramState& state, CommandHost& host, const LaunchResult& launched) {
    switch (launched.problem) {
    case LaunchProblem::WineMissing:
        logPick(state, host,
                "•wine nicht gefunden: " + launched.error.path +
                    " ist ein Windows-Programm und braucht 'wine' im Suchpfad (PATH)",
                "•wine not found: " + launched.error.path +
                    " is a Windows program and needs 'wine' on the search path (PATH)");
        break;
    case LaunchProblem::TerminalMissing:
        logPick(
            state, host,
            "•kein Terminal für die sichtbare Konverter-Ausgabe gefunden ($TERMINAL, x-terminal-emulator, "
            "xterm)",
            "•no terminal found to show the converter ($TERMINAL, x-terminal-emulator, xterm)");
        break;
    case LaunchProblem::StartFailed:
    case LaunchProblem::None:
        logPick(state, host, "•Konverter kann nicht gestartet werden: " + launched.error.message(),
                "•can't start the converter: " + launched.error.message());
        break;
    }
}

} // namespace

bool startConverter(const ProgramState& state, CommandHost& host, const FileSystem& fileSystem,
                    ProcessStarter& processes, const std::vector<std::string>& lodPaths, bool visible) {
    ConverterLaunch launch;
    launch.converterPath = state.gstrConv3dsPfad;
    const auto shortPath = fileSystem.shortPath(state.gstrConv3dsPfad);
    launch.converterShortPath = shortPath.ok() ? shortPath.value() : state.gstrConv3dsPfad;
    launch.arguments.push_back(converterOutputPath(state));
    launch.arguments.insert(launch.arguments.end(), lodPaths.begin(), lodPaths.end());
    launch.visible = visible;

    const LaunchResult launched = processes.startConverter(launch);
    if (!launched.started()) {
        logLaunchProblem(state, host, launched);
        return false;
    }
    // Logged bottom-up, so that the caption stands above the command line.
    host.log(launched.shownCommand);
    logPick(state, host, "•Konverter-Start mit cmd-Befehlszeile:", "•Converter starts with cmd-command:");
    host.log(texts::kSeparatorLine);
    return true;
}

std::string waitProgressLine(const ProgramState& state, int slices, char decimalSeparator) {
    const std::string seconds = formatShortest(static_cast<double>(slices) / 10.0, decimalSeparator);
    const std::string quotedName = "\"" + state.gstrSDateiName + "\"";
    return state.pick("•conv3ds.exe erzeugt s-Datei: " + quotedName + " in " + seconds + " Sekunden.",
                      "•conv3ds.exe creates s-file: " + quotedName + " in " + seconds + " seconds.");
}

CommandTask waitForConverterOutput(ProgramState& state, CommandHost& host, const FileSystem& fileSystem,
                                   const Clock& clock, char decimalSeparator) {
    const std::string output = converterOutputPath(state);
    const std::string snapshot = host.logText();
    int slices = 0;
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
                co_return static_cast<int>(WaitEnd::Cancelled);
            }
        }
        co_await yieldFor(0);
        host.setLogText(waitProgressLine(state, slices, decimalSeparator) + "\r\n" + snapshot);
        if (fileSystem.fileExists(output)) co_return static_cast<int>(WaitEnd::FileFound);
        if (slices >= kWaitSliceLimit) co_return static_cast<int>(WaitEnd::LimitReached);
    }
}

void showConversionFailure(CommandHost& host) {
    host.showMessage(
        texts::kProgramName,
        "Shape konnte nicht erzeugt werden! Der Konverter 'conv3ds.exe' kommt mit der '*.3ds'-Datei "
        "nicht klar!\r\nMaterialien (SOLIDNORM / TRANSNORM etc.) in 3dsmax? Verknüpfungs-Struktur "
        "gesetzt in 3dsmax?");
}

void showCrashDiagnosis(const ProgramState& state, CommandHost& host) {
    const std::string gap = "\r\n\r\n";
    if (state.isGerman())
        host.showMessage("Ist conv3ds.exe abgestürtzt?",
                         "Falls conv3ds.exe abgestürtzt ist, enthält möglicherweise eine der" + gap +
                             "LOD-3ds-Dateien den Materialnamen-Zusatz \"+1s\" ?" + gap +
                             "Falls das zutrifft, ändern Sie den Zusatz in \"+1\" .");
    if (state.isEnglish())
        host.showMessage("Is conv3ds.exe crashed?",
                         "If conv3ds.exe crashed, one of the LOD-3ds files may contain" + gap +
                             "the material name suffix \"+1s\" ?" + gap +
                             "If so, change the material suffix to \"+1\" .");
}

} // namespace quillfen
