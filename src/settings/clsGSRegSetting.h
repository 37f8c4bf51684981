#pragma once
// One registry value as read: its name and its data.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quillfen {

/// The data of a value: nothing, text, a 16-bit or 32-bit integer, a byte, a
/// list of texts or a byte array.
using RegSettingData = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, std::uint8_t,
                                    std::vector<std::string>, std::vector<std::uint8_t>>;

class clsGSRegSetting {
public:
    void Setting(RegSettingData value) { m_setting = std::move(value); }
    [[nodiscard]] const RegSettingData& Setting() const { return m_setting; }

    void SettingName(std::string value) { m_settingName = std::move(value); }
    [[nodiscard]] const std::string& SettingName() const { return m_settingName; }

    /// The data as text, as the runtime converts a variant: text as it is,
    /// numbers in decimal, nothing as ""; std::nullopt for a list or array,
    /// which does not convert ("type mismatch").
    [[nodiscard]] std::optional<std::string> asText() const;

private:
    std::string m_settingName;
    RegSettingData m_setting;
};

} // namespace quillfen
