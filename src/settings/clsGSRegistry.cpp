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

std::string littleEndian(std::uint32_t number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((number >> (8 * i)) & 0xFFU));
    return bytes;
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

RegistryValue storedValueOf(const std::string& name, const clsGSRegSetting& setting) {
    RegistryValue value{name, setting.RegDataType(), {}};
    const auto& data = setting.Setting();
    if (const auto* text = std::get_if<std::string>(&data)) {
        value.data = *text + '\0';
    } else if (const auto* texts = std::get_if<std::vector<std::string>>(&data)) {
        for (const auto& entry : *texts) value.data += entry + '\0';
        value.data += '\0';
    } else if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&data)) {
        value.data.assign(bytes->begin(), bytes->end());
    } else if (const auto* n16 = std::get_if<std::int16_t>(&data)) {
        value.data = littleEndian(static_cast<std::uint32_t>(static_cast<std::int32_t>(*n16)));
    } else if (const auto* n32 = std::get_if<std::int32_t>(&data)) {
        value.data = littleEndian(static_cast<std::uint32_t>(*n32));
    } else if (const auto* byte = std::get_if<std::uint8_t>(&data)) {
        value.data = littleEndian(*byte);
    }
    return value;
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

std::int32_t clsGSRegistry::WriteSetting(std::uint32_t hKey, const std::string& Section,
                                         const std::string& SettingName, const RegSettingData& Setting) {
    m_error.Clear();
    try {
        clsGSRegSetting setting;
        setting.Setting(Setting);
        const long code = m_store->setValue(hKey, Section, storedValueOf(SettingName, setting), m_view);
        if (code != kErrorSuccess) recordFailure(code, "WriteSetting");
        return static_cast<std::int32_t>(code);
    } catch (const std::exception& error) {
        // A failure inside the class itself is recorded like a registry failure.
        m_error.Number(-1);
        m_error.Description(error.what());
        m_error.Source(ClassName() + ".WriteSetting");
        return -1;
    }
}

bool clsGSRegistry::DeleteSetting(std::uint32_t hKey, const std::string& Section,
                                  const std::string& SettingName) {
    m_error.Clear();
    const long code = m_store->deleteValue(hKey, Section, SettingName, m_view);
    if (code == kErrorSuccess) return true;
    recordFailure(code, "DeleteSetting");
    return false;
}

std::int32_t clsGSRegistry::CreateSection(std::uint32_t hKey, const std::string& Section) {
    m_error.Clear();
    const long code = m_store->createSection(hKey, Section, m_view);
    if (code != kErrorSuccess) recordFailure(code, "CreateSection");
    return static_cast<std::int32_t>(code);
}

bool clsGSRegistry::DeleteSection(std::uint32_t hKey, const std::string& Section) {
    m_error.Clear();
    const long code = m_store->deleteSection(hKey, Section, m_view);
    if (code == kErrorSuccess) return true;
    recordFailure(code, "DeleteSection");
    return false;
}

std::int32_t clsGSRegistry::HasSubSections(std::uint32_t hKey, const std::string& Section) {
    m_error.Clear();
    const auto info = m_store->queryInfo(hKey, Section, m_view);
    if (info.ok()) return static_cast<std::int32_t>(info.value.subKeyCount);
    recordFailure(info.code, "HasSubSections");
    return -1;
}

std::int32_t clsGSRegistry::HasSettings(std::uint32_t hKey, const std::string& Section) {
    m_error.Clear();
    const auto info = m_store->queryInfo(hKey, Section, m_view);
    if (info.ok()) return static_cast<std::int32_t>(info.value.valueCount);
    recordFailure(info.code, "HasSettings");
    return -1;
}

std::optional<std::vector<std::string>> clsGSRegistry::GetSubSectionNames(std::uint32_t hKey,
                                                                          const std::string& Section) {
    m_error.Clear();
    auto names = m_store->subKeyNames(hKey, Section, m_view);
    if (names.ok()) return std::move(names.value);
    recordFailure(names.code, "GetSubSectionNames");
    return std::nullopt;
}

std::optional<std::vector<clsGSRegSetting>> clsGSRegistry::GetAllSettings(std::uint32_t hKey,
                                                                          const std::string& Section) {
    m_error.Clear();
    const auto values = m_store->allValues(hKey, Section, m_view);
    if (!values.ok()) {
        recordFailure(values.code, "GetAllSettings");
        return std::nullopt;
    }
    std::vector<clsGSRegSetting> settings;
    for (const auto& value : values.value) {
        auto data = settingDataOf(value);
        if (!data) {
            recordFailure(kErrorMoreData, "GetAllSettings");
            return std::nullopt;
        }
        clsGSRegSetting setting;
        setting.SettingName(value.name);
        setting.Setting(std::move(*data));
        settings.push_back(std::move(setting));
    }
    return settings;
}

std::string clsGSRegistry::ExpandEnvString(const std::string& EnvString) {
    auto expanded = expandEnvironmentStrings(EnvString);
    const auto nul = expanded.find('\0');
    if (nul != std::string::npos) expanded.resize(nul);
    return expanded;
}

} // namespace quillfen
