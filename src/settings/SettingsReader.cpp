#include "settings/SettingsReader.h"

#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/TextCodec.h"
#include "settings/SettingKeys.h"

#include <limits>

namespace quillfen {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr const char* kDamagedReason = "larger than 1 MB: damaged, not a settings file";

/// The applications of one non-blank line.
void parseLine(const std::string& line, std::vector<SettingApplication>& out) {
    const auto tab = line.find('\t');
    // A line without a tab has no key of its own; taking the whole line as key
    // would let any stray text that happens to contain a name overwrite a choice.
    if (tab == std::string::npos) return;
    const auto key = trimBlanks(std::string_view(line).substr(0, tab));
    if (key.empty()) return;
    // The value is everything after the key as it stands in the line (blanks
    // before an indented key are not counted into the key).
    const auto keyStart = line.find_first_not_of(' ');
    auto value = std::string_view(line).substr(keyStart + key.size());
    const auto cleaned = trimBlanks(removeAll(removeAll(value, "->"), "\t"));
    for (std::size_t index = 0; index < kSettingKeys.size(); ++index) {
        const auto& info = kSettingKeys[index];
        if (key.find(info.name) == std::string::npos) continue;
        out.push_back({index, std::string(info.name), info.dropsQuotes ? removeAll(cleaned, "\"") : cleaned});
    }
}

} // namespace

std::string settingsFilePath(const std::string& programFolder) {
    return joinPath(programFolder, kSettingsFileName);
}

std::string decodeSettingsBytes(std::string_view bytes) {
    if (startsWith(bytes, kUtf8Bom)) {
        // Invalid bytes after the BOM become U+FFFD rather than text that is not UTF-8.
        return fromCodePoints(toCodePoints(bytes.substr(kUtf8Bom.size())));
    }
    if (isValidUtf8(bytes)) return std::string(bytes);
    return decodeWindows1252(bytes);
}

std::vector<std::string> splitSettingsLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::vector<SettingApplication> parseSettingsLines(const std::vector<std::string>& lines) {
    std::vector<SettingApplication> applications;
    if (lines.empty() || trimBlanks(lines.front()).empty()) return applications;
    for (const auto& line : lines) {
        if (trimBlanks(line).empty()) continue;
        parseLine(line, applications);
    }
    return applications;
}

std::vector<SettingApplication> parseSettingsBytes(std::string_view bytes) {
    return parseSettingsLines(splitSettingsLines(decodeSettingsBytes(bytes)));
}

Expected<std::vector<SettingApplication>> readSettingsFile(const FileSystem& files, const std::string& path) {
    if (!files.fileExists(path)) return std::vector<SettingApplication>{};
    auto bytes = files.readBytesUpTo(path, kSettingsFileLimit);
    if (!bytes) return bytes.error();
    if (bytes->size() > kSettingsFileLimit) return Error{path, kDamagedReason};
    return parseSettingsBytes(*bytes);
}

bool isDamagedSettingsFile(const Error& error) {
    return error.reason == kDamagedReason;
}

Status keepDamagedSettings(FileSystem& files, const std::string& path) {
    return files.moveFileOver(path, path + kDamagedSettingsSuffix);
}

std::optional<int> settingInteger(std::string_view value) {
    const auto number = parseInteger(value);
    if (!number || *number < std::numeric_limits<int>::min() || *number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*number);
}

std::optional<bool> settingTruth(std::string_view value) {
    const auto word = trimBlanks(value);
    if (equalsNoCase(word, "True")) return true;
    if (equalsNoCase(word, "False")) return false;
    if (const auto number = parseLocaleNumber(word, '.')) return *number != 0.0;
    return std::nullopt;
}

} // namespace quillfen
