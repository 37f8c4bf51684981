// The main window: its captions in both languages, a tidy design in both, the
// resize rules, and the services of the long commands (the progress log, the
// control lock, the busy display and the cancel button).

#include "support/UiTestSupport.h"
#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Layout.h"
#include "ui/MainWindowPictures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <map>

using namespace quillfen;
using quillfen::test::OpenHouse;
using quillfen::test::table;
using quillfen::ui::MainWindow;

namespace {

using Key = std::pair<QString, int>; ///< a control's name and its index in its array (-1: none)

Key keyOf(const QObject* control) {
    const QVariant index = control->property("index");
    return {control->objectName(), index.isValid() ? index.toInt() : -1};
}

QString label(const QObject* control) {
    const auto [name, index] = keyOf(control);
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

QString captionOf(QObject* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return {};
}

/// Every caption and tooltip of the window, by control.
std::map<Key, QStringList> allTexts(const MainWindow& window) {
    std::map<Key, QStringList> texts;
    for (QObject* control : window.controls())
        texts[keyOf(control)] = {captionOf(control), control->property("toolTip").toString()};
    return texts;
}

/// True when the window, as drawn, shows the control whole where it stands.
bool windowShows(MainWindow& window, QWidget* control) {
    const QRect place(control->mapTo(&window, QPoint(0, 0)), control->size());
    if (!window.rect().contains(place)) return false;
    const QImage drawn = window.grab(place).toImage().convertToFormat(QImage::Format_RGB32);
    return drawn == control->grab().toImage().convertToFormat(QImage::Format_RGB32);
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

/// Every control inside its parent with its caption whole, no two siblings overlapping
/// unless meant to, and the manual option's closing bracket visible right of its number box.
void verifyTidy(MainWindow& window) {
    QList<QWidget*> widgets;
    for (QObject* control : window.controls())
        if (auto* widget = qobject_cast<QWidget*>(control)) widgets << widget;
    for (QWidget* widget : widgets) {
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(label(widget)));
        QString text;
        int room = widget->width();
        if (auto* push = qobject_cast<QPushButton*>(widget)) {
            // A push button's own minimum width is no clipping; its margins are.
            text = push->text();
            room -= 2 * (widget->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget) +
                         widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
            room -= widget->sizeHint().width() - widget->fontMetrics().horizontalAdvance(text);
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            text = frame->title();
            room -= 16;
        } else if (auto* caption = qobject_cast<QLabel*>(widget)) {
            text = caption->text();
            room -= 2 * caption->frameWidth();
        }
        if (!text.isEmpty())
            QVERIFY2(widget->fontMetrics().horizontalAdvance(text) <= room,
                     qPrintable(label(widget) + ": '" + text + "'"));
    }
    for (int i = 0; i < widgets.size(); ++i)
        for (int j = i + 1; j < widgets.size(); ++j) {
            QWidget* a = widgets[i];
            QWidget* b = widgets[j];
            if (a->parentWidget() == b->parentWidget() &&
                !overlapIsIntended(a->objectName(), b->objectName()))
                QVERIFY2(!a->geometry().intersects(b->geometry()), qPrintable(label(a) + " / " + label(b)));
        }
    QWidget* option = window.ui().optManuellAlternativTexture;
    const QRect box = window.ui().txtESD_Alter_Tex->geometry().translated(-option->pos());
    QVERIFY(lastInkColumn(option->grab().toImage()) > box.right());
}

/// Whether each widget is enabled on its own (not by its parent), by control.
std::map<Key, bool> ownEnabledStates(const MainWindow& window) {
    std::map<Key, bool> states;
    for (QObject* control : window.controls())
        if (auto* widget = qobject_cast<QWidget*>(control))
            states[keyOf(control)] = !widget->testAttribute(Qt::WA_Disabled);
    return states;
}

std::vector<int> visiblePictures(const MainWindow& window) {
    const ui::WindowControls& c = window.ui();
    std::vector<int> shown;
    int number = 0;
    for (const QWidget* picture : {c.imgRunning01, c.imgRunning02, c.imgRunning03, c.imgRunning04})
        if (++number, !picture->isHidden()) shown.push_back(number);
    return shown;
}

struct Caption {
    const char* name;
    const char* control;
    int index;
    const char* property;
    const char* german; ///< "..." at the end: the text's start
    const char* english;
};

struct Resize {
    const char* name;
    int width, height, expectedWidth;
    int logGrowth; ///< INT_MIN: shrunk to the log's minimum, which the window's font decides
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void switchingThereAndBackRestoresEveryTextAndStaysTidy() {
        OpenHouse model;
        MainWindow& window = *model.window;
        QCOMPARE(model.loadResult, 0);
        for (const auto& [first, second] : {std::pair{"deutsch", "english"}, {"english", "deutsch"}}) {
            window.SetzeSprache(first);
            verifyTidy(window);
            const auto before = allTexts(window);
            window.SetzeSprache(second);
            verifyTidy(window);
            QVERIFY(allTexts(window) != before);
            window.SetzeSprache(first);
            QVERIFY(allTexts(window) == before);
        }
    }

    void captionsInBothLanguages_data() {
        const Caption cases[] = {
            {"convert", "cmdErzeugeShape", -1, "text", "Konvertiere Shape-Datei", "Convert s-file"},
            {"copy target 0", "cmdShapeCopy", 0, "text",
             "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:"},
            {"copy target 1", "cmdShapeCopy", 1, "text",
             "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:"},
            {"copy target 2", "cmdShapeCopy", 2, "text",
             "Kopiere nur s-Datei nach:", "Copy only the s-file also to:"},
            {"texture copy", "chkTextureCopy", -1, "text", "     Kopiere auch Texturen in die Strecke",
             "     Copy textures to the route too"},
            {"seasons, padded", "optJahreszeitenTextur", -1, "text",
             "jahreszeitengenau                [ESD_Alternative_Texture (252)]",
             "seasonal                        [ESD_Alternative_Texture (252)]"},
            {"frame", "fraTexturen", -1, "title", "s-Datei hat Texturen:", "s-file has textures"},
            {"cancel", "cmdAbbruch", -1, "text", " Conv3DS.exe abbrechen ", " Conv3DS.exe abbort "},
            {"LOD count", "lblLODsGefunden", -1, "text", "2 LODs gefunden:", "2 LODs found:"},
            {"design caption", "cmdShapeToExplorer", -1, "text", "<- Explorer", "<- Explorer"},
            {"tooltip, two leading blanks", "chkShaderDiffuse", -1, "toolTip",
             " Alle Shader werden in der s-D...", "  All shader in s-file will be..."},
            {"code box tooltip", "txtESD_Alter_Tex", -1, "toolTip",
             " Nummer für die ESD_Alternative_Texture hier eingeben ",
             " Enter a number for the ESD_Alternative_Texture here "},
            {"flag tooltip", "pctGerman", -1, "toolTip", " Schalte um auf Deutsch ",
             " Schalte um auf Deutsch "}};
        table(cases);
    }
    void captionsInBothLanguages() {
        QFETCH(Caption, c);
        OpenHouse model;
        const ui::WindowControls& ui = model.window->ui();
        QObject* control = nullptr;
        for (QObject* candidate : model.window->controls())
            if (keyOf(candidate) == Key{c.control, c.index}) control = candidate;
        QVERIFY2(control != nullptr, c.control);
        for (const auto& [flag, expected] :
             {std::pair{ui.pctGerman, c.german}, {ui.pctEnglisch, c.english}}) {
            QTest::mouseClick(flag, Qt::LeftButton);
            const QString shown = control->property(c.property).toString();
            const QString wanted = QString::fromUtf8(expected);
            if (wanted.endsWith("..."))
                QVERIFY2(shown.startsWith(wanted.chopped(3)), qPrintable(shown));
            else
                QCOMPARE(shown, wanted);
        }
    }

    void languageListAndLodCount() {
        OpenHouse model;
        MainWindow& window = *model.window;
        const ui::WindowControls& ui = window.ui();
        QCOMPARE(ui.cmbLang->count(), 2);
        QTest::mouseClick(ui.pctGerman, Qt::LeftButton);
        QCOMPARE(ui.cmbLang->currentText(), QString("deutsch"));
        QTest::mouseClick(ui.pctEnglisch, Qt::LeftButton);
        QCOMPARE(ui.cmbLang->currentText(), QString("english"));
        QVERIFY(window.state().gstrSprache == Language::English);
        ui.cmbLang->setCurrentIndex(1);
        QCOMPARE(ui.cmdErzeugeShape->text(), QString("Konvertiere Shape-Datei"));
        // One LOD has no plural; an empty language counts as English.
        const std::tuple<int, const char*, const char*> counts[] = {
            {1, "deutsch", "1 LOD gefunden:"}, {1, "english", "1 LOD found:"}, {0, "", "0 LODs found:"}};
        for (const auto& [count, language, caption] : counts) {
            window.state().gintAnzahlLODs = count;
            window.SetzeSprache(language);
            QCOMPARE(ui.lblLODsGefunden->text(), QString(caption));
        }
    }

    void resizeRules_data() {
        const int width = ui::kDesignWidth;
        const int height = ui::kDesignHeight;
        const Resize cases[] = {{"as loaded", width, height, width, 0},
                                {"wider", width + 1500, height, width + 1500, 0},
                                {"narrower snaps back", width - 1500, height, width, 0},
                                {"higher grows the log", width, height + 1500, width, 1500},
                                {"lower shrinks the log", width, height - 450, width, -450},
                                {"far lower keeps three lines of the log", width, 6300, width, INT_MIN}};
        table(cases);
    }
    void resizeRules() {
        QFETCH(Resize, c);
        OpenHouse model;
        MainWindow& window = *model.window;
        window.resizeTwips(c.width, c.height);
        QTRY_COMPARE(window.twipSize().width, c.expectedWidth);
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
        const int designLog = ui::designLayout().at({"txtAusgabe"}).height;
        const int log = c.logGrowth == INT_MIN
                            ? window.minimumLayoutSize().height - ui::kDesignHeight + designLog
                            : designLog + c.logGrowth;
        // One pixel is 15 twips; a height that is no multiple of 15 rounds.
        QVERIFY(std::abs(window.twipGeometry("txtAusgabe").height - log) <= 15);
        QCOMPARE(window.ui().txtAusgabe->width(), ui::twipsToPixels(w - 250, window.layoutDpi()));
    }

    void minimumMinimizedAndMaximized() {
        OpenHouse model;
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

    void theWindowFitsTheScreen() {
        // A laptop without its task bar, full HD, and a screen lower than the command row.
        for (const QRect screen : {QRect(0, 0, 1366, 728), QRect(0, 0, 1920, 1040), QRect(0, 0, 1024, 400)}) {
            test::WindowFixture model;
            model.writeHouse();
            model.screenArea = screen;
            MainWindow& window = model.open();
            QCOMPARE(model.loadResult, 0);
            QVERIFY(window.frameGeometry().height() <= screen.height());
            QVERIFY(window.minimumHeight() <= screen.height());
            if (ui::twipsToPixels(ui::kDesignHeight, window.layoutDpi()) <= screen.height()) {
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
            for (QWidget* control : std::initializer_list<QWidget*>{
                     window.ui().cmdErzeugeShape, window.ui().cmdAbbruch, window.ui().cmdQuit})
                QVERIFY2(windowShows(window, control), qPrintable(control->objectName()));
            const QPlainTextEdit* log = window.ui().txtAusgabe;
            if (!scroll->verticalScrollBar()->isVisible())
                QVERIFY(log->viewport()->height() >= 3 * log->fontMetrics().lineSpacing());
        }
    }

    void pixelsScaleWithTheLogicalDpi() {
        QCOMPARE(ui::twipsToPixels(1500, 96.0), 100);
        QCOMPARE(ui::twipsToPixels(1500, 144.0), 150);
        QCOMPARE(ui::twipsToPixels(11400, 120.0), 950);
        QCOMPARE(ui::twipsToPixels(20, 96.0), 1); // rounded
    }

    void logPutsTheNewestLineOnTop() {
        OpenHouse model;
        MainWindow& window = *model.window;
        window.host().setLogText(""); // the start-up's converter line aside
        for (const char* line : {"A", "B", "C"}) window.SchreibeAusgabe(line);
        QCOMPARE(window.host().logText(), std::string("C\r\nB\r\nA\r\n"));
        QCOMPARE(window.ui().txtAusgabe->toPlainText(), QString("C\nB\nA\n"));
        window.host().setLogText("D\r\nB\r\nA\r\n");
        QCOMPARE(window.ui().txtAusgabe->toPlainText(), QString("D\nB\nA\n"));
    }

    void lockThenReleaseRestoresEveryState() {
        OpenHouse model;
        MainWindow& window = *model.window;
        // A mix of states the release must give back one by one.
        for (int target = 0; target < 3; ++target) window.ui().chkShapeTo[target]->setEnabled(target != 1);
        window.ui().lblCopyPfad[2]->setEnabled(false);
        QVERIFY(!window.ui().cmdAbbruch->isEnabled());
        const auto before = ownEnabledStates(window);
        const char* prefixes = "cmd fra txt chk opt pct lbl cmb lst";
        window.SperreSteuerelemente(false, prefixes, "txtAusgabe cmdQuit");
        for (const auto& [key, enabled] : ownEnabledStates(window)) {
            const QString& name = key.first;
            if (name == "txtAusgabe" || name == "cmdQuit" || name.startsWith("img") ||
                name.startsWith("Picture"))
                QCOMPARE(enabled, before.at(key));
            else
                QVERIFY2(!enabled, qPrintable(name));
        }
        window.StelleSteuerelementeWiederHer(prefixes, "txtAusgabe cmdQuit");
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

    void selection() {
        const std::tuple<const char*, const char*, const char*, bool> cases[] = {
            {"tmrBlinken", "cmd fra txt chk opt pct lbl cmb lst", "", false},
            {"cmdQuit", "cmd c", "cmdQuit", false}, // every matching prefix meets the exception
            {"chkAceUni", "cmd chk", "cmdQuit", true},
            // Lists with double blanks, blanks at the ends and any case.
            {"chkAceUni", "  CMD  Chk ", " cmdquit ", true},
            {"txtAusgabe", "cmd  TXT", "  TXTAUSGABE  cmdQuit ", false}};
        for (const auto& [name, prefixes, exceptions, selected] : cases)
            QVERIFY2(ui::isSelected(name, ui::normaliseWordList(prefixes),
                                    ui::normaliseWordList(exceptions)) == selected,
                     name);
    }

    void busyPointerOnTheMainWindowOnly() {
        OpenHouse model;
        MainWindow& window = *model.window;
        window.host().setBusyCursor(true);
        QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
        // A message box shown meanwhile keeps the normal pointer.
        QVERIFY(QApplication::overrideCursor() == nullptr);
        window.host().setBusyCursor(false);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    void animationShowsOnePictureAtATimeAtTheFirstOnesPlace() {
        OpenHouse model;
        MainWindow& window = *model.window;
        const ui::WindowControls& c = window.ui();
        QVERIFY(visiblePictures(window).empty());
        const QPoint place = c.imgRunning01->pos();
        c.imgRunning02->move(place + QPoint(40, 7));
        c.imgRunning03->move(place + QPoint(3, 70));
        window.host().setBusyDisplay(true);
        QCOMPARE(window.busyDisplay().blinkInterval(), 100);
        const QWidget* pictures[] = {c.imgRunning01, c.imgRunning02, c.imgRunning03, c.imgRunning04};
        for (const int number : {2, 3, 4, 1, 2, 3}) {
            window.busyDisplay().onBlinkTick();
            QCOMPARE(visiblePictures(window), std::vector<int>{number});
            QCOMPARE(pictures[number - 1]->pos(), place);
        }
        // The watchdog leaves a running animation alone.
        window.busyDisplay().onWatchdogTick();
        QCOMPARE(visiblePictures(window).size(), std::size_t{1});
    }

    void stopAndCancelLeaveTheHidingToTheWatchdog() {
        for (const bool cancel : {false, true}) {
            OpenHouse model;
            MainWindow& window = *model.window;
            QCOMPARE(window.ui().Timer1->interval(), 500);
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
            QVERIFY(window.ui().Timer1->isActive());
            QCOMPARE(visiblePictures(window).size(), std::size_t{1}); // until the watchdog's next tick
            window.busyDisplay().onWatchdogTick();
            QVERIFY(visiblePictures(window).empty());
        }
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
