#pragma once
// AddToRef.txt, written by the conversion run after the copies when
// chkRefEintrag is ticked: an object entry for the user to paste into the
// route's reference file, so the route editor offers the new shape.

#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "platform/Expected.h"
#include "platform/FileSystem.h"

#include <string>

namespace quillfen {

struct ReferenceChoices {
    int chkRefEintrag = 0; ///< any state but 0 writes the entry
    std::string txtRefClass;
    std::string txtRefDescription;
};

/// The six lines joined by CR LF, none after the last. A user text that is
/// not blank is written untrimmed; a blank one gives the default (" Quillfen"
/// for the class, the s-file's name for the description).
[[nodiscard]] std::string referenceEntryText(const ReferenceChoices& choices, const std::string& sFileName);

/// Writes AddToRef.txt in the working folder in Windows-1252, replacing an older file, and logs
/// it; does nothing when chkRefEintrag is 0. A character outside the code page
/// is written as "?" and a warning line says so.
Status writeReferenceEntry(const ReferenceChoices& choices, const ProgramState& state,
                           const ShapePaths& paths, FileSystem& files, LogSink& log);

} // namespace quillfen
