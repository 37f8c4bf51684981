#include "app/Session.h"

#include "app/FolderListing.h"
#include "app/LodList.h"
#include "app/LodNameCheck.h"
#include "app/StartupMessages.h"
#include "bbox/BoxValidation.h"
#include "platform/Paths.h"
#include "settings/SettingsReader.h"

#include <filesystem>

namespace quillfen {

namespace {

std::string utf8Of(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

bool isDriveRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':';
}

Language languageOfSetting(int cmbLang) {
    return cmbLang >= 0 && cmbLang < kLanguageCount ? static_cast<Language>(cmbLang) : Language::English;
}

} // namespace

std::string workingFolderOf(const std::string& folder) {
    std::error_code ignored;
    const auto absolute = std::filesystem::absolute(
        std::filesystem::path(std::u8string(folder.begin(), folder.end())), ignored);
    std::string path = collapseSeparators(
        toNativeSeparators(absolute.empty() ? folder : utf8Of(absolute.lexically_normal())));
    while (path.size() > 1 && endsWithSeparator(path) && !isDriveRoot(path)) path.pop_back();
    return path;
}

std::optional<Error> readSavedSettings(const FileSystem& files, const std::string& workingFolder,
                                       SavedSettings& settings) {
    const auto applications = readSettingsFile(files, settingsFilePath(workingFolder));
    if (applications) applySettings(*applications, settings);
    clearTestOptionsWithoutChoice(settings);
    if (!applications && isDamagedSettingsFile(applications.error())) return applications.error();
    return std::nullopt;
}

void clearTestOptionsWithoutChoice(SavedSettings& settings) {
    if (settings.chkAceUni == 0 && settings.chkShaderDiffuse == 0 && settings.chkShaderAddATexDiff == 0)
        settings.chkTestOptionen = 0;
}

StartupMessage keepDamagedSettingsAside(const ProgramState& state, FileSystem& files) {
    const std::string path = settingsFilePath(state.gstrProgrammPfad);
    const std::string keptAs = path + kDamagedSettingsSuffix;
    StartupMessage message{{}, state.text(TextId::StartupSettingsDamaged, {path, keptAs})};
    if (Status kept = keepDamagedSettings(files, path); !kept)
        message.text += kMessageLineBreak + kept.error().message();
    return message;
}

std::optional<StartupMessage> discoverModels(ProgramState& state, const SavedSettings& settings,
                                             const FileSystem& files) {
    state.gstrSprache = languageOfSetting(settings.cmbLang);
    state.gstrConv3dsPfad = settings.conv3dsPfad;
    state.gstrArrLODDateien = {std::string()};

    const Status listed = LiesDateiFeld(state, files, state.gstrProgrammPfad, "");
    if (!listed) {
        // A folder that cannot be read holds no usable 3DS file either; the
        // system's reason tells the modeller why.
        StartupMessage message = missing3dsMessage(state);
        message.text += kMessageLineBreak + listed.error().message();
        return message;
    }
    if (!PruefeDateiTyp(state, "*.3ds").empty()) return missing3dsMessage(state);
    FuelleLODListe(state);
    return checkLodNames(state);
}

std::optional<StartupMessage> startSession(ProgramState& state, const SavedSettings& settings,
                                           const FileSystem& files,
                                           const ConverterSearchEnvironment& environment) {
    if (auto message = discoverModels(state, settings, files)) return message;
    return findConverter(state, files, environment);
}

RunChoices runChoicesFrom(const SavedSettings& settings, RunOnlyChoices runOnly) {
    RunChoices choices;
    choices.txtSDateiName = std::move(runOnly.txtSDateiName);
    choices.lodRowChecked = std::move(runOnly.lodRowChecked);
    choices.chkCMD_sichtbar = runOnly.chkCMD_sichtbar;
    choices.chkTextureCopy = runOnly.chkTextureCopy;
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

Status endSession(const ProgramState& state, SavedSettings& settings, FileSystem& files) {
    settings.BoundingBoxWerte = validiereBoundingBox(settings.BoundingBoxWerte, state.gintNachkommastellen);
    settings.conv3dsPfad = state.gstrConv3dsPfad;
    const Status written = writeSettingsFile(files, settingsFilePath(state.gstrProgrammPfad), settings);
    const std::string besideProgram = joinPath(state.gstrProgrammPfad, "conv3ds.exe");
    if (!state.gblnConv3dsBeimProgramm && files.fileExists(besideProgram))
        (void)files.deleteFile(besideProgram);
    return written;
}

} // namespace quillfen
