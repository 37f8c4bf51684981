#pragma once
// KopiereTexturen: the last s-file step of every conversion run, after the
// test options. It copies into wd/TEXTURES every file of the working folder
// whose exact name the final s-file holds, then deletes the files an earlier
// run left there.

#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "platform/FileSystem.h"

namespace quillfen {

/// Collects the used textures and logs the outcome. A failure (a locked
/// texture or folder, an unreadable s-file, a failed copy) stops the
/// collection where it happened and is logged here, with the file and the
/// system's reason under the access line; it is no reason to end the run.
/// Files already deleted or copied stay so.
void KopiereTexturen(const ProgramState& state, const ShapePaths& paths, FileSystem& files, LogSink& log);

} // namespace quillfen
