#pragma once
// What the window and the command line do alike: the start-up of a model
// folder, the choices of a conversion run made from the saved settings, and
// the quit. A front end only moves values between its own controls or
// options and SavedSettings.

#include "app/ConverterSearch.h"
#include "app/RunChoices.h"
#include "app/StartupMessage.h"
#include "core/ProgramState.h"
#include "platform/Expected.h"
#include "platform/FileSystem.h"
#include "settings/SavedSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace quillfen {

/// The model folder as the program holds it: absolute, without a trailing
/// separator unless it is a root.
[[nodiscard]] std::string workingFolderOf(const std::string& folder);

/// The folder's settings file read into `settings` (a missing or unreadable
/// file leaves the design values), with the test-options switch cleared when
/// none of its options is ticked. A file too large to be a settings file is
/// damaged: its settings are the design values, and the damage is returned
/// for keepDamagedSettingsAside.
[[nodiscard]] std::optional<Error>
readSavedSettings(const FileSystem& files, const std::string& workingFolder, SavedSettings& settings);

/// Keeps a damaged settings file aside as Quillfen.ini.bad, so that the quit
/// writes a fresh file instead of overwriting it, and gives the warning to
/// show in the current language (the start-up goes on with the design values).
[[nodiscard]] StartupMessage keepDamagedSettingsAside(const ProgramState& state, FileSystem& files);

/// The test-options switch cleared when none of its options is ticked.
void clearTestOptionsWithoutChoice(SavedSettings& settings);

/// The discovery after the settings are read: the language and the saved
/// converter path taken from `settings`, the folder listed, the LOD list
/// built (`gstrArrLODDateien`, rows by lodListRows), the LOD names checked and
/// the s-file name proposed (`gstrSDateiVorschlag`). A failed check returns
/// the message box to show; the program then ends without saving anything.
[[nodiscard]] std::optional<StartupMessage> discoverModels(ProgramState& state, const SavedSettings& settings,
                                                           const FileSystem& files);

/// The whole start-up: the discovery, then the converter search.
[[nodiscard]] std::optional<StartupMessage> startSession(ProgramState& state, const SavedSettings& settings,
                                                         const FileSystem& files,
                                                         const ConverterSearchEnvironment& environment);

/// The choices of a run that are not saved settings.
struct RunOnlyChoices {
    std::string txtSDateiName;
    std::vector<bool> lodRowChecked;
    int chkCMD_sichtbar = 0;
    int chkTextureCopy = 0;
};

/// A run's choices: the saved settings plus the choices of this run alone.
[[nodiscard]] RunChoices runChoicesFrom(const SavedSettings& settings, RunOnlyChoices runOnly);

/// The quit: the box values brought into their normal form and the converter
/// path kept in `settings`, the settings file written, and a converter that
/// was not in the folder at start removed again. The error is the settings
/// file's; a converter that cannot be removed is left where it is.
Status endSession(const ProgramState& state, SavedSettings& settings, FileSystem& files);

} // namespace quillfen
