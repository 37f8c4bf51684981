// quillfen-cli convert [OPTIONS] [DIR...]: the conversion run of the window's
// button, for each DIR in turn. The folder is prepared as the window load
// would (settings, LOD list with every row checked, proposed s-file name,
// converter search), the run prints its log to stdout as it goes, and the
// settings are written back as the quit would. Every choice of the window is
// an option that overrides the folder's saved value for this run; --save
// keeps the overrides in the folder's settings file too.

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
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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

/// The options given, in command-line order, as changes to the saved choices and this run's own.
using ChoiceChange = std::function<void(SavedSettings&, RunOnlyChoices&)>;

struct ConvertOptions {
    std::vector<std::string> folders{"."};
    std::vector<ChoiceChange> changes;
    bool save = false;
};

void printSearchedPlaces(const std::vector<std::string>& places) {
    for (const auto& place : places) std::cerr << "  searched: " << place << '\n';
}

int convertFolder(const std::string& folder, const ConvertOptions& options) {
    LocalFileSystem files;
    ProgramState state;
    state.gstrProgrammPfad = workingFolderOf(folder);
    SavedSettings settings;
    const auto damage = readSavedSettings(files, state.gstrProgrammPfad, settings);
    SavedSettings forThisRun = settings;
    RunOnlyChoices runOnly;
    for (const auto& change : options.changes) change(forThisRun, runOnly);
    clearTestOptionsWithoutChoice(forThisRun);
    if (damage) {
        // Told in the language asked for: the damaged file's own choice is not known.
        state.gstrSprache =
            forThisRun.cmbLang == static_cast<int>(Language::German) ? Language::German : Language::English;
        printStartupMessage(keepDamagedSettingsAside(state, files));
    }
    ConverterSearchEnvironment environment = systemConverterSearchEnvironment();
    environment.showError = printStartupMessage;
    environment.reportSearched = printSearchedPlaces;
    if (const auto message = startSession(state, forThisRun, files, environment)) {
        printStartupMessage(*message);
        return kExitStartupFailed;
    }
    std::cout << converterInUseLine(state) << '\n';

    ConsoleHost host(std::cout, std::cerr, standardOutputIsTerminal());
    // The settings written at the end: the saved ones, or with --save this run's.
    SavedSettings& kept = options.save ? forThisRun : settings;
    SettingsRunView view(kept);
    SteadyClock clock;
    SystemProcessStarter processes;
    // Every level of detail is converted.
    runOnly.txtSDateiName = BereinigeDateiName(state.gstrSDateiVorschlag);
    runOnly.lodRowChecked.assign(lodListRows(state).size(), true);
    CommandTask run = runConversion(RunServices{state, host, view, files, clock, processes},
                                    runChoicesFrom(forThisRun, runOnly));
    const int end = runToEnd(run, [](double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(std::max(seconds, 0.0)));
    });
    if (Status saved = endSession(state, kept, files); !saved)
        std::cerr << "quillfen-cli: settings not saved: " << saved.error().message() << '\n';
    return end == static_cast<int>(RunEnd::Done) ? kExitDone : kExitRunNotDone;
}

/// An option with a value that changes the choices.
template <class Apply>
CLI::Option* valueOption(CLI::App& command, ConvertOptions& options, const std::string& name,
                         const std::string& help, Apply apply) {
    return command.add_option_function<std::string>(
        name,
        [&options, apply](const std::string& value) {
            options.changes.emplace_back(
                [apply, value](SavedSettings& s, RunOnlyChoices& r) { apply(s, r, value); });
        },
        help);
}

/// "--NAME" ticks a check box, "--no-NAME" clears it.
template <class Apply>
void switchOption(CLI::App& command, ConvertOptions& options, const std::string& name,
                  const std::string& help, Apply apply) {
    command.add_flag_function(
        "--" + name + ",!--no-" + name,
        [&options, apply](std::int64_t count) {
            const int state = count > 0 ? 1 : 0;
            options.changes.emplace_back(
                [apply, state](SavedSettings& s, RunOnlyChoices& r) { apply(s, r, state); });
        },
        help);
}

void setAlternativeTexture(SavedSettings& s, const std::string& choice) {
    s.optNurSommerTextur = choice == "summer";
    s.optSchneeTextur = choice == "snow";
    s.optSchneeUndNachtTextur = choice == "snow-night";
    s.optJahreszeitenTextur = choice == "seasons";
    s.optManuellAlternativTexture =
        !s.optNurSommerTextur && !s.optSchneeTextur && !s.optSchneeUndNachtTextur && !s.optJahreszeitenTextur;
    if (s.optManuellAlternativTexture) s.txtESD_Alter_Tex = choice;
}

void addChoiceOptions(CLI::App& command, ConvertOptions& options) {
    using S = SavedSettings;
    using R = RunOnlyChoices;
    valueOption(command, options, "--lang", "window and log language: english or deutsch",
                [](S& s, R&, const std::string& v) { s.cmbLang = v == "deutsch" ? 1 : 0; })
        ->check(CLI::IsMember({"english", "deutsch"}));
    valueOption(command, options, "--alt-texture",
                "alternative textures: summer, snow, snow-night, seasons, or a number (manual code)",
                [](S& s, R&, const std::string& v) { setAlternativeTexture(s, v); })
        ->check(CLI::IsMember({"summer", "snow", "snow-night", "seasons"}) | CLI::NonNegativeNumber);
    valueOption(command, options, "--mipmap-bias", "mipmap LOD bias written into the s-file (0: none)",
                [](S& s, R&, const std::string& v) { s.cmbMipMap = v; })
        ->check(CLI::Number);
    switchOption(command, options, "ace-uni", "test option: one texture for all (single .ace)",
                 [](S& s, R&, int on) { s.chkAceUni = on, s.chkTestOptionen |= on; });
    switchOption(command, options, "shader-diffuse", "test option: shader Diffuse with a dummy texture",
                 [](S& s, R&, int on) { s.chkShaderDiffuse = on, s.chkTestOptionen |= on; });
    switchOption(command, options, "shader-addatexdiff", "test option: shader AddATexDiff",
                 [](S& s, R&, int on) { s.chkShaderAddATexDiff = on, s.chkTestOptionen |= on; });
    switchOption(command, options, "reference", "write the reference entry AddToRef.txt",
                 [](S& s, R&, int on) { s.chkRefEintrag = on; });
    valueOption(command, options, "--ref-class", "class of the reference entry",
                [](S& s, R&, const std::string& v) { s.txtRefClass = v; });
    valueOption(command, options, "--ref-description", "description of the reference entry",
                [](S& s, R&, const std::string& v) { s.txtRefDescription = v; });
    switchOption(command, options, "bbox", "write the bounding box into the sd-file",
                 [](S& s, R&, int on) { s.chkBoundingBox = on; });
    valueOption(command, options, "--bbox-values", "the six bounding-box values, min x y z, max x y z",
                [](S& s, R&, const std::string& v) { s.BoundingBoxWerte = v; });
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        valueOption(command, options, "--copy" + n,
                    "copy target " + n + (i < 2 ? " (a route folder)" : " (a plain folder)") +
                        ": this folder",
                    [i](S& s, R&, const std::string& v) { s.chkShapeTo[i] = 1, s.lblCopyPfad[i] = v; });
        command.add_flag_function(
            "--no-copy" + n,
            [&options, i](std::int64_t) {
                options.changes.emplace_back([i](S& s, R&) { s.chkShapeTo[i] = 0; });
            },
            "no copy to target " + n);
    }
    switchOption(command, options, "texture-copy", "copy the textures into the route folders too",
                 [](S&, R& r, int on) { r.chkTextureCopy = on; });
    switchOption(command, options, "visible", "show the converter in a terminal window",
                 [](S&, R& r, int on) { r.chkCMD_sichtbar = on; });
}

} // namespace

void addConvertCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand("convert", "Convert the model in each DIR as the window's button "
                                                  "would, with the folder's saved choices");
    auto options = std::make_shared<ConvertOptions>();
    command->add_option("DIR", options->folders, "model folders (default: the current folder)");
    addChoiceOptions(*command, *options);
    command->add_flag("--save", options->save, "also keep the choices given in each folder's Quillfen.ini");
    command->footer("Exit codes: 0 done, 1 a run did not finish (no s-file, cancelled, a failed step), "
                    "2 a folder's start-up check failed or the command line did not fit.");
    command->callback([options, &exitCode] {
        int worst = kExitDone;
        for (const auto& folder : options->folders) worst = std::max(worst, convertFolder(folder, *options));
        exitCode = worst;
    });
}

} // namespace quillfen::cli
