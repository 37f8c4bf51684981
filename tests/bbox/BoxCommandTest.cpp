#include "HandWrittenShape.h"
#include "support/TempFolder.h"

#include "bbox/BoxCommand.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace quillfen {
namespace {

/// The window as the command sees it, writing down what was done to it.
class RecordingWindow final : public CommandHost, public BoxCommandView {
public:
    // CommandHost
    void log(const std::string& line) override { logLines.push_back(line); }
    [[nodiscard]] std::string logText() const override { return {}; }
    void setLogText(const std::string&) override {}
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string& title, const std::string& text) override {
        if (throwOnQuestion) throw std::runtime_error("the dialog could not be shown");
        questionTitle = title;
        questions.push_back(text);
        return answerYes;
    }
    void setBusyCursor(bool) override {}
    void lockControls() override {
        EXPECT_FALSE(locked);
        locked = true;
    }
    void releaseControls() override {
        EXPECT_TRUE(locked);
        locked = false;
    }
    void setBusyDisplay(bool running) override { busy = running; }
    void setCancelEnabled(bool) override {}

    // BoxCommandView
    [[nodiscard]] std::string sFileNameText() const override { return sFileName; }
    void setBoxInputText(const std::string& text) override { boxInput = text; }
    void setBoundingBoxFlag(bool running) override { flag = running; }
    void showBoxMessage(const std::string& text, int milliseconds) override {
        EXPECT_TRUE(flag) << "the display line would be rebuilt over the message";
        EXPECT_TRUE(locked);
        message = text;
        messageMilliseconds = milliseconds;
    }
    [[nodiscard]] char decimalSeparator() const override { return separator; }

    std::string sFileName = "haus";
    char separator = '.';
    bool answerYes = true;
    bool throwOnQuestion = false;

    std::vector<std::string> logLines;
    std::vector<std::string> questions;
    std::string questionTitle = "unset";
    std::string boxInput = "1 1 1 1 1 1";
    std::string message;
    int messageMilliseconds = 0;
    bool locked = false;
    bool busy = false;
    bool flag = false;
};

class BoxCommandTest : public ::testing::Test {
protected:
    void writeShape(const std::string& name, const std::string& text) {
        folder.write("SHAPES/" + name, text);
    }

    int run() {
        state.gstrProgrammPfad = folder.path();
        CommandTask task = cmdBBoxAusShape(state, tables, fileSystem, window, window);
        int turns = 0;
        while (!task.resume()) {
            EXPECT_EQ(task.requestedWait(), 0.0);
            EXPECT_TRUE(window.locked);
            EXPECT_TRUE(window.busy);
            ++turns;
        }
        eventLoopTurns = turns;
        return task.result();
    }

    /// Whatever happened, the window is unlocked, the busy display and the flag are off.
    void expectWindowReleased() const {
        EXPECT_FALSE(window.locked);
        EXPECT_FALSE(window.busy);
        EXPECT_FALSE(window.flag);
    }

    test::TempFolder folder;
    ProgramState state;
    GeometryTables tables;
    LocalFileSystem fileSystem;
    RecordingWindow window;
    int eventLoopTurns = 0;
};

test::ShapeText boxShape() {
    test::ShapeText shape;
    shape.points = {"-1.2345 0 -0.5", "1.2345 2.75 0.5"};
    shape.levels = {test::LevelText{"1 -1", {test::SubObjectText{{0, 1}, {"0 0 2"}, "", ""}}}};
    return shape;
}

TEST_F(BoxCommandTest, AMissingShapeIsShownInRedAndIsNoFailure) {
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(state.gstrSDateiName, "haus.s");
    EXPECT_EQ(window.message, "Shape file haus.s not found (yet)!");
    EXPECT_EQ(window.messageMilliseconds, 2000);
    EXPECT_TRUE(window.questions.empty());
    EXPECT_EQ(window.boxInput, "1 1 1 1 1 1");
    expectWindowReleased();

    state.gstrSprache = kLanguageGerman;
    window.sFileName = "Haus.S";
    run();
    EXPECT_EQ(window.message, "Shape-Datei Haus.S (noch) nicht gefunden!");
}

TEST_F(BoxCommandTest, YesHandsTheValuesToTheInputBox) {
    writeShape("haus.s", boxShape().text());
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(window.logLines, (std::vector<std::string>{
                                   "•BoundingBox generating: Shape has 2 vertices.",
                                   "•BoundingBox generating: Shape has 2 points.",
                                   "•BoundingBox: ESD_Bounding_Box ( -1.2345 0 -0.5 1.2345 2.75 0.5 )"}));
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questionTitle, "");
    EXPECT_EQ(window.questions[0], "Should this BoundingBox data taken to the screen?\r\n\r\n"
                                   "ESD_Bounding_Box ( -1.2345 0 -0.5 1.2345 2.75 0.5 )\r\n\r\n"
                                   "This BoundingBox covers the shape completely.");
    EXPECT_EQ(window.boxInput, "-1.2345 0 -0.5 1.2345 2.75 0.5");
    EXPECT_EQ(window.message, "");
    EXPECT_EQ(tables.result, (BoxValues{-1.2345f, 0, -0.5f, 1.2345f, 2.75f, 0.5f}));
    expectWindowReleased();
}

TEST_F(BoxCommandTest, NoLeavesTheInputBoxButLogsTheBox) {
    writeShape("haus.s", boxShape().text());
    window.answerYes = false;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(window.boxInput, "1 1 1 1 1 1");
    EXPECT_EQ(window.logLines.back(), "•BoundingBox: ESD_Bounding_Box ( -1.2345 0 -0.5 1.2345 2.75 0.5 )");
    expectWindowReleased();
}

TEST_F(BoxCommandTest, TheGermanQuestionShowsDecimalCommasAndTheInputGetsPoints) {
    test::ShapeText shape;
    shape.points = {"1.5 -0.25 3"};
    writeShape("haus.s", shape.text());
    state.gstrSprache = kLanguageGerman;
    window.separator = ',';
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questions[0], "Soll diese BoundingBox am Bildschirm übernommen werden?\r\n\r\n"
                                   "ESD_Bounding_Box ( 1,5 -0,25 3 1,5 -0,25 3 )\r\n\r\n"
                                   "Diese BoundingBox umfaßt das Shape vollständig.");
    EXPECT_EQ(window.logLines.back(), "•BoundingBox: ESD_Bounding_Box ( 1,5 -0,25 3 1,5 -0,25 3 )");
    EXPECT_EQ(window.boxInput, "1.5 -0.25 3 1.5 -0.25 3");
}

TEST_F(BoxCommandTest, AFailureShowsTheFixedTextAndReleasesTheWindow) {
    const std::string text = boxShape().text();
    writeShape("haus.s", text.substr(0, text.find("hierarchy (")) + text.substr(text.find("sub_objects")));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(window.message, "BoundingBox kann nicht aus Shape berechnet werden!");
    EXPECT_EQ(window.messageMilliseconds, 2000);
    EXPECT_TRUE(window.questions.empty());
    EXPECT_EQ(window.boxInput, "1 1 1 1 1 1");
    expectWindowReleased();
}

TEST_F(BoxCommandTest, AFailureInTheComputationAfterReadingAlsoReleases) {
    window.sFileName = "haus.s";
    test::ShapeText loop;
    loop.matrices = {"1 0 0 0 1 0 0 0 1 0 0 0", "1 0 0 0 1 0 0 0 1 0 0 0"};
    loop.vertexStateMatrices = {"1"};
    loop.levels = {test::LevelText{"2 -1 1", {test::SubObjectText{{0}, {"0 0 1"}, "", ""}}}};
    writeShape("haus.s", loop.text());
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(window.message, "BoundingBox kann nicht aus Shape berechnet werden!");
    expectWindowReleased();
}

TEST_F(BoxCommandTest, SomethingThrownInTheWindowStillReleasesIt) {
    writeShape("haus.s", boxShape().text());
    window.throwOnQuestion = true;
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(window.message, "BoundingBox kann nicht aus Shape berechnet werden!");
    EXPECT_EQ(window.boxInput, "1 1 1 1 1 1");
    expectWindowReleased();
}

TEST_F(BoxCommandTest, ALongShapeGivesTheEventLoopTurns) {
    test::ShapeText shape;
    test::SubObjectText sub;
    sub.vertexPoints.assign(2 * kRecordsPerPause, 0);
    sub.vertexSets = {"0 0 1"};
    shape.levels = {test::LevelText{"1 -1", {sub}}};
    writeShape("haus.s", shape.text());
    EXPECT_EQ(run(), 0);
    EXPECT_GE(eventLoopTurns, 2);
}

} // namespace
} // namespace quillfen
