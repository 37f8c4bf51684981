#pragma once
// The conversion-run tests' window stand-in, and a driver that moves a manual clock at each yield.

#include "app/RunChoices.h"
#include "core/CommandHost.h"
#include "core/Task.h"
#include "platform/Clock.h"
#include "run/RunView.h"
#include "support/ResultFiles.h"
#include "support/ScriptFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace quillfen::test {

/// The log as text (newest line first), the messages shown, and the state of the lock, the cursor,
/// the busy display and the cancel button.
class RecordingHost final : public CommandHost {
public:
    void log(const std::string& line) override { setLogText(line + "\r\n" + m_text); }
    [[nodiscard]] std::string logText() const override { return m_text; }
    void setLogText(const std::string& text) override { ++calls, m_text = text; }
    void showMessage(const std::string& title, const std::string& text) override {
        ++calls, messages.push_back({title, text});
    }
    bool askYesNo(const std::string& title, const std::string& text) override {
        showMessage(title, text);
        return true;
    }
    void setBusyCursor(bool busy) override { ++calls, busyCursor = busy; }
    void lockControls() override { ++calls, ++locks; }
    void releaseControls() override { ++calls, ++releases; }
    void setBusyDisplay(bool running) override { ++calls, busyDisplay = running; }
    void setCancelEnabled(bool enabled) override { ++calls, cancelEnabled = enabled; }

    /// The log's lines, newest first.
    [[nodiscard]] std::vector<std::string> lines() const {
        std::vector<std::string> result;
        for (std::size_t start = 0, end; start < m_text.size(); start = end + 2) {
            end = std::min(m_text.find("\r\n", start), m_text.size());
            result.push_back(m_text.substr(start, end - start));
        }
        return result;
    }
    [[nodiscard]] bool logHas(const std::string& line) const { return std::ranges::count(lines(), line) > 0; }
    /// Unlocked and idle, as after every end of a run.
    [[nodiscard]] bool idle() const {
        return locks == releases && !busyCursor && !busyDisplay && !cancelEnabled;
    }

    struct Message {
        std::string title, text;
    };
    std::vector<Message> messages;
    int locks = 0, releases = 0, calls = 0;
    bool busyCursor = false, busyDisplay = false, cancelEnabled = false;

private:
    std::string m_text;
};

class RecordingView final : public RunView {
public:
    void showBoundingBox(const std::string& input, const std::string& displayLine) override {
        shownInput = input, shownDisplay = displayLine;
    }
    std::string shownInput, shownDisplay;
};

/// Drives a command to its end: at each yield the manual clock moves by the wait the command asked
/// for, then `onYield` runs (it may press cancel, make files appear, or return false to stop).
class ClockDriver {
public:
    explicit ClockDriver(ManualClock& clock) : m_clock(clock) {}

    std::function<bool()> onYield;
    long yields = 0;

    template <class Result> std::optional<Result> run(Task<Result>& task) {
        while (!task.resume()) {
            m_clock.advance(task.requestedWait());
            if (onYield && !onYield()) return std::nullopt;
            if (++yields > 2'000'000) {
                ADD_FAILURE() << "the command did not end within " << yields << " yields";
                return std::nullopt;
            }
        }
        return task.result();
    }

private:
    ManualClock& m_clock;
};

/// The model folder `wd` with two LOD files and a texture, and a run's state and choices on it:
/// both rows checked, the s-file house_.s.
inline void layOutHouse(const std::filesystem::path& wd, ProgramState& state, RunChoices& choices) {
    std::filesystem::create_directories(wd);
    for (const char* name : {"house_100.3ds", "house_500.3ds"}) std::ofstream(wd / name) << "3ds";
    std::ofstream(wd / "wall.ace") << "ace";
    state.gstrProgrammPfad = TempFolder::utf8Of(wd);
    state.gstrArrLODDateien = {"", "house_100.3ds", "house_500.3ds"};
    state.gintAnzahlLODs = 2;
    choices.txtSDateiName = "house_";
    choices.lodRowChecked = {true, true};
}

/// The s-file the fake converters write: one image, one texture.
inline const std::string kSFileText = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n"
                                      "\tshape_header ( 00000000 00000000 )\r\n"
                                      "\timages ( 1\r\n\t\timage ( wall.ace )\r\n\t)\r\n"
                                      "\ttextures ( 1\r\n\t\ttexture ( 0 -1 0 ff000000 )\r\n\t)\r\n)\r\n";

} // namespace quillfen::test
