#pragma once
// Helpers for the conversion-run tests: a host that records what the run did
// to the window, a file system that fails one chosen operation, a driver that
// moves a manual clock at each yield, and fake converters written as scripts.

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "run/CommandHost.h"
#include "run/CommandTask.h"
#include "run/RunView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillfen::test {

/// A window stand-in: the log as text (newest line first), the messages shown
/// and the state of the lock, the cursor, the busy display and the cancel button.
class RecordingHost final : public CommandHost {
public:
    struct Message {
        std::string title;
        std::string text;
    };

    void log(const std::string& line) override {
        ++calls;
        m_text = line + "\r\n" + m_text;
    }
    [[nodiscard]] std::string logText() const override { return m_text; }
    void setLogText(const std::string& text) override {
        ++calls;
        m_text = text;
    }
    void showMessage(const std::string& title, const std::string& text) override {
        ++calls;
        messages.push_back({title, text});
    }
    bool askYesNo(const std::string& title, const std::string& text) override {
        showMessage(title, text);
        return true;
    }
    void setBusyCursor(bool busy) override {
        ++calls;
        busyCursor = busy;
    }
    void lockControls() override {
        ++calls;
        ++locks;
    }
    void releaseControls() override {
        ++calls;
        ++releases;
    }
    void setBusyDisplay(bool running) override {
        ++calls;
        busyDisplay = running;
    }
    void setCancelEnabled(bool enabled) override {
        ++calls;
        cancelEnabled = enabled;
    }

    /// The log's lines, newest first.
    [[nodiscard]] std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::size_t start = 0;
        while (start < m_text.size()) {
            const std::size_t end = m_text.find("\r\n", start);
            if (end == std::string::npos) {
                result.push_back(m_text.substr(start));
                break;
            }
            result.push_back(m_text.substr(start, end - start));
            start = end + 2;
        }
        return result;
    }
    [[nodiscard]] bool logHas(const std::string& line) const {
        for (const auto& l : lines())
            if (l == line) return true;
        return false;
    }
    /// Unlocked and idle, as after every end of a run.
    [[nodiscard]] bool idle() const {
        return locks == releases && !busyCursor && !busyDisplay && !cancelEnabled;
    }

    std::vector<Message> messages;
    int locks = 0;
    int releases = 0;
    bool busyCursor = false;
    bool busyDisplay = false;
    bool cancelEnabled = false;
    int calls = 0;

private:
    std::string m_text;
};

class RecordingView final : public RunView {
public:
    void showBoundingBox(const std::string& input, const std::string& displayLine) override {
        shownInput = input;
        shownDisplay = displayLine;
    }
    std::string shownInput;
    std::string shownDisplay;
};

/// The machine's file system, but one chosen operation fails (on any path
/// ending in `pathEnd`) with "Permission denied": the tests run as root,
/// where permissions alone would not make it fail.
class FaultyFileSystem final : public FileSystem {
public:
    enum class Operation {
        None,
        CreateFolder,
        RemoveEmptyFolder,
        MoveFile,
        CopyFile,
        DeleteFile,
        ReplaceFile
    };

    Operation failing = Operation::None;
    std::string pathEnd;
    /// When set, fileExists and folderExists answer false for paths ending in this text.
    std::string invisiblePathEnd;

    [[nodiscard]] bool fileExists(const std::string& path) const override {
        if (!invisiblePathEnd.empty() && endsWith(path, invisiblePathEnd)) return false;
        return m_real.fileExists(path);
    }
    [[nodiscard]] bool folderExists(const std::string& path) const override {
        if (!invisiblePathEnd.empty() && endsWith(path, invisiblePathEnd)) return false;
        return m_real.folderExists(path);
    }
    Status createFolder(const std::string& path) override {
        if (fails(Operation::CreateFolder, path)) return denied(path);
        return m_real.createFolder(path);
    }
    Status removeEmptyFolder(const std::string& path) override {
        if (fails(Operation::RemoveEmptyFolder, path)) return denied(path);
        return m_real.removeEmptyFolder(path);
    }
    Status moveFile(const std::string& source, const std::string& destinationFolder) override {
        if (fails(Operation::MoveFile, source)) return denied(source);
        return m_real.moveFile(source, destinationFolder);
    }
    Status copyFile(const std::string& source, const std::string& destinationFolder) override {
        if (fails(Operation::CopyFile, destinationFolder)) return denied(destinationFolder);
        return m_real.copyFile(source, destinationFolder);
    }
    Status copyFileTo(const std::string& source, const std::string& targetPath) override {
        if (fails(Operation::CopyFile, targetPath)) return denied(targetPath);
        return m_real.copyFileTo(source, targetPath);
    }
    Status deleteFile(const std::string& path) override {
        if (fails(Operation::DeleteFile, path)) return denied(path);
        return m_real.deleteFile(path);
    }
    [[nodiscard]] Expected<std::vector<std::string>> listFiles(const std::string& folder) const override {
        return m_real.listFiles(folder);
    }
    [[nodiscard]] Expected<std::vector<std::string>> listFolders(const std::string& folder) const override {
        return m_real.listFolders(folder);
    }
    [[nodiscard]] Expected<std::string> shortPath(const std::string& path) const override {
        return m_real.shortPath(path);
    }
    [[nodiscard]] Expected<std::string> readBytes(const std::string& path) const override {
        return m_real.readBytes(path);
    }
    Status replaceFile(const std::string& path, const std::string& bytes) override {
        if (fails(Operation::ReplaceFile, path)) return denied(path);
        return m_real.replaceFile(path, bytes);
    }

private:
    static bool endsWith(const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }
    [[nodiscard]] bool fails(Operation operation, const std::string& path) const {
        return failing == operation && endsWith(path, pathEnd);
    }
    static Error denied(const std::string& path) { return Error{path, "Permission denied"}; }

    LocalFileSystem m_real;
};

/// Drives a command to its end: at each yield the manual clock moves by the
/// wait the command asked for, then `onYield` runs (it may press cancel,
/// make files appear, or ask to stop). Returns the command's result, or
/// std::nullopt when `onYield` stopped it (the task is then left unfinished).
class ClockDriver {
public:
    explicit ClockDriver(ManualClock& clock) : m_clock(clock) {}

    /// Called after each yield; return false to stop driving.
    std::function<bool()> onYield;
    long yields = 0;

    std::optional<int> run(CommandTask& task, long yieldLimit = 2'000'000) {
        while (!task.resume()) {
            ++yields;
            m_clock.advance(task.requestedWait());
            if (onYield && !onYield()) return std::nullopt;
            if (yields > yieldLimit) {
                ADD_FAILURE() << "the command did not end within " << yieldLimit << " yields";
                return std::nullopt;
            }
        }
        return task.result();
    }

private:
    ManualClock& m_clock;
};

/// Waits in real time, briefly, for something another process does (a fake
/// converter writing its file). Fails the test after ten seconds.
inline bool waitForReal(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "a fake converter did not do its part within 10 s";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

/// Writes an executable shell script.
inline void writeScript(const std::filesystem::path& path, const std::string& body) {
    std::filesystem::create_directories(path.parent_path());
    {
        std::ofstream out(path, std::ios::binary);
        out << "#!/bin/sh\n" << body;
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
}

/// A single-quoted shell word (for paths written into a fake converter).
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace quillfen::test

#ifdef _WIN32
#define QUILLFEN_REQUIRE_SHELL() GTEST_SKIP() << "fake converters are shell scripts"
#else
#define QUILLFEN_REQUIRE_SHELL() (void)0
#endif
