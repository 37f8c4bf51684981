#pragma once
// The copies to the three targets, made by the conversion run after the
// texture collection and before the reference entry. Targets 0 and 1 are route
// folders (their SHAPES gets the s-file and the sd-file, their TEXTURES the
// collected textures on request); target 2 is any folder and gets the s-file.

#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "platform/Expected.h"
#include "platform/FileSystem.h"

#include <array>
#include <string>

namespace quillfen {

struct CopyTarget {
    int chkShapeTo = 0;      ///< only exactly 1 (checked) serves the target; grey (2) does not
    std::string lblCopyPfad; ///< the folder, with or without a trailing separator
};

struct CopyChoices {
    std::array<CopyTarget, 3> targets;
    int chkTextureCopy = 0; ///< exactly 1 copies the textures to targets 0 and 1
};

/// The folder path the s-file goes to: caption + "SHAPES" + separator for a
/// route folder (`shapesFolderName`), caption + separator for target 2, with
/// doubled separators collapsed.
[[nodiscard]] std::string copyTargetPath(const std::string& caption, const std::string& shapesFolderName);

/// The name of a subfolder of `parent` whose name equals `wanted` in any
/// letter case (the exact spelling preferred); `wanted` itself when there is
/// none. Route folders often come from Windows, where letter case does not
/// count, and must not get a second SHAPES beside their Shapes.
[[nodiscard]] std::string existingFolderName(const FileSystem& files, const std::string& parent,
                                             const std::string& wanted);

/// Serves the checked targets in order 0, 1, 2 and logs each. A missing
/// target folder is logged and skipped; any other failure ends the copies and
/// comes back as the error.
Status copyToTargets(const CopyChoices& choices, const ProgramState& state, const ShapePaths& paths,
                     FileSystem& files, LogSink& log);

} // namespace quillfen
