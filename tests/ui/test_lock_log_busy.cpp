// The window services of the long commands: the progress log, the control
// lock with its saved states, the busy display and the cancel button.

#include "UiTestSupport.h"
#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/ProgressLog.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <map>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

using States = std::map<std::pair<QString, int>, bool>;

States ownEnabledStates(const MainWindow& window) {
    States states;
    for (QObject* control : window.controls()) {
        auto* widget = qobject_cast<QWidget*>(control);
        if (widget == nullptr) continue;
        const int index = control->property("index").isValid() ? control->property("index").toInt() : -1;
        states[{control->objectName(), index}] = !widget->testAttribute(Qt::WA_Disabled);
    }
    return states;
}

std::vector<int> visiblePictures(MainWindow& window) {
    std::vector<int> shown;
    for (int number = 1; number <= 4; ++number)
        if (!window.control<QWidget>(("imgRunning0" + std::to_string(number)).c_str())->isHidden())
            shown.push_back(number);
    return shown;
}

} // namespace

class LockLogBusyTest : public QObject {
    Q_OBJECT

private slots:
    void logPutsTheNewestLineOnTop() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.SchreibeAusgabe("A");
        window.SchreibeAusgabe("B");
        window.SchreibeAusgabe("C");
        QCOMPARE(window.host().logText(), std::string("C\r\nB\r\nA\r\n"));
        QCOMPARE(window.control<QPlainTextEdit>("txtAusgabe")->toPlainText(), QString("C\nB\nA\n"));
        window.host().setLogText("D\r\nB\r\nA\r\n");
        QCOMPARE(window.control<QPlainTextEdit>("txtAusgabe")->toPlainText(), QString("D\nB\nA\n"));
    }

    void lockThenReleaseRestoresEveryState_data() {
        QTest::addColumn<QString>("prefixes");
        QTest::addColumn<QString>("exceptions");
        QTest::newRow("the program's lists") << "cmd fra txt chk opt pct lbl cmb lst"
                                             << "txtAusgabe cmdQuit";
        QTest::newRow("double blanks") << "cmd  fra txt chk  opt pct lbl cmb  lst"
                                       << "txtAusgabe  cmdQuit";
        QTest::newRow("blanks at both ends") << "  cmd fra txt chk opt pct lbl cmb lst  "
                                             << " txtAusgabe cmdQuit ";
        QTest::newRow("other letter case") << "CMD Fra TXT chk OPT pct LBL cmb LST"
                                           << "TXTAUSGABE cmdquit";
    }
    void lockThenReleaseRestoresEveryState() {
        QFETCH(QString, prefixes);
        QFETCH(QString, exceptions);
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        // A mix of states the release must give back one by one.
        window.control<QWidget>("chkShapeTo", 0)->setEnabled(true);
        window.control<QWidget>("chkShapeTo", 1)->setEnabled(false);
        window.control<QWidget>("chkShapeTo", 2)->setEnabled(true);
        window.control<QWidget>("lblCopyPfad", 2)->setEnabled(false);
        QVERIFY(!window.control<QWidget>("cmdAbbruch")->isEnabled());
        const States before = ownEnabledStates(window);

        window.SperreSteuerelemente(false, prefixes.toStdString(), exceptions.toStdString());
        for (const auto& [key, enabled] : ownEnabledStates(window)) {
            const QString& name = key.first;
            const bool untouched = name == "txtAusgabe" || name == "cmdQuit" || name.startsWith("img") ||
                                   name.startsWith("Picture");
            if (untouched)
                QCOMPARE(enabled, before.at(key));
            else
                QVERIFY2(!enabled, qPrintable(name));
        }
        QVERIFY(window.control<QWidget>("cmdQuit")->isEnabled());
        QVERIFY(window.control<QWidget>("txtAusgabe")->isEnabled());

        window.StelleSteuerelementeWiederHer(prefixes.toStdString(), exceptions.toStdString());
        QVERIFY(ownEnabledStates(window) == before);
    }

    void hostLocksAndReleases() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        const States before = ownEnabledStates(window);
        window.host().lockControls();
        QVERIFY(!window.control<QWidget>("cmdErzeugeShape")->isEnabled());
        window.host().setCancelEnabled(true);
        QVERIFY(window.control<QWidget>("cmdAbbruch")->isEnabled());
        window.host().setCancelEnabled(false);
        window.host().releaseControls();
        QVERIFY(ownEnabledStates(window) == before);
    }

    void lockTableNumbersEveryControl() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.MerkeSteuerelementZustand();
        const auto& table = window.controlLock().table();
        QCOMPARE(table.size(), static_cast<std::size_t>(window.controls().size()));
        for (std::size_t k = 0; k < table.size(); ++k) {
            QCOMPARE(table[k].number, std::to_string(k));
            QCOMPARE(window.controls().at(static_cast<int>(k))->property("tag").toString().toStdString(),
                     table[k].number);
        }
    }

    void selection_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefixes");
        QTest::addColumn<QString>("exceptions");
        QTest::addColumn<bool>("selected");
        QTest::newRow("prefix") << "cmdErzeugeShape"
                                << "cmd fra"
                                << "cmdQuit" << true;
        QTest::newRow("exception") << "cmdQuit"
                                   << "cmd fra"
                                   << "cmdQuit" << false;
        QTest::newRow("letter case ignored") << "CMDQUIT"
                                             << "cmd"
                                             << "cmdquit" << false;
        QTest::newRow("no prefix") << "Picture1"
                                   << "cmd fra txt chk opt pct lbl cmb lst"
                                   << "" << false;
        QTest::newRow("timer") << "tmrBlinken"
                               << "cmd fra txt chk opt pct lbl cmb lst"
                               << "" << false;
        QTest::newRow("every matching prefix meets the exception") << "cmdQuit"
                                                                   << "cmd c"
                                                                   << "cmdQuit" << false;
        QTest::newRow("a later prefix still selects") << "chkAceUni"
                                                      << "cmd chk"
                                                      << "cmdQuit" << true;
        QTest::newRow("empty lists") << "cmdQuit"
                                     << ""
                                     << "" << false;
    }
    void selection() {
        QFETCH(QString, name);
        QFETCH(QString, prefixes);
        QFETCH(QString, exceptions);
        QFETCH(bool, selected);
        QCOMPARE(ui::isSelected(name.toStdString(), ui::normaliseWordList(prefixes.toStdString()),
                                ui::normaliseWordList(exceptions.toStdString())),
                 selected);
    }

    void animationShowsOnePictureAtATimeAtTheFirstOnesPlace() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        QVERIFY(visiblePictures(window).empty());
        const QPoint place = window.control<QWidget>("imgRunning01")->pos();
        window.control<QWidget>("imgRunning02")->move(place + QPoint(40, 7));
        window.control<QWidget>("imgRunning03")->move(place + QPoint(3, 70));

        window.host().setBusyDisplay(true);
        QCOMPARE(window.busyDisplay().blinkInterval(), 100);
        const std::vector<int> expected = {2, 3, 4, 1, 2, 3};
        for (const int number : expected) {
            window.busyDisplay().onBlinkTick();
            QCOMPARE(visiblePictures(window), std::vector<int>{number});
            QCOMPARE(window.control<QWidget>(("imgRunning0" + std::to_string(number)).c_str())->pos(), place);
        }
        // The watchdog leaves a running animation alone.
        window.busyDisplay().onWatchdogTick();
        QCOMPARE(visiblePictures(window).size(), std::size_t{1});
    }

    void watchdogHidesThePicturesOnceStopped() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        auto* watchdog = window.control<QTimer>("Timer1");
        QVERIFY(watchdog->isActive());
        QCOMPARE(watchdog->interval(), 500);
        window.host().setBusyDisplay(true);
        window.busyDisplay().onBlinkTick();
        window.host().setBusyDisplay(false);
        QCOMPARE(window.busyDisplay().blinkInterval(), 0);
        QVERIFY(watchdog->isActive());
        window.busyDisplay().onWatchdogTick();
        QVERIFY(visiblePictures(window).empty());
    }

    void cancelRaisesTheFlagAndStopsTheAnimation() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.host().setBusyDisplay(true);
        window.busyDisplay().onBlinkTick();
        window.host().setCancelEnabled(true);
        QTest::mouseClick(window.control<QPushButton>("cmdAbbruch"), Qt::LeftButton);
        QVERIFY(window.state().gblnAbbruch);
        QCOMPARE(window.busyDisplay().blinkInterval(), 0);
        QCOMPARE(visiblePictures(window).size(), std::size_t{1}); // until the watchdog's next tick
        window.busyDisplay().onWatchdogTick();
        QVERIFY(visiblePictures(window).empty());
    }

    void picturesAreDrawnDifferently() {
        const QImage first = ui::BusyDisplay::drawPicture(1, QSize(32, 32)).toImage();
        for (int number = 2; number <= 4; ++number)
            QVERIFY(ui::BusyDisplay::drawPicture(number, QSize(32, 32)).toImage() != first);
    }
};

QTEST_MAIN(LockLogBusyTest)
#include "test_lock_log_busy.moc"
