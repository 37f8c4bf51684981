#include "settings/ProgramSettingsStore.h"

namespace quillfen {

std::string GetSetting(const RegistryStore& store, const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
    const auto path = std::string(kProgramSettingsKey) + "\\" + appName + "\\" + section;
    const auto value = store.queryValue(kHkeyCurrentUser, path, key, RegistryView::Native);
    if (!value.ok() || (value.value.type != kRegSz && value.value.type != kRegExpandSz)) return defaultValue;
    auto text = value.value.data;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

} // namespace quillfen
