#pragma once
// The conversion run's calls into the other areas (bounding box, sd-file,
// s-file edits, textures, copies, reference entry), each turned into the
// run's terms: a failure is one log line naming the file and the reason, and
// the run then ends through its end sequence.

#include "app/RunChoices.h"
#include "core/ShapePaths.h"
#include "platform/Expected.h"
#include "run/ConversionRun.h"

namespace quillfen {

/// The file operations of a run that have no recovery of their own.
enum class FailedStep {
    ReadFolder,
    DeleteStaleSFile,
    CreateShapes,
    MoveSFile,
    WriteSdFile,
    EditSFile,
    CopyToTarget,
    WriteReference,
    Unexpected,
};

/// One log line in the current language: what failed, then the file and the
/// system's reason.
void logFailure(const RunServices& s, FailedStep step, const Error& error);

/// Brings the bounding-box values into their normal form, updates `choices`
/// and shows the result on the host's view.
void validateBoundingBoxForRun(RunServices& s, RunChoices& choices);

/// An ACE file in the working folder for every image of the new s-file that
/// the folder has only as a PNG, BMP, TGA or JPG picture (one log line each),
/// then the folder read anew, so the texture correction and collection see
/// the new files. False after a logged failure to read the folder.
bool makeMissingTexturesForRun(RunServices& s, const ShapePaths& paths);

/// The sd-file beside the new s-file in SHAPES, with its log lines. False
/// after a logged failure.
bool writeSdFileForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices);

/// The s-file edits (texture names and mipmap bias, the test options) and the
/// texture collection, with their log lines. False after a logged failure.
bool editSFileForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices);

/// The copies to the checked targets. False after a logged failure.
bool copyToTargetsForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices);

/// AddToRef.txt when the reference entry is ticked. False after a logged failure.
bool writeReferenceEntryForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices);

} // namespace quillfen
