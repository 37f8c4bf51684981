#include "platform/WineDrives.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quillfen {

namespace {

namespace fs = std::filesystem;

fs::path pathOf(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return {text.begin(), text.end()};
}

/// "c:" gives 'C'; anything else (a device "c::", a stray file) gives 0.
char driveLetterOf(const std::string& entryName) {
    if (entryName.size() != 2 || entryName[1] != ':') return 0;
    const char letter = entryName[0];
    if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
    if (letter >= 'A' && letter <= 'Z') return letter;
    return 0;
}

/// The path with its links resolved, as far as it exists.
std::string resolved(const fs::path& path) {
    std::error_code error;
    const auto canonical = fs::weakly_canonical(path, error);
    return utf8Of(error ? path.lexically_normal() : canonical);
}

/// The rest of `path` below `folder`, or std::nullopt when `folder` does not lead it.
std::optional<std::string> restBelow(const std::string& path, std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    if (path + '/' == folder) return std::string();
    if (path.compare(0, folder.size(), folder) != 0) return std::nullopt;
    return path.substr(folder.size());
}

} // namespace

std::optional<std::vector<WineDrive>> wineDrivesOf(std::string_view prefix) {
    const fs::path devices = pathOf(prefix) / "dosdevices";
    std::error_code error;
    fs::directory_iterator entries(devices, error);
    if (error) return std::nullopt;
    std::vector<WineDrive> drives;
    for (const auto& entry : entries) {
        const char letter = driveLetterOf(utf8Of(entry.path().filename()));
        if (letter == 0 || !entry.is_directory(error)) continue;
        drives.push_back({letter, resolved(entry.path())});
    }
    std::sort(drives.begin(), drives.end(),
              [](const WineDrive& a, const WineDrive& b) { return a.letter < b.letter; });
    return drives;
}

std::vector<WineDrive> wineDrivesInUse(std::string_view prefix) {
    if (auto drives = prefix.empty() ? std::nullopt : wineDrivesOf(prefix)) return std::move(*drives);
    return {WineDrive{'Z', "/"}};
}

std::optional<std::string> windowsPathOnDrives(std::string_view hostPath,
                                               const std::vector<WineDrive>& drives) {
    const std::string path = resolved(pathOf(hostPath));
    const WineDrive* best = nullptr;
    std::string bestRest;
    for (const auto& drive : drives) {
        const auto rest = restBelow(path, drive.hostFolder);
        if (rest && (best == nullptr || drive.hostFolder.size() > best->hostFolder.size())) {
            best = &drive;
            bestRest = *rest;
        }
    }
    if (best == nullptr) return std::nullopt;
    std::replace(bestRest.begin(), bestRest.end(), '/', '\\');
    return std::string(1, best->letter) + ":\\" + bestRest;
}

} // namespace quillfen
