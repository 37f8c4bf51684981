// quillfen-cli lods [DIR]: the LOD list and the proposed s-file name, as the
// window shows them when it starts in DIR.

#include "Commands.h"

#include "app/LodList.h"
#include "app/ProgramState.h"
#include "app/StartupDiscovery.h"
#include "app/StartupMessages.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsReader.h"

#include <filesystem>
#include <iostream>
#include <string>

namespace quillfen::cli {

namespace {

std::string utf8Of(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

std::filesystem::path pathOfUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

bool isDriveRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':';
}

/// The folder as the window holds its working directory: absolute, without a
/// trailing separator unless it is a root.
std::string workingDirectoryOf(const std::string& folder) {
    std::error_code ignored;
    const auto absolute = folder.empty()
                              ? std::filesystem::current_path(ignored)
                              : std::filesystem::absolute(pathOfUtf8(folder), ignored).lexically_normal();
    std::string path = collapseSeparators(toNativeSeparators(absolute.empty() ? folder : utf8Of(absolute)));
    while (path.size() > 1 && endsWithSeparator(path) && !isDriveRoot(path)) path.pop_back();
    return path;
}

/// The language the folder's settings file selects (its last valid
/// `cmbLang` line); English without one.
std::string languageFromSettings(const FileSystem& fileSystem, const std::string& folder) {
    std::string language = kLanguageEnglish;
    const auto applications = readSettingsFile(fileSystem, settingsFilePath(folder));
    if (!applications) return language;
    for (const auto& application : *applications) {
        if (application.key != setting_key::cmbLang) continue;
        const auto index = settingInteger(application.value);
        if (index == 0) language = kLanguageEnglish;
        if (index == 1) language = kLanguageGerman;
    }
    return language;
}

/// A message box text for the terminal: each CR a line break, ending with one.
std::string asTerminalLines(const std::string& text) {
    std::string lines = replaceAll(text, "\r", "\n");
    if (lines.empty() || lines.back() != '\n') lines += '\n';
    return lines;
}

} // namespace

int runLods(const Arguments& args) {
    if (args.size() > 1) {
        std::cerr << "quillfen-cli lods: expects at most one folder\n";
        return 2;
    }
    const LocalFileSystem fileSystem;
    ProgramState state;
    state.gstrProgrammPfad = workingDirectoryOf(args.empty() ? std::string() : args.front());
    state.gstrSprache = languageFromSettings(fileSystem, state.gstrProgrammPfad);
    setStartupMessageTexts(state);

    if (const auto message = runStartupDiscovery(state, fileSystem)) {
        std::cerr << asTerminalLines(message->text);
        return 2;
    }
    for (const auto& row : lodListRows(state)) std::cout << row.text << '\n';
    std::cout << "proposal: " << state.gstrSDateiVorschlag << '\n';
    return 0;
}

} // namespace quillfen::cli
