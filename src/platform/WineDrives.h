#pragma once
// The drives of a Wine prefix: each drive letter is a link in the prefix's
// `dosdevices` folder to a folder of this machine ("c:" to "../drive_c", "z:"
// to "/" unless the user removed it). A Windows program under Wine can only
// open a file through one of them, so its paths are made from these links.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

struct WineDrive {
    char letter = 'C';      ///< upper case
    std::string hostFolder; ///< the folder the drive shows, with every link resolved
};

/// The drives of the prefix, in letter order, from its `dosdevices` links
/// (device entries such as "c::" are passed over). std::nullopt when the
/// prefix has no `dosdevices` folder yet: Wine makes it on its first start,
/// with C: and Z: for the root of this machine.
[[nodiscard]] std::optional<std::vector<WineDrive>> wineDrivesOf(std::string_view prefix);

/// The drives a prefix has or, when it is still to be made, will have: only
/// Z: counts then, for the root folder.
[[nodiscard]] std::vector<WineDrive> wineDrivesInUse(std::string_view prefix);

/// The Windows form of a path of this machine ("/home/a b/x.s" is
/// "Z:\home\a b\x.s" where Z: shows "/"), through the drive whose folder is the
/// longest leading part of the path (so a file in drive_c is on C:, as
/// `winepath -w` says). Links in the path are resolved first. std::nullopt
/// when no drive reaches the path.
[[nodiscard]] std::optional<std::string> windowsPathOnDrives(std::string_view hostPath,
                                                             const std::vector<WineDrive>& drives);

} // namespace quillfen
