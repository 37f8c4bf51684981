#pragma once
// Reading the working directory's file names into the program-wide file list,
// in the system's order or sorted by name or by extension.

#include "core/ProgramState.h"
#include "platform/Expected.h"
#include "platform/FileSystem.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

/// Reads the names of the folder's files (no subfolders) into
/// `gstrArrDateiNamen` (index 0 stays empty) and `gintAnzahlDateien`, in the
/// order the file system lists them, then sorts them when `strSortBy` is not
/// empty. A folder without files, or one that cannot be listed, leaves both
/// values as they were; the latter also comes back as the error.
Status LiesDateiFeld(ProgramState& state, const FileSystem& fileSystem, const std::string& strVerzeichnisName,
                     std::string_view strSortBy);

/// Sorts `gstrArrDateiNamen` (index 0 included) by "name" or by "suffix"
/// (the word's letter case ignored); any other word leaves it unchanged.
void SortgstrArrDateiNamenBubbleSort(ProgramState& state, std::string_view strSortBy);

/// The sort itself, on any list of names. "name": by the lower-cased name.
/// "suffix": by the lower-cased text after the last "." (the whole name when
/// it has none), then by the lower-cased name. Names equal but for letter case
/// keep a fixed order (plain character comparison).
void sortFileNames(std::vector<std::string>& names, std::string_view sortBy);

/// True when a name contains `extension` (".3ds") in any letter case: how the
/// program tells that a folder holds files of a type.
[[nodiscard]] bool anyNameContains(std::span<const std::string> names, std::string_view extension);

/// The pattern's extension ("*.3ds" gives ".3ds") when no listed name contains
/// it in any letter case; empty when one does.
[[nodiscard]] std::string PruefeDateiTyp(const ProgramState& state, std::string_view pattern);

} // namespace quillfen
