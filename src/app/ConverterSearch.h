#pragma once
// Finding the converter conv3ds.exe at start-up: beside the program, at the
// path saved in the settings, in the MSTS installation that the registry
// names, or in the default MSTS folder under Program Files.

#include "app/StartupMessage.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

namespace quillfen {

/// What the search asks of the machine, so tests can stand in for it.
struct ConverterSearchEnvironment {
    /// The Program Files folder into which a 32-bit installer put MSTS; "" on failure.
    std::function<std::string()> programFilesFolder;
    /// The runtime's per-user settings store (application, section, key); may return "".
    std::function<std::string(const std::string&, const std::string&, const std::string&)> userSetting;
    /// The registry whose HKEY_LOCAL_MACHINE holds the MSTS key.
    std::shared_ptr<RegistryStore> registry;
    /// A Windows path read from the registry as a path of this machine.
    std::function<std::string(const std::string&)> toHostPath;
    /// Shows the German error box of the registry lookup (OK only); may be empty.
    std::function<void(const StartupMessage&)> showError;
    /// Told every place the search looked at, in order, when it found no
    /// converter (before the message is shown); may be empty.
    std::function<void(const std::vector<std::string>&)> reportSearched;
    /// Where the converter installed with this program would lie (installedConverterFor),
    /// the last place searched; "" for none.
    std::string installedConverter;
};

/// The machine's own: the shell's 32-bit Program Files folder, the runtime's
/// settings store and registry (on Windows), or the Wine prefix's (elsewhere),
/// and the converter installed with the running program. `showError` is left
/// for the caller to set.
[[nodiscard]] ConverterSearchEnvironment systemConverterSearchEnvironment();

/// `gfctGetDataFromRegistry`: fills gstrMSTSExePfad and gstrMSTSPfad from the
/// per-user store, else from the MSTS registry key. An error inside a step is
/// shown through `showError` and the lookup goes on with the next step.
void gfctGetDataFromRegistry(ProgramState& state, const ConverterSearchEnvironment& environment);

/// `HoleMSTSPfad`: runs the lookup and returns gstrMSTSPfad (`defaultPath` is not used).
std::string HoleMSTSPfad(ProgramState& state, const ConverterSearchEnvironment& environment,
                         const std::string& defaultPath = {});

/// The converter an installation put beside the program `programPath`: `layout`
/// is its path relative to the program's folder ("../lib/quillfen/conv3ds.exe";
/// "conv3ds.exe" on Windows, where everything lies in one folder).
[[nodiscard]] std::string installedConverterFor(const std::string& programPath, std::string_view layout);

/// The search of the window load: the first rule that finds an existing file
/// sets gstrConv3dsPfad (and gblnConv3dsBeimProgramm for the program's folder)
/// and converterOrigin; the converter installed with the program comes last.
/// Returns the message box to show before ending the program when none does.
[[nodiscard]] std::optional<StartupMessage> findConverter(ProgramState& state, const FileSystem& files,
                                                          const ConverterSearchEnvironment& environment);

/// The start-up's log line naming the converter in use and where it was found.
[[nodiscard]] std::string converterInUseLine(const ProgramState& state);

/// The text of the lookup's error box: an empty first line, the procedure's
/// name, an empty line, the description and "Fehlernummer: " with the number.
[[nodiscard]] std::string registryLookupErrorText(const std::string& description, long number);

} // namespace quillfen
