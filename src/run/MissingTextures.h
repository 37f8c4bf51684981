#pragma once
// The run's step between the converter and the texture correction: every
// image the s-file names that the working folder holds only as an ordinary
// picture (PNG, BMP, TGA, JPG) gets an ACE file made from it there, so the
// engines, which read only ACE (and Open Rails DDS), find a texture.

#include "core/LogSink.h"
#include "core/Texts.h"
#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace quillfen {

/// What one texture of the step came to.
struct MadeTexture {
    std::string source; ///< the picture's file name in the working folder
    std::string ace;    ///< the ACE file's name
};

/// Makes the missing ACE files and logs one line per texture (and a warning per
/// picture scaled to sides of powers of two). `imageNames` are the s-file's
/// image entries, `folderFiles` the working folder's file names. An existing
/// ACE or DDS file is never replaced; a damaged picture is logged and skipped.
std::vector<MadeTexture> makeMissingTextures(const std::vector<std::string>& imageNames,
                                             const std::vector<std::string>& folderFiles,
                                             const std::string& workingFolder, FileSystem& files,
                                             LogSink& log, Language language);

} // namespace quillfen
