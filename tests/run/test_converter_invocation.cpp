// The converter's file arguments, the wait's progress line and the wait under a manual clock.

#include "core/Task.h"
#include "run/ConverterInvocation.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

namespace quillfen::test {
namespace {

TEST(ConverterFileArguments, CheckedRowsWithAFileInListOrder) {
    // The rows' files (blank: empty row) and their marks (fewer marks than rows: the rest unchecked).
    const std::tuple<const char*, std::vector<bool>, const char*> cases[] = {
        {"a_1.3ds a_5.3ds", {true, true}, "W/a_1.3ds W/a_5.3ds"},
        {"a_1.3ds a_5.3ds", {false, true}, "W/a_5.3ds"},
        {"a_1.3ds -", {true, true}, "W/a_1.3ds"},
        {"a_1.3ds -", {false, true}, ""},
        {"a_1.3ds a_5.3ds", {true}, "W/a_1.3ds"},
    };
    for (const auto& [lods, checked, expected] : cases) {
        SCOPED_TRACE(lods);
        ProgramState state;
        state.gstrProgrammPfad = "W";
        state.gstrArrLODDateien = {""};
        for (const std::string& lod : words(lods)) state.gstrArrLODDateien.push_back(lod == "-" ? "" : lod);
        auto paths = converterFileArguments(state, checked);
        for (auto& p : paths) std::ranges::replace(p, '\\', '/');
        EXPECT_EQ(paths, words(expected));
    }
}

TEST(WaitProgressLine, ShortestDecimalWithTheUsersSeparator) {
    const std::tuple<Language, int, char, const char*> cases[] = {
        {Language::English, 1, '.', "•conv3ds.exe creates s-file: \"h.s\" in 0.1 seconds."},
        {Language::English, 20, '.', "•conv3ds.exe creates s-file: \"h.s\" in 2 seconds."},
        {Language::English, 123, ',', "•conv3ds.exe creates s-file: \"h.s\" in 12,3 seconds."},
        {Language::German, 1, ',', "•conv3ds.exe erzeugt s-Datei: \"h.s\" in 0,1 Sekunden."},
        {Language::German, 90000, ',', "•conv3ds.exe erzeugt s-Datei: \"h.s\" in 9000 Sekunden."},
    };
    for (const auto& [language, slices, separator, expected] : cases) {
        ProgramState state;
        state.gstrSprache = language;
        EXPECT_EQ(waitProgressLine(state, "h.s", slices, separator), expected);
    }
}

// The progress line counts the slices up in place (one when the file is there at the first look), and
// the wait sleeps on the event loop instead of spinning.
TEST(WaitForConverterOutput, ProgressLineCountsUpInPlaceWithoutSpinning) {
    for (const auto& [appearsAfter, slices] : {std::pair{-1.0, 1}, {4.96, 50}, {9.96, 100}}) {
        SCOPED_TRACE(slices);
        TempFolder folder;
        ProgramState state;
        state.gstrProgrammPfad = folder.path();
        const ShapePaths paths = ShapePaths::of(state.gstrProgrammPfad, "h.s");
        RecordingHost host;
        host.setLogText("before the wait\r\n");
        LocalFileSystem files;
        ManualClock clock;
        if (appearsAfter < 0) folder.write("h.s", "x");
        Task<WaitEnd> task = waitForConverterOutput(state, paths, host, files, clock, '.');
        const double start = clock.now();
        ClockDriver driver(clock);
        // A copy: clang 14 cannot capture a structured binding.
        driver.onYield = [&, appearsAt = appearsAfter] {
            if (clock.now() - start > appearsAt) folder.write("h.s", "x");
            return true;
        };
        EXPECT_EQ(driver.run(task), WaitEnd::FileFound);
        EXPECT_EQ(host.logText(), waitProgressLine(state, "h.s", slices, '.') + "\r\nbefore the wait\r\n");
        // One timed yield and one turn of the event loop per slice, give or take rounding.
        EXPECT_LE(driver.yields, slices * 3);
    }
}

} // namespace
} // namespace quillfen::test
