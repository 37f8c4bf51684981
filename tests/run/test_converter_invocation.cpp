// The converter's file arguments, the wait's progress line and the wait
// itself against a file that a test makes appear, under a manual clock.

#include "core/Task.h"
#include "run/ConverterInvocation.h"
#include "support/RunSupport.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillfen::test {
namespace {

TEST(ConverterFileArguments, CheckedRowsWithAFileInListOrder) {
    struct Case {
        const char* name;
        std::vector<std::string> lods; ///< elements 1..m
        std::vector<bool> checked;
        std::string expectedText; ///< with wd written as W
        std::vector<std::string> expectedPaths;
    };
    const Case cases[] = {
        {"all checked",
         {"a_1.3ds", "a_5.3ds"},
         {true, true},
         "\"W/a_1.3ds\" \"W/a_5.3ds\"",
         {"W/a_1.3ds", "W/a_5.3ds"}},
        {"one unchecked", {"a_1.3ds", "a_5.3ds"}, {false, true}, "\"W/a_5.3ds\"", {"W/a_5.3ds"}},
        {"empty row checked", {"a_1.3ds", ""}, {true, true}, "\"W/a_1.3ds\"", {"W/a_1.3ds"}},
        {"only the empty row", {"a_1.3ds", ""}, {false, true}, "", {}},
        {"fewer marks than rows", {"a_1.3ds", "a_5.3ds"}, {true}, "\"W/a_1.3ds\"", {"W/a_1.3ds"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramState state;
        state.gstrProgrammPfad = "W";
        state.gstrArrLODDateien = {""};
        state.gstrArrLODDateien.insert(state.gstrArrLODDateien.end(), c.lods.begin(), c.lods.end());
        auto paths = converterFileArguments(state, c.checked);
        // The run joins with the platform's separator; compare in '/' form.
        for (auto& p : paths) std::replace(p.begin(), p.end(), '\\', '/');
        EXPECT_EQ(paths, c.expectedPaths);
    }
}

TEST(WaitProgressLine, ShortestDecimalWithTheUsersSeparator) {
    struct Case {
        Language language;
        int slices;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {Language::English, 1, '.', "•conv3ds.exe creates s-file: \"h.s\" in 0.1 seconds."},
        {Language::English, 20, '.', "•conv3ds.exe creates s-file: \"h.s\" in 2 seconds."},
        {Language::English, 123, ',', "•conv3ds.exe creates s-file: \"h.s\" in 12,3 seconds."},
        {Language::German, 1, ',', "•conv3ds.exe erzeugt s-Datei: \"h.s\" in 0,1 Sekunden."},
        {Language::German, 90000, ',', "•conv3ds.exe erzeugt s-Datei: \"h.s\" in 9000 Sekunden."},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.gstrSprache = c.language;
        EXPECT_EQ(waitProgressLine(state, "h.s", c.slices, c.separator), c.expected) << c.slices;
    }
}

// The file appears after `appearsAfter` seconds: the progress line counts the
// slices up in place (one when it is there at the first look), and the wait
// sleeps on the event loop instead of spinning. (Cancel: see the run tests.)
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
