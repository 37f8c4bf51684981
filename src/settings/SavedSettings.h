#pragma once
// The 25 saved choices as one plain struct: what the quit writes, and what a
// reader without a window (the command line, tests) gets from the file.

#include "platform/Expected.h"
#include "platform/FileSystem.h"
#include "platform/SpecialFolders.h"
#include "settings/SettingsReader.h"

#include <array>
#include <string>
#include <vector>

namespace quillfen {

/// The three copy targets before the modeller chooses any.
[[nodiscard]] inline std::array<std::string, 3> defaultCopyTargets() {
    const std::string folder = defaultCopyTargetFolder();
    return {folder, folder, folder};
}

/// Each member holds the value of the control of the same name; the
/// initial values are the window's design values.
struct SavedSettings {
    int cmbLang = 0; ///< 0 english, 1 deutsch
    bool optNurSommerTextur = true;
    bool optSchneeTextur = false;
    bool optSchneeUndNachtTextur = false;
    bool optJahreszeitenTextur = false;
    bool optManuellAlternativTexture = false;
    std::string txtESD_Alter_Tex = "0";
    std::string cmbMipMap = "0";
    int chkTestOptionen = 0; ///< check states: 0 clear, 1 checked, 2 grey
    int chkAceUni = 0;
    int chkShaderDiffuse = 0;
    int chkShaderAddATexDiff = 0;
    std::array<int, 3> chkShapeTo{0, 0, 0};
    std::array<std::string, 3> lblCopyPfad = defaultCopyTargets();
    int chkRefEintrag = 0;
    std::string txtRefClass;
    std::string txtRefDescription;
    std::string conv3dsPfad;
    int chkBoundingBox = 0;
    std::string BoundingBoxWerte;
    int WindowState = 0; ///< 0 normal, 1 minimised, 2 maximised

    bool operator==(const SavedSettings&) const = default;
};

/// The 25 lines in table order, each "key TAB -> TAB value" ended by CR LF.
[[nodiscard]] std::string formatSettingsText(const SavedSettings& settings);

/// The file's bytes: Windows-1252 when every character fits (what older
/// versions of the program read), else UTF-8 with a BOM, so a path with any
/// character survives.
[[nodiscard]] std::string encodeSettingsText(const std::string& text);

/// Replaces the file atomically, so a failed write never leaves a truncated file.
Status writeSettingsFile(FileSystem& files, const std::string& path, const SavedSettings& settings);

/// Applies the list in order; a value that does not convert to its member's
/// type, or lies outside the member's choices, is skipped and the member keeps
/// its value.
void applySettings(const std::vector<SettingApplication>& applications, SavedSettings& settings);

} // namespace quillfen
