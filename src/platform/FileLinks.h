#pragma once
// Deleting without following links. A model folder's TEXTURES or SHAPES can be
// a symbolic link (or, on Windows, a junction) to somewhere else, even to the
// model folder itself; a delete that went through it would remove other
// people's files. These functions delete only in the folder they were given.

#include "platform/Expected.h"

#include <string>

namespace quillfen {

/// The reason given when a delete refuses to go through a link.
inline constexpr const char* kThroughLinkReason =
    "is a symbolic link or junction; nothing is deleted through it";

/// True when the path itself is a symbolic link or a junction (any reparse
/// point on Windows). The link is not followed.
[[nodiscard]] bool isLinkOrJunction(const std::string& path);

/// Deletes the file `name` (a plain name) from `folder`. Refuses when `folder`
/// is a link or junction, so the delete never lands outside the folder meant.
/// A link in the folder is removed itself, its target stays; a folder never goes.
Status deleteFileInFolder(const std::string& folder, const std::string& name);

/// Deletes the file at `path` as named: the folders on the way are the ones
/// the caller chose (a model folder may well be reached through a link), a
/// link at the end is removed itself, and a folder is never deleted here.
Status deleteFileEntry(const std::string& path);

/// Removes an empty folder; refuses a link or junction (whose target would
/// stay while the link vanished) and a folder that is not empty.
Status removeEmptyFolderNotLink(const std::string& path);

} // namespace quillfen
