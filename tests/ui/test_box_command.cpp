// The bounding-box command started from the window: its messages in the
// display line, the question and the hand-over of the values, the lock given
// back on every way out, and a window closed while the command reads.

#include "support/HandWrittenShape.h"
#include "support/UiTestSupport.h"

#include "ui/BusyDisplay.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

const QColor kRed(255, 0, 0);

/// A shape whose box has negative values, decimals and a zero.
std::string boxShape() {
    test::ShapeText shape;
    shape.points = {"-1.2345 0 -0.5", "1.2345 2.75 0.5"};
    shape.levels = {test::LevelText{"1 -1", {test::SubObjectText{{0, 1}, {"0 0 2"}, "", ""}}}};
    return shape.text();
}

QString displayLine(const QString& values) {
    return QStringLiteral("ESD_Bounding_Box ( ") + values + QStringLiteral(" )");
}

/// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        if (!value.isEmpty()) qputenv(name, value);
    }
    ~ScopedEnvironment() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

/// A loaded window in English with the box switched on, whose waits pass in
/// virtual time; each wait is written down and may run a hook.
class BoxWindow {
public:
    BoxWindow() {
        model.writeHouse();
        QDir(model.dir.path()).mkpath(QStringLiteral("SHAPES"));
    }

    MainWindow& open() {
        ui::WindowServices services;
        services.dialogs = &model.dialogs;
        services.clock = &model.clock;
        services.advanceTime = [this](double seconds) {
            waits.push_back(seconds);
            model.clock.advance(seconds);
            if (onWait) onWait();
        };
        services.converterSearchEnvironment = [] { return ConverterSearchEnvironment{}; };
        services.exitProgram = [this](int code) { exitCodes.push_back(code); };
        window = std::make_unique<MainWindow>(model.folder(), std::move(services));
        loadResult = window->load();
        window->SetzeSprache("english");
        window->ui().chkBoundingBox->setCheckState(Qt::Checked);
        input()->setText(QStringLiteral("1 1 1 1 1 1"));
        window->ui().txtSDateiName->setText(QStringLiteral("haus"));
        return *window;
    }

    void writeShape(const QString& name, const std::string& text) const {
        model.write(QStringLiteral("SHAPES/") + name, QByteArray::fromStdString(text));
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
    [[nodiscard]] QTimer* labelTimer() const { return window->ui().tmrBBoxLabel; }
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

    test::WindowFixture model;
    std::unique_ptr<MainWindow> window;
    int loadResult = -1;
    std::vector<double> waits;
    std::vector<int> exitCodes;
    std::function<void()> onWait;
    QString endText;
    QColor endColour;
};

} // namespace

class BoxCommandTest : public QObject {
    Q_OBJECT

private slots:
    void aMissingShapeStandsInRedUntilTheLabelTimer_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("message");
        QTest::newRow("english") << QStringLiteral("english") << QStringLiteral("haus")
                                 << QStringLiteral("Shape file haus.s not found (yet)!");
        QTest::newRow("german, ending kept") << QStringLiteral("deutsch") << QStringLiteral("Haus.S")
                                             << QStringLiteral("Shape-Datei Haus.S (noch) nicht gefunden!");
    }

    void aMissingShapeStandsInRedUntilTheLabelTimer() {
        QFETCH(QString, language);
        QFETCH(QString, typedName);
        QFETCH(QString, message);
        BoxWindow box;
        MainWindow& window = box.open();
        QCOMPARE(box.loadResult, 0);
        window.SetzeSprache(language.toStdString());
        window.ui().txtSDateiName->setText(typedName);

        QVERIFY(box.runCommand());
        QCOMPARE(box.endText, message);
        QCOMPARE(box.endColour, kRed);
        // The two seconds of the label pass in the window's virtual time.
        QVERIFY(std::find(box.waits.begin(), box.waits.end(), 2.0) != box.waits.end());
        QTRY_VERIFY(!box.labelTimer()->isActive());
        QCOMPARE(box.display()->palette().color(QPalette::Text), box.normalColour());
        QCOMPARE(box.display()->text(), message);
        QCOMPARE(box.input()->text(), QStringLiteral("1 1 1 1 1 1"));
        QVERIFY(box.model.dialogs.questions.empty());
        QVERIFY(box.released());

        // The message stays until the input changes; then the line follows it again.
        box.input()->setText(QStringLiteral("2 2 2 2 2 2"));
        QCOMPARE(box.display()->text(), displayLine(QStringLiteral("2 2 2 2 2 2")));
    }

    void theAnswerDecidesTheHandOver_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("input");
        const QString points = QStringLiteral("-1.2345 0 -0.5 1.2345 2.75 0.5");
        const QString commas = QStringLiteral("-1,2345 0 -0,5 1,2345 2,75 0,5");
        const QString unchanged = QStringLiteral("1 1 1 1 1 1");
        QTest::newRow("yes") << true << QByteArray("C") << points << points;
        QTest::newRow("yes, German locale") << true << QByteArray("de_DE.UTF-8") << commas << points;
        QTest::newRow("no") << false << QByteArray("C") << points << unchanged;
    }

    void theAnswerDecidesTheHandOver() {
        QFETCH(bool, yes);
        QFETCH(QByteArray, locale);
        QFETCH(QString, asked);
        QFETCH(QString, input);
        const ScopedEnvironment localeOfTheUser("LC_ALL", locale);
        BoxWindow box;
        MainWindow& window = box.open();
        box.writeShape(QStringLiteral("haus.s"), boxShape());
        box.model.dialogs.answers = {yes};
        bool lockedWhileReading = false;
        box.onWait = [&] {
            if (window.commandRunning() && window.boundingBoxFlag())
                lockedWhileReading =
                    !window.ui().cmdErzeugeShape->isEnabled() && !window.ui().cmdBBoxAusShape->isEnabled() &&
                    window.ui().cmdQuit->isEnabled() && window.ui().txtAusgabe->isEnabled() &&
                    window.busyDisplay().blinkInterval() == 100;
        };

        QVERIFY(box.runCommand());
        QVERIFY(lockedWhileReading);
        QCOMPARE(box.model.dialogs.questions.size(), std::size_t{1});
        const QString question = QString::fromStdString(box.model.dialogs.questions[0].text);
        QCOMPARE(question, QStringLiteral("Should this BoundingBox data taken to the screen?\r\n\r\n") +
                               displayLine(asked) +
                               QStringLiteral("\r\n\r\nThis BoundingBox covers the shape completely."));
        QVERIFY(box.model.dialogs.questions[0].title.empty());
        QCOMPARE(box.input()->text(), input);
        QCOMPARE(box.display()->text(), displayLine(input));
        QCOMPARE(box.display()->palette().color(QPalette::Text), box.normalColour());
        // The log line is written whatever the answer.
        const QString log = QString::fromStdString(window.host().logText());
        QVERIFY2(log.startsWith(QStringLiteral("\u2022BoundingBox: ") + displayLine(asked)), qPrintable(log));
        QVERIFY(box.released());
    }

    void aFailureStandsInRedAndKeepsTheValues() {
        BoxWindow box;
        box.open();
        std::string shape = boxShape();
        shape.erase(shape.find("hierarchy ("), std::string("hierarchy (").size());
        box.writeShape(QStringLiteral("haus.s"), shape);
        box.model.dialogs.answers = {true};

        QVERIFY(box.runCommand());
        QCOMPARE(box.endText, QStringLiteral("BoundingBox kann nicht aus Shape berechnet werden!"));
        QCOMPARE(box.endColour, kRed);
        QVERIFY(box.model.dialogs.questions.empty());
        QCOMPARE(box.input()->text(), QStringLiteral("1 1 1 1 1 1"));
        QTRY_COMPARE(box.display()->palette().color(QPalette::Text), box.normalColour());
        QVERIFY(box.released());
    }

    void takingOverTheSameValuesReplacesAnEarlierMessage() {
        // The values in the box may already be the new ones; the display line
        // must still lose the message of the command before.
        BoxWindow box;
        box.open();
        box.input()->setText(QStringLiteral("-1.2345 0 -0.5 1.2345 2.75 0.5"));
        QVERIFY(box.runCommand());
        QCOMPARE(box.display()->text(), QStringLiteral("Shape file haus.s not found (yet)!"));

        box.writeShape(QStringLiteral("haus.s"), boxShape());
        box.model.dialogs.answers = {true};
        QVERIFY(box.runCommand());
        QCOMPARE(box.display()->text(), displayLine(QStringLiteral("-1.2345 0 -0.5 1.2345 2.75 0.5")));
        QVERIFY(box.released());
    }

    void closingTheWindowDuringTheCommandIsSafe() {
        BoxWindow box;
        MainWindow& window = box.open();
        box.writeShape(QStringLiteral("haus.s"), boxShape());
        box.model.dialogs.answers = {true};
        QSignalSpy finished(&window, &MainWindow::commandFinished);
        QSignalSpy quitFinished(&window, &MainWindow::quitFinished);
        bool closedWhileRunning = false;
        box.onWait = [&] {
            // Closed at the first pause of the reading, as a user's click would.
            if (closedWhileRunning || box.waits.size() < 2) return;
            closedWhileRunning = window.commandRunning();
            QTimer::singleShot(0, &window, [&window] { window.close(); });
        };

        QTest::mouseClick(window.ui().cmdBBoxAusShape, Qt::LeftButton);
        QTRY_COMPARE(quitFinished.count(), 1);
        QVERIFY(closedWhileRunning);
        QVERIFY(!window.commandRunning());
        QVERIFY(!window.boundingBoxFlag());
        for (int turn = 0; turn < 20; ++turn) QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 0);
        QVERIFY(box.model.dialogs.questions.empty());
        // The box was never taken over; the quit saved the old values in their normal form.
        QCOMPARE(box.input()->text(), QStringLiteral("1 1 1 1 1 1"));
        QVERIFY(box.model.read(QStringLiteral("Quillfen.ini")).contains("1.0 1.0 1.0 1.0 1.0 1.0"));

        // However often the window is closed, the quit procedure runs once.
        window.close();
        window.quit();
        QCOMPARE(quitFinished.count(), 1);
        QCOMPARE(box.exitCodes, std::vector<int>{0});
    }
};

QTEST_MAIN(BoxCommandTest)
#include "test_box_command.moc"
