// The 3D view on the example house: its renderer drawing offscreen, and its window.

#include "support/ExampleModel.h"

#include "platform/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/ShapeViewWindow.h"
#include "ui/view3d/OffscreenView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace quillfen;
using namespace quillfen::ui;

namespace {

view3d::ShapeScene load(const test::ExampleModel& model) {
    LocalFileSystem fileSystem;
    auto scene = view3d::ShapeScene::load(fileSystem, model.shapePath());
    if (!scene) qFatal("%s", scene.error().message().c_str());
    return std::move(scene.value());
}

/// The picture of the house as the view frames it; none when `missing` is not listed as a missing picture.
QImage render(const test::ExampleModel& model, std::size_t level = 0, const char* missing = nullptr) {
    const view3d::ShapeScene scene = load(model);
    const auto listed = scene.missingImages();
    if (missing != nullptr && std::find(listed.begin(), listed.end(), missing) == listed.end()) return {};
    auto view = view3d::OffscreenView::create(scene, QSize(320, 240));
    if (!view) qFatal("%s", view.error().message().c_str());
    view3d::FrameOptions options;
    options.level = level;
    options.showBox = false;
    return (*view)->picture(view3d::ViewCamera::framing(scene.box()), options);
}

std::unique_ptr<ShapeViewWindow> openWindow(const test::ExampleModel& model,
                                            std::function<void()> external = {}) {
    const ShapeViewTexts texts{"View %1",     "auto", "L%1 %2", "box", "external", "P%1 T%2 S%3 X%4 B%5",
                               "missing: %1", "hint"};
    auto window = std::make_unique<ShapeViewWindow>(std::make_unique<view3d::ShapeScene>(load(model)),
                                                    model.shapePath(), texts, std::move(external));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
}

/// Puts a picture of one colour named `png` in place of the texture file `texture`.
bool paintOver(const test::ExampleModel& model, const char* texture, const char* png, QColor colour) {
    QFile::remove(model.path(texture));
    QImage picture(16, 16, QImage::Format_RGBA8888);
    picture.fill(colour);
    return picture.save(model.path(png));
}

/// The pixels of `painted` in the hue of `colour` (lighting only scales a colour, its hue stays), and their
/// middle.
int pixelsOfHue(const QImage& painted, QColor colour, QPoint* middle = nullptr) {
    int count = 0;
    QPoint sum;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            const QColor c = painted.pixelColor(x, y);
            if (std::abs(c.hslHue() - colour.hslHue()) <= 8 && c.hslSaturation() > 40) ++count, sum += {x, y};
        }
    if (middle && count > 0) *middle = sum / count;
    return count;
}

} // namespace

class ShapeViewTest : public QObject {
    Q_OBJECT

private slots:
    void roofShowsItsPictureOrTheMissingChecker() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        const QColor red(200, 40, 30);
        QVERIFY(paintOver(model, "roof.ace", "roof.png", red));
        const QImage painted = render(model);
        QPoint middle;
        const int roof = pixelsOfHue(painted, red, &middle);
        QVERIFY2(roof > 200, qPrintable(QString::number(roof)));
        for (const QPoint corner : {QPoint(1, 1), QPoint(painted.width() - 2, 1)})
            QCOMPARE(painted.pixel(corner), view3d::kBackground);
        // Without any picture the roof shows a magenta checker, and the picture is listed missing.
        QFile::remove(model.path("roof.png"));
        const QImage bare = render(model, 0, "roof.ace");
        QVERIFY(!bare.isNull());
        int magenta = 0;
        int dark = 0;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const QColor c = bare.pixelColor(middle + QPoint(dx, dy));
                magenta += c.red() > 120 && c.blue() > 120 && c.green() < 40 ? 1 : 0;
                dark += c.red() < 40 && c.green() < 40 && c.blue() < 40 ? 1 : 0;
            }
        QVERIFY2(magenta > 10 && dark > 10,
                 qPrintable(QString("%1 magenta, %2 dark").arg(magenta).arg(dark)));
        // Each distance level draws its own picture.
        QVERIFY(bare != render(model, 1));
        QCOMPARE(render(model, 0), bare);
    }

    void facesTowardsTheCameraAreNotCulled() {
        // Culled the wrong way round, the walls facing the camera vanish with their windows.
        test::ExampleModel model;
        QVERIFY(model.ok());
        const QColor green(30, 200, 40);
        QVERIFY(paintOver(model, "window.dds", "window.png", green));
        const int windows = pixelsOfHue(render(model), green);
        QVERIFY2(windows > 50, qPrintable(QString::number(windows)));
    }

    void windowLevelsFactsBoxAndHandOver() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        QFile::remove(model.path("wall.ace"));
        int handedOver = 0;
        const auto window = openWindow(model, [&handedOver] { ++handedOver; });
        QCOMPARE(window->windowTitle(), QString("View house.s"));
        // The facts name the box's size and, in red, the missing picture.
        const QString facts = window->factsLine()->text();
        QVERIFY2(facts.contains(" B8.6 × 6.1 × 6.6 m") && facts.contains("color:#d00000\">missing: wall.ace"),
                 qPrintable(facts));
        // The levels nearest first after the automatic choice, which follows the camera: close by,
        // the nearest level; far away, the last; the reset key brings the camera back.
        QCOMPARE(window->levels()->count(), 3);
        QVERIFY(window->levels()->itemText(1) == "L0 100" && window->levels()->itemText(2) == "L1 500");
        QVERIFY(window->levels()->currentIndex() == 1 && window->drawing()->shownLevel() == 0);
        window->levels()->setCurrentIndex(2);
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{1});
        window->levels()->setCurrentIndex(0);
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{0});
        for (int i = 0; i < 40; ++i) {
            QWheelEvent away({10, 10}, {10, 10}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(window->drawing(), &away);
        }
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{1});
        QVERIFY(window->factsLine()->text().contains(">P100 T"));
        QTest::keyClick(window->drawing(), Qt::Key_R);
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{0});
        // The box is shown; the button hands the file to the desktop.
        QVERIFY(window->boxSwitch()->isChecked() && !window->externalButton()->isHidden());
        QTest::mouseClick(window->externalButton(), Qt::LeftButton);
        QCOMPARE(handedOver, 1);
    }

    void desktopDialogsOpenTheViewInTheLanguage() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        QWidget owner;
        QtDialogs dialogs(&owner);
        dialogs.showShapeView({model.shapePath(), model.path("").toStdString(), Language::German});
        const auto views = owner.findChildren<ShapeViewWindow*>();
        QVERIFY(views.size() == 1 && views.front()->isVisible());
        QCOMPARE(views.front()->windowTitle(), QString("3D-Ansicht - house.s"));
        QCOMPARE(views.front()->levels()->itemText(1), QString("Stufe 0 (bis 100 m)"));
        QVERIFY(views.front()->factsLine()->text().contains(">Punkte: 100"));
    }
};

QTEST_MAIN(ShapeViewTest)
#include "test_shape_view.moc"
