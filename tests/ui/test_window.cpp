// The main window: captions and a tidy design in both languages, resizing, and the long commands' services.

#include "support/UiTestSupport.h"
#include "ui/BusyDisplay.h"
#include "ui/Layout.h"
#include "ui/MainWindowPictures.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <map>

using namespace quillfen;
using quillfen::test::OpenHouse;
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

/// Every caption and tooltip of the window, by control.
std::map<Key, QStringList> allTexts(const MainWindow& window) {
    std::map<Key, QStringList> texts;
    for (QObject* control : window.controls())
        for (const char* property : {"text", "title", "toolTip"})
            texts[keyOf(control)] << control->property(property).toString();
    return texts;
}

/// True when the window, as drawn, shows the control whole where it stands.
bool windowShows(MainWindow& window, QWidget* control) {
    const QRect place(control->mapTo(&window, QPoint(0, 0)), control->size());
    if (!window.rect().contains(place)) return false;
    const QImage drawn = window.grab(place).toImage().convertToFormat(QImage::Format_RGB32);
    return drawn == control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

/// Pairs that overlap on purpose: the number box inside its option's brackets, and the busy pictures.
bool overlapIsIntended(const QString& a, const QString& b) {
    const auto pair = [&](const char* x, const char* y) { return (a == x && b == y) || (a == y && b == x); };
    return pair("optManuellAlternativTexture", "txtESD_Alter_Tex") ||
           (a.startsWith("imgRunning") && b.startsWith("imgRunning"));
}

/// Every control inside its parent with its caption whole, no two siblings overlapping unless meant to.
void verifyTidy(MainWindow& window) {
    QList<QWidget*> widgets;
    for (QObject* control : window.controls())
        if (auto* widget = qobject_cast<QWidget*>(control)) widgets << widget;
    for (QWidget* widget : widgets) {
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(label(widget)));
        // A push button's own minimum width is no clipping; its margins are.
        const auto metric = [widget](QStyle::PixelMetric m) {
            return widget->style()->pixelMetric(m, nullptr, widget);
        };
        const auto* frame = qobject_cast<QGroupBox*>(widget);
        const auto* caption = qobject_cast<QLabel*>(widget);
        const QString text = frame ? frame->title() : widget->property("text").toString();
        const int advance = widget->fontMetrics().horizontalAdvance(text);
        const int margins = qobject_cast<QPushButton*>(widget)
                                ? 2 * (metric(QStyle::PM_ButtonMargin) + metric(QStyle::PM_DefaultFrameWidth))
                            : frame   ? 16
                            : caption ? 2 * caption->frameWidth()
                                      : widget->sizeHint().width() - advance;
        if (!text.isEmpty() && (frame || caption || qobject_cast<QAbstractButton*>(widget)))
            QVERIFY2(advance <= widget->width() - margins, qPrintable(label(widget) + ": '" + text + "'"));
    }
    for (int i = 0; i < widgets.size(); ++i)
        for (int j = i + 1; j < widgets.size(); ++j) {
            QWidget* a = widgets[i];
            QWidget* b = widgets[j];
            if (a->parentWidget() == b->parentWidget() &&
                !overlapIsIntended(a->objectName(), b->objectName()))
                QVERIFY2(!a->geometry().intersects(b->geometry()), qPrintable(label(a) + " / " + label(b)));
        }
}

/// Whether each widget is enabled on its own (not by its parent), by control.
std::map<Key, bool> ownEnabledStates(const MainWindow& window) {
    std::map<Key, bool> states;
    for (QObject* control : window.controls())
        if (auto* widget = qobject_cast<QWidget*>(control))
            states[keyOf(control)] = !widget->testAttribute(Qt::WA_Disabled);
    return states;
}

int visiblePictures(const MainWindow& window) {
    const ui::WindowControls& c = window.ui();
    const auto pictures = {c.imgRunning01, c.imgRunning02, c.imgRunning03, c.imgRunning04};
    return static_cast<int>(std::ranges::count_if(pictures, [](const QWidget* p) { return !p->isHidden(); }));
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void switchingThereAndBackRestoresEveryTextAndStaysTidy() {
        OpenHouse model;
        MainWindow& window = *model.window;
        QCOMPARE(model.loadResult, 0);
        window.SetzeSprache("deutsch");
        verifyTidy(window);
        const auto before = allTexts(window);
        window.SetzeSprache("english");
        verifyTidy(window);
        QVERIFY(allTexts(window) != before);
        window.SetzeSprache("deutsch");
        QVERIFY(allTexts(window) == before);
    }

    void captionsInBothLanguages() {
        // The control's name and index, the property, its German and English text ("...": a known start).
        const std::tuple<const char*, int, const char*, const char*, const char*> cases[] = {
            {"cmdErzeugeShape", -1, "text", "Konvertiere Shape-Datei", "Convert s-file"},
            {"cmdShapeCopy", 0, "text", "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:"},
            {"cmdShapeCopy", 1, "text", "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:"},
            {"cmdShapeCopy", 2, "text", "Kopiere nur s-Datei nach:", "Copy only the s-file also to:"},
            {"chkTextureCopy", -1, "text", "     Kopiere auch Texturen in die Strecke",
             "     Copy textures to the route too"},
            {"optJahreszeitenTextur", -1, "text",
             "jahreszeitengenau                [ESD_Alternative_Texture (252)]",
             "seasonal                        [ESD_Alternative_Texture (252)]"},
            {"fraTexturen", -1, "title", "s-Datei hat Texturen:", "s-file has textures"},
            {"cmdAbbruch", -1, "text", " Conv3DS.exe abbrechen ", " Conv3DS.exe abbort "},
            {"lblLODsGefunden", -1, "text", "2 LODs gefunden:", "2 LODs found:"},
            {"chkShaderDiffuse", -1, "toolTip", " Alle Shader werden in der s-D...",
             "  All shader in s-file will be..."},
            {"txtESD_Alter_Tex", -1, "toolTip", " Nummer für die ESD_Alternative_Texture hier eingeben ",
             " Enter a number for the ESD_Alternative_Texture here "},
        };
        OpenHouse model;
        const ui::WindowControls& ui = model.window->ui();
        std::map<Key, QObject*> controls;
        for (QObject* control : model.window->controls()) controls[keyOf(control)] = control;
        // The flags switch the language.
        for (const bool german : {true, false}) {
            QTest::mouseClick(german ? ui.pctGerman : ui.pctEnglisch, Qt::LeftButton);
            for (const auto& [name, index, property, germanText, englishText] : cases) {
                const QString wanted = QString::fromUtf8(german ? germanText : englishText);
                QObject* control = controls[{name, index}];
                QVERIFY2(control != nullptr, name);
                const QString shown = control->property(property).toString();
                QVERIFY2(wanted.endsWith("...") ? shown.startsWith(wanted.chopped(3)) : shown == wanted,
                         qPrintable(label(control) + ": '" + shown + "'"));
            }
        }
        // One LOD has no plural; an empty language counts as English.
        for (const auto& [count, language, caption] :
             {std::tuple{1, "deutsch", "1 LOD gefunden:"}, {0, "", "0 LODs found:"}}) {
            model.window->state().gintAnzahlLODs = count;
            model.window->SetzeSprache(language);
            QCOMPARE(ui.lblLODsGefunden->text(), QString(caption));
        }
    }

    void resizeRules() {
        // Width and height asked for, the width taken, and the log's growth (INT_MIN: to its minimum).
        const int width = ui::kDesignWidth;
        const int height = ui::kDesignHeight;
        const std::tuple<int, int, int, int> cases[] = {{width + 1500, height, width + 1500, 0},
                                                        {width - 1500, height, width, 0},
                                                        {width, height - 450, width, -450},
                                                        {width, 6300, width, INT_MIN}};
        // Controls that keep their distance to the right edge, and those whose right edge follows it.
        const QStringList moving{"Picture1", "cmbLang", "cmd3DView", "cmdShapeToExplorer"};
        const QStringList stretching{"txtSDateiName", "lstLODListe", "fraBoundingBox", "txtBBoxInput",
                                     "fraRef",        "txtRefClass", "lblCopyPfad",    "txtAusgabe"};
        for (const auto& [askedWidth, askedHeight, expectedWidth, logGrowth] : cases) {
            OpenHouse model;
            MainWindow& window = *model.window;
            window.resizeTwips(askedWidth, askedHeight);
            QTRY_COMPARE(window.twipSize().width, expectedWidth);
            const int grown = expectedWidth - ui::kDesignWidth;
            for (const auto& [key, design] : ui::designLayout()) {
                const QString name = QString::fromStdString(key.name);
                const ui::TwipRect now = window.twipGeometry(key.name, key.index);
                if (moving.contains(name)) QCOMPARE(now.left, design.left + grown);
                if (moving.contains(name) || stretching.contains(name))
                    QVERIFY2(now.left + now.width == design.left + design.width + grown, qPrintable(name));
            }
            const int designLog = ui::designLayout().at({"txtAusgabe"}).height;
            const int log = logGrowth == INT_MIN ? window.minimumLayoutSize().height - height + designLog
                                                 : designLog + logGrowth;
            // One pixel is 15 twips; a height that is no multiple of 15 rounds.
            QVERIFY(std::abs(window.twipGeometry("txtAusgabe").height - log) <= 15);
            QCOMPARE(window.ui().txtAusgabe->width(),
                     ui::twipsToPixels(expectedWidth - 250, window.layoutDpi()));
        }
    }

    void theWindowFitsTheScreen() {
        // A laptop without its task bar, and a screen lower than the command row.
        for (const QRect screen : {QRect(0, 0, 1366, 728), QRect(0, 0, 1024, 400)}) {
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
            // At its lowest it shows the command row and three log lines, or scrolls to them.
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

    void servicesOfTheLongCommands() {
        OpenHouse model;
        MainWindow& window = *model.window;
        const ui::WindowControls& c = window.ui();
        // The log puts the newest line on top.
        window.host().setLogText(""); // the start-up's converter line aside
        for (const char* line : {"A", "B", "C"}) window.SchreibeAusgabe(line);
        QCOMPARE(window.host().logText(), std::string("C\r\nB\r\nA\r\n"));
        QCOMPARE(c.txtAusgabe->toPlainText(), QString("C\nB\nA\n"));

        // The lock spares the log, the quit button and the pictures; the release gives each state back.
        for (int target = 0; target < 3; ++target) c.chkShapeTo[target]->setEnabled(target != 1);
        c.lblCopyPfad[2]->setEnabled(false);
        QVERIFY(!c.cmdAbbruch->isEnabled());
        const auto before = ownEnabledStates(window);
        const char* prefixes = "cmd fra txt chk opt pct lbl cmb lst";
        window.SperreSteuerelemente(false, prefixes, "txtAusgabe cmdQuit");
        for (const auto& [key, enabled] : ownEnabledStates(window)) {
            const QString& name = key.first;
            const bool spared = name == "txtAusgabe" || name == "cmdQuit" || name.startsWith("img") ||
                                name.startsWith("Picture");
            QVERIFY2(spared ? enabled == before.at(key) : !enabled, qPrintable(name));
        }
        window.StelleSteuerelementeWiederHer(prefixes, "txtAusgabe cmdQuit");
        QVERIFY(ownEnabledStates(window) == before);

        // The busy display shows one picture; the cancel button stops it, and a later tick clears it.
        QCOMPARE(visiblePictures(window), 0);
        window.host().setBusyDisplay(true);
        window.busyDisplay().onBlinkTick();
        QCOMPARE(visiblePictures(window), 1);
        window.host().setCancelEnabled(true);
        QTest::mouseClick(c.cmdAbbruch, Qt::LeftButton);
        QVERIFY(window.state().gblnAbbruch && window.busyDisplay().blinkInterval() == 0);
        window.busyDisplay().onWatchdogTick();
        QCOMPARE(visiblePictures(window), 0);
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
