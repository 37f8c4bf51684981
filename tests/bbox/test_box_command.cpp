#include "support/HandWrittenShape.h"
#include "support/TempFolder.h"

#include "bbox/BoxCommand.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace quillfen {
namespace {

/// The window as the command sees it, writing down what was done to it.
class RecordingWindow final : public CommandHost, public BoxCommandView {
public:
    void log(const std::string& line) override { logLines.push_back(line); }
    [[nodiscard]] std::string logText() const override { return {}; }
    void setLogText(const std::string&) override {}
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string& text) override {
        if (throwOnQuestion) throw std::runtime_error("the dialog could not be shown");
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
    bool answerYes = true, throwOnQuestion = false;
    std::vector<std::string> logLines, questions;
    std::string boxInput = "1 1 1 1 1 1", message;
    int messageMilliseconds = 0;
    bool locked = false, busy = false, flag = false;
};

class BoxCommandTest : public ::testing::Test {
protected:
    /// Runs the command to its end, after which the window is given back whatever happened.
    int run(const std::string& shapeText = "") {
        if (!shapeText.empty()) folder.write("SHAPES/haus.s", shapeText);
        state.gstrProgrammPfad = folder.path();
        CommandTask task = cmdBBoxAusShape(state, tables, fileSystem, window, window);
        for (eventLoopTurns = 0; !task.resume(); ++eventLoopTurns) {
            EXPECT_EQ(task.requestedWait(), 0.0);
            EXPECT_TRUE(window.locked && window.busy);
        }
        EXPECT_FALSE(window.locked || window.busy || window.flag);
        return task.result();
    }

    test::TempFolder folder;
    ProgramState state;
    GeometryTables tables;
    LocalFileSystem fileSystem;
    RecordingWindow window;
    int eventLoopTurns = 0;
};

std::string boxShape() {
    test::ShapeText shape;
    shape.points = {"-1.2345 0 -0.5", "1.2345 2.75 0.5"};
    shape.levels = {test::LevelText{"1 -1", {test::SubObjectText{{0, 1}, {"0 0 2"}}}}};
    return shape.text();
}

TEST_F(BoxCommandTest, YesHandsTheValuesWithPointsToTheInputBoxInBothLanguagesNoOnlyLogsThem) {
    const std::tuple<Language, char, const char*, const char*, const char*> cases[] = {
        {Language::English, '.', "-1.2345 0 -0.5 1.2345 2.75 0.5",
         "Should this BoundingBox data taken to the screen?",
         "This BoundingBox covers the shape completely."},
        {Language::German, ',', "-1,2345 0 -0,5 1,2345 2,75 0,5",
         "Soll diese BoundingBox am Bildschirm übernommen werden?",
         "Diese BoundingBox umfaßt das Shape vollständig."}};
    for (const auto& [language, separator, shown, question, covers] : cases) {
        state.gstrSprache = language;
        window.separator = separator;
        window.boxInput = "1 1 1 1 1 1";
        EXPECT_EQ(run(boxShape()), 0);
        const std::string line = "ESD_Bounding_Box ( " + std::string(shown) + " )";
        EXPECT_EQ(window.logLines.back(), "•BoundingBox: " + line);
        EXPECT_EQ(window.questions.back(), question + ("\r\n\r\n" + line + "\r\n\r\n") + covers);
        EXPECT_EQ(window.boxInput, "-1.2345 0 -0.5 1.2345 2.75 0.5");
    }
    EXPECT_EQ(window.logLines.size(), 6u) << "two totals and the box, each time";
    EXPECT_EQ(window.message, "");
    EXPECT_EQ(tables.result, (BoxValues{-1.2345f, 0, -0.5f, 1.2345f, 2.75f, 0.5f}));

    window.answerYes = false;
    window.boxInput = "1 1 1 1 1 1";
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(window.boxInput, "1 1 1 1 1 1");
    EXPECT_EQ(window.logLines.size(), 9u);
}

TEST_F(BoxCommandTest, FailuresShowTheFixedTextAndReleaseTheWindow) {
    const std::string text = boxShape();
    const std::pair<std::string, bool> cases[] = {
        {text.substr(0, text.find("hierarchy (")) + text.substr(text.find("sub_objects")), false},
        {text, true}}; // something thrown in the window
    for (const auto& [shapeText, throwOnQuestion] : cases) {
        window.throwOnQuestion = throwOnQuestion;
        window.message.clear();
        EXPECT_EQ(run(shapeText), 1);
        EXPECT_EQ(window.message, "BoundingBox kann nicht aus Shape berechnet werden!");
        EXPECT_EQ(window.messageMilliseconds, 2000);
        EXPECT_EQ(window.boxInput, "1 1 1 1 1 1");
    }
    EXPECT_EQ(window.questions.size(), 0u);
    // A missing shape is no failure, only a message (its words: see the window's test).
    std::filesystem::remove(folder.fsPath() / "SHAPES" / "haus.s");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(window.message, "Shape file haus.s not found (yet)!");
}

TEST_F(BoxCommandTest, ALongShapeGivesTheEventLoopTurns) {
    test::ShapeText shape;
    shape.levels = {
        test::LevelText{"1 -1", {test::SubObjectText{std::vector<int>(2 * kRecordsPerPause, 0), {"0 0 1"}}}}};
    EXPECT_EQ(run(shape.text()), 0);
    EXPECT_GE(eventLoopTurns, 2);
}

} // namespace
} // namespace quillfen
