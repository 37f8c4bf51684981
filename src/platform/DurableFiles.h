#pragma once
// Writing files so that a crash, a kill or a power cut never costs a file:
// the new content goes to a temporary file beside the target, is flushed to
// the disk, renamed over the target in one step, and the folder is flushed so
// the rename itself survives. At every moment the target's name holds either
// the complete old or the complete new file.
//
// Temporary files have one short name pattern of the program's own,
// "~qf-" + 8 hex digits + ".tmp", whatever the target is called, so a target
// name that fits the file system always fits with its temporary file too.
// Before a write, leftovers of that pattern beside the target (from a killed
// run) are removed, unless another write still holds them.
//
// Failures carry the path concerned and the system's own reason
// ("No space left on device"), never a library's summary of it.

#include "platform/Expected.h"

#include <string>
#include <string_view>

namespace quillfen {

/// A fresh temporary file name of the program's pattern (random digits).
[[nodiscard]] std::string temporaryFileName();

/// True for names of the program's temporary pattern: today's "~qf-XXXXXXXX.tmp"
/// and the "NAME.quillfen-NNNNNN.tmp" that earlier versions left beside NAME.
[[nodiscard]] bool isOwnTemporaryFileName(std::string_view name);

/// Replaces the file at `targetPath` by `bytes` durably.
Status writeFileDurably(const std::string& targetPath, std::string_view bytes);

/// Copies `sourcePath` to `targetPath` durably, replacing a file there. A read
/// failure names the source, a write failure the target.
Status copyFileDurably(const std::string& sourcePath, const std::string& targetPath);

/// Moves `sourcePath` to `targetPath` in one step, replacing a file there, and
/// flushes both; across volumes it copies durably, then removes the source.
Status moveFileOverDurably(const std::string& sourcePath, const std::string& targetPath);

/// Removes the program's leftover temporary files in `folder` that no running
/// write holds; in a folder that is a link or junction nothing at all. Nothing
/// else is touched; failures are left for the write to meet.
void removeTemporaryLeftovers(const std::string& folder);

} // namespace quillfen
