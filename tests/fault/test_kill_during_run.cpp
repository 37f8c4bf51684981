// Kills `quillfen-cli convert` with SIGKILL at 30 moments spread over a run
// (a slow converter, a 20 MB s-file, a route copy and a reference entry) and
// checks after each kill: every file the run touches is its complete old or
// complete new self, SHAPES holds the shape, and the next run ends with
// exactly the files of an undisturbed run, so no temporary file is left.
//
// Fifteen workers, each in a folder of its own, share the kills, so the test
// stays within a minute although every run pauses two seconds for the converter.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 30;
constexpr int kWorkers = 15;
constexpr std::size_t kShapeBytes = 20u << 20;
constexpr const char* kShapeName = "house_.s";

/// A file tree: path below the worker's folder -> hash of the content.
using Tree = std::map<std::string, std::size_t>;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t hashOf(const std::string& bytes) {
    return std::hash<std::string>{}(bytes);
}

/// The settings name the converter by its full path: the same file in every worker's folder.
std::string withoutRoot(std::string bytes, const std::string& root) {
    for (auto at = bytes.find(root); at != std::string::npos; at = bytes.find(root, at))
        bytes.replace(at, root.size(), "<root>");
    return bytes;
}

Tree treeOf(const fs::path& root) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::string bytes = readAll(entry.path());
        if (entry.path().filename() == "Quillfen.ini") bytes = withoutRoot(std::move(bytes), root.string());
        tree[fs::relative(entry.path(), root).string()] = hashOf(bytes);
    }
    return tree;
}

/// An s-file of about 20 MB as UTF-16LE with its BOM, using the two textures named.
std::string shapeFile(const std::string& texture1, const std::string& texture2, const std::string& point) {
    std::string text = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\timages ( 2\r\n\t\timage ( " +
                       texture1 + " )\r\n\t\timage ( " + texture2 +
                       " )\r\n\t)\r\n\ttextures ( 2\r\n\t\ttexture ( 0 0 0 ff000000 )\r\n\t\ttexture ( 1 0 0 "
                       "ff000000 )\r\n\t)\r\n\tpoints ( 1\r\n";
    const std::string line = "\t\tpoint ( " + point + " )\r\n";
    while (text.size() * 2 < kShapeBytes) text += line;
    text += "\t)\r\n)\r\n";
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

/// A file of /proc; empty when its process has ended meanwhile (reading it
/// then fails with ESRCH, which an ifstream would throw as an exception).
std::string readProcFile(const fs::path& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(fd);
    return text;
}

/// The pids of this process's children, found in /proc (adopted ones included).
/// Processes come and go while the folder is listed, so no step may throw.
std::vector<pid_t> childrenOfThisProcess() {
    std::vector<pid_t> children;
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string stat = readProcFile(it->path() / "stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(stat.substr(close + 2));
        std::string state;
        pid_t parent = 0;
        fields >> state >> parent;
        if (parent == getpid()) children.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return children;
}

/// Kills and reaps every remaining child, the converter adopted by this process included.
void endAllChildren() {
    for (;;) {
        for (pid_t child : childrenOfThisProcess()) kill(child, SIGKILL);
        if (waitpid(-1, nullptr, 0) < 0 && errno == ECHILD) return;
    }
}

/// One worker: a model folder and a route folder of its own.
class Worker {
public:
    Worker(fs::path root, fs::path shapes) : m_root(std::move(root)), m_shapes(std::move(shapes)) {}

    [[nodiscard]] fs::path model() const { return m_root / "model"; }

    /// A fresh model: two LODs, three textures, the converter and the saved choices.
    void prepare() const {
        fs::remove_all(m_root);
        writeAll(model() / "house_100.3ds", "near");
        writeAll(model() / "house_500.3ds", "far");
        for (const char* texture : {"wall.ace", "roof.ace", "door.ace"})
            writeAll(model() / texture, std::string(100000, texture[0]));
        fs::copy_file(QUILLFEN_SLOW_CONVERTER, model() / "conv3ds.exe");
        fs::create_directories(m_root / "route");
        // The route is named relative to the model folder, where runs start, so
        // that every worker's files are alike.
        writeAll(model() / "Quillfen.ini", "cmbLang\t->\t0\r\nchkShapeTo(0)\t->\t1\r\nlblCopyPfad(0)\t->\t../"
                                           "route\r\nchkRefEintrag\t->\t1\r\n");
    }

    /// Starts a run with the converter writing `shape` ("A.s" or "B.s").
    pid_t start(const std::string& shape) const {
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 1);
            dup2(null, 2);
            if (chdir(model().c_str()) != 0) _exit(126);
            setenv("QUILLFEN_FAULT_SHAPE", (m_shapes / shape).c_str(), 1);
            setenv("QUILLFEN_FAULT_DELAY_MS", "150", 1);
            execl(QUILLFEN_CLI, QUILLFEN_CLI, "convert", model().c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return child;
    }

    /// A whole run; its exit code.
    int run(const std::string& shape) const {
        int status = 0;
        waitpid(start(shape), &status, 0);
        endAllChildren();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    [[nodiscard]] Tree tree() const { return treeOf(m_root); }

    void saveAs(const fs::path& copy) const {
        fs::remove_all(copy);
        fs::copy(m_root, copy, fs::copy_options::recursive);
    }
    /// Hard links to the saved files: cheap, and a run that wrote a file in
    /// place instead of replacing it would show in the saved tree.
    void restoreFrom(const fs::path& copy) const {
        fs::remove_all(m_root);
        fs::copy(copy, m_root, fs::copy_options::recursive | fs::copy_options::create_hard_links);
    }

private:
    fs::path m_root;
    fs::path m_shapes;
};

/// What one worker found, as text lines for the report (empty: all held).
struct Findings {
    int kills = 0;
    int filesLost = 0;
    int temporaryFilesLeft = 0;
    std::vector<std::string> problems;
};

/// Checks the tree right after a kill against the complete old and new trees.
void checkAfterKill(const Tree& now, const Tree& before, const Tree& after, std::size_t rawNewShape,
                    const std::string& moment, Findings& found) {
    const std::string shape = "model/SHAPES/" + std::string(kShapeName);
    for (const auto& [path, hash] : before) {
        if (now.count(path) == 0 && after.count(path) != 0) {
            ++found.filesLost;
            found.problems.push_back(moment + ": lost " + path);
        }
    }
    for (const auto& [path, hash] : now) {
        const bool old = before.count(path) != 0 && before.at(path) == hash;
        const bool fresh = after.count(path) != 0 && after.at(path) == hash;
        const bool converterOutput = path == "model/" + std::string(kShapeName);
        const bool name = fs::path(path).filename().string().rfind("~qf-", 0) == 0 ||
                          path.find(".quillfen-") != std::string::npos || path == "model/Quillfen.lock";
        if (old || fresh || converterOutput || name || (path == shape && hash == rawNewShape)) continue;
        found.problems.push_back(moment + ": incomplete or unknown " + path);
    }
    if (now.count(shape) == 0) found.problems.push_back(moment + ": no shape in SHAPES");
}

/// The complete trees before and after an undisturbed run, and the saved old tree.
struct Reference {
    fs::path oldTree;
    Tree before;
    Tree after;
    std::size_t rawNewShape = 0;
};

Findings work(const fs::path& root, const fs::path& shapes, const Reference& reference,
              const std::vector<double>& moments) {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Findings found;
    Worker worker(root, shapes);
    for (double seconds : moments) {
        worker.restoreFrom(reference.oldTree);
        const auto started = Clock::now();
        const pid_t run = worker.start("B.s");
        std::this_thread::sleep_until(started + std::chrono::duration<double>(seconds));
        kill(run, SIGKILL);
        endAllChildren();
        ++found.kills;
        const std::string moment = "kill at " + std::to_string(seconds) + " s";
        checkAfterKill(worker.tree(), reference.before, reference.after, reference.rawNewShape, moment,
                       found);
        if (worker.run("B.s") != 0) found.problems.push_back(moment + ": the next run failed");
        const Tree next = worker.tree();
        for (const auto& [path, hash] : next)
            if (reference.after.count(path) == 0) {
                ++found.temporaryFilesLeft;
                found.problems.push_back(moment + ": the next run left " + path);
            }
        for (const auto& [path, hash] : reference.after)
            if (next.count(path) == 0 || next.at(path) != hash)
                found.problems.push_back(moment + ": after the next run " + path + " differs");
    }
    return found;
}

/// A worker's findings through a pipe: counts, then one problem per line.
void sendFindings(int fd, const Findings& found) {
    std::string text = std::to_string(found.kills) + " " + std::to_string(found.filesLost) + " " +
                       std::to_string(found.temporaryFilesLeft) + "\n";
    for (const auto& problem : found.problems) text += problem + "\n";
    for (std::size_t at = 0; at < text.size();) {
        const ssize_t written = write(fd, text.data() + at, text.size() - at);
        if (written <= 0) return;
        at += static_cast<std::size_t>(written);
    }
}

Findings receiveFindings(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    std::istringstream lines(text);
    Findings found;
    lines >> found.kills >> found.filesLost >> found.temporaryFilesLeft;
    lines.ignore();
    for (std::string line; std::getline(lines, line);) found.problems.push_back(line);
    if (text.empty()) found.problems.emplace_back("a worker ended without a report");
    return found;
}

TEST(KillDuringRun, EveryFileIsWholeAndTheNextRunCleansUp) {
    TempFolder dir;
    writeAll(dir.fsPath() / "shapes/A.s", shapeFile("wall.ace", "roof.ace", "1.00000 2.00000 3.00000"));
    writeAll(dir.fsPath() / "shapes/B.s", shapeFile("wall.ace", "door.ace", "4.00000 5.00000 6.00000"));

    // An undisturbed run lasts about 3.3 s (converter 0.25 s, the 2 s pause,
    // then a second of writing): the moments cover it, the writing phase densely.
    std::vector<std::vector<double>> moments(kWorkers);
    for (int i = 0; i < kKills; ++i) {
        const double seconds = i < 12 ? 0.05 + i * 0.2 : 2.3 + (i - 12) * 0.06;
        moments[static_cast<std::size_t>(i % kWorkers)].push_back(seconds);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Reference reference{dir.fsPath() / "old", {}, {}, hashOf(readAll(dir.fsPath() / "shapes/B.s"))};
    const Worker first(dir.fsPath() / "reference", dir.fsPath() / "shapes");
    first.prepare();
    ASSERT_EQ(first.run("A.s"), 0);
    first.saveAs(reference.oldTree);
    reference.before = treeOf(reference.oldTree);
    ASSERT_EQ(first.run("B.s"), 0);
    reference.after = first.tree();
    ASSERT_NE(reference.before, reference.after);

    std::vector<std::pair<pid_t, int>> workers;
    for (int w = 0; w < kWorkers; ++w) {
        int channel[2];
        ASSERT_EQ(pipe(channel), 0);
        const pid_t child = fork();
        if (child == 0) {
            // A worker is a copy of this test: whatever happens it reports and
            // ends here, never returning into the test framework, whose clean-up
            // would remove the folder the other workers are using.
            close(channel[0]);
            Findings found;
            try {
                found = work(dir.fsPath() / ("w" + std::to_string(w)), dir.fsPath() / "shapes", reference,
                             moments[static_cast<std::size_t>(w)]);
            } catch (const std::exception& error) {
                found.problems.push_back("worker " + std::to_string(w) + " stopped: " + error.what());
            }
            sendFindings(channel[1], found);
            _exit(0);
        }
        close(channel[1]);
        workers.emplace_back(child, channel[0]);
    }
    Findings total;
    for (const auto& [pid, fd] : workers) {
        const Findings found = receiveFindings(fd);
        close(fd);
        waitpid(pid, nullptr, 0);
        total.kills += found.kills;
        total.filesLost += found.filesLost;
        total.temporaryFilesLeft += found.temporaryFilesLeft;
        total.problems.insert(total.problems.end(), found.problems.begin(), found.problems.end());
    }
    std::cout << "kills: " << total.kills << ", files lost: " << total.filesLost
              << ", temporary files left after the next run: " << total.temporaryFilesLeft << '\n';
    EXPECT_EQ(total.kills, kKills);
    EXPECT_EQ(treeOf(reference.oldTree), reference.before) << "a run wrote into a file in place";
    for (const auto& problem : total.problems) ADD_FAILURE() << problem;
}

} // namespace
} // namespace quillfen::test
