// Making a 2048 x 2048 ACE file with its mipmaps from a PNG file (decode,
// mipmap chain, ACE bytes): target under 0.5 s. Speed as a ratio to `wc -l`
// on the PNG file, measured in the same run.

#include "WcBaseline.h"

#include "texture/TextureFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace quillfen::texture;

constexpr int kSide = 2048;

/// A photo-like picture: smooth shading with fine noise, so the PNG does not shrink to nothing.
Image picture() {
    Image image(kSide, kSide);
    std::uint32_t noise = 12345;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            noise = noise * 1103515245u + 12345u;
            const auto grain = static_cast<int>(noise >> 28);
            image.at(x, y) =
                Rgba{static_cast<std::uint8_t>(x / 8 + grain), static_cast<std::uint8_t>(y / 8 + grain),
                     static_cast<std::uint8_t>((x + y) / 16), 255};
        }
    return image;
}

struct Fixture {
    fs::path png = fs::temp_directory_path() / "quillfen-bench-texture.png";
    Fixture() {
        const auto bytes = encodeTexture(picture(), FileFormat::Png);
        std::ofstream(png, std::ios::binary) << *bytes;
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove(png, ignored);
    }
};

bool makeAce(const fs::path& png, bool dxt1) {
    const auto image = decodeTexture(bench::readFile(png), FileFormat::Png);
    if (!image) return false;
    const auto ace = encodeTexture(*image, FileFormat::Ace, AceWriteOptions{dxt1, true, false});
    benchmark::DoNotOptimize(ace);
    return ace.ok();
}

void makeAceBenchmark(benchmark::State& state, bool dxt1) {
    const Fixture fixture;
    bench::Seconds make, baseline;
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        baseline.keepFastest(
            bench::secondsOf([&] { benchmark::DoNotOptimize(bench::countLines(fixture.png)); }));
        state.ResumeTiming();
        make.keepFastest(bench::secondsOf([&] { ok = makeAce(fixture.png, dxt1); }));
    }
    if (!ok) state.SkipWithError("the ACE file could not be made");
    bench::reportRatio(state, make, baseline, 0.5);
    state.counters["png_MB"] = static_cast<double>(fs::file_size(fixture.png)) / 1e6;
}

void BM_AceWithMipmapsFromPng2048(benchmark::State& state) {
    makeAceBenchmark(state, false);
}
void BM_Dxt1AceWithMipmapsFromPng2048(benchmark::State& state) {
    makeAceBenchmark(state, true);
}
BENCHMARK(BM_AceWithMipmapsFromPng2048)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Dxt1AceWithMipmapsFromPng2048)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
