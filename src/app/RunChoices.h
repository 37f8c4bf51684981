#pragma once
// The user's choices for one conversion run, read from the window's controls
// (or the command line's reading of the settings file) once, when the run
// starts. The run never looks at a control itself.
//
// Check boxes hold 0 (clear), 1 (checked) or 2 (grey). Most choices count as
// ticked when not 0; the copy targets and the texture copy need exactly 1.

#include "settings/SavedSettings.h"

#include <array>
#include <string>
#include <vector>

namespace quillfen {

struct RunChoices {
    /// Text of `txtSDateiName`; the run completes it to end in ".s".
    std::string txtSDateiName;
    /// Check marks of the rows of `lstLODListe`; row r belongs to element r + 1
    /// of `gstrArrLODDateien`.
    std::vector<bool> lodRowChecked;

    /// `chkCMD_sichtbar`: not 0 runs the converter in a terminal that stays open.
    int chkCMD_sichtbar = 0;

    // The alternative-texture option buttons (at most one is set) and the code box.
    bool optNurSommerTextur = true;
    bool optSchneeTextur = false;
    bool optSchneeUndNachtTextur = false;
    bool optJahreszeitenTextur = false;
    bool optManuellAlternativTexture = false;
    std::string txtESD_Alter_Tex = "0";

    // Bounding box: the switch, the six values as typed, the display line.
    int chkBoundingBox = 0;
    std::string txtBBoxInput;
    std::string txtBBox;

    // Test options that rewrite the s-file's shaders.
    int chkAceUni = 0;
    int chkShaderDiffuse = 0;
    int chkShaderAddATexDiff = 0;

    // Copy targets 0 and 1 (route folders) and 2 (a plain folder).
    std::array<int, 3> chkShapeTo{0, 0, 0};
    std::array<std::string, 3> lblCopyPfad = defaultCopyTargets();
    int chkTextureCopy = 0;

    // Reference entry AddToRef.txt.
    int chkRefEintrag = 0;
    std::string txtRefClass;
    std::string txtRefDescription;

    /// Text of `cmbMipMap`: the mipmap LOD bias, "0" for none.
    std::string cmbMipMap = "0";
};

} // namespace quillfen
