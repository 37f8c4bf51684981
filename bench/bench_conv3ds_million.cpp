// The converter on one million triangles (16 smooth landscape objects of
// 62,500 triangles each, the most a 3DS object holds being 65,535): target under
// 2 s and a peak memory within 4 times the s-file it writes. Speed as a ratio
// to `wc -l` on the 3DS file, measured in the same run.

#include "CountedAllocation.h"
#include "WcBaseline.h"

#include "Converter.h"
#include "Scene.h"
#include "ThreeDsWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using quillfen::conv3ds::Face;
using quillfen::conv3ds::Vec3;

constexpr int kObjects = 16;
constexpr int kColumns = 250;
constexpr int kRows = 125; // 250 x 125 quads = 62,500 triangles per object

quillfen::conv3ds::Mesh landscapeObject(int index) {
    quillfen::conv3ds::Mesh mesh;
    mesh.name = "Land" + std::to_string(index);
    for (int y = 0; y <= kRows; ++y)
        for (int x = 0; x <= kColumns; ++x) {
            const float height = static_cast<float>((x * 7 + y * 13 + index) % 11) * 0.1f;
            mesh.vertices.push_back(
                Vec3{static_cast<float>(x + index * kColumns), static_cast<float>(y), height});
            mesh.uvs.push_back({static_cast<float>(x) / 10.0f, static_cast<float>(y) / 10.0f});
        }
    const auto at = [](int x, int y) { return static_cast<std::uint16_t>(y * (kColumns + 1) + x); };
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            mesh.faces.push_back(Face{at(x, y), at(x + 1, y), at(x + 1, y + 1), 7});
            mesh.faces.push_back(Face{at(x, y), at(x + 1, y + 1), at(x, y + 1), 7});
        }
    quillfen::conv3ds::MaterialGroup group{"Grass", {}};
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) group.faces.push_back(static_cast<std::uint16_t>(f));
    mesh.groups.push_back(group);
    mesh.smoothing.assign(mesh.faces.size(), 1);
    return mesh;
}

struct Fixture {
    fs::path folder = fs::temp_directory_path() / "quillfen-bench-million";
    fs::path input = folder / "land_100.3ds";
    fs::path output = folder / "land_.s";

    Fixture() {
        fs::create_directories(folder);
        quillfen::conv3ds::Scene scene;
        scene.materials.push_back({"Grass", {}, "grass.png", 0.0f, false});
        for (int i = 0; i < kObjects; ++i) scene.meshes.push_back(landscapeObject(i));
        const auto bytes = quillfen::conv3ds::writeThreeDs(scene);
        std::ofstream(input, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

void BM_ConvertOneMillionTriangles(benchmark::State& state) {
    const Fixture fixture;
    bench::Seconds convert, baseline;
    long long peak = 0;
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        baseline.keepFastest(
            bench::secondsOf([&] { benchmark::DoNotOptimize(bench::countLines(fixture.input)); }));
        state.ResumeTiming();
        convert.keepFastest(bench::secondsOf([&] {
            peak = std::max(peak, bench::peakBytesOf([&] {
                                std::ostringstream out, err;
                                ok = quillfen::conv3ds::runConverter(
                                         {fixture.output.string(), fixture.input.string()}, out, err) == 0;
                            }));
        }));
    }
    if (!ok) state.SkipWithError("the conversion failed");
    bench::reportRatio(state, convert, baseline, 2.0);
    const auto outputBytes = static_cast<double>(fs::file_size(fixture.output));
    state.counters["output_MB"] = outputBytes / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_to_output"] = static_cast<double>(peak) / outputBytes;
}
BENCHMARK(BM_ConvertOneMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
