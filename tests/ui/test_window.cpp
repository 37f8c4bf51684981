// The main window itself: every named control, the language switch with every
// caption and tooltip of both tables and a tidy design in both languages, the
// resize rules, and the services of the long commands (the progress log, the
// control lock, the busy display and the cancel button).

#include "support/UiTestSupport.h"
#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Layout.h"
#include "ui/ProgressLog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <map>

using namespace quillfen;
using quillfen::test::columns;
using quillfen::test::row;
using quillfen::ui::MainWindow;
using States = std::map<std::pair<QString, int>, bool>;
/// Reads one caption or tooltip of the window.
using Caption = QString (*)(const quillfen::ui::WindowControls&);
Q_DECLARE_METATYPE(Caption)

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

/// True when the window, as drawn, shows the control whole where it stands.
bool windowShows(MainWindow& window, QWidget* control) {
    const QRect place(control->mapTo(&window, QPoint(0, 0)), control->size());
    if (!window.rect().contains(place)) return false;
    const QImage drawn = window.grab(place).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage own = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return drawn == own;
}

/// The rightmost pixel column darker than the picture's top-left corner (its background).
int lastInkColumn(const QImage& picture) {
    const int background = qGray(picture.pixel(0, 0));
    for (int x = picture.width() - 1; x >= 0; --x)
        for (int y = 0; y < picture.height(); ++y)
            if (qGray(picture.pixel(x, y)) < background - 80) return x;
    return -1;
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

QWidget* picture(const MainWindow& window, int number) {
    const ui::WindowControls& c = window.ui();
    return std::array<QWidget*, 4>{c.imgRunning01, c.imgRunning02, c.imgRunning03, c.imgRunning04}.at(
        static_cast<std::size_t>(number - 1));
}

std::vector<int> visiblePictures(MainWindow& window) {
    std::vector<int> shown;
    for (int number = 1; number <= 4; ++number)
        if (!picture(window, number)->isHidden()) shown.push_back(number);
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
        verifyTidy(window);
        const auto before = allTexts(window);
        window.SetzeSprache(second.toStdString());
        verifyTidy(window);
        QVERIFY(allTexts(window) != before);
        window.SetzeSprache(first.toStdString());
        QVERIFY(allTexts(window) == before);
    }

    void captionsInBothLanguages_data() {
        columns<Caption, QString, QString>({"caption", "german", "english"});
        row(
            "convert", +[](const ui::WindowControls& c) { return c.cmdErzeugeShape->text(); },
            "Konvertiere Shape-Datei", "Convert s-file");
        row(
            "copy target 0", +[](const ui::WindowControls& c) { return c.cmdShapeCopy[0]->text(); },
            "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:");
        row(
            "copy target 1", +[](const ui::WindowControls& c) { return c.cmdShapeCopy[1]->text(); },
            "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:");
        row(
            "copy target 2", +[](const ui::WindowControls& c) { return c.cmdShapeCopy[2]->text(); },
            "Kopiere nur s-Datei nach:", "Copy only the s-file also to:");
        row(
            "texture copy", +[](const ui::WindowControls& c) { return c.chkTextureCopy->text(); },
            "     Kopiere auch Texturen in die Strecke", "     Copy textures to the route too");
        row(
            "seasons, padded", +[](const ui::WindowControls& c) { return c.optJahreszeitenTextur->text(); },
            "jahreszeitengenau                [ESD_Alternative_Texture (252)]",
            "seasonal                        [ESD_Alternative_Texture (252)]");
        row(
            "frame", +[](const ui::WindowControls& c) { return c.fraTexturen->title(); },
            "s-Datei hat Texturen:", "s-file has textures");
        row(
            "cancel", +[](const ui::WindowControls& c) { return c.cmdAbbruch->text(); },
            " Conv3DS.exe abbrechen ", " Conv3DS.exe abbort ");
        row(
            "design caption", +[](const ui::WindowControls& c) { return c.cmdShapeToExplorer->text(); },
            "<- Explorer", "<- Explorer");
        row(
            "tooltip, two leading blanks",
            +[](const ui::WindowControls& c) { return c.chkShaderDiffuse->toolTip().left(30); },
            " Alle Shader werden in der s-D", "  All shader in s-file will be");
        row(
            "code box tooltip", +[](const ui::WindowControls& c) { return c.txtESD_Alter_Tex->toolTip(); },
            " Nummer für die ESD_Alternative_Texture hier eingeben ",
            " Enter a number for the ESD_Alternative_Texture here ");
        row(
            "flag tooltip", +[](const ui::WindowControls& c) { return c.pctGerman->toolTip(); },
            " Schalte um auf Deutsch ", " Schalte um auf Deutsch ");
    }
    void captionsInBothLanguages() {
        QFETCH(Caption, caption);
        QFETCH(QString, german);
        QFETCH(QString, english);
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.SetzeSprache("deutsch");
        QCOMPARE(caption(window.ui()), german);
        window.SetzeSprache("english");
        QCOMPARE(caption(window.ui()), english);
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
        QCOMPARE(window.ui().lblLODsGefunden->text(), caption);
    }

    void flagsAndListSwitchTheLanguage() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        auto* languages = window.ui().cmbLang;
        QCOMPARE(languages->count(), 2);
        QTest::mouseClick(window.ui().pctGerman, Qt::LeftButton);
        QCOMPARE(languages->currentText(), QString("deutsch"));
        QCOMPARE(window.ui().lblLODsGefunden->text(), QString("2 LODs gefunden:"));
        QTest::mouseClick(window.ui().pctEnglisch, Qt::LeftButton);
        QCOMPARE(languages->currentText(), QString("english"));
        QVERIFY(window.state().gstrSprache == Language::English);
        languages->setCurrentIndex(1);
        QCOMPARE(window.ui().cmdErzeugeShape->text(), QString("Konvertiere Shape-Datei"));
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
        }
        const ui::WindowControls& c = window.ui();
        for (std::size_t index = 0; index < 3; ++index)
            for (QWidget* element : std::initializer_list<QWidget*>{
                     c.chkShapeTo[index], c.lblCopyPfad[index], c.cmdShapeCopy[index], c.cmdPathOpen[index]})
                QCOMPARE(element->property("index").toInt(), static_cast<int>(index));
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
        row("lower shrinks the log", width, height - 450, width, log - 450);
        row("far lower keeps three lines of the log", width, 6300, width, -1);
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
        QCOMPARE(window.twipGeometry("cmd3DView").left, w - 1260);
        QCOMPARE(window.twipGeometry("cmdShapeToExplorer").left, w - 2510);
        QCOMPARE(right("txtSDateiName"), w - 150 - 2420);
        for (const char* band : {"lstLODListe", "fraBoundingBox"}) QCOMPARE(right(band), w - 150);
        for (int target = 0; target < 3; ++target) QCOMPARE(right("lblCopyPfad", target), w - 150);
        QCOMPARE(right("txtBBoxInput"), window.twipGeometry("fraBoundingBox").width - 50);
        QCOMPARE(right("txtRefClass"), window.twipGeometry("fraRef").width - 50);
        QCOMPARE(window.twipGeometry("txtAusgabe").width, w - 250);
        // -1: the log's minimum, which the window's font decides.
        if (expectedLog < 0)
            expectedLog = window.minimumLayoutSize().height - ui::kDesignHeight +
                          ui::designLayout().at({"txtAusgabe"}).height;
        // One pixel is 15 twips; a height that is no multiple of 15 rounds.
        QVERIFY(std::abs(window.twipGeometry("txtAusgabe").height - expectedLog) <= 15);
        QCOMPARE(window.ui().txtAusgabe->width(), ui::twipsToPixels(w - 250, window.layoutDpi()));
    }

    void minimumMinimizedAndMaximized() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.resizeTwips(ui::kDesignWidth, 3000);
        QTRY_VERIFY(window.twipSize().height >= window.minimumLayoutSize().height);
        QVERIFY(window.twipSize().height < window.minimumLayoutSize().height + 15);
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
        QCOMPARE(window.twipGeometry("cmd3DView").left, window.twipSize().width - 1260);
    }

    void theWindowFitsTheScreen_data() {
        columns<int, int>({"screenWidth", "screenHeight"});
        row("laptop 1366 x 768 without its task bar", 1366, 728);
        row("full HD", 1920, 1040);
        row("lower than the command row", 1024, 400);
    }
    void theWindowFitsTheScreen() {
        QFETCH(int, screenWidth);
        QFETCH(int, screenHeight);
        test::WindowFixture model;
        model.writeHouse();
        model.screenArea = QRect(0, 0, screenWidth, screenHeight);
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);
        QVERIFY(window.frameGeometry().height() <= screenHeight);
        QVERIFY(window.minimumHeight() <= screenHeight);
        const bool designFits = ui::twipsToPixels(ui::kDesignHeight, window.layoutDpi()) <= screenHeight;
        if (designFits) {
            QCOMPARE(window.twipSize().width, ui::kDesignWidth);
            QCOMPARE(window.twipSize().height, ui::kDesignHeight);
        }

        // At its lowest the window still shows the command row and three lines
        // of the log, or, on a screen lower than that, scrolls to them.
        window.resize(window.width(), window.minimumHeight());
        QTRY_COMPARE(window.height(), window.minimumHeight());
        auto* scroll = window.findChild<QScrollArea*>("scrWindowContent");
        QVERIFY(scroll != nullptr);
        scroll->ensureWidgetVisible(window.ui().cmdQuit);
        for (QWidget* control :
             {static_cast<QWidget*>(window.ui().cmdErzeugeShape),
              static_cast<QWidget*>(window.ui().cmdAbbruch), static_cast<QWidget*>(window.ui().cmdQuit)})
            QVERIFY2(windowShows(window, control), qPrintable(control->objectName()));
        const QPlainTextEdit* log = window.ui().txtAusgabe;
        if (!scroll->verticalScrollBar()->isVisible())
            QVERIFY(log->viewport()->height() >= 3 * log->fontMetrics().lineSpacing());
    }

    void theNumberBoxLeavesTheClosingBracketVisible_data() {
        columns<int>({"language"});
        row("english", 0);
        row("deutsch", 1);
    }
    void theNumberBoxLeavesTheClosingBracketVisible() {
        QFETCH(int, language);
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.ui().cmbLang->setCurrentIndex(language);
        QWidget* option = window.ui().optManuellAlternativTexture;
        const QRect box = window.ui().txtESD_Alter_Tex->geometry().translated(-option->pos());
        // The caption's last ink is its closing bracket; it must stand right of the box.
        const QImage caption = option->grab().toImage();
        QVERIFY(lastInkColumn(caption) > box.right());
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
        QCOMPARE(window.ui().txtAusgabe->toPlainText(), QString("C\nB\nA\n"));
        window.host().setLogText("D\r\nB\r\nA\r\n");
        QCOMPARE(window.ui().txtAusgabe->toPlainText(), QString("D\nB\nA\n"));
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
        window.ui().chkShapeTo[0]->setEnabled(true);
        window.ui().chkShapeTo[1]->setEnabled(false);
        window.ui().chkShapeTo[2]->setEnabled(true);
        window.ui().lblCopyPfad[2]->setEnabled(false);
        QVERIFY(!window.ui().cmdAbbruch->isEnabled());
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
        QVERIFY(!window.ui().cmdErzeugeShape->isEnabled());
        window.host().setCancelEnabled(true);
        QVERIFY(window.ui().cmdAbbruch->isEnabled());
        window.host().setCancelEnabled(false);
        window.host().releaseControls();
        QVERIFY(ownEnabledStates(window) == before);
    }

    void busyPointerOnTheMainWindowOnly() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        window.host().setBusyCursor(true);
        QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
        // A message box shown meanwhile keeps the normal pointer.
        QVERIFY(QApplication::overrideCursor() == nullptr);
        window.host().setBusyCursor(false);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
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
        const QPoint place = window.ui().imgRunning01->pos();
        window.ui().imgRunning02->move(place + QPoint(40, 7));
        window.ui().imgRunning03->move(place + QPoint(3, 70));

        window.host().setBusyDisplay(true);
        QCOMPARE(window.busyDisplay().blinkInterval(), 100);
        const std::vector<int> expected = {2, 3, 4, 1, 2, 3};
        for (const int number : expected) {
            window.busyDisplay().onBlinkTick();
            QCOMPARE(visiblePictures(window), std::vector<int>{number});
            QCOMPARE(picture(window, number)->pos(), place);
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
        auto* watchdog = window.ui().Timer1;
        QCOMPARE(watchdog->interval(), 500);
        window.host().setBusyDisplay(true);
        window.busyDisplay().onBlinkTick();
        if (cancel) {
            window.host().setCancelEnabled(true);
            QTest::mouseClick(window.ui().cmdAbbruch, Qt::LeftButton);
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
