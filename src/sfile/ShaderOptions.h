#pragma once
// The three test options of the conversion run, applied right after
// KorrigiereTexturen and before KopiereTexturen, each to the s-file the step
// before left: SetzeEineTextur (chkAceUni), SetzeShaderDiffuse
// (chkShaderDiffuse), SetzeShaderAddATexDiff (chkShaderAddATexDiff).
// They log nothing themselves; the run reports each after the call. Each
// rewrites the s-file in SHAPES as UTF-16LE with a byte-order mark; when the
// s-file cannot be read, the file is left untouched and the error names it.

#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "platform/Expected.h"
#include "platform/FileSystem.h"

#include <string>

namespace quillfen {

/// Makes every ace texture of the working folder that the s-file uses (the
/// test ignores letter case) name the first of them in list order (the
/// replacement keeps letter case). Gives that name, or "" when none is used.
Expected<std::string> SetzeEineTextur(const ProgramState& state, const ShapePaths& paths, FileSystem& files);

/// Turns every known shader into "Diffuse" and every used ace texture of the
/// working folder into "TextureDummy.ace".
Status SetzeShaderDiffuse(const ProgramState& state, const ShapePaths& paths, FileSystem& files);

/// Turns every textured shader into the glassy "AddATexDiff"; "Diffuse" stays.
Status SetzeShaderAddATexDiff(const ShapePaths& paths, FileSystem& files);

} // namespace quillfen
