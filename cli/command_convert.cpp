// quillfen-cli convert [--lang deutsch|english] [DIR...]: the conversion run
// of the window's button, for each DIR in turn. The folder is prepared as the
// window load would (settings, LOD list with every row checked, proposed
// s-file name, converter search), the run prints its log to stdout as it
// goes, and the settings are written back as the quit would.

#include "Commands.h"

#include "app/LodList.h"
#include "app/Session.h"
#include "core/ProgramState.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "run/ConversionRun.h"
#include "run/ConversionRunConsole.h"
#include "run/RunView.h"
#include "sfile/SFileNaming.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

namespace quillfen::cli {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitRunNotDone = 1;
constexpr int kExitStartupFailed = 2;

/// A message text as terminal lines: CR LF and lone CRs become line ends.
std::string terminalText(const std::string& text) {
    return replaceAll(replaceAll(text, "\r\n", "\n"), "\r", "\n");
}

/// Keeps the normalised bounding-box values for the settings written at the end.
class SettingsRunView final : public RunView {
public:
    explicit SettingsRunView(SavedSettings& settings) : m_settings(settings) {}
    void showBoundingBox(const std::string& input, const std::string& /*displayLine*/) override {
        m_settings.BoundingBoxWerte = input;
    }

private:
    SavedSettings& m_settings;
};

void printStartupMessage(const StartupMessage& message) {
    if (!message.title.empty()) std::cerr << message.title << ":\n";
    std::cerr << terminalText(message.text) << '\n';
}

int convertFolder(const std::string& folder, std::optional<Language> languageOverride) {
    LocalFileSystem files;
    ProgramState state;
    state.gstrProgrammPfad = workingFolderOf(folder);
    SavedSettings settings;
    readSavedSettings(files, state.gstrProgrammPfad, settings);
    // The language asked for holds for this run; the settings file keeps its own.
    SavedSettings forThisRun = settings;
    if (languageOverride) forThisRun.cmbLang = static_cast<int>(*languageOverride);
    ConverterSearchEnvironment environment = systemConverterSearchEnvironment();
    environment.showError = printStartupMessage;
    if (const auto message = startSession(state, forThisRun, files, environment)) {
        printStartupMessage(*message);
        return kExitStartupFailed;
    }
    std::cout << converterInUseLine(state) << '\n';

    ConsoleHost host(std::cout, std::cerr, standardOutputIsTerminal());
    SettingsRunView view(settings);
    SteadyClock clock;
    SystemProcessStarter processes;
    // Nobody watches a console window here, and every level of detail is converted.
    RunOnlyChoices runOnly;
    runOnly.txtSDateiName = BereinigeDateiName(state.gstrSDateiVorschlag);
    runOnly.lodRowChecked.assign(lodListRows(state).size(), true);
    CommandTask run = runConversion(RunServices{state, host, view, files, clock, processes},
                                    runChoicesFrom(settings, runOnly));
    const int end = runToEnd(run, [](double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(std::max(seconds, 0.0)));
    });
    if (Status saved = endSession(state, settings, files); !saved)
        std::cerr << "quillfen-cli: settings not saved: " << saved.error().message() << '\n';
    return end == static_cast<int>(RunEnd::Done) ? kExitDone : kExitRunNotDone;
}

constexpr const char* kConvertUsage = "Usage: quillfen-cli convert [--lang deutsch|english] [DIR...]\n";

} // namespace

int runConvert(const Arguments& args) {
    std::optional<Language> language;
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang") {
            language = i + 1 < args.size() ? languageNamed(args[i + 1]) : std::nullopt;
            if (!language) {
                std::cerr << kConvertUsage;
                return kExitStartupFailed;
            }
            ++i;
        } else {
            folders.push_back(args[i]);
        }
    }
    if (folders.empty()) folders.push_back(".");

    int worst = kExitDone;
    for (const auto& folder : folders) worst = std::max(worst, convertFolder(folder, language));
    return worst;
}

} // namespace quillfen::cli
