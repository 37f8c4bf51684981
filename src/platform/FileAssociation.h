#pragma once
// Whether the desktop has a program of its own for a kind of file. Windows
// answers from its file associations; elsewhere no desktop knows shape files,
// so the answer is always no and the program shows them itself.

#include <string>

namespace quillfen {

/// True when the desktop associates a program with files ending in
/// `extension` (".s").
[[nodiscard]] bool desktopHasProgramFor(const std::string& extension);

} // namespace quillfen
