// quillfen-cli convert [--lang deutsch|english] [DIR...]: the conversion run
// of the window's button, for each DIR in turn. The folder is prepared as the
// window load would (settings, LOD list with every row checked, proposed
// s-file name, converter search), the run prints its log to stdout as it
// goes, and the settings are written back as the quit would.

#include "Commands.h"

#include "app/ConverterSearch.h"
#include "app/LodList.h"
#include "app/ProgramState.h"
#include "app/StartupDiscovery.h"
#include "app/StartupMessages.h"
#include "bbox/BoxValidation.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "run/CommandHost.h"
#include "run/ConversionRun.h"
#include "run/ConversionRunConsole.h"
#include "run/RunView.h"
#include "settings/SavedSettings.h"
#include "settings/SettingsReader.h"
#include "sfile/SFileNaming.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
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

std::string utf8Of(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

bool isDriveRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':';
}

/// The folder as the window holds its working directory: absolute, without a
/// trailing separator unless it is a root.
std::string workingDirectoryOf(const std::string& folder) {
    std::error_code ignored;
    const auto absolute = std::filesystem::absolute(
        std::filesystem::path(std::u8string(folder.begin(), folder.end())), ignored);
    std::string path = collapseSeparators(
        toNativeSeparators(absolute.empty() ? folder : utf8Of(absolute.lexically_normal())));
    while (path.size() > 1 && endsWithSeparator(path) && !isDriveRoot(path)) path.pop_back();
    return path;
}

SavedSettings readSavedSettings(const FileSystem& files, const std::string& folder) {
    SavedSettings settings;
    if (const auto applications = readSettingsFile(files, settingsFilePath(folder)))
        applySettings(*applications, settings);
    // The window load clears the test-options switch when none of its options is ticked.
    if (settings.chkAceUni == 0 && settings.chkShaderDiffuse == 0 && settings.chkShaderAddATexDiff == 0)
        settings.chkTestOptionen = 0;
    return settings;
}

RunChoices choicesFrom(const SavedSettings& settings, const ProgramState& state) {
    RunChoices choices;
    choices.txtSDateiName = BereinigeDateiName(state.gstrSDateiName);
    choices.lodRowChecked.assign(lodListRows(state).size(), true);
    choices.chkCMD_sichtbar = 0; // nobody watches a console window here
    choices.optNurSommerTextur = settings.optNurSommerTextur;
    choices.optSchneeTextur = settings.optSchneeTextur;
    choices.optSchneeUndNachtTextur = settings.optSchneeUndNachtTextur;
    choices.optJahreszeitenTextur = settings.optJahreszeitenTextur;
    choices.optManuellAlternativTexture = settings.optManuellAlternativTexture;
    choices.txtESD_Alter_Tex = settings.txtESD_Alter_Tex;
    choices.chkBoundingBox = settings.chkBoundingBox;
    choices.txtBBoxInput = settings.BoundingBoxWerte;
    choices.txtBBox = boxDisplayLine(settings.BoundingBoxWerte);
    choices.chkAceUni = settings.chkAceUni;
    choices.chkShaderDiffuse = settings.chkShaderDiffuse;
    choices.chkShaderAddATexDiff = settings.chkShaderAddATexDiff;
    choices.chkShapeTo = settings.chkShapeTo;
    choices.lblCopyPfad = settings.lblCopyPfad;
    choices.chkRefEintrag = settings.chkRefEintrag;
    choices.txtRefClass = settings.txtRefClass;
    choices.txtRefDescription = settings.txtRefDescription;
    choices.cmbMipMap = settings.cmbMipMap;
    return choices;
}

void printStartupMessage(const StartupMessage& message) {
    if (!message.title.empty()) std::cerr << message.title << ":\n";
    std::cerr << terminalText(message.text) << '\n';
}

/// What the quit does: normalised box values and the converter path saved,
/// and a converter that was not beside the program at start removed again.
void quit(ProgramState& state, FileSystem& files, SavedSettings& settings) {
    settings.BoundingBoxWerte = validiereBoundingBox(settings.BoundingBoxWerte, state.gintNachkommastellen);
    settings.conv3dsPfad = state.gstrConv3dsPfad;
    if (Status written = writeSettingsFile(files, settingsFilePath(state.gstrProgrammPfad), settings);
        !written)
        std::cerr << "quillfen-cli: settings not saved: " << written.error().message() << '\n';
    const std::string besideProgram = joinPath(state.gstrProgrammPfad, "conv3ds.exe");
    if (!state.gblnConv3dsBeimProgramm && files.fileExists(besideProgram)) {
        if (Status deleted = files.deleteFile(besideProgram); !deleted)
            std::cerr << "quillfen-cli: " << deleted.error().message() << '\n';
    }
}

int convertFolder(const std::string& folder, const std::string& languageOverride) {
    LocalFileSystem files;
    ProgramState state;
    state.gstrProgrammPfad = workingDirectoryOf(folder);
    SavedSettings settings = readSavedSettings(files, state.gstrProgrammPfad);
    state.gstrSprache = settings.cmbLang == 1 ? kLanguageGerman : kLanguageEnglish;
    if (!languageOverride.empty()) state.gstrSprache = languageOverride;
    state.gstrConv3dsPfad = settings.conv3dsPfad;
    setStartupMessageTexts(state);

    if (const auto message = runStartupDiscovery(state, files)) {
        printStartupMessage(*message);
        return kExitStartupFailed;
    }
    ConverterSearchEnvironment environment = systemConverterSearchEnvironment();
    environment.showError = printStartupMessage;
    if (const auto message = findConverter(state, files, environment)) {
        printStartupMessage(*message);
        return kExitStartupFailed;
    }

    ConsoleHost host(std::cout, std::cerr, standardOutputIsTerminal());
    SettingsRunView view(settings);
    SteadyClock clock;
    SystemProcessStarter processes;
    CommandTask run =
        runConversion(RunServices{state, host, view, files, clock, processes}, choicesFrom(settings, state));
    const int end = runToEnd(run, [](double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(std::max(seconds, 0.0)));
    });
    quit(state, files, settings);
    return end == static_cast<int>(RunEnd::Done) ? kExitDone : kExitRunNotDone;
}

constexpr const char* kConvertUsage = "Usage: quillfen-cli convert [--lang deutsch|english] [DIR...]\n";

} // namespace

int runConvert(const Arguments& args) {
    std::string language;
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang") {
            if (i + 1 >= args.size() || (args[i + 1] != kLanguageGerman && args[i + 1] != kLanguageEnglish)) {
                std::cerr << kConvertUsage;
                return kExitStartupFailed;
            }
            language = args[++i];
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
