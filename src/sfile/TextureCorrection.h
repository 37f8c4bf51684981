#pragma once
// KorrigiereTexturen: the first s-file edit of the conversion run, right after
// the sd-file is written. It makes every image entry name a texture file that
// lies in the working folder (.ace, then .dds) and writes the chosen mipmap
// bias into the texture entries. Called once per run.

#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "platform/Expected.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"

#include <string>
#include <vector>

namespace quillfen {

/// The control values the edit reads.
struct TextureCorrectionChoices {
    int chkAceUni = 0;           ///< 0, 1 or 2; the name corrections are logged only when this
    int chkShaderDiffuse = 0;    ///< and this are both 0
    std::string cmbMipMap = "0"; ///< the bias, inserted into the s-file as typed
    /// The user's decimal separator, for reading the bias (a "." is accepted as well).
    char decimalSeparator = userDecimalSeparator();
};

/// The image names of the s-file's image block, element 0 empty, elements
/// 1..m in file order; empty (not even element 0) when the text lacks
/// "image (" followed later by "textures (".
[[nodiscard]] std::vector<std::string> parseImageList(const std::string& text);

/// The number written after the first "images (" (any letter case), read the
/// lenient way; 0 when there is none.
[[nodiscard]] double readImageCount(const std::string& text);

/// Edits the s-file in SHAPES in place and logs each name correction. The
/// file is rewritten as UTF-16LE with a byte-order mark on every call, also
/// when nothing changed. When the s-file cannot be read, or holds ".ACE" but
/// not what the edit needs (an image block before the texture block, no more
/// images announced than listed, a numeric bias), the file is left untouched
/// and the error names the file and the reason.
Status KorrigiereTexturen(const TextureCorrectionChoices& choices, const ProgramState& state,
                          const ShapePaths& paths, FileSystem& files, LogSink& log);

} // namespace quillfen
