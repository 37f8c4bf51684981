#pragma once
// Fake programs written as shell scripts, and a short real-time wait for what another process does.

#include "support/TempFolder.h"

#include <chrono>
#include <functional>
#include <thread>

namespace quillfen::test {

/// Waits in real time, briefly, for something another process does; fails the test after ten seconds.
inline bool waitForReal(const std::function<bool()>& condition) {
    for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10); !condition();) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "another process did not do its part within 10 s";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

inline void writeScript(const std::filesystem::path& path, const std::string& body) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << "#!/bin/sh\n" << body;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

/// A single-quoted shell word (for paths written into a fake program).
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

/// Script lines that write the script's arguments, one a line, to `record` (complete once it exists).
inline std::string recordArguments(const std::filesystem::path& record) {
    const std::string r = shellQuoted(record.string());
    return "printf '%s\\n' \"$@\" > " + r + ".part\nmv " + r + ".part " + r + "\n";
}

/// The lines of a file that `recordArguments` wrote, once it is there.
inline std::vector<std::string> recordedLines(const std::filesystem::path& record) {
    std::vector<std::string> lines;
    std::istringstream in(waitForReal([&] { return std::filesystem::exists(record); }) ? readFile(record)
                                                                                       : "");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace quillfen::test
