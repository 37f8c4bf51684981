#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
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

std::string toWineDrivePath(const std::string& unixPath) {
    std::string windows = "Z:";
    for (char c : unixPath) windows += (c == '/') ? '\\' : c;
    return windows;
}

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
    // The converter lives on by itself; the program keeps no handle to it.
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
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

// Starts `argv` detached from the program: the intermediate child exits at
// once and the grandchild is adopted by the system, so no zombie is left and
// no handle is kept. Returns the system's reason when exec failed.
Status spawnDetached(const std::vector<std::string>& argv) {
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
        const pid_t grandchild = fork();
        if (grandchild < 0) reportAndExit(errorPipe[1], errno);
        if (grandchild > 0) _exit(0);
        const int nullDevice = open("/dev/null", O_RDWR);
        if (nullDevice >= 0) {
            dup2(nullDevice, 0);
            dup2(nullDevice, 1);
            dup2(nullDevice, 2);
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
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (got == static_cast<ssize_t>(sizeof code))
        return Error{argv.front(), std::generic_category().message(code)};
    return {};
}

} // namespace

LaunchResult SystemProcessStarter::startConverter(const ConverterLaunch& launch) {
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
        command.push_back(wine);
        command.push_back(toWineDrivePath(launch.converterPath));
        for (const auto& argument : launch.arguments) command.push_back(toWineDrivePath(argument));
        result.shownCommand = "wine " + quotedList({command.begin() + 1, command.end()});
    } else {
        command.push_back(launch.converterPath);
        command.insert(command.end(), launch.arguments.begin(), launch.arguments.end());
        result.shownCommand = quotedList(command);
    }

    if (launch.visible) {
        std::string terminal;
        for (const std::string& candidate :
             {m_environment("TERMINAL"), std::string("x-terminal-emulator"), std::string("xterm")}) {
            terminal = findInPath(candidate, pathVariable);
            if (!terminal.empty()) break;
        }
        if (terminal.empty()) {
            result.problem = LaunchProblem::TerminalMissing;
            result.error = {launch.converterPath,
                            "no terminal found ($TERMINAL, x-terminal-emulator, xterm)"};
            return result;
        }
        std::vector<std::string> inTerminal = {terminal, "-e", "/bin/sh", "-c", kKeepOpenScript, "sh"};
        inTerminal.insert(inTerminal.end(), command.begin(), command.end());
        command = std::move(inTerminal);
        result.shownCommand = terminal + " -e " + result.shownCommand;
    }

    if (Status started = spawnDetached(command); !started) {
        result.problem = LaunchProblem::StartFailed;
        result.error = started.error();
    }
    return result;
}

#endif

} // namespace quillfen
