#pragma once
// The single-byte ("ANSI") code page in which a Windows program such as the
// converter receives its arguments. A character the code page lacks reaches
// the program as "?" or a look-alike, so a path with one cannot be opened:
// such paths must be avoided before the converter is started.

#include <string>
#include <string_view>

namespace quillfen {

/// The code page a Windows program started now gets its arguments in: the
/// system's on Windows; under Wine the one Wine takes from the locale
/// (LC_ALL, else LC_CTYPE, else LANG).
[[nodiscard]] int converterCodePage();

/// The code page Wine gives a locale name such as "cs_CZ.UTF-8": 1250 for
/// Central European languages, 1251 Cyrillic, 1253 Greek, 1254 Turkish, 1255
/// Hebrew, 1256 Arabic, 1257 Baltic, 1258 Vietnamese, 874 Thai, 932, 936, 949
/// and 950 for Japanese, Chinese (simplified), Korean and Chinese
/// (traditional); 1252 for the rest, "C" and "POSIX" included.
[[nodiscard]] int wineCodePageOfLocale(std::string_view locale);

/// True when `converterPath` gets its arguments in a code page: always on
/// Windows; elsewhere when it is a Windows program (run by Wine).
[[nodiscard]] bool takesCodePageArguments(const std::string& converterPath);

/// True when every character of the UTF-8 text has a place of its own in the
/// code page, so that it survives the way there and back unchanged.
[[nodiscard]] bool fitsCodePage(std::string_view utf8, int codePage);

} // namespace quillfen
