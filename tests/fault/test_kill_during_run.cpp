// Kills `quillfen-cli convert` at 30 moments of a run (slow converter, 20 MB s-file, route copy, reference
// entry): every file stays its whole old or new self, and the next run ends as an undisturbed one.

#include "platform/TextCodec.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quillfen::test {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 30;
constexpr std::size_t kWorkers = 15;
constexpr std::size_t kShapeBytes = 20u << 20;

/// A file tree: path below the worker's folder -> hash of the content.
using Tree = std::map<std::string, std::size_t>;

Tree treeOf(const fs::path& root) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::string bytes = readFile(entry.path());
        // The settings name the converter by its full path: the same file in every worker's folder.
        if (entry.path().filename() == "Quillfen.ini")
            for (auto at = bytes.find(root.string()); at != std::string::npos;
                 at = bytes.find(root.string(), at))
                bytes.replace(at, root.string().size(), "<root>");
        tree[fs::relative(entry.path(), root).string()] = std::hash<std::string>{}(bytes);
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
    return encodeUtf16LeWithBom(text);
}

/// A process's stat line; empty when the process ended meanwhile. Read with plain `read`: a stream
/// throws when the read fails with ESRCH.
std::string procStat(const fs::path& path) {
    char buffer[1024];
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t got = file < 0 ? -1 : read(file, buffer, sizeof buffer);
    if (file >= 0) close(file);
    return std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
}

/// The pids of this process's children, adopted ones included (no step throws: processes come and go).
std::vector<pid_t> childrenOfThisProcess() {
    std::vector<pid_t> children;
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string stat = procStat(it->path() / "stat");
        const auto nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos || nameEnd + 2 > stat.size()) continue;
        std::istringstream fields(stat.substr(nameEnd + 2));
        pid_t parent = 0;
        if (std::string state; fields >> state >> parent && parent == getpid())
            children.push_back(static_cast<pid_t>(std::stol(name)));
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

/// One worker's model folder and route folder; the converter writes the prepared s-file `shape`.
struct Worker {
    fs::path root, shapes;

    [[nodiscard]] fs::path model() const { return root / "model"; }
    void write(const std::string& name, const std::string& bytes) const {
        fs::create_directories((root / name).parent_path());
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
    /// Two LODs, three textures, the converter and the saved choices (the route relative: workers alike).
    void prepare() const {
        write("model/house_100.3ds", "near");
        write("model/house_500.3ds", "far");
        for (const char* texture : {"wall.ace", "roof.ace", "door.ace"})
            write("model/" + std::string(texture), std::string(100000, texture[0]));
        fs::copy_file(QUILLFEN_SLOW_CONVERTER, model() / "conv3ds.exe");
        fs::create_directories(root / "route");
        write("model/Quillfen.ini", "cmbLang\t->\t0\r\nchkShapeTo(0)\t->\t1\r\nlblCopyPfad(0)\t->\t../"
                                    "route\r\nchkRefEintrag\t->\t1\r\n");
    }
    pid_t start(const std::string& shape) const {
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 1), dup2(null, 2);
            if (chdir(model().c_str()) != 0) _exit(126);
            setenv("QUILLFEN_FAULT_SHAPE", (shapes / shape).c_str(), 1);
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
};

/// The complete trees before and after an undisturbed run, the saved old tree, and the new s-file.
struct Reference {
    fs::path oldTree;
    Tree before, after;
    std::size_t rawNewShape = 0;
};

/// The problems after each kill at `moments` and after the next run (none: all held).
std::vector<std::string> work(const Worker& worker, const Reference& reference,
                              const std::vector<double>& moments) {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    std::vector<std::string> problems;
    const std::string shape = "model/SHAPES/house_.s";
    for (const double seconds : moments) {
        // Hard links to the saved files: a write in place instead of a replace shows in the saved tree.
        fs::remove_all(worker.root);
        fs::copy(reference.oldTree, worker.root,
                 fs::copy_options::recursive | fs::copy_options::create_hard_links);
        const auto started = std::chrono::steady_clock::now();
        const pid_t run = worker.start("B.s");
        std::this_thread::sleep_until(started + std::chrono::duration<double>(seconds));
        kill(run, SIGKILL);
        endAllChildren();
        const std::string moment = "kill at " + std::to_string(seconds) + " s";
        const Tree now = treeOf(worker.root);
        for (const auto& [path, hash] : reference.before)
            if (now.count(path) == 0 && reference.after.count(path) != 0)
                problems.push_back(moment + ": lost " + path);
        for (const auto& [path, hash] : now) {
            const bool old = reference.before.contains(path) && reference.before.at(path) == hash,
                       fresh = reference.after.contains(path) && reference.after.at(path) == hash;
            const bool ownTemporary = fs::path(path).filename().string().starts_with("~qf-") ||
                                      path.find(".quillfen-") != std::string::npos ||
                                      path == "model/Quillfen.lock";
            if (!old && !fresh && !ownTemporary && path != "model/house_.s" &&
                !(path == shape && hash == reference.rawNewShape))
                problems.push_back(moment + ": incomplete or unknown " + path);
        }
        if (now.count(shape) == 0) problems.push_back(moment + ": no shape in SHAPES");
        if (worker.run("B.s") != 0) problems.push_back(moment + ": the next run failed");
        const Tree next = treeOf(worker.root);
        for (const auto& [path, hash] : next)
            if (reference.after.count(path) == 0) problems.push_back(moment + ": the next run left " + path);
        for (const auto& [path, hash] : reference.after)
            if (next.count(path) == 0 || next.at(path) != hash)
                problems.push_back(moment + ": after the next run " + path + " differs");
    }
    return problems;
}

TEST(KillDuringRun, EveryFileIsWholeAndTheNextRunCleansUp) {
    TempFolder dir;
    const fs::path shapes = dir.fsPath() / "shapes";
    const Worker first{dir.fsPath() / "reference", shapes};
    first.write("../shapes/A.s", shapeFile("wall.ace", "roof.ace", "1.00000 2.00000 3.00000"));
    first.write("../shapes/B.s", shapeFile("wall.ace", "door.ace", "4.00000 5.00000 6.00000"));

    // An undisturbed run lasts about 3.3 s (converter, 2 s pause, a second of writing): that phase densely.
    std::vector<std::vector<double>> moments(kWorkers);
    for (int i = 0; i < kKills; ++i)
        moments[static_cast<std::size_t>(i % kWorkers)].push_back(i < 12 ? 0.05 + i * 0.2
                                                                         : 2.3 + (i - 12) * 0.06);
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Reference reference{dir.fsPath() / "old", {}, {}, std::hash<std::string>{}(readFile(shapes / "B.s"))};
    first.prepare();
    ASSERT_EQ(first.run("A.s"), 0);
    fs::copy(first.root, reference.oldTree, fs::copy_options::recursive);
    reference.before = treeOf(reference.oldTree);
    ASSERT_EQ(first.run("B.s"), 0);
    reference.after = treeOf(first.root);
    ASSERT_NE(reference.before, reference.after);

    // Workers are forked copies of this test: they report in a file and end, never returning to the
    // framework.
    std::vector<pid_t> workers;
    const auto report = [&](std::size_t w) { return dir.fsPath() / ("report" + std::to_string(w)); };
    for (std::size_t w = 0; w < kWorkers; ++w) {
        if (workers.push_back(fork()), workers.back() != 0) continue;
        std::string problems = "done\n";
        try {
            for (const auto& problem :
                 work({dir.fsPath() / ("w" + std::to_string(w)), shapes}, reference, moments[w]))
                problems += problem + "\n";
        } catch (const std::exception& error) {
            problems += "worker " + std::to_string(w) + " stopped: " + error.what() + "\n";
        }
        std::ofstream(report(w) += ".part") << problems;
        fs::rename(report(w) += ".part", report(w));
        _exit(0);
    }
    for (std::size_t w = 0; w < workers.size(); ++w) {
        waitpid(workers[w], nullptr, 0);
        const std::string problems = readFile(report(w));
        EXPECT_TRUE(problems.starts_with("done\n")) << "worker " << w << " ended without a report";
        std::istringstream lines(problems.substr(std::min<std::size_t>(5, problems.size())));
        for (std::string line; std::getline(lines, line);) ADD_FAILURE() << line;
    }
    EXPECT_EQ(treeOf(reference.oldTree), reference.before) << "a run wrote into a file in place";
}

} // namespace
} // namespace quillfen::test
