// The converter on a generated 3DS file of 60 000 triangles: the whole
// conversion (read, parse, build, write the s-file), reported with its ratio to
// reading the same file's bytes, measured in the same run. Target: under 0.2 s.

#include "Converter.h"
#include "Scene.h"
#include "ThreeDsWriter.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using quillfen::conv3ds::Face;
using quillfen::conv3ds::Vec3;

constexpr int kColumns = 300;
constexpr int kRows = 100; // kColumns * kRows quads = 60 000 triangles

/// A rolling landscape: one mesh of kColumns x kRows quads, textured and smooth.
quillfen::conv3ds::Scene landscape() {
    quillfen::conv3ds::Scene scene;
    scene.materials.push_back({"Grass", {}, "grass.bmp", 0.0f, false});
    quillfen::conv3ds::Mesh mesh;
    mesh.name = "Landscape";
    for (int y = 0; y <= kRows; ++y)
        for (int x = 0; x <= kColumns; ++x) {
            const float height = static_cast<float>((x * 7 + y * 13) % 11) * 0.1f;
            mesh.vertices.push_back(Vec3{static_cast<float>(x), static_cast<float>(y), height});
            mesh.uvs.push_back({static_cast<float>(x) / 10.0f, static_cast<float>(y) / 10.0f});
        }
    const auto at = [](int x, int y) { return static_cast<std::uint16_t>(y * (kColumns + 1) + x); };
    quillfen::conv3ds::MaterialGroup group{"Grass", {}};
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            mesh.faces.push_back(Face{at(x, y), at(x + 1, y), at(x + 1, y + 1), 7});
            mesh.faces.push_back(Face{at(x, y), at(x + 1, y + 1), at(x, y + 1), 7});
        }
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) group.faces.push_back(static_cast<std::uint16_t>(f));
    mesh.groups.push_back(group);
    mesh.smoothing.assign(mesh.faces.size(), 1);
    scene.meshes.push_back(std::move(mesh));
    return scene;
}

struct Fixture {
    fs::path folder;
    fs::path input;
    fs::path output;

    Fixture() {
        folder = fs::temp_directory_path() / "quillfen-bench-conv3ds";
        fs::create_directories(folder);
        input = folder / "landscape_100.3ds";
        output = folder / "landscape_.s";
        const auto bytes = quillfen::conv3ds::writeThreeDs(landscape());
        std::ofstream(input, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

/// Processor seconds of this process: unlike the wall clock, not stretched
/// when other programs keep the machine busy.
double processorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    benchmark::DoNotOptimize(bytes);
}

void BM_Convert60000Triangles(benchmark::State& state) {
    const Fixture fixture;
    double convertSeconds = 0;
    double readSeconds = 0;
    for (auto _ : state) {
        const double start = processorSeconds();
        std::ostringstream out, err;
        if (quillfen::conv3ds::runConverter({fixture.output.string(), fixture.input.string()}, out, err) != 0)
            state.SkipWithError(err.str().c_str());
        convertSeconds += processorSeconds() - start;
        state.PauseTiming(); // the baseline, measured in the same run but not in this benchmark's time
        const double readStart = processorSeconds();
        readWholeFile(fixture.input);
        readSeconds += processorSeconds() - readStart;
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["convert_cpu_ms"] = 1000.0 * convertSeconds / runs;
    state.counters["read_cpu_ms"] = 1000.0 * readSeconds / runs;
    state.counters["ratio_to_read"] = readSeconds > 0 ? convertSeconds / readSeconds : 0.0;
    state.counters["under_0.2s"] = convertSeconds / runs < 0.2 ? 1 : 0;
}
BENCHMARK(BM_Convert60000Triangles)->Unit(benchmark::kMillisecond)->MinTime(2.0);

/// The baseline on its own: reading the 3DS file's bytes.
void BM_ReadFile60000Triangles(benchmark::State& state) {
    const Fixture fixture;
    for (auto _ : state) readWholeFile(fixture.input);
}
BENCHMARK(BM_ReadFile60000Triangles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
