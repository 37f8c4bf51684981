// The s-file steps of one conversion run (KorrigiereTexturen with a mipmap
// bias, each test option, KopiereTexturen) on a 20 MB s-file with 60 images in
// a working folder of 200 textures. Target: under 300 ms. Each result also
// shows "x_read": its processor time as a multiple of reading the same s-file
// (processor time, because the ratio must not depend on other load).

#include "core/LogSink.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"
#include "sfile/ShaderOptions.h"
#include "sfile/TextureCollection.h"
#include "sfile/TextureCorrection.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

using namespace quillfen;

constexpr std::size_t kImages = 60;
constexpr std::size_t kTextureFiles = 200;
constexpr std::size_t kTargetBytes = 20 * 1000 * 1000; // on disk, UTF-16LE

class NullLog final : public LogSink {
public:
    void log(const std::string& line) override { benchmark::DoNotOptimize(line.data()); }
};

std::string twoDigits(std::size_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

/// Geometry lines as the converter writes them, until the text has `chars` characters.
void appendGeometry(std::string& text, std::size_t chars, std::mt19937& random) {
    std::uniform_real_distribution<double> coordinate(-50.0, 50.0);
    char line[128];
    while (text.size() < chars) {
        const int length = std::snprintf(line, sizeof line, "\t\tpoint ( %.5f %.5f %.5f )\r\n",
                                         coordinate(random), coordinate(random), coordinate(random));
        text.append(line, static_cast<std::size_t>(length));
    }
}

std::string makeSFile() {
    std::mt19937 random(42);
    std::string text =
        "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\tshader_names ( 2\r\n"
        "\t\tnamed_shader ( TexDiff )\r\n\t\tnamed_shader ( BlendATexDiff )\r\n\t)\r\n\tpoints ( 1\r\n";
    appendGeometry(text, kTargetBytes / 2 * 4 / 10, random); // points before the images, as converters write
    text += "\t)\r\n\timages ( " + std::to_string(kImages) + "\r\n";
    for (std::size_t i = 0; i < kImages; ++i) text += "\t\timage ( tex_" + twoDigits(i) + ".ace )\r\n";
    text += "\t)\r\n\ttextures ( " + std::to_string(kImages) + "\r\n";
    for (std::size_t i = 0; i < kImages; ++i)
        text += "\t\ttexture ( " + std::to_string(i) + " 0 0 ff000000 )\r\n";
    text += "\t)\r\n\tlod_controls ( 1\r\n";
    appendGeometry(text, kTargetBytes / 2, random);
    return text + "\t)\r\n)";
}

/// A working folder with SHAPES/house.s and 200 textures: 60 used ace files
/// (in another letter case than the s-file's), 20 dds twins, 120 unused.
struct Fixture {
    std::filesystem::path root = std::filesystem::temp_directory_path() / "quillfen-bench-sfile-edits";
    ProgramState state;
    std::string sFileBytes;
    std::string sFilePath;
    ShapePaths paths;
    LocalFileSystem files;

    Fixture() {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "SHAPES");
        std::vector<std::string> names;
        for (std::size_t i = 0; i < kImages; ++i) names.push_back("Tex_" + twoDigits(i) + ".ace");
        for (std::size_t i = 0; i < 120; ++i) names.push_back("unused_" + std::to_string(100 + i) + ".ace");
        for (std::size_t i = 0; names.size() < kTextureFiles; ++i)
            names.push_back("Tex_" + twoDigits(i) + ".dds");
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return std::make_pair(a.substr(a.size() - 3), a) < std::make_pair(b.substr(b.size() - 3), b);
        });
        for (const std::string& name : names) {
            std::ofstream(root / name, std::ios::binary) << std::string(4096, 'x');
            state.gstrArrDateiNamen.push_back(name);
        }
        state.gintAnzahlDateien = static_cast<int>(names.size());
        state.gstrProgrammPfad = root.string();
        sFileBytes = encodeUtf16LeWithBom(makeSFile());
        paths = ShapePaths::of(state.gstrProgrammPfad, "house.s");
        sFilePath = paths.sFile;
        restore();
    }
    ~Fixture() { std::filesystem::remove_all(root); }
    void restore() { (void)files.replaceFile(sFilePath, sFileBytes); }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

double processorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

double secondsToRead() {
    static const double seconds = [] {
        Fixture& f = fixture();
        const double start = processorSeconds();
        constexpr int kRounds = 5;
        for (int i = 0; i < kRounds; ++i) benchmark::DoNotOptimize(f.files.readText(f.sFilePath).ok());
        return (processorSeconds() - start) / kRounds;
    }();
    return seconds;
}

void BM_ReadSFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(f.files.readText(f.sFilePath).ok());
    state.counters["bytes"] = static_cast<double>(f.sFileBytes.size());
}

enum TestOption { kNone, kSingleTexture, kDiffuse, kGlassy };

/// The s-file steps of one run with the given test option ticked.
void BM_RunSFileSteps(benchmark::State& state) {
    Fixture& f = fixture();
    const auto option = static_cast<TestOption>(state.range(0));
    TextureCorrectionChoices choices;
    choices.cmbMipMap = "-3";
    choices.chkAceUni = option == kSingleTexture ? 1 : 0;
    choices.chkShaderDiffuse = option == kDiffuse ? 1 : 0;
    NullLog log;
    double busy = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        f.restore();
        state.ResumeTiming();
        const double start = processorSeconds();
        if (!KorrigiereTexturen(choices, f.state, f.paths, f.files, log).ok())
            state.SkipWithError("correction failed");
        if (option == kSingleTexture)
            benchmark::DoNotOptimize(SetzeEineTextur(f.state, f.paths, f.files).ok());
        if (option == kDiffuse) benchmark::DoNotOptimize(SetzeShaderDiffuse(f.state, f.paths, f.files).ok());
        if (option == kGlassy) benchmark::DoNotOptimize(SetzeShaderAddATexDiff(f.paths, f.files).ok());
        KopiereTexturen(f.state, f.paths, f.files, log);
        busy += processorSeconds() - start;
    }
    state.counters["x_read"] = busy / static_cast<double>(state.iterations()) / secondsToRead();
}

BENCHMARK(BM_ReadSFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunSFileSteps)
    ->ArgName("option")
    ->Arg(kNone)
    ->Arg(kSingleTexture)
    ->Arg(kDiffuse)
    ->Arg(kGlassy)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
