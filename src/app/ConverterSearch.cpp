#include "app/ConverterSearch.h"

#include "app/StartupMessages.h"

#include "platform/Paths.h"
#include "platform/RunningProgram.h"
#include "platform/SpecialFolders.h"
#include "platform/Text.h"
#include "settings/ProgramSettingsStore.h"
#include "settings/clsGSRegistry.h"

#include <exception>
#include <string_view>
#include <system_error>

namespace quillfen {

namespace {

constexpr const char* kConverterName = "conv3ds.exe";
/// The installed converter relative to the installed programs' folder, as the
/// build's install layout has it.
constexpr std::string_view kInstalledConverter = QUILLFEN_INSTALLED_CONVERTER;
constexpr long kTypeMismatch = 13;

/// A path as stored by Windows programs, as a path of this machine.
std::string hostPath(const ConverterSearchEnvironment& environment, const std::string& path) {
    if (path.empty() || !environment.toHostPath) return path;
    return environment.toHostPath(path);
}

/// A value of the MSTS key as text; a missing value is "".
std::string readMstsValue(const ProgramState& state, const ConverterSearchEnvironment& environment,
                          const std::string& name) {
    // The installer's key in the 32-bit view; a key added by hand in the plain one.
    clsGSRegistry registry(environment.registry, RegistryView::Bits32ThenNative);
    const auto setting = registry.ReadSetting(kHkeyLocalMachine, state.gstrRegSchluessel, name);
    if (!setting) return {};
    const auto text = setting->asText();
    // The runtime cannot turn a list or bytes into text.
    if (!text) throw GSRuntimeError(kTypeMismatch, "gfctGetDataFromRegistry", "Typen unverträglich");
    return hostPath(environment, *text);
}

/// A value of the per-user store; "" without one.
std::string readUserSetting(const ConverterSearchEnvironment& environment, const std::string& app,
                            const std::string& section, const std::string& key) {
    if (!environment.userSetting) return {};
    return hostPath(environment, environment.userSetting(app, section, key));
}

/// Runs one step of the lookup; an error is shown and the lookup goes on.
template <class Step> void guarded(const ConverterSearchEnvironment& environment, Step step) {
    long number = 0;
    std::string description;
    try {
        step();
        return;
    } catch (const GSRuntimeError& error) {
        number = error.number();
        description = error.what();
    } catch (const std::system_error& error) {
        number = error.code().value();
        description = error.what();
    } catch (const std::exception& error) {
        description = error.what();
    }
    if (environment.showError)
        environment.showError({std::string(), registryLookupErrorText(description, number)});
}

/// The path of the converter in `folder`'s UTILS folder.
std::string utilsConverterIn(const std::string& folder) {
    // An empty folder gives a path in the root folder.
    return folder + kSep + "UTILS" + kSep + kConverterName;
}

/// The file or folder as it is spelt on disk, letter case aside. Windows
/// ignores case in names, so an MSTS installation may spell "UTILS" or
/// "conv3ds.exe" any way; under Wine on a case-sensitive file system the
/// exact spelling must be looked up.
std::optional<std::string> existingIgnoringCase(const FileSystem& files, const std::string& path,
                                                bool folder) {
    if (folder ? files.folderExists(path) : files.fileExists(path)) return path;
    const auto parent = parentOf(path);
    const auto name = fileNameOf(path);
    if (name.empty() || parent.empty() || parent == path) return std::nullopt;
    const auto existingParent = existingIgnoringCase(files, parent, true);
    if (!existingParent) return std::nullopt;
    const auto names = folder ? files.listFolders(*existingParent) : files.listFiles(*existingParent);
    if (!names) return std::nullopt;
    for (const auto& candidate : *names)
        if (equalsNoCase(candidate, name)) return joinPath(*existingParent, candidate);
    return std::nullopt;
}

std::optional<std::string> existingFileIgnoringCase(const FileSystem& files, const std::string& path) {
    return existingIgnoringCase(files, collapseSeparators(path), false);
}

} // namespace

std::string registryLookupErrorText(const std::string& description, long number) {
    // German only, whatever the language.
    return text(Language::German, TextId::StartupRegistryError, {description, std::to_string(number)});
}

ConverterSearchEnvironment systemConverterSearchEnvironment() {
    auto registry = makeSystemRegistry();
    ConverterSearchEnvironment environment;
    environment.programFilesFolder = [] {
        auto folder = HoleSpezialOrdner(kCsidlProgramFilesX86);
        return folder.empty() ? HoleSpezialOrdner(kCsidlProgramFiles) : folder;
    };
    environment.userSetting = [registry](const std::string& app, const std::string& section,
                                         const std::string& key) {
        return GetSetting(*registry, app, section, key);
    };
    environment.registry = registry;
    environment.toHostPath = [](const std::string& path) { return windowsPathToHost(path); };
    environment.installedConverter = installedConverterFor(runningProgramPath(), kInstalledConverter);
    return environment;
}

std::string installedConverterFor(const std::string& programPath, std::string_view layout) {
    if (programPath.empty()) return {};
    std::string folder = parentOf(programPath);
    std::string_view rest = layout;
    for (; rest.starts_with("../"); rest.remove_prefix(3)) folder = parentOf(folder);
    return joinPath(folder, toNativeSeparators(rest));
}

void gfctGetDataFromRegistry(ProgramState& state, const ConverterSearchEnvironment& environment) {
    guarded(environment, [&] {
        state.gstrMSTSExePfad =
            readUserSetting(environment, "Software\\" + state.gstrRegMSTS, state.gstrRegVersion, "EXE Path");
    });
    guarded(environment, [&] {
        state.gstrMSTSPfad = readUserSetting(environment, state.gstrRegMSTS, state.gstrRegVersion, "Path");
    });
    if (!state.gstrMSTSExePfad.empty() && !state.gstrMSTSPfad.empty()) return;
    state.gstrRegSchluessel = state.gstrRegSoftware + "\\" + state.gstrRegMSTS + "\\" + state.gstrRegVersion;
    if (!environment.registry) return;
    guarded(environment, [&] { state.gstrMSTSExePfad = readMstsValue(state, environment, "EXE Path"); });
    guarded(environment, [&] { state.gstrMSTSPfad = readMstsValue(state, environment, "Path"); });
}

std::string HoleMSTSPfad(ProgramState& state, const ConverterSearchEnvironment& environment,
                         const std::string& /*defaultPath*/) {
    gfctGetDataFromRegistry(state, environment);
    return state.gstrMSTSPfad;
}

std::optional<StartupMessage> findConverter(ProgramState& state, const FileSystem& files,
                                            const ConverterSearchEnvironment& environment) {
    state.gblnConv3dsBeimProgramm = false;
    std::vector<std::string> searched;
    const auto found = [&state](std::string path, ConverterOrigin origin) {
        state.gstrConv3dsPfad = std::move(path);
        state.converterOrigin = origin;
        return std::nullopt;
    };
    const auto besideProgram = joinPath(state.gstrProgrammPfad, kConverterName);
    searched.push_back(besideProgram);
    if (files.fileExists(besideProgram)) {
        state.gblnConv3dsBeimProgramm = true;
        return found(besideProgram, ConverterOrigin::BesideModels);
    }
    if (!state.gstrConv3dsPfad.empty()) {
        searched.push_back(state.gstrConv3dsPfad);
        if (files.fileExists(state.gstrConv3dsPfad)) return found(state.gstrConv3dsPfad, ConverterOrigin::SavedPath);
    }

    const auto programFiles =
        environment.programFilesFolder ? environment.programFilesFolder() : std::string();
    state.gstrMSTSStandardPfad = programFiles + kSep + "Microsoft Games" + kSep + "Train Simulator" + kSep;
    const auto inInstallation = utilsConverterIn(HoleMSTSPfad(state, environment));
    searched.push_back(state.gstrMSTSPfad.empty()
                           ? "HKEY_LOCAL_MACHINE\\" + state.gstrRegSoftware + "\\" + state.gstrRegMSTS +
                                 "\\" + state.gstrRegVersion + " (32-bit view and plain key): no value 'Path'"
                           : inInstallation);
    if (auto path = existingFileIgnoringCase(files, inInstallation))
        return found(std::move(*path), ConverterOrigin::MstsInstallation);
    const auto inDefaultFolder = state.gstrMSTSStandardPfad + "UTILS" + kSep + kConverterName;
    searched.push_back(inDefaultFolder);
    if (auto path = existingFileIgnoringCase(files, inDefaultFolder))
        return found(std::move(*path), ConverterOrigin::MstsInstallation);
    if (!environment.installedConverter.empty()) {
        searched.push_back(environment.installedConverter);
        if (files.fileExists(environment.installedConverter))
            return found(environment.installedConverter, ConverterOrigin::InstalledWithQuillfen);
    }
    if (environment.reportSearched) environment.reportSearched(searched);
    return missingConverterMessage(state);
}

std::string converterInUseLine(const ProgramState& state) {
    static constexpr TextId kOrigins[] = {TextId::ConverterBesideModels, TextId::ConverterSavedPath,
                                          TextId::ConverterMstsInstallation,
                                          TextId::ConverterInstalledWithQuillfen};
    const TextId origin = kOrigins[static_cast<std::size_t>(state.converterOrigin)];
    return state.text(TextId::LogConverterInUse, {state.gstrConv3dsPfad, state.text(origin)});
}

} // namespace quillfen
