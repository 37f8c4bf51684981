#pragma once
// The 25 keys of the settings file, in the order they are written. The order
// matters when reading too: the option buttons come before txtESD_Alter_Tex
// and the chkShapeTo boxes before their path labels, so each text is set
// after the switch whose handling would otherwise change it.

#include <array>
#include <cstddef>
#include <string_view>

namespace quillfen {

enum class SettingKind {
    Integer, ///< a whole number in decimal
    Truth,   ///< "-1"/"0", any non-zero number, "True"/"False"
    Text,    ///< taken as it is
};

struct SettingKeyInfo {
    std::string_view name;
    SettingKind kind;
    /// The value loses every double quote before it is applied.
    bool dropsQuotes;
};

inline constexpr std::size_t kSettingKeyCount = 25;

inline constexpr std::array<SettingKeyInfo, kSettingKeyCount> kSettingKeys = {{
    {"cmbLang", SettingKind::Integer, false},
    {"optNurSommerTextur", SettingKind::Truth, false},
    {"optSchneeTextur", SettingKind::Truth, false},
    {"optSchneeUndNachtTextur", SettingKind::Truth, false},
    {"optJahreszeitenTextur", SettingKind::Truth, false},
    {"optManuellAlternativTexture", SettingKind::Truth, false},
    {"txtESD_Alter_Tex", SettingKind::Text, false},
    {"cmbMipMap", SettingKind::Text, false},
    {"chkTestOptionen", SettingKind::Integer, false},
    {"chkAceUni", SettingKind::Integer, false},
    {"chkShaderDiffuse", SettingKind::Integer, false},
    {"chkShaderAddATexDiff", SettingKind::Integer, false},
    {"chkShapeTo(0)", SettingKind::Integer, false},
    {"chkShapeTo(1)", SettingKind::Integer, false},
    {"chkShapeTo(2)", SettingKind::Integer, false},
    {"lblCopyPfad(0)", SettingKind::Text, true},
    {"lblCopyPfad(1)", SettingKind::Text, true},
    {"lblCopyPfad(2)", SettingKind::Text, true},
    {"chkRefEintrag", SettingKind::Integer, false},
    {"txtRefClass", SettingKind::Text, false},
    {"txtRefDescription", SettingKind::Text, false},
    {"conv3dsPfad", SettingKind::Text, true},
    {"chkBoundingBox", SettingKind::Integer, true},
    {"BoundingBoxWerte", SettingKind::Text, true},
    {"WindowState", SettingKind::Integer, true},
}};

/// Positions in kSettingKeys, for code that handles one key.
namespace setting_key {
inline constexpr std::size_t cmbLang = 0;
inline constexpr std::size_t optNurSommerTextur = 1;
inline constexpr std::size_t optSchneeTextur = 2;
inline constexpr std::size_t optSchneeUndNachtTextur = 3;
inline constexpr std::size_t optJahreszeitenTextur = 4;
inline constexpr std::size_t optManuellAlternativTexture = 5;
inline constexpr std::size_t txtESD_Alter_Tex = 6;
inline constexpr std::size_t cmbMipMap = 7;
inline constexpr std::size_t chkTestOptionen = 8;
inline constexpr std::size_t chkAceUni = 9;
inline constexpr std::size_t chkShaderDiffuse = 10;
inline constexpr std::size_t chkShaderAddATexDiff = 11;
inline constexpr std::size_t chkShapeTo0 = 12;
inline constexpr std::size_t lblCopyPfad0 = 15;
inline constexpr std::size_t chkRefEintrag = 18;
inline constexpr std::size_t txtRefClass = 19;
inline constexpr std::size_t txtRefDescription = 20;
inline constexpr std::size_t conv3dsPfad = 21;
inline constexpr std::size_t chkBoundingBox = 22;
inline constexpr std::size_t BoundingBoxWerte = 23;
inline constexpr std::size_t WindowState = 24;
} // namespace setting_key

} // namespace quillfen
