// Processor time of the converter wait: a fake converter sleeps, then writes
// the s-file; the wait runs on the real clock, driven the way the command line
// drives it (sleeping through each requested wait). The wait must cost under
// 1 % of one core. The baseline is the same driver sleeping in 0.1-second
// slices without looking for any file.
//
// QUILLFEN_BENCH_WAIT_SECONDS sets the converter's sleep (default 60).

#include "core/CommandHost.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "run/ConverterInvocation.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

using namespace quillfen;
namespace fs = std::filesystem;

class QuietHost final : public CommandHost {
public:
    void log(const std::string& line) override { m_text = line + "\r\n" + m_text; }
    [[nodiscard]] std::string logText() const override { return m_text; }
    void setLogText(const std::string& text) override { m_text = text; }
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    void setBusyCursor(bool) override {}
    void lockControls() override {}
    void releaseControls() override {}
    void setBusyDisplay(bool) override {}
    void setCancelEnabled(bool) override {}

private:
    std::string m_text;
};

double waitSeconds() {
    const char* text = std::getenv("QUILLFEN_BENCH_WAIT_SECONDS");
    const double seconds = text ? std::atof(text) : 60.0;
    return seconds > 0 ? seconds : 60.0;
}

double processorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void sleepFor(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds > 0 ? seconds : 0));
}

void reportShare(benchmark::State& state, double processor, double wall) {
    state.counters["wall_s"] = wall;
    state.counters["cpu_ms"] = processor * 1000.0;
    state.counters["cpu_percent_of_one_core"] = 100.0 * processor / wall;
}

void BM_BaselineSleepingInSlices(benchmark::State& state) {
    const double seconds = waitSeconds();
    for (auto _ : state) {
        const double processorStart = processorSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        for (int slice = 0; slice < static_cast<int>(seconds * 10); ++slice) sleepFor(0.1);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
        reportShare(state, processorSeconds() - processorStart, wall.count());
    }
}

void BM_ConverterWait(benchmark::State& state) {
    const double seconds = waitSeconds();
    const fs::path folder =
        fs::temp_directory_path() / ("quillfen-bench-wait-" + std::to_string(std::rand()));
    fs::create_directories(folder);
    const fs::path converter = folder / "conv3ds";
    {
        std::ofstream out(converter);
        out << "#!/bin/sh\nsleep " << seconds << "\n: > \"$1\"\n";
    }
    fs::permissions(converter, fs::perms::owner_all);

    for (auto _ : state) {
        ProgramState program;
        program.gstrProgrammPfad = folder.string();
        const ShapePaths paths = ShapePaths::of(program.gstrProgrammPfad, "house.s");
        fs::remove(folder / "house.s");
        QuietHost host;
        LocalFileSystem files;
        SteadyClock clock;
        SystemProcessStarter processes;
        const LaunchResult started = processes.startConverter(
            {converter.string(), converter.string(), {paths.converterOutput}, false});
        if (!started.started()) {
            state.SkipWithError(started.error.message().c_str());
            break;
        }

        const double processorStart = processorSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        Task<WaitEnd> wait = waitForConverterOutput(program, paths, host, files, clock, '.');
        const WaitEnd end = runToEnd(wait, sleepFor);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
        if (end != WaitEnd::FileFound) state.SkipWithError("the wait did not see the file");
        reportShare(state, processorSeconds() - processorStart, wall.count());
    }
    fs::remove_all(folder);
}

} // namespace

BENCHMARK(BM_BaselineSleepingInSlices)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ConverterWait)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
