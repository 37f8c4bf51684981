#pragma once
// A small layer over the registry: sections (keys) and their settings (values).
// Failures are never thrown: each operation returns its failure value and
// leaves the Windows result code, its message and the operation's name in
// `RegError`.

#include "platform/Registry.h"
#include "settings/clsGSError.h"
#include "settings/clsGSRegSetting.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillfen {

class clsGSRegistry {
public:
    /// Over the machine's registry, in the 32-bit view that MSTS's installer wrote to.
    clsGSRegistry();
    explicit clsGSRegistry(std::shared_ptr<RegistryStore> store, RegistryView view = RegistryView::Bits32);

    [[nodiscard]] const clsGSError& RegError() const { return m_error; }
    [[nodiscard]] static std::string ClassName() { return "clsGSRegistry"; }

    /// The value `SettingName` of the section, or std::nullopt on failure.
    /// Texts lose one terminating NUL, REG_MULTI_SZ becomes a list without
    /// trailing empty entries, REG_DWORD a 32-bit integer, anything else bytes.
    [[nodiscard]] std::optional<clsGSRegSetting> ReadSetting(std::uint32_t hKey, const std::string& Section,
                                                             const std::string& SettingName);

private:
    /// Records a failed call and passes its code on.
    long recordFailure(long code, const char* operation);

    std::shared_ptr<RegistryStore> m_store;
    RegistryView m_view;
    clsGSError m_error;
};

/// A stored value as the registry classes hand it out (see ReadSetting);
/// std::nullopt when a REG_DWORD holds more than four bytes.
[[nodiscard]] std::optional<RegSettingData> settingDataOf(const RegistryValue& value);

} // namespace quillfen
