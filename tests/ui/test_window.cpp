// The main window itself: every named control, the language switch with every
// caption and tooltip of both tables and a tidy design in both languages, the
// resize rules, and the services of the long commands (the progress log, the
// control lock, the busy display and the cancel button).

#include "UiTestSupport.h"
#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Layout.h"
#include "ui/ProgressLog.h"
#include "ui/WindowTexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <map>

using namespace quillfen;
using quillfen::test::columns;
using quillfen::test::row;
using quillfen::ui::MainWindow;
using States = std::map<std::pair<QString, int>, bool>;

namespace {

QString captionOf(QObject* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return {};
}

/// Every caption and tooltip of the window, by control.
std::map<std::pair<QString, int>, std::pair<QString, QString>> allTexts(const MainWindow& window) {
    std::map<std::pair<QString, int>, std::pair<QString, QString>> texts;
    for (QObject* control : window.controls()) {
        const int index = control->property("index").isValid() ? control->property("index").toInt() : -1;
        auto* widget = qobject_cast<QWidget*>(control);
        texts[{control->objectName(), index}] = {captionOf(control), widget ? widget->toolTip() : QString()};
    }
    return texts;
}

/// The window shows exactly the texts of the language table and the design table.
void verifyLanguage(MainWindow& window, bool german) {
    for (const auto& text : ui::languageTexts()) {
        QObject* control = window.findControl(QString::fromLatin1(text.control), text.index);
        QVERIFY2(control != nullptr, text.control);
        if (const char* caption = german ? text.captionGerman : text.captionEnglish)
            QCOMPARE(captionOf(control), QString::fromUtf8(caption));
        if (const char* tooltip = german ? text.tooltipGerman : text.tooltipEnglish)
            QCOMPARE(qobject_cast<QWidget*>(control)->toolTip(), QString::fromUtf8(tooltip));
    }
    for (const auto& text : ui::designTexts()) {
        if (std::string(text.control) == "cmdShapeCopy" || std::string(text.control) == "lblCopyPfad")
            continue;
        QObject* control = window.findControl(QString::fromLatin1(text.control), text.index);
        QVERIFY2(control != nullptr, text.control);
        if (text.property == ui::TextProperty::Tooltip)
            QCOMPARE(qobject_cast<QWidget*>(control)->toolTip(), QString::fromUtf8(text.text));
        else if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QGroupBox*>(control))
            QCOMPARE(captionOf(control), QString::fromUtf8(text.text));
    }
}

/// Pairs that overlap on purpose: the number box sits inside the brackets of
/// its option's caption, and the four busy pictures share one place.
bool overlapIsIntended(const QString& a, const QString& b) {
    const auto pair = [&](const char* x, const char* y) { return (a == x && b == y) || (a == y && b == x); };
    return pair("optManuellAlternativTexture", "txtESD_Alter_Tex") ||
           (a.startsWith("imgRunning") && b.startsWith("imgRunning"));
}

QString label(const QWidget* widget) {
    const QVariant index = widget->property("index");
    return widget->objectName() + (index.isValid() ? "(" + index.toString() + ")" : QString());
}

void verifyTidy(MainWindow& window) {
    QList<QWidget*> widgets;
    for (QObject* control : window.controls())
        if (auto* widget = qobject_cast<QWidget*>(control)) widgets << widget;
    for (QWidget* widget : widgets) {
        // Inside its parent.
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(label(widget)));
        // Its caption fits.
        QString text;
        int room = widget->width();
        if (qobject_cast<QPushButton*>(widget)) {
            // A push button's own minimum width is no clipping; its margins are.
            text = qobject_cast<QPushButton*>(widget)->text();
            room -= 2 * (widget->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget) +
                         widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
            room -= widget->sizeHint().width() - widget->fontMetrics().horizontalAdvance(text);
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            text = frame->title();
            room -= 16;
        } else if (auto* caption = qobject_cast<QLabel*>(widget); caption && !caption->text().isEmpty()) {
            text = caption->text();
            room -= 2 * caption->frameWidth();
        }
        if (!text.isEmpty())
            QVERIFY2(widget->fontMetrics().horizontalAdvance(text) <= room,
                     qPrintable(label(widget) + ": '" + text + "'"));
    }
    // No two siblings overlap.
    for (int i = 0; i < widgets.size(); ++i)
        for (int j = i + 1; j < widgets.size(); ++j) {
            QWidget* a = widgets[i];
            QWidget* b = widgets[j];
            if (a->parentWidget() != b->parentWidget() || overlapIsIntended(a->objectName(), b->objectName()))
                continue;
            QVERIFY2(!a->geometry().intersects(b->geometry()), qPrintable(label(a) + " / " + label(b)));
        }
}

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

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void switchingThereAndBackRestoresEveryText_data() {
        columns<QString, QString>({"first", "second"});
        row("German, English, German", "deutsch", "english");
        row("English, German, English", "english", "deutsch");
    }
    void switchingThereAndBackRestoresEveryText() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        test::OpenHouse model;
        MainWindow& window = *model.window;
        QCOMPARE(model.loadResult, 0);
        window.SetzeSprache(first.toStdString());
        verifyLanguage(window, first == "deutsch");
        verifyTidy(window);
        const auto before = allTexts(window);
        window.SetzeSprache(second.toStdString());
        verifyLanguage(window, second == "deutsch");
        QVERIFY(allTexts(window) != before);
        window.SetzeSprache(first.toStdString());
        QVERIFY(allTexts(window) == before);
    }

    void lodCountCaption_data() {
        columns<int, QString, QString>({"count", "language", "caption"});
        row("one, German", 1, "deutsch", "1 LOD gefunden:");
        row("one, English", 1, "english", "1 LOD found:");
        row("none, empty language", 0, "", "0 LODs found:");
    }
    void lodCountCaption() {
        QFETCH(int, count);
        QFETCH(QString, language);
        QFETCH(QString, caption);
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.state().gintAnzahlLODs = count;
        window.SetzeSprache(language.toStdString());
        QCOMPARE(window.control<QLabel>("lblLODsGefunden")->text(), caption);
    }

    void flagsAndListSwitchTheLanguage() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        auto* languages = window.control<QComboBox>("cmbLang");
        QCOMPARE(languages->count(), 2);
        QTest::mouseClick(window.control<QWidget>("pctGerman"), Qt::LeftButton);
        QCOMPARE(languages->currentText(), QString("deutsch"));
        QCOMPARE(window.control<QLabel>("lblLODsGefunden")->text(), QString("2 LODs gefunden:"));
        QTest::mouseClick(window.control<QWidget>("pctEnglisch"), Qt::LeftButton);
        QCOMPARE(languages->currentText(), QString("english"));
        QVERIFY(window.state().gstrSprache == Language::English);
        languages->setCurrentIndex(1);
        QCOMPARE(window.control<QAbstractButton>("cmdErzeugeShape")->text(),
                 QString("Konvertiere Shape-Datei"));
    }

    void everyNamedControlExists() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        QCOMPARE(window.objectName(), QString("frmHaupt"));
        const QString singles = "Picture1 Picture2 Timer1 chkAceUni chkBoundingBox chkCMD_sichtbar "
                                "chkRefEintrag chkShaderAddATexDiff chkShaderDiffuse chkTestOptionen "
                                "chkTextureCopy cmbLang cmbMipMap cmd3DView cmdAbbruch cmdBBoxAusShape "
                                "cmdBoundingBoxKorr cmdErzeugeShape cmdMipMapHelp cmdQuit cmdShapeToExplorer "
                                "cmdVorschlagUebernehmen fraBoundingBox fraMipMap fraRef fraTestOptionen "
                                "fraTexturen imgRunning01 imgRunning02 imgRunning03 imgRunning04 "
                                "lblLODsGefunden lblRefClass lblRefDescription lstLODListe "
                                "optJahreszeitenTextur optManuellAlternativTexture optNurSommerTextur "
                                "optSchneeTextur optSchneeUndNachtTextur pctEnglisch pctGerman tmrBBoxLabel "
                                "tmrBlinken txtAusgabe txtBBox txtBBoxInput txtESD_Alter_Tex txtRefClass "
                                "txtRefDescription txtSDateiName";
        for (const QString& name : singles.split(' '))
            QVERIFY2(window.findChild<QObject*>(name) != nullptr, qPrintable(name));
        for (const char* name : {"chkShapeTo", "lblCopyPfad", "cmdShapeCopy", "cmdPathOpen"}) {
            QCOMPARE(window.findChildren<QWidget*>(name).size(), 3);
            for (int index = 0; index < 3; ++index)
                QVERIFY2(window.findControl(name, index) != nullptr, name);
        }
    }

    void resizeRules_data() {
        columns<int, int, int, int>({"width", "height", "expectedWidth", "expectedLog"});
        const int width = ui::kDesignWidth;
        const int height = ui::kDesignHeight;
        const int log = ui::designLayout().at({"txtAusgabe"}).height;
        row("as loaded", width, height, width, log);
        row("wider", width + 1500, height, width + 1500, log);
        row("narrower snaps back", width - 1500, height, width, log);
        row("higher grows the log", width, height + 1500, width, log + 1500);
        row("lower shrinks the log", width, height - 900, width, log - 900);
        row("far lower keeps a log", width, 6300, width, log);
    }
    void resizeRules() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedLog);
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.resizeTwips(width, height);
        QTRY_COMPARE(window.twipSize().width, expectedWidth);
        const int w = window.twipSize().width;
        const auto right = [&](const char* name, int index = -1) {
            const auto geometry = window.twipGeometry(name, index);
            return geometry.left + geometry.width;
        };
        QCOMPARE(window.twipGeometry("Picture1").left, w - 1360);
        QCOMPARE(window.twipGeometry("cmbLang").left, w - 1410);
        QCOMPARE(window.twipGeometry("cmd3DView").left, w - 1200);
        QCOMPARE(window.twipGeometry("cmdShapeToExplorer").left, w - 2270);
        QCOMPARE(right("txtSDateiName"), w - 150 - 2180);
        for (const char* band : {"lstLODListe", "fraBoundingBox"}) QCOMPARE(right(band), w - 150);
        for (int target = 0; target < 3; ++target) QCOMPARE(right("lblCopyPfad", target), w - 150);
        QCOMPARE(right("txtBBoxInput"), window.twipGeometry("fraBoundingBox").width - 50);
        QCOMPARE(right("txtRefClass"), window.twipGeometry("fraRef").width - 50);
        QCOMPARE(window.twipGeometry("txtAusgabe").width, w - 250);
        // One pixel is 15 twips; a height that is no multiple of 15 rounds.
        QVERIFY(std::abs(window.twipGeometry("txtAusgabe").height - expectedLog) <= 15);
        QCOMPARE(window.control<QWidget>("txtAusgabe")->width(),
                 ui::twipsToPixels(w - 250, window.layoutDpi()));
    }

    void minimumMinimizedAndMaximized() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.resizeTwips(ui::kDesignWidth, 3000);
        QTRY_VERIFY(window.twipSize().height >= ui::kMinimumHeight);
        QVERIFY(window.twipSize().height < ui::kMinimumHeight + 15);
        // Minimizing changes no control.
        const auto before = window.twipGeometry("txtAusgabe");
        window.setWindowState(Qt::WindowMinimized);
        window.resize(200, 100);
        QCOMPARE(window.twipGeometry("txtAusgabe"), before);
        QCOMPARE(window.twipGeometry("lstLODListe").width, ui::designLayout().at({"lstLODListe"}).width);
        // Maximized, the layout follows the screen.
        window.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(window.isMaximized());
        QTRY_COMPARE(window.twipGeometry("txtAusgabe").width, window.twipSize().width - 250);
        QCOMPARE(window.twipGeometry("cmd3DView").left, window.twipSize().width - 1200);
    }

    void pixelsScaleWithTheLogicalDpi() {
        QCOMPARE(ui::twipsToPixels(1500, 96.0), 100);
        QCOMPARE(ui::twipsToPixels(1500, 144.0), 150);
        QCOMPARE(ui::twipsToPixels(11400, 120.0), 950);
        QCOMPARE(ui::twipsToPixels(20, 96.0), 1); // rounded
    }

    void logPutsTheNewestLineOnTop() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.host().setLogText(""); // the start-up's converter line aside
        window.SchreibeAusgabe("A");
        window.SchreibeAusgabe("B");
        window.SchreibeAusgabe("C");
        QCOMPARE(window.host().logText(), std::string("C\r\nB\r\nA\r\n"));
        QCOMPARE(window.control<QPlainTextEdit>("txtAusgabe")->toPlainText(), QString("C\nB\nA\n"));
        window.host().setLogText("D\r\nB\r\nA\r\n");
        QCOMPARE(window.control<QPlainTextEdit>("txtAusgabe")->toPlainText(), QString("D\nB\nA\n"));
    }

    void lockThenReleaseRestoresEveryState_data() {
        columns<QString, QString>({"prefixes", "exceptions"});
        row("the program's lists", "cmd fra txt chk opt pct lbl cmb lst", "txtAusgabe cmdQuit");
        row("double blanks", "cmd  fra txt chk  opt pct lbl cmb  lst", "txtAusgabe  cmdQuit");
        row("blanks at the ends, other case", "  CMD Fra TXT chk OPT pct LBL cmb LST ",
            " TXTAUSGABE cmdquit ");
    }
    void lockThenReleaseRestoresEveryState() {
        QFETCH(QString, prefixes);
        QFETCH(QString, exceptions);
        test::OpenHouse model;
        MainWindow& window = *model.window;
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
            if (name == "txtAusgabe" || name == "cmdQuit" || name.startsWith("img") ||
                name.startsWith("Picture"))
                QCOMPARE(enabled, before.at(key));
            else
                QVERIFY2(!enabled, qPrintable(name));
        }
        window.StelleSteuerelementeWiederHer(prefixes.toStdString(), exceptions.toStdString());
        QVERIFY(ownEnabledStates(window) == before);
        // The same through the host that the long commands use.
        window.host().lockControls();
        QVERIFY(!window.control<QWidget>("cmdErzeugeShape")->isEnabled());
        window.host().setCancelEnabled(true);
        QVERIFY(window.control<QWidget>("cmdAbbruch")->isEnabled());
        window.host().setCancelEnabled(false);
        window.host().releaseControls();
        QVERIFY(ownEnabledStates(window) == before);
    }

    void selection_data() {
        columns<QString, QString, QString, bool>({"name", "prefixes", "exceptions", "selected"});
        row("timer", "tmrBlinken", "cmd fra txt chk opt pct lbl cmb lst", "", false);
        row("every matching prefix meets the exception", "cmdQuit", "cmd c", "cmdQuit", false);
        row("a later prefix still selects", "chkAceUni", "cmd chk", "cmdQuit", true);
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
        test::OpenHouse model;
        MainWindow& window = *model.window;
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

    void stopAndCancelLeaveTheHidingToTheWatchdog_data() {
        columns<bool>({"cancel"});
        row("stopped", false);
        row("cancel button", true);
    }
    void stopAndCancelLeaveTheHidingToTheWatchdog() {
        QFETCH(bool, cancel);
        test::OpenHouse model;
        MainWindow& window = *model.window;
        auto* watchdog = window.control<QTimer>("Timer1");
        QCOMPARE(watchdog->interval(), 500);
        window.host().setBusyDisplay(true);
        window.busyDisplay().onBlinkTick();
        if (cancel) {
            window.host().setCancelEnabled(true);
            QTest::mouseClick(window.control<QPushButton>("cmdAbbruch"), Qt::LeftButton);
            QVERIFY(window.state().gblnAbbruch);
        } else {
            window.host().setBusyDisplay(false);
        }
        QCOMPARE(window.busyDisplay().blinkInterval(), 0);
        QVERIFY(watchdog->isActive());
        QCOMPARE(visiblePictures(window).size(), std::size_t{1}); // until the watchdog's next tick
        window.busyDisplay().onWatchdogTick();
        QVERIFY(visiblePictures(window).empty());
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
