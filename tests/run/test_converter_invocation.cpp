// The converter's file arguments, the wait's progress line and the wait
// itself against a file that a test makes appear, under a manual clock.

#include "run/ConversionRunAwait.h"
#include "run/ConverterInvocation.h"
#include "support/TempFolder.h"
#include "test_run_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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
        state.gstrArrLODDateien = {"old"};
        state.gstrArrLODDateien.insert(state.gstrArrLODDateien.end(), c.lods.begin(), c.lods.end());
        auto paths = buildConverterFileArguments(state, c.checked);
        // The run joins with the platform's separator; compare in '/' form.
        for (auto& p : paths) std::replace(p.begin(), p.end(), '\\', '/');
        std::string text = state.gstrArrLODDateien[0];
        std::replace(text.begin(), text.end(), '\\', '/');
        EXPECT_EQ(text, c.expectedText);
        EXPECT_EQ(paths, c.expectedPaths);
    }
}

TEST(WaitProgressLine, ShortestDecimalWithTheUsersSeparator) {
    struct Case {
        const char* language;
        int slices;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {"english", 1, '.', "•conv3ds.exe creates s-file: \"h.s\" in 0.1 seconds."},
        {"english", 20, '.', "•conv3ds.exe creates s-file: \"h.s\" in 2 seconds."},
        {"english", 123, ',', "•conv3ds.exe creates s-file: \"h.s\" in 12,3 seconds."},
        {"deutsch", 1, ',', "•conv3ds.exe erzeugt s-Datei: \"h.s\" in 0,1 Sekunden."},
        {"deutsch", 90000, ',', "•conv3ds.exe erzeugt s-Datei: \"h.s\" in 9000 Sekunden."},
        {"klingon", 5, '.', ""},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.gstrSprache = c.language;
        state.gstrSDateiName = "h.s";
        EXPECT_EQ(waitProgressLine(state, c.slices, c.separator), c.expected)
            << c.language << " " << c.slices;
    }
}

class WaitTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.gstrProgrammPfad = folder.path();
        state.gstrSprache = "english";
        state.gstrSDateiName = "h.s";
        host.log("before the wait");
    }

    int wait(const std::function<void(double elapsed)>& atYield) {
        task = waitForConverterOutput(state, host, files, clock, '.');
        const double start = clock.now();
        ClockDriver driver(clock);
        driver.onYield = [&] {
            atYield(clock.now() - start);
            return true;
        };
        const auto result = driver.run(task);
        yieldCount = driver.yields;
        return result.value_or(-1);
    }

    TempFolder folder;
    ProgramState state;
    RecordingHost host;
    LocalFileSystem files;
    ManualClock clock;
    CommandTask task;
    long yieldCount = 0;
};

TEST_F(WaitTest, FileAlreadyThereCountsOneSlice) {
    folder.write("h.s", "x");
    EXPECT_EQ(wait([](double) {}), static_cast<int>(WaitEnd::FileFound));
    EXPECT_EQ(host.logText(), waitProgressLine(state, 1, '.') + "\r\nbefore the wait\r\n");
}

TEST_F(WaitTest, ProgressLineCountsUpInPlace) {
    EXPECT_EQ(wait([&](double elapsed) {
                  if (elapsed > 4.96) folder.write("h.s", "x");
              }),
              static_cast<int>(WaitEnd::FileFound));
    EXPECT_EQ(host.logText(), waitProgressLine(state, 50, '.') + "\r\nbefore the wait\r\n");
}

TEST_F(WaitTest, SleepsOnTheEventLoopInsteadOfSpinning) {
    wait([&](double elapsed) {
        if (elapsed > 9.96) folder.write("h.s", "x");
    });
    // 100 slices: one timed yield and one turn of the event loop each, give or take rounding.
    EXPECT_LE(yieldCount, 100 * 3);
}

TEST_F(WaitTest, CancelIsSeenAfterAYieldAndClearsTheFlag) {
    EXPECT_EQ(wait([&](double elapsed) {
                  if (elapsed > 0.25) state.gblnAbbruch = true;
              }),
              static_cast<int>(WaitEnd::Cancelled));
    EXPECT_FALSE(state.gblnAbbruch);
    EXPECT_FALSE(folder.exists("h.s"));
}

TEST_F(WaitTest, NestedInAnotherCommandItsYieldsArePassedOn) {
    auto outer = [&]() -> CommandTask {
        int result = -1;
        QUILLFEN_CO_RUN(waitForConverterOutput(state, host, files, clock, '.'), result);
        co_return result + 10;
    };
    CommandTask task2 = outer();
    ClockDriver driver(clock);
    driver.onYield = [&] {
        if (clock.now() > 1001.0) folder.write("h.s", "x");
        return true;
    };
    EXPECT_EQ(driver.run(task2), 10 + static_cast<int>(WaitEnd::FileFound));
    EXPECT_GT(driver.yields, 10);
}

} // namespace
} // namespace quillfen::test
