#include "settings/clsGSRegistry.h"

#include <cstddef>

namespace quillfen {

namespace {

constexpr long kErrorMoreData = 234;

/// REG_MULTI_SZ: cut after the last non-NUL character, then split at NULs.
std::vector<std::string> textListOf(const std::string& data) {
    const auto last = data.find_last_not_of('\0');
    if (last == std::string::npos) return {};
    std::vector<std::string> texts;
    std::size_t start = 0;
    for (;;) {
        const auto end = data.find('\0', start);
        if (end == std::string::npos || end > last) {
            texts.push_back(data.substr(start, last + 1 - start));
            return texts;
        }
        texts.push_back(data.substr(start, end - start));
        start = end + 1;
    }
}

/// REG_SZ and REG_EXPAND_SZ: one terminating NUL is dropped when there is one.
std::string textOf(const std::string& data) {
    if (data.empty() || data.back() != '\0') return data;
    return data.substr(0, data.size() - 1);
}

} // namespace

std::optional<RegSettingData> settingDataOf(const RegistryValue& value) {
    switch (value.type) {
    case kRegSz:
    case kRegExpandSz:
        return RegSettingData(textOf(value.data));
    case kRegMultiSz:
        return RegSettingData(textListOf(value.data));
    case kRegDword: {
        if (value.data.size() > 4) return std::nullopt;
        std::uint32_t number = 0;
        for (std::size_t i = value.data.size(); i-- > 0;)
            number = (number << 8U) | static_cast<unsigned char>(value.data[i]);
        return RegSettingData(static_cast<std::int32_t>(number));
    }
    default:
        return RegSettingData(std::vector<std::uint8_t>(value.data.begin(), value.data.end()));
    }
}

clsGSRegistry::clsGSRegistry() : clsGSRegistry(makeSystemRegistry()) {}

clsGSRegistry::clsGSRegistry(std::shared_ptr<RegistryStore> store, RegistryView view)
    : m_store(std::move(store)), m_view(view) {}

long clsGSRegistry::recordFailure(long code, const char* operation) {
    m_error.Number(static_cast<std::int32_t>(code));
    m_error.Description(registryErrorText(code));
    m_error.Source(ClassName() + "." + operation);
    return code;
}

std::optional<clsGSRegSetting> clsGSRegistry::ReadSetting(std::uint32_t hKey, const std::string& Section,
                                                          const std::string& SettingName) {
    m_error.Clear();
    const auto stored = m_store->queryValue(hKey, Section, SettingName, m_view);
    if (!stored.ok()) {
        recordFailure(stored.code, "ReadSetting");
        return std::nullopt;
    }
    auto data = settingDataOf(stored.value);
    if (!data) {
        recordFailure(kErrorMoreData, "ReadSetting");
        return std::nullopt;
    }
    clsGSRegSetting setting;
    setting.SettingName(SettingName);
    setting.Setting(std::move(*data));
    return setting;
}

} // namespace quillfen
