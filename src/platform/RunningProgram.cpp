#include "platform/RunningProgram.h"

#ifdef _WIN32
#include "platform/RegistryWideText.h"

#include <windows.h>

#include <vector>
#else
#include <filesystem>
#include <system_error>
#endif

namespace quillfen {

#ifdef _WIN32
std::string runningProgramPath() {
    // The path may be longer than MAX_PATH: the buffer grows until it fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return windows_text::fromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}
#else
std::string runningProgramPath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}
#endif

} // namespace quillfen
