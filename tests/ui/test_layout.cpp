// The window's layout: the resize rules with their snapping and stretching,
// the minimized and maximized states, and a design in which, in both
// languages, no text is clipped and no two controls overlap.

#include "UiTestSupport.h"
#include "ui/Layout.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

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

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void designIsTidyInBothLanguages_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "english";
        QTest::newRow("German") << "deutsch";
    }
    void designIsTidyInBothLanguages() {
        QFETCH(QString, language);
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.control<QComboBox>("cmbLang")->setCurrentText(language);
        verifyTidy(window);
    }

    void resizeRules_data() {
        QTest::addColumn<int>("width");  // twips asked for, relative to the load width
        QTest::addColumn<int>("height"); // twips asked for, absolute when <= 0 means "load height minus"
        QTest::addColumn<int>("expectedWidth");
        QTest::addColumn<int>("expectedLog");
        const int loadWidth = ui::kDesignWidth;
        const int loadHeight = ui::kDesignHeight;
        const int logHeight = ui::designLayout().at({"txtAusgabe"}).height;
        QTest::newRow("as loaded") << loadWidth << loadHeight << loadWidth << logHeight;
        QTest::newRow("wider") << loadWidth + 1500 << loadHeight << loadWidth + 1500 << logHeight;
        QTest::newRow("narrower snaps back") << loadWidth - 1500 << loadHeight << loadWidth << logHeight;
        QTest::newRow("higher grows the log")
            << loadWidth << loadHeight + 1500 << loadWidth << logHeight + 1500;
        QTest::newRow("lower shrinks the log")
            << loadWidth << loadHeight - 900 << loadWidth << logHeight - 900;
        QTest::newRow("far lower keeps a log") << loadWidth << 6300 << loadWidth << logHeight;
    }
    void resizeRules() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedLog);
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.resizeTwips(width, height);
        QTRY_COMPARE(window.twipSize().width, expectedWidth);
        const int w = window.twipSize().width;
        QCOMPARE(window.twipGeometry("Picture1").left, w - 1360);
        QCOMPARE(window.twipGeometry("cmbLang").left, w - 1410);
        QCOMPARE(window.twipGeometry("cmd3DView").left, w - 1200);
        QCOMPARE(window.twipGeometry("cmdShapeToExplorer").left, w - 2270);
        const auto list = window.twipGeometry("lstLODListe");
        QCOMPARE(list.left + list.width, w - 150);
        const auto name = window.twipGeometry("txtSDateiName");
        QCOMPARE(name.left + name.width, w - 150 - 2180);
        const auto box = window.twipGeometry("fraBoundingBox");
        QCOMPARE(box.left + box.width, w - 150);
        const auto input = window.twipGeometry("txtBBoxInput");
        QCOMPARE(input.left + input.width, box.width - 50);
        const auto ref = window.twipGeometry("fraRef");
        const auto refClass = window.twipGeometry("txtRefClass");
        QCOMPARE(refClass.left + refClass.width, ref.width - 50);
        for (int target = 0; target < 3; ++target) {
            const auto path = window.twipGeometry("lblCopyPfad", target);
            QCOMPARE(path.left + path.width, w - 150);
        }
        QCOMPARE(window.twipGeometry("txtAusgabe").width, w - 250);
        // One pixel is 15 twips; a height that is no multiple of 15 rounds.
        QVERIFY(std::abs(window.twipGeometry("txtAusgabe").height - expectedLog) <= 15);
        // The pixels follow the twips.
        auto* log = window.control<QWidget>("txtAusgabe");
        QCOMPARE(log->width(), ui::twipsToPixels(w - 250, window.layoutDpi()));
    }

    void neverLowerThanTheMinimum() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.resizeTwips(ui::kDesignWidth, 3000);
        QTRY_VERIFY(window.twipSize().height >= ui::kMinimumHeight);
        QVERIFY(window.twipSize().height < ui::kMinimumHeight + 15);
    }

    void minimizingChangesNoControl() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        const auto before = window.twipGeometry("txtAusgabe");
        window.setWindowState(Qt::WindowMinimized);
        window.resize(200, 100);
        QCOMPARE(window.twipGeometry("txtAusgabe"), before);
        QCOMPARE(window.twipGeometry("lstLODListe").width, ui::designLayout().at({"lstLODListe"}).width);
    }

    void maximizingLaysOutForTheScreen() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(window.isMaximized());
        QTRY_COMPARE(window.twipGeometry("txtAusgabe").width, window.twipSize().width - 250);
        QCOMPARE(window.twipGeometry("cmd3DView").left, window.twipSize().width - 1200);
    }

    void pixelsScaleWithTheLogicalDpi_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("96 dpi") << 1500 << 96.0 << 100;
        QTest::newRow("144 dpi") << 1500 << 144.0 << 150;
        QTest::newRow("rounded") << 20 << 96.0 << 1;
        QTest::newRow("120 dpi") << 11400 << 120.0 << 950;
    }
    void pixelsScaleWithTheLogicalDpi() {
        QFETCH(int, twips);
        QFETCH(double, dpi);
        QFETCH(int, pixels);
        QCOMPARE(ui::twipsToPixels(twips, dpi), pixels);
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
