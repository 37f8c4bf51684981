#pragma once
// One registry value: its name, its data and the registry type the data maps to.

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

/// The runtime's variant type codes of the data kinds.
inline constexpr int kVbEmpty = 0;
inline constexpr int kVbInteger = 2;
inline constexpr int kVbLong = 3;
inline constexpr int kVbString = 8;
inline constexpr int kVbByte = 17;
inline constexpr int kVbArray = 8192;

class clsGSRegSetting {
public:
    void Setting(RegSettingData value) { m_setting = std::move(value); }
    [[nodiscard]] const RegSettingData& Setting() const { return m_setting; }

    /// 1 REG_SZ (2 REG_EXPAND_SZ with environment references), 4 REG_DWORD for
    /// numbers, 7 REG_MULTI_SZ for a list of texts, 3 REG_BINARY for bytes, 0 otherwise.
    [[nodiscard]] std::uint32_t RegDataType() const;
    /// The variant type code of the data (8 text, 3 32-bit integer, 8192 + 8 a list of texts, ...).
    [[nodiscard]] int VarTypeVB() const;
    /// The variant type's name ("String", "Long", "String()", "Byte()", ...).
    [[nodiscard]] std::string TypeNameVB() const;

    void SettingName(std::string value) { m_settingName = std::move(value); }
    [[nodiscard]] const std::string& SettingName() const { return m_settingName; }

    /// The data as text, as the runtime converts a variant: text as it is,
    /// numbers in decimal, nothing as ""; std::nullopt for a list or array,
    /// which does not convert ("type mismatch").
    [[nodiscard]] std::optional<std::string> asText() const;

private:
    /// True when expanding the text's environment variables would change it.
    static bool hasEnvironmentReferences(const std::string& text);

    std::string m_settingName;
    RegSettingData m_setting;
};

} // namespace quillfen
