#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include "platform/SpecialFolders.h"
#include "platform/TextCodec.h"
#include "platform/WineDrives.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quillfen {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string quotedList(const std::vector<std::string>& items) {
    std::string joined;
    for (const auto& item : items) {
        if (!joined.empty()) joined += ' ';
        joined += quoted(item);
    }
    return joined;
}

std::string processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

} // namespace

SystemProcessStarter::SystemProcessStarter(EnvironmentLookup environment)
    : m_environment(environment ? std::move(environment) : EnvironmentLookup(processEnvironment)) {}

std::string windowsConverterCommand(const ConverterLaunch& launch) {
    std::string command = launch.visible ? "cmd.exe /T:3F /K " : "cmd.exe /C ";
    command += launch.converterShortPath;
    if (launch.arguments.empty()) return command;
    command += ' ';
    command += quoted(launch.arguments.front());
    command += ' ';
    command += quotedList({launch.arguments.begin() + 1, launch.arguments.end()});
    return command;
}

bool isWindowsExecutable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char signature[2] = {0, 0};
    in.read(signature, 2);
    return in.gcount() == 2 && signature[0] == 'M' && signature[1] == 'Z';
}

#ifdef _WIN32

bool standardOutputIsTerminal() {
    return _isatty(_fileno(stdout)) != 0;
}

std::string findInPath(const std::string& program, const std::string& /*pathVariable*/) {
    return program;
}

namespace {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

/// The command interpreter that runs the converter; its exit code is the converter's.
class WindowsWatchedProcess final : public WatchedProcess {
public:
    explicit WindowsWatchedProcess(HANDLE process) : m_process(process) {}
    ~WindowsWatchedProcess() override { CloseHandle(m_process); }
    WindowsWatchedProcess(const WindowsWatchedProcess&) = delete;
    WindowsWatchedProcess& operator=(const WindowsWatchedProcess&) = delete;

    ProcessStatus look() override {
        ProcessStatus status;
        if (WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) return status;
        DWORD code = 0;
        status.running = false;
        status.exitCode = GetExitCodeProcess(m_process, &code) ? static_cast<int>(code) : -1;
        return status;
    }

private:
    HANDLE m_process;
};

} // namespace

LaunchResult SystemProcessStarter::startConverter(const ConverterLaunch& launch) {
    LaunchResult result;
    result.shownCommand = windowsConverterCommand(launch);
    std::wstring commandLine = widen(result.shownCommand);

    // The "/K" form gets a normal console window with the focus, the "/C" form a hidden one.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(launch.visible ? SW_SHOWNORMAL : SW_HIDE);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        nullptr, &startup, &info)) {
        const auto code = static_cast<int>(GetLastError());
        result.problem = LaunchProblem::StartFailed;
        result.error = {launch.converterPath, std::system_category().message(code)};
        return result;
    }
    // Only looked at, never waited on: the converter lives on by itself.
    CloseHandle(info.hThread);
    result.process = std::make_shared<WindowsWatchedProcess>(info.hProcess);
    return result;
}

#else

bool standardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) != 0;
}

std::string findInPath(const std::string& program, const std::string& pathVariable) {
    if (program.empty()) return {};
    if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0 ? program : "";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = pathVariable.find(':', start);
        const std::string_view folder =
            std::string_view(pathVariable)
                .substr(start, end == std::string::npos ? std::string::npos : end - start);
        // An empty entry of PATH means the current folder.
        std::string candidate = folder.empty() ? std::string(1, '.') : std::string(folder);
        candidate += '/';
        candidate += program;
        if (access(candidate.c_str(), X_OK) == 0 && std::ifstream(candidate).good()) return candidate;
        if (end == std::string::npos) return {};
        start = end + 1;
    }
}

namespace {

// Run by the terminal's shell with the converter's command as positional
// parameters, so that no path is ever pasted into this text. The shell that
// follows keeps the window open, as "cmd.exe /K" does.
constexpr const char* kKeepOpenScript =
    "\"$@\"; status=$?; printf '\\n[%s ended with exit code %s]\\n' \"$1\" \"$status\"; "
    "exec \"${SHELL:-/bin/sh}\"";

// How much of the end of the converter's output is read for its last lines.
constexpr off_t kOutputTailBytes = 8192;

// The highest descriptor number to close in the child; found before the fork,
// since only async-signal-safe calls may follow it.
int descriptorLimit() {
    long limit = sysconf(_SC_OPEN_MAX);
    if (limit < 0 || limit > 65536) limit = 65536;
    return static_cast<int>(limit);
}

// Closes every inherited descriptor above stderr except `keep`, so the
// converter does not hold the program's files or sockets.
void closeInheritedDescriptors(int keep, int limit) {
    for (int fd = 3; fd < limit; ++fd)
        if (fd != keep) close(fd);
}

[[noreturn]] void reportAndExit(int errorPipe, int code) {
    [[maybe_unused]] const auto written = write(errorPipe, &code, sizeof code);
    _exit(127);
}

void waitForChild(pid_t child) {
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Children whose watcher was let go while they still ran: reaped at the next
// start, so that none stays a zombie for long.
std::vector<pid_t>& unreapedChildren() {
    static std::vector<pid_t> children;
    return children;
}

void reapEndedChildren() {
    std::erase_if(unreapedChildren(), [](pid_t child) { return waitpid(child, nullptr, WNOHANG) != 0; });
}

// A file without a name for the child's output: made and unlinked at once, so
// nothing is left behind. Unlike a pipe, it never blocks a converter that
// writes much, nor one whose output nobody reads any longer. -1 on failure.
int makeOutputFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                          "/quillfen-converter-output-XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) unlink(pattern.c_str());
    return fd;
}

std::vector<std::string> lastLines(std::string_view text, std::size_t count) {
    std::vector<std::string> lines;
    std::size_t end = text.size();
    while (end > 0 && lines.size() < count) {
        const std::size_t newline = text.rfind('\n', end - 1);
        const std::size_t start = newline == std::string_view::npos ? 0 : newline + 1;
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (!line.empty()) lines.emplace(lines.begin(), line);
        if (newline == std::string_view::npos) break;
        end = newline;
    }
    return lines;
}

// The last lines written to the output file (read from its end, without
// moving the offset the child writes at).
std::vector<std::string> lastLinesOf(int file) {
    struct stat info {};
    if (file < 0 || fstat(file, &info) != 0) return {};
    const off_t start = info.st_size > kOutputTailBytes ? info.st_size - kOutputTailBytes : 0;
    std::string bytes(static_cast<std::size_t>(info.st_size - start), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            pread(file, bytes.data() + got, bytes.size() - got, start + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    // A tail that begins inside a line leaves that piece out.
    if (start > 0) bytes.erase(0, std::min(bytes.size(), bytes.find('\n') + 1));
    return lastLines(decodeText(bytes), kKeptOutputLines);
}

class PosixWatchedProcess final : public WatchedProcess {
public:
    PosixWatchedProcess(pid_t child, int output) : m_child(child), m_output(output) {}
    ~PosixWatchedProcess() override {
        if (!m_ended && waitpid(m_child, nullptr, WNOHANG) == 0) unreapedChildren().push_back(m_child);
        if (m_output >= 0) close(m_output);
    }
    PosixWatchedProcess(const PosixWatchedProcess&) = delete;
    PosixWatchedProcess& operator=(const PosixWatchedProcess&) = delete;

    ProcessStatus look() override {
        if (m_ended) return m_status;
        int raw = 0;
        pid_t reaped = 0;
        do {
            reaped = waitpid(m_child, &raw, WNOHANG);
        } while (reaped < 0 && errno == EINTR);
        if (reaped == 0) return m_status;
        m_ended = true;
        m_status.running = false;
        // A child reaped by someone else (reaped < 0) ended with a code nobody can tell.
        m_status.exitCode = reaped < 0         ? -1
                            : WIFEXITED(raw)   ? WEXITSTATUS(raw)
                            : WIFSIGNALED(raw) ? 128 + WTERMSIG(raw)
                                               : -1;
        m_status.lastOutputLines = lastLinesOf(m_output);
        return m_status;
    }

private:
    pid_t m_child;
    int m_output;
    bool m_ended = false;
    ProcessStatus m_status;
};

// Starts `argv` in a session of its own, its standard output and error going
// to `output` (-1: nowhere). Detached, an intermediate child exits at once and
// the system adopts the program, so it needs no reaping and cannot be
// watched; otherwise the result is the child to watch. The system's reason
// when exec failed.
Expected<pid_t> spawn(const std::vector<std::string>& argv, int output, bool detached) {
    std::vector<char*> pointers;
    for (const auto& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    const int limit = descriptorLimit();

    int errorPipe[2];
    if (pipe(errorPipe) != 0) return Error{argv.front(), std::generic_category().message(errno)};
    fcntl(errorPipe[1], F_SETFD, FD_CLOEXEC);

    const pid_t child = fork();
    if (child < 0) {
        const int code = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        return Error{argv.front(), std::generic_category().message(code)};
    }
    if (child == 0) {
        close(errorPipe[0]);
        setsid();
        if (detached) {
            const pid_t grandchild = fork();
            if (grandchild < 0) reportAndExit(errorPipe[1], errno);
            if (grandchild > 0) _exit(0);
        }
        const int nullDevice = open("/dev/null", O_RDWR);
        if (nullDevice >= 0) dup2(nullDevice, 0);
        const int target = output >= 0 ? output : nullDevice;
        if (target >= 0) {
            dup2(target, 1);
            dup2(target, 2);
        }
        closeInheritedDescriptors(errorPipe[1], limit);
        execv(pointers.front(), pointers.data());
        reportAndExit(errorPipe[1], errno);
    }

    close(errorPipe[1]);
    int code = 0;
    ssize_t got = 0;
    do {
        got = read(errorPipe[0], &code, sizeof code);
    } while (got < 0 && errno == EINTR);
    close(errorPipe[0]);
    const bool failed = got == static_cast<ssize_t>(sizeof code);
    if (detached || failed) waitForChild(child);
    if (failed) return Error{argv.front(), std::generic_category().message(code)};
    return child;
}

} // namespace

LaunchResult SystemProcessStarter::startConverter(const ConverterLaunch& launch) {
    reapEndedChildren();
    LaunchResult result;
    const std::string pathVariable = m_environment("PATH");

    std::vector<std::string> command;
    if (isWindowsExecutable(launch.converterPath)) {
        const std::string wine = findInPath("wine", pathVariable);
        if (wine.empty()) {
            result.problem = LaunchProblem::WineMissing;
            result.error = {launch.converterPath, "wine not found on the PATH"};
            return result;
        }
        const auto prefix = winePrefixFrom(m_environment("WINEPREFIX"), m_environment("HOME"));
        const auto drives = wineDrivesInUse(prefix);
        command.push_back(wine);
        std::vector<std::string> hostPaths = {launch.converterPath};
        hostPaths.insert(hostPaths.end(), launch.arguments.begin(), launch.arguments.end());
        for (const auto& hostPath : hostPaths) {
            auto windowsPath = windowsPathOnDrives(hostPath, drives);
            if (!windowsPath) {
                result.problem = LaunchProblem::NoWineDrive;
                result.error = {hostPath,
                                "no drive of the Wine prefix reaches this path (its dosdevices folder "
                                "names the drives)"};
                return result;
            }
            command.push_back(std::move(*windowsPath));
        }
        result.shownCommand = "wine " + quotedList({command.begin() + 1, command.end()});
    } else {
        command.push_back(launch.converterPath);
        command.insert(command.end(), launch.arguments.begin(), launch.arguments.end());
        result.shownCommand = quotedList(command);
    }

    if (!launch.visible) {
        const int output = makeOutputFile();
        auto child = spawn(command, output, false);
        if (!child) {
            if (output >= 0) close(output);
            result.problem = LaunchProblem::StartFailed;
            result.error = child.error();
            return result;
        }
        result.process = std::make_shared<PosixWatchedProcess>(*child, output);
        return result;
    }

    std::string terminal;
    for (const std::string& candidate :
         {m_environment("TERMINAL"), std::string("x-terminal-emulator"), std::string("xterm")}) {
        terminal = findInPath(candidate, pathVariable);
        if (!terminal.empty()) break;
    }
    if (terminal.empty()) {
        result.problem = LaunchProblem::TerminalMissing;
        result.error = {launch.converterPath, "no terminal found ($TERMINAL, x-terminal-emulator, xterm)"};
        return result;
    }
    std::vector<std::string> inTerminal = {terminal, "-e", "/bin/sh", "-c", kKeepOpenScript, "sh"};
    inTerminal.insert(inTerminal.end(), command.begin(), command.end());
    result.shownCommand = terminal + " -e " + result.shownCommand;
    if (auto started = spawn(inTerminal, -1, true); !started) {
        result.problem = LaunchProblem::StartFailed;
        result.error = started.error();
    }
    return result;
}

#endif

} // namespace quillfen
