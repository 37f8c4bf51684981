#pragma once
// Shell special folders, and the Wine prefix that stands in for Windows'
// drive C: and registry on other systems.

#include <string>
#include <string_view>

namespace quillfen {

/// The Program Files folder of the machine's own kind of program.
inline constexpr int kCsidlProgramFiles = 38;
/// The Program Files folder of 32-bit programs ("Program Files (x86)" on a 64-bit system).
inline constexpr int kCsidlProgramFilesX86 = 42;

/// `HoleSpezialOrdner`: the path of the shell special folder `csidl`, "" on
/// failure. Without Windows, the two Program Files folders are looked up in
/// the Wine prefix (the 32-bit one falls back to "Program Files" in a 32-bit
/// prefix); every other folder is "".
[[nodiscard]] std::string HoleSpezialOrdner(int csidl);

/// Where a copy target points until the modeller chooses one: the root of
/// drive C: on Windows, elsewhere the home folder ("/" when HOME is not set),
/// since "C:\" names no folder there.
[[nodiscard]] std::string defaultCopyTargetFolder();

/// The Wine prefix in use: $WINEPREFIX, else ~/.wine, when that folder exists;
/// "" on Windows, whose registry and drives are the machine's own.
[[nodiscard]] std::string winePrefixFolder();

/// The prefix that the variables WINEPREFIX and HOME name (either may be
/// empty): WINEPREFIX when set, else HOME + "/.wine", else "".
[[nodiscard]] std::string winePrefixFrom(std::string_view winePrefixVariable, std::string_view home);

/// The Program Files folder `csidl` inside a Wine prefix, "" when it does not exist.
[[nodiscard]] std::string programFilesInPrefix(std::string_view prefix, int csidl);

/// A Windows path ("C:\Program Files\...") as a path in the Wine prefix: drive
/// C: is the prefix's drive_c, other drives its dosdevices links. A path
/// without a drive letter only gets this machine's separators.
[[nodiscard]] std::string windowsPathInPrefix(std::string_view windowsPath, std::string_view prefix);

/// A path read from the registry as a path of this machine: unchanged on
/// Windows, mapped into the Wine prefix elsewhere.
[[nodiscard]] std::string windowsPathToHost(std::string_view windowsPath);

} // namespace quillfen
