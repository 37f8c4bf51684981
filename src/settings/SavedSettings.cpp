#include "settings/SavedSettings.h"

#include "platform/Text.h"
#include "platform/TextCodec.h"
#include "settings/SettingKeys.h"

#include <optional>

namespace quillfen {

namespace {

/// A value on one line: a line break inside it would start a line of its own,
/// which the next start reads as a setting.
std::string oneLine(const std::string& value) {
    return replaceAll(replaceAll(value, "\r", " "), "\n", " ");
}

std::string truthText(bool selected) {
    return selected ? "-1" : "0";
}

/// The values in table order.
std::array<std::string, kSettingKeyCount> valuesOf(const SavedSettings& s) {
    return {std::to_string(s.cmbLang),
            truthText(s.optNurSommerTextur),
            truthText(s.optSchneeTextur),
            truthText(s.optSchneeUndNachtTextur),
            truthText(s.optJahreszeitenTextur),
            truthText(s.optManuellAlternativTexture),
            s.txtESD_Alter_Tex,
            s.cmbMipMap,
            std::to_string(s.chkTestOptionen),
            std::to_string(s.chkAceUni),
            std::to_string(s.chkShaderDiffuse),
            std::to_string(s.chkShaderAddATexDiff),
            std::to_string(s.chkShapeTo[0]),
            std::to_string(s.chkShapeTo[1]),
            std::to_string(s.chkShapeTo[2]),
            s.lblCopyPfad[0],
            s.lblCopyPfad[1],
            s.lblCopyPfad[2],
            std::to_string(s.chkRefEintrag),
            s.txtRefClass,
            s.txtRefDescription,
            s.conv3dsPfad,
            std::to_string(s.chkBoundingBox),
            s.BoundingBoxWerte,
            std::to_string(s.WindowState)};
}

std::optional<int> integerWithin(const std::string& value, int lowest, int highest) {
    const auto number = settingInteger(value);
    if (!number || *number < lowest || *number > highest) return std::nullopt;
    return number;
}

void setInteger(int& member, const std::string& value, int lowest, int highest) {
    if (const auto number = integerWithin(value, lowest, highest)) member = *number;
}

void setCheckState(int& member, const std::string& value) {
    setInteger(member, value, 0, 2);
}

/// Selecting one option button clears the others of its group, as the
/// window's option group does.
void setOption(SavedSettings& s, std::size_t key, const std::string& value) {
    const auto truth = settingTruth(value);
    if (!truth) return;
    std::array<bool*, 5> group{&s.optNurSommerTextur, &s.optSchneeTextur, &s.optSchneeUndNachtTextur,
                               &s.optJahreszeitenTextur, &s.optManuellAlternativTexture};
    auto& chosen = *group[key - setting_key::optNurSommerTextur];
    if (*truth) {
        for (bool* option : group) *option = false;
    }
    chosen = *truth;
}

void apply(const SettingApplication& a, SavedSettings& s) {
    namespace k = setting_key;
    const auto& v = a.value;
    if (a.key >= k::optNurSommerTextur && a.key <= k::optManuellAlternativTexture)
        return setOption(s, a.key, v);
    if (a.key >= k::chkShapeTo0 && a.key < k::chkShapeTo0 + 3)
        return setCheckState(s.chkShapeTo[a.key - k::chkShapeTo0], v);
    if (a.key >= k::lblCopyPfad0 && a.key < k::lblCopyPfad0 + 3) {
        s.lblCopyPfad[a.key - k::lblCopyPfad0] = v;
        return;
    }
    switch (a.key) {
    case k::cmbLang:
        return setInteger(s.cmbLang, v, 0, 1);
    case k::txtESD_Alter_Tex:
        s.txtESD_Alter_Tex = v;
        return;
    case k::cmbMipMap:
        s.cmbMipMap = v;
        return;
    case k::chkTestOptionen:
        return setCheckState(s.chkTestOptionen, v);
    case k::chkAceUni:
        return setCheckState(s.chkAceUni, v);
    case k::chkShaderDiffuse:
        return setCheckState(s.chkShaderDiffuse, v);
    case k::chkShaderAddATexDiff:
        return setCheckState(s.chkShaderAddATexDiff, v);
    case k::chkRefEintrag:
        return setCheckState(s.chkRefEintrag, v);
    case k::txtRefClass:
        s.txtRefClass = v;
        return;
    case k::txtRefDescription:
        s.txtRefDescription = v;
        return;
    case k::conv3dsPfad:
        s.conv3dsPfad = v;
        return;
    case k::chkBoundingBox:
        return setCheckState(s.chkBoundingBox, v);
    case k::BoundingBoxWerte:
        s.BoundingBoxWerte = v;
        return;
    case k::WindowState:
        return setInteger(s.WindowState, v, 0, 2);
    default:
        return;
    }
}

} // namespace

std::string formatSettingsText(const SavedSettings& settings) {
    const auto values = valuesOf(settings);
    std::string text;
    for (std::size_t index = 0; index < kSettingKeyCount; ++index) {
        text += kSettingKeys[index].name;
        text += "\t->\t";
        text += oneLine(values[index]);
        text += "\r\n";
    }
    return text;
}

std::string encodeSettingsText(const std::string& text) {
    auto singleByte = tryEncodeWindows1252(text);
    // Single-byte text that happens to be valid UTF-8 ("Ã¤" is C3 A4) would be
    // read back as UTF-8 and come back changed; such text goes out as UTF-8.
    const bool readsBackUnchanged = singleByte && (*singleByte == text || !isValidUtf8(*singleByte));
    if (readsBackUnchanged) return std::move(*singleByte);
    return "\xEF\xBB\xBF" + text;
}

Status writeSettingsFile(FileSystem& files, const std::string& path, const SavedSettings& settings) {
    return files.replaceFile(path, encodeSettingsText(formatSettingsText(settings)));
}

void applySettings(const std::vector<SettingApplication>& applications, SavedSettings& settings) {
    for (const auto& application : applications) apply(application, settings);
}

} // namespace quillfen
