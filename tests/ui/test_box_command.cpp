// The bounding-box command started from the window: its messages in the
// display line, the question and the hand-over of the values, the lock given
// back.

#include "support/HandWrittenShape.h"
#include "support/UiTestSupport.h"
#include "ui/BusyDisplay.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

const QString kValues = "-1.2345 0 -0.5 1.2345 2.75 0.5"; ///< the box of boxShape()

/// A shape whose box has negative values, decimals and a zero.
QByteArray boxShape() {
    test::ShapeText shape;
    shape.points = {"-1.2345 0 -0.5", "1.2345 2.75 0.5"};
    shape.levels = {test::LevelText{"1 -1", {test::SubObjectText{{0, 1}, {"0 0 2"}, "", ""}}}};
    return QByteArray::fromStdString(shape.text());
}

QString displayLine(const QString& values) {
    return "ESD_Bounding_Box ( " + values + " )";
}

/// The window loaded in English with the box switched on, whose waits pass at once.
struct BoxWindow : test::WindowFixture {
    BoxWindow() {
        writeHouse();
        QDir(dir.path()).mkpath("SHAPES");
        onWait = [] {}; // tests put their own hook here later
        open();
        window->SetzeSprache("english");
        window->ui().chkBoundingBox->setCheckState(Qt::Checked);
        input()->setText("1 1 1 1 1 1");
        window->ui().txtSDateiName->setText("haus");
    }

    /// Clicks the button and lets the command run to its end; the display
    /// line's text and colour at that moment go to `endText` and `endColour`.
    bool runCommand() {
        QSignalSpy finished(window.get(), &MainWindow::commandFinished);
        const auto connection = QObject::connect(window.get(), &MainWindow::commandFinished, [this] {
            endText = display()->text();
            endColour = display()->palette().color(QPalette::Text);
        });
        QTest::mouseClick(window->ui().cmdBBoxAusShape, Qt::LeftButton);
        const bool ended = finished.count() > 0 || finished.wait(10000);
        QObject::disconnect(connection);
        return ended;
    }

    [[nodiscard]] QLineEdit* input() const { return window->ui().txtBBoxInput; }
    [[nodiscard]] QLineEdit* display() const { return window->ui().txtBBox; }
    [[nodiscard]] QColor colour() const { return display()->palette().color(QPalette::Text); }
    [[nodiscard]] QColor normalColour() const {
        return QApplication::palette(display()).color(QPalette::Text);
    }

    /// Whether the window is given back: controls enabled, animation stopped, flag cleared.
    [[nodiscard]] bool released() const {
        return !window->commandRunning() && !window->boundingBoxFlag() &&
               window->busyDisplay().blinkInterval() == 0 && window->ui().cmdBBoxAusShape->isEnabled() &&
               window->ui().cmdErzeugeShape->isEnabled() && window->ui().chkBoundingBox->isEnabled() &&
               input()->isEnabled();
    }

    QString endText;
    QColor endColour;
};

} // namespace

class BoxCommandTest : public QObject {
    Q_OBJECT

private slots:
    void aMissingShapeStandsInRedUntilTheLabelTimer() {
        for (const auto& [language, typedName, message] :
             {std::tuple{"english", "haus", "Shape file haus.s not found (yet)!"},
              {"deutsch", "Haus.S", "Shape-Datei Haus.S (noch) nicht gefunden!"}}) { // the typed ending kept
            BoxWindow box;
            QCOMPARE(box.loadResult, 0);
            box.window->SetzeSprache(language);
            box.window->ui().txtSDateiName->setText(typedName);
            QVERIFY(box.runCommand());
            QCOMPARE(box.endText, QString(message));
            QCOMPARE(box.endColour, QColor(Qt::red));
            // The two seconds of the label pass in the window's virtual time.
            QVERIFY(std::find(box.waits.begin(), box.waits.end(), 2.0) != box.waits.end());
            QTRY_VERIFY(!box.window->ui().tmrBBoxLabel->isActive());
            QCOMPARE(box.colour(), box.normalColour());
            QCOMPARE(box.display()->text(), QString(message));
            QCOMPARE(box.input()->text(), QString("1 1 1 1 1 1"));
            QVERIFY(box.dialogs.questions.empty());
            QVERIFY(box.released());
            // The message stays until the input changes; then the line follows it again.
            box.input()->setText("2 2 2 2 2 2");
            QCOMPARE(box.display()->text(), displayLine("2 2 2 2 2 2"));
        }
    }

    void yesHandsTheValuesOver() {
        // The question shows the user's decimal separator; the input box always gets points.
        for (const auto& [locale, asked] :
             {std::pair{"C", kValues}, {"de_DE.UTF-8", QString(kValues).replace('.', ',')}}) {
            const QByteArray oldLocale = qgetenv("LC_ALL");
            qputenv("LC_ALL", locale);
            const auto restore = qScopeGuard([&oldLocale] { qputenv("LC_ALL", oldLocale); });
            BoxWindow box;
            box.write("SHAPES/haus.s", boxShape());
            box.dialogs.answers = {true};
            bool lockedWhileReading = false;
            const ui::WindowControls& c = box.window->ui();
            box.onWait = [&] {
                if (box.window->commandRunning() && box.window->boundingBoxFlag())
                    lockedWhileReading = !c.cmdErzeugeShape->isEnabled() && !c.cmdBBoxAusShape->isEnabled() &&
                                         c.cmdQuit->isEnabled() && c.txtAusgabe->isEnabled() &&
                                         box.window->busyDisplay().blinkInterval() == 100;
            };
            QVERIFY(box.runCommand());
            QVERIFY(lockedWhileReading);
            QCOMPARE(box.dialogs.questions.size(), std::size_t{1});
            QVERIFY(box.dialogs.questions[0].text.find(displayLine(asked).toStdString()) !=
                    std::string::npos);
            QCOMPARE(box.input()->text(), kValues);
            QCOMPARE(box.display()->text(), displayLine(kValues));
            QCOMPARE(box.colour(), box.normalColour());
            const QString log = QString::fromStdString(box.window->host().logText());
            QVERIFY2(log.startsWith("\u2022BoundingBox: " + displayLine(asked)), qPrintable(log));
            QVERIFY(box.released());
        }
    }

    void takingOverTheSameValuesReplacesAnEarlierMessage() {
        // The values in the box may already be the new ones; the display line
        // must still lose the message of the command before.
        BoxWindow box;
        box.input()->setText(kValues);
        QVERIFY(box.runCommand());
        QCOMPARE(box.display()->text(), QString("Shape file haus.s not found (yet)!"));
        box.write("SHAPES/haus.s", boxShape());
        box.dialogs.answers = {true};
        QVERIFY(box.runCommand());
        QCOMPARE(box.display()->text(), displayLine(kValues));
        QVERIFY(box.released());
    }
};

QTEST_MAIN(BoxCommandTest)
#include "test_box_command.moc"
