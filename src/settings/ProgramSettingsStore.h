#pragma once
// The runtime's per-user store of program settings (its GetSetting): values
// kept in the user's registry under "Software\VB and VBA Program Settings".

#include "platform/Registry.h"

#include <string>

namespace quillfen {

/// The key of the store below HKEY_CURRENT_USER.
inline constexpr const char* kProgramSettingsKey = "Software\\VB and VBA Program Settings";

/// The text stored for `appName`, `section` and `key`; `defaultValue` when
/// there is none or it is not text.
[[nodiscard]] std::string GetSetting(const RegistryStore& store, const std::string& appName,
                                     const std::string& section, const std::string& key,
                                     const std::string& defaultValue = {});

} // namespace quillfen
