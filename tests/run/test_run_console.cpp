// The command line's progress log: lines in the order they are logged, the
// live progress line in place on a terminal and once elsewhere, message
// boxes on the error stream.

#include "run/ConversionRunConsole.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillfen::test {
namespace {

/// What a run does to the log around its wait.
void logAroundAWait(ConsoleHost& host) {
    host.log("first");
    host.log("second");
    const std::string snapshot = host.logText();
    for (const char* seconds : {"0.1", "0.2", "0.3"})
        host.setLogText(std::string("•waiting ") + seconds + "\r\n" + snapshot);
    host.log("\r\n---");
    host.log("Done!");
}

TEST(ConsoleHost, ProgressLineInPlaceOnATerminalElseOnceAtItsLastValue) {
    for (const bool terminal : {false, true}) {
        std::ostringstream out;
        std::ostringstream err;
        {
            ConsoleHost host(out, err, terminal);
            logAroundAWait(host);
            EXPECT_EQ(host.logText(), "Done!\r\n\r\n---\r\n•waiting 0.3\r\nsecond\r\nfirst\r\n");
        }
        EXPECT_EQ(out.str(), terminal ? "first\nsecond\n\r•waiting 0.1\x1b[K\r•waiting 0.2\x1b[K\r•waiting "
                                        "0.3\x1b[K\n\n---\nDone!\n"
                                      : "first\nsecond\n•waiting 0.3\n\n---\nDone!\n");
        EXPECT_TRUE(err.str().empty());
    }
}

TEST(ConsoleHost, ProgressLineLeftOpenByACancelIsEndedOnce) {
    for (bool terminal : {false, true}) {
        std::ostringstream out;
        std::ostringstream err;
        {
            ConsoleHost host(out, err, terminal);
            host.setLogText("•waiting 0.4\r\n");
            host.setBusyDisplay(false); // the cancel end
            host.releaseControls();
        }
        EXPECT_EQ(out.str(), terminal ? "\r•waiting 0.4\x1b[K\n" : "•waiting 0.4\n");
    }
}

TEST(ConsoleHost, MessagesGoToTheErrorStreamLineByLine) {
    std::ostringstream out;
    std::ostringstream err;
    ConsoleHost host(out, err, false);
    host.showMessage("Quillfen", "one\r\n\r\ntwo\rthree");
    EXPECT_FALSE(host.askYesNo("Title", "Sure?"));
    EXPECT_EQ(err.str(), "Quillfen:\none\n\ntwo\nthree\nTitle:\nSure?\n(no answer possible here: No)\n");
    EXPECT_TRUE(out.str().empty());
}

} // namespace
} // namespace quillfen::test
