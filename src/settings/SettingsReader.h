#pragma once
// Reading Quillfen.ini: the file's lines become an ordered list of key
// applications, which the window (or any other reader) applies in order, so
// that a later line for the same key wins.

#include "platform/Expected.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

inline constexpr const char* kSettingsFileName = "Quillfen.ini";
/// A settings file is a few hundred bytes; one larger than this is damaged,
/// and is not read whole (a huge file would cost many times its size).
inline constexpr std::size_t kSettingsFileLimit = 1024 * 1024;
/// Where a damaged settings file is kept aside, so a fresh one can be written.
inline constexpr const char* kDamagedSettingsSuffix = ".bad";

/// One value to apply to the control of one key.
struct SettingApplication {
    std::size_t key = 0; ///< position in kSettingKeys
    std::string name;    ///< the key's name from kSettingKeys
    std::string value;   ///< "->", tabs and (where the key says so) quotes removed
    bool operator==(const SettingApplication&) const = default;
};

/// The settings file of the program's folder.
[[nodiscard]] std::string settingsFilePath(const std::string& programFolder);

/// The file's bytes as text: UTF-8 when they carry its BOM or are valid UTF-8,
/// else Windows-1252 (a file written by an older version of the program).
[[nodiscard]] std::string decodeSettingsBytes(std::string_view bytes);

/// The file's lines; CR LF, a lone CR and a lone LF each end a line.
[[nodiscard]] std::vector<std::string> splitSettingsLines(std::string_view text);

/// The applications of the lines, in file order. Nothing when the first line
/// is blank. A line's key is its text before the first tab; it matches every
/// name of the table that it contains, in table order. A line without a tab
/// has no key and is passed over.
[[nodiscard]] std::vector<SettingApplication> parseSettingsLines(const std::vector<std::string>& lines);

/// decode, split and parse in one.
[[nodiscard]] std::vector<SettingApplication> parseSettingsBytes(std::string_view bytes);

/// The applications of the file at `path`; an empty list when it does not
/// exist. A file larger than kSettingsFileLimit fails as damaged
/// (isDamagedSettingsFile).
[[nodiscard]] Expected<std::vector<SettingApplication>> readSettingsFile(const FileSystem& files,
                                                                         const std::string& path);

/// True for the failure of readSettingsFile that means "damaged, use the defaults".
[[nodiscard]] bool isDamagedSettingsFile(const Error& error);

/// Moves a damaged settings file aside to its name + kDamagedSettingsSuffix
/// (replacing an older one there), so that the quit writes a fresh file
/// instead of overwriting the evidence.
Status keepDamagedSettings(FileSystem& files, const std::string& path);

/// An integer value ("1", " -2 "), or std::nullopt when it is not a whole
/// number in decimal within the range of int.
[[nodiscard]] std::optional<int> settingInteger(std::string_view value);

/// A truth value: "True"/"False" (any letter case) or a number, non-zero
/// meaning true; std::nullopt for anything else.
[[nodiscard]] std::optional<bool> settingTruth(std::string_view value);

} // namespace quillfen
