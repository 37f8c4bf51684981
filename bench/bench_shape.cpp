// Reading a large generated shape whole (every table, every distance level),
// about 60 MB as UTF-16 like the converter writes it, and the same text as
// 8-bit. Reported as a ratio to `wc -l` on the same file in the same run
// (target: at most 3), and with the reader's peak memory as a multiple of the
// file's size (target: at most 3).

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "shape/ShapeReader.h"
#include "shape/ShapeText.h"

#include "CountedAllocation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include <sys/resource.h>

namespace {

constexpr int kPoints = 30000;
constexpr int kVerticesPerSubObject = 12000;
constexpr std::size_t kTargetCharacters = 30'000'000; // 60 MB as UTF-16

void appendTables(std::string& text) {
    char line[160];
    text +=
        "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\tshape_header ( 00000000 00000000 )\r\n"
        "\tshader_names ( 2\r\n\t\tnamed_shader ( TexDiff )\r\n\t\tnamed_shader ( BlendATexDiff )\r\n\t)\r\n"
        "\ttexture_filter_names ( 1\r\n\t\tnamed_filter_mode ( MipLinear )\r\n\t)\r\n";
    const auto table = [&](const char* name, const char* entry, const char* format) {
        text += std::string("\t") + name + " ( " + std::to_string(kPoints) + "\r\n";
        for (int p = 0; p < kPoints; ++p) {
            std::snprintf(line, sizeof line, format, entry, p % 97, p % 9999, p % 13, (p * 7) % 9999);
            text += line;
        }
        text += "\t)\r\n";
    };
    table("points", "point", "\t\t%s ( %d.%04d %d.%04d -1.25 )\r\n");
    table("uv_points", "uv_point", "\t\t%s ( %d.%04d %d.%04d )\r\n");
    table("normals", "vector", "\t\t%s ( 0.%02d%02d 0.%02d%02d 0.5 )\r\n");
    text += "\tsort_vectors ( 0 )\r\n\tcolours ( 0 )\r\n\tmatrices ( 2\r\n"
            "\t\tmatrix MAIN ( 1 0 0 0 1 0 0 0 1 0 0 0 )\r\n"
            "\t\tmatrix BODY ( 0 0 1 0 1 0 -1 0 0 5 0.5 -2 )\r\n\t)\r\n"
            "\timages ( 1\r\n\t\timage ( wall.ace )\r\n\t)\r\n"
            "\ttextures ( 1\r\n\t\ttexture ( 0 0 0 ff000000 )\r\n\t)\r\n"
            "\tlight_materials ( 0 )\r\n"
            "\tvtx_states ( 2\r\n\t\tvtx_state ( 00000000 0 -5 0 00000002 )\r\n"
            "\t\tvtx_state ( 00000000 1 -5 0 00000002 )\r\n\t)\r\n"
            "\tprim_states ( 1\r\n\t\tprim_state wall ( 00000000 0\r\n\t\t\ttex_idxs ( 1 0 ) 0 0 0 0 1\r\n"
            "\t\t)\r\n\t)\r\n";
}

void appendSubObject(std::string& text, int s) {
    char line[200];
    text +=
        "\t\t\t\t\t\tsub_object (\r\n\t\t\t\t\t\t\tsub_object_header ( 00000000 -1 -1 000001d2 000001c4\r\n"
        "\t\t\t\t\t\t\t\tgeometry_info ( 1 1 0 3 0 0 1 0 0 0 geometry_nodes ( 0 ) geometry_node_map ( 0 ) "
        ")\r\n"
        "\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tvertices ( " +
        std::to_string(kVerticesPerSubObject) + "\r\n";
    for (int v = 0; v < kVerticesPerSubObject; ++v) {
        const int point = (s * kVerticesPerSubObject + v) % kPoints;
        std::snprintf(line, sizeof line,
                      "\t\t\t\t\t\t\t\tvertex ( 00000000 %d %d ffffffff ff808080\r\n"
                      "\t\t\t\t\t\t\t\t\tvertex_uvs ( 1 %d )\r\n\t\t\t\t\t\t\t\t)\r\n",
                      point, (point * 3) % kPoints, point);
        text += line;
    }
    const int triangles = kVerticesPerSubObject - 2;
    text += "\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tvertex_sets ( 1\r\n\t\t\t\t\t\t\t\tvertex_set ( " +
            std::to_string(s % 2) + " 0 " + std::to_string(kVerticesPerSubObject) +
            " )\r\n\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tprimitives ( 2\r\n"
            "\t\t\t\t\t\t\t\tprim_state_idx ( 0 )\r\n\t\t\t\t\t\t\t\tindexed_trilist (\r\n"
            "\t\t\t\t\t\t\t\t\tvertex_idxs ( " +
            std::to_string(triangles * 3);
    for (int t = 0; t < triangles; ++t)
        text += " " + std::to_string(t) + " " + std::to_string(t + 1) + " " + std::to_string(t + 2);
    text += " )\r\n\t\t\t\t\t\t\t\t\tnormal_idxs ( " + std::to_string(triangles);
    for (int t = 0; t < triangles; ++t) text += " " + std::to_string(t % kPoints) + " 3";
    text += " )\r\n\t\t\t\t\t\t\t\t\tflags ( " + std::to_string(triangles);
    for (int t = 0; t < triangles; ++t) text += " 00000000";
    text += " )\r\n\t\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t)\r\n";
}

/// The whole shape text: the tables, then sub-objects until the text has its size.
std::string largeShapeText() {
    std::string text;
    appendTables(text);
    std::string objects;
    int count = 0;
    while (text.size() + objects.size() < kTargetCharacters) appendSubObject(objects, count++);
    text += "\tlod_controls ( 1\r\n\t\tlod_control (\r\n\t\t\tdistance_levels_header ( 0 )\r\n"
            "\t\t\tdistance_levels ( 1\r\n\t\t\t\tdistance_level (\r\n\t\t\t\t\tdistance_level_header (\r\n"
            "\t\t\t\t\t\tdlevel_selection ( 2000 )\r\n\t\t\t\t\t\thierarchy ( 2 -1 0 )\r\n\t\t\t\t\t)\r\n"
            "\t\t\t\t\tsub_objects ( " +
            std::to_string(count) + "\r\n";
    text += objects;
    text += "\t\t\t\t\t)\r\n\t\t\t\t)\r\n\t\t\t)\r\n\t\t)\r\n\t)\r\n)\r\n";
    return text;
}

struct LargeShape {
    std::string path;
    double megabytes = 0.0;
};

LargeShape writeLargeShape(bool unicode) {
    const auto path = std::filesystem::temp_directory_path() /
                      (unicode ? "quillfen-bench-shape-16.s" : "quillfen-bench-shape-8.s");
    const std::string text = largeShapeText();
    std::ofstream(path, std::ios::binary) << (unicode ? quillfen::encodeUtf16LeWithBom(text) : text);
    return {path.string(), static_cast<double>(std::filesystem::file_size(path)) / 1e6};
}

const LargeShape& largeShape(bool unicode) {
    static const LargeShape utf16 = writeLargeShape(true);
    static const LargeShape eightBit = writeLargeShape(false);
    return unicode ? utf16 : eightBit;
}

/// The baseline: `wc -l` on the file, as a separate program.
bool countLinesWithWc(const std::string& path) {
    const std::string command = "wc -l '" + path + "' > /dev/null";
    return std::system(command.c_str()) == 0;
}

bool readShape(const std::string& path) {
    const quillfen::LocalFileSystem fileSystem;
    return quillfen::readShapeFile(fileSystem, path).ok();
}

struct Seconds {
    double wall = 1e9;
    double processor = 1e9; ///< user and system time, less disturbed by other programs on a busy machine
};

double processorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// The time of `work`, its processor time counted in this process or (for a
/// separate program) in its children.
Seconds secondsOf(bool (*work)(const std::string&), const std::string& path, int who) {
    const auto start = std::chrono::steady_clock::now();
    const double startProcessor = processorSeconds(who);
    benchmark::DoNotOptimize(work(path));
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            processorSeconds(who) - startProcessor};
}

Seconds fastest(const Seconds& a, const Seconds& b) {
    return {std::min(a.wall, b.wall), std::min(a.processor, b.processor)};
}

/// Each iteration times `wc -l` and the reader one after the other, so a busy
/// machine disturbs both alike; the ratio compares the fastest of each.
void BM_ReadLargeShape(benchmark::State& state) {
    const LargeShape& shape = largeShape(state.range(0) != 0);
    Seconds baseline;
    Seconds reading;
    long long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        baseline = fastest(baseline, secondsOf(countLinesWithWc, shape.path, RUSAGE_CHILDREN));
        state.ResumeTiming();
        const long long before = g_liveBytes.load();
        g_peakBytes = before;
        reading = fastest(reading, secondsOf(readShape, shape.path, RUSAGE_SELF));
        peak = std::max(peak, g_peakBytes.load() - before);
    }
    if (!readShape(shape.path)) state.SkipWithError("the generated shape could not be read");
    state.counters["file_MB"] = shape.megabytes;
    state.counters["wc_l_ms"] = baseline.wall * 1e3;
    state.counters["wc_l_cpu_ms"] = baseline.processor * 1e3;
    state.counters["reader_cpu_ms"] = reading.processor * 1e3;
    state.counters["reader_ms"] = reading.wall * 1e3;
    state.counters["ratio_to_wc_l"] = reading.processor / baseline.processor;
    state.counters["wall_ratio_to_wc_l"] = reading.wall / baseline.wall;
    state.counters["peak_to_file_size"] = static_cast<double>(peak) / 1e6 / shape.megabytes;
}

/// Where the time goes: the file's bytes, their narrowing, and reading the text in memory.
void BM_Parts(benchmark::State& state) {
    const LargeShape& shape = largeShape(true);
    const quillfen::LocalFileSystem fileSystem;
    const std::string text = quillfen::shapeTextFromBytes(*fileSystem.readBytes(shape.path));
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            benchmark::DoNotOptimize(fileSystem.readBytes(shape.path).ok());
            break;
        case 1:
            benchmark::DoNotOptimize(quillfen::shapeTextFromBytes(*fileSystem.readBytes(shape.path)).size());
            break;
        default:
            benchmark::DoNotOptimize(quillfen::readShapeText(text).ok());
            break;
        }
    }
}

BENCHMARK(BM_Parts)->ArgName("bytes_narrowed_parsed")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLargeShape)->ArgName("utf16")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    for (const bool unicode : {true, false}) std::filesystem::remove(largeShape(unicode).path, ignored);
    return 0;
}
