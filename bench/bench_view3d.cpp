// The 3D view on Mesa's software renderer (run under xvfb-run where there is no
// display): the first frame of the example house and of the 60 MB shape, each
// against reading that shape alone (target: at most 1.5 times the reading plus
// 100 ms), and orbiting the example at 800 x 600 (target: 30 frames a second).

#include "Converter.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "shape/ShapeReader.h"
#include "ui/view3d/OffscreenView.h"

#include "LargeShape.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

using namespace quillfen;

const QSize kFrameSize(800, 600);

/// The example house, converted into a model folder with its textures.
const std::string& exampleShape() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() / "quillfen-bench-view3d";
        std::filesystem::create_directories(folder / "SHAPES");
        const std::string house = joinPath(joinPath(QUILLFEN_SOURCE_DIR, "examples"), "house");
        const auto conversion = conv3ds::convertFiles(
            "house.s", {joinPath(house, "house_100.3ds"), joinPath(house, "house_500.3ds")});
        std::ofstream((folder / "SHAPES" / "house.s").string(), std::ios::binary) << conversion.bytes;
        for (const char* texture : {"roof.ace", "wall.ace", "window.dds"})
            std::filesystem::copy_file(joinPath(house, texture), folder / texture,
                                       std::filesystem::copy_options::overwrite_existing);
        return (folder / "SHAPES" / "house.s").string();
    }();
    return path;
}

const std::string& shapeOf(std::int64_t which) {
    return which == 0 ? exampleShape() : bench::largeShape(true).path;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// Loading the shape with its pictures, making the view and drawing one frame,
/// against reading the shape alone in the same iteration.
void BM_FirstFrame(benchmark::State& state) {
    const std::string& path = shapeOf(state.range(0));
    const LocalFileSystem fileSystem;
    double reading = 1e9;
    double firstFrame = 1e9;
    // The parts of the fastest first frame: loading the scene (shape, mesh,
    // pictures), making the view (context, programs, textures) and drawing.
    double loading = 0, making = 0, drawing = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(shape::readShapeFile(fileSystem, path).ok());
        reading = std::min(reading, secondsSince(start));
        state.ResumeTiming();
        start = std::chrono::steady_clock::now();
        const auto scene = view3d::ShapeScene::load(fileSystem, path);
        if (!scene) {
            state.SkipWithError(scene.error().message().c_str());
            return;
        }
        const double loaded = secondsSince(start);
        auto view = view3d::OffscreenView::create(*scene, kFrameSize);
        if (!view) {
            state.SkipWithError(view.error().message().c_str());
            return;
        }
        const double made = secondsSince(start);
        (*view)->draw(view3d::ViewCamera::framing(scene->box()), {});
        const double drawn = secondsSince(start);
        if (drawn < firstFrame) {
            firstFrame = drawn;
            loading = loaded;
            making = made - loaded;
            drawing = drawn - made;
        }
    }
    state.counters["reader_ms"] = reading * 1e3;
    state.counters["first_frame_ms"] = firstFrame * 1e3;
    state.counters["load_ms"] = loading * 1e3;
    state.counters["view_ms"] = making * 1e3;
    state.counters["draw_ms"] = drawing * 1e3;
    state.counters["allowed_ms"] = (1.5 * reading + 0.1) * 1e3;
    state.counters["within_target"] = firstFrame <= 1.5 * reading + 0.1 ? 1 : 0;
}

/// Frames of the example drawn while the camera goes round it.
void BM_OrbitFrames(benchmark::State& state) {
    const LocalFileSystem fileSystem;
    const auto scene = view3d::ShapeScene::load(fileSystem, exampleShape());
    auto view = scene ? view3d::OffscreenView::create(*scene, kFrameSize)
                      : Expected<std::unique_ptr<view3d::OffscreenView>>(scene.error());
    if (!view) {
        state.SkipWithError(view.error().message().c_str());
        return;
    }
    view3d::ViewCamera camera = view3d::ViewCamera::framing(scene->box());
    for (auto _ : state) {
        camera.orbit(3.0F, 0.0F);
        (*view)->draw(camera, {});
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_FirstFrame)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OrbitFrames)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove(bench::largeShape(true).path, ignored);
    std::filesystem::remove_all(std::filesystem::path(exampleShape()).parent_path().parent_path(), ignored);
    return 0;
}
