#include "platform/SpecialFolders.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#ifdef _WIN32
#include "platform/RegistryWideText.h"

#include <shlobj.h>
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace quillfen {

std::string winePrefixFrom(std::string_view winePrefixVariable, std::string_view home) {
    if (!winePrefixVariable.empty()) return std::string(winePrefixVariable);
    if (home.empty()) return {};
    return joinPath(home, ".wine");
}

std::string programFilesInPrefix(std::string_view prefix, int csidl) {
    if (prefix.empty()) return {};
    const LocalFileSystem files;
    const auto driveC = joinPath(prefix, "drive_c");
    const auto x86 = joinPath(driveC, "Program Files (x86)");
    const auto native = joinPath(driveC, "Program Files");
    // A 32-bit prefix has only "Program Files", and 32-bit programs live there.
    if (csidl == kCsidlProgramFilesX86 && files.folderExists(x86)) return x86;
    if ((csidl == kCsidlProgramFilesX86 || csidl == kCsidlProgramFiles) && files.folderExists(native))
        return native;
    return {};
}

std::string windowsPathInPrefix(std::string_view windowsPath, std::string_view prefix) {
    const bool hasDrive = windowsPath.size() >= 2 && windowsPath[1] == ':' &&
                          ((windowsPath[0] >= 'A' && windowsPath[0] <= 'Z') ||
                           (windowsPath[0] >= 'a' && windowsPath[0] <= 'z'));
    if (!hasDrive || prefix.empty()) return toNativeSeparators(windowsPath);
    const char drive = toLowerLatin1(windowsPath.substr(0, 1))[0];
    const auto driveFolder = drive == 'c'
                                 ? joinPath(prefix, "drive_c")
                                 : joinPath(joinPath(prefix, "dosdevices"), std::string(1, drive) + ":");
    auto rest = toNativeSeparators(windowsPath.substr(2));
    while (!rest.empty() && rest.front() == kPathSeparator) rest.erase(0, 1);
    return rest.empty() ? driveFolder : joinPath(driveFolder, rest);
}

#ifdef _WIN32

std::string HoleSpezialOrdner(int csidl) {
    PIDLIST_ABSOLUTE items = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &items) != S_OK || items == nullptr) return {};
    wchar_t buffer[MAX_PATH + 1] = {};
    const bool converted = SHGetPathFromIDListW(items, buffer) != FALSE;
    CoTaskMemFree(items);
    if (!converted) return {};
    return windows_text::fromWide(buffer);
}

std::string winePrefixFolder() {
    return {};
}

std::string defaultCopyTargetFolder() {
    return "C:\\";
}

std::string windowsPathToHost(std::string_view windowsPath) {
    return std::string(windowsPath);
}

#else

std::string HoleSpezialOrdner(int csidl) {
    return programFilesInPrefix(winePrefixFolder(), csidl);
}

std::string defaultCopyTargetFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? std::string(home) : std::string("/");
}

std::string winePrefixFolder() {
    const char* variable = std::getenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    auto prefix = winePrefixFrom(variable != nullptr ? variable : "", home != nullptr ? home : "");
    if (prefix.empty() || !LocalFileSystem().folderExists(prefix)) return {};
    return prefix;
}

std::string windowsPathToHost(std::string_view windowsPath) {
    return windowsPathInPrefix(windowsPath, winePrefixFolder());
}

#endif

} // namespace quillfen
