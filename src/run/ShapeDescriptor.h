#pragma once
// The sd-file, written by the conversion run right after the new s-file has
// arrived in SHAPES and before the s-file edits: the sd-file beside the s-file in SHAPES with the
// detail level, the alternative-texture code and, on request, the bounding box.

#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "platform/Expected.h"
#include "platform/FileSystem.h"

#include <string>

namespace quillfen {

/// The five texture option buttons and the code box.
struct AlternativeTextureChoices {
    bool optNurSommerTextur = false;
    bool optSchneeTextur = false;
    bool optSchneeUndNachtTextur = false;
    bool optJahreszeitenTextur = false;
    bool optManuellAlternativTexture = false;
    std::string txtESD_Alter_Tex;
};

/// What the sd-file is made of.
struct ShapeDescriptorChoices {
    AlternativeTextureChoices texture;
    int chkBoundingBox = 0;   ///< 0, 1 or 2; any state but 0 asks for the box
    std::string txtBBoxInput; ///< the six values
    std::string txtBBox;      ///< the display line "ESD_Bounding_Box ( ... )"
};

/// The code of the set option; the manual text exactly as typed. When several
/// are set, the last in the order summer, snow, snow and night, seasons,
/// manual wins; none set gives "0".
[[nodiscard]] std::string alternativeTextureCode(const AlternativeTextureChoices& choices);

/// True when the sd-file gets the bounding-box line.
[[nodiscard]] bool includesBoundingBox(const ShapeDescriptorChoices& choices);

/// The file's text: lines joined by CR LF, none after the last.
[[nodiscard]] std::string shapeDescriptorText(const ShapeDescriptorChoices& choices,
                                              const std::string& sFileName);

/// Writes the sd-file (UTF-16LE with a byte-order mark, replacing an older
/// one) and logs it. It also logs the warning about an empty bounding box, so
/// the run must not log that line a second time.
Status writeShapeDescriptor(const ShapeDescriptorChoices& choices, const ProgramState& state,
                            const ShapePaths& paths, FileSystem& files, LogSink& log);

} // namespace quillfen
