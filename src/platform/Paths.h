#pragma once
// Paths as the program builds them: folder + separator + name, with the
// platform's separator ('\' on Windows, '/' elsewhere).

#include <string>
#include <string_view>

namespace quillfen {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
/// The separator as text, for building paths by concatenation.
inline const std::string kSep(1, kPathSeparator);

/// `folder` + separator + `name`, with exactly one separator between them.
[[nodiscard]] std::string joinPath(std::string_view folder, std::string_view name);

/// Every run of separators inside the path becomes one. A leading pair on
/// Windows (a UNC path "\\server\share") is kept.
[[nodiscard]] std::string collapseSeparators(std::string_view path);

/// The last component of a path (the file's name).
[[nodiscard]] std::string fileNameOf(std::string_view path);

/// The path without its last component and without a trailing separator.
[[nodiscard]] std::string parentOf(std::string_view path);

/// True when `path` ends with the platform's separator (or '/' on Windows).
[[nodiscard]] bool endsWithSeparator(std::string_view path);

/// True when two names in one folder stand for the same file: the same text,
/// or on Windows, whose file names ignore letter case, the same letters.
[[nodiscard]] bool sameFileName(std::string_view a, std::string_view b);

/// The path with Windows separators turned into the platform's.
[[nodiscard]] std::string toNativeSeparators(std::string_view path);

} // namespace quillfen
