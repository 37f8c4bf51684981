#pragma once
// Where one conversion's files lie. Computed once when a command starts, from
// the working folder and the s-file's name, and handed to every step.

#include "platform/Paths.h"

#include <string>

namespace quillfen {

struct ShapePaths {
    std::string workingFolder;   ///< the model folder, without a trailing separator
    std::string sFileName;       ///< the s-file's name, ending in ".s" (or ".S")
    std::string converterOutput; ///< where the converter writes the s-file: the working folder
    std::string shapesFolder;    ///< working folder + SHAPES
    std::string sFile;           ///< the s-file in SHAPES
    std::string sdFile;          ///< the sd-file beside it: the s-file's name followed by "d"
    std::string texturesFolder;  ///< working folder + TEXTURES

    [[nodiscard]] static ShapePaths of(const std::string& workingFolder, const std::string& sFileName) {
        ShapePaths paths;
        paths.workingFolder = workingFolder;
        paths.sFileName = sFileName;
        paths.converterOutput = workingFolder + kSep + sFileName;
        paths.shapesFolder = workingFolder + kSep + "SHAPES";
        paths.sFile = paths.shapesFolder + kSep + sFileName;
        paths.sdFile = paths.sFile + "d";
        paths.texturesFolder = workingFolder + kSep + "TEXTURES";
        return paths;
    }
};

} // namespace quillfen
