// The 3D view's renderer drawing the example house offscreen: the roof's
// picture where the roof stands, the background around it, a magenta checker
// for a missing picture, and each distance level its own picture.

#include "support/ExampleModel.h"

#include "platform/FileSystem.h"
#include "ui/view3d/OffscreenView.h"

#include <QColor>
#include <QTest>

#include <algorithm>

using namespace quillfen;
using namespace quillfen::view3d;

namespace {

/// The picture of the house as the view frames it, and whether `missing` is listed as a missing picture.
QImage render(const test::ExampleModel& model, std::size_t level = 0, const char* missing = nullptr) {
    LocalFileSystem fileSystem;
    auto scene = ShapeScene::load(fileSystem, model.shapePath());
    if (!scene) qFatal("%s", scene.error().message().c_str());
    const auto listed = scene->missingImages();
    if (missing != nullptr && std::find(listed.begin(), listed.end(), missing) == listed.end()) return {};
    auto view = OffscreenView::create(*scene, QSize(320, 240));
    if (!view) qFatal("%s", view.error().message().c_str());
    FrameOptions options;
    options.level = level;
    options.showBox = false;
    return (*view)->picture(ViewCamera::framing(scene->box()), options);
}

} // namespace

class OffscreenRenderTest : public QObject {
    Q_OBJECT

private slots:
    void roofShowsItsPictureOrTheMissingChecker() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        // A picture of one colour in place of the roof's ACE file.
        QFile::remove(model.path("roof.ace"));
        const QColor red(200, 40, 30);
        QImage picture(16, 16, QImage::Format_RGBA8888);
        picture.fill(red);
        QVERIFY(picture.save(model.path("roof.png")));
        const QImage painted = render(model);
        // Lighting only scales the colour: its hue stays.
        QPoint middle;
        int roof = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x) {
                const QColor c = painted.pixelColor(x, y);
                if (std::abs(c.hslHue() - red.hslHue()) <= 8 && c.hslSaturation() > 40)
                    ++roof, middle += {x, y};
            }
        QVERIFY2(roof > 200, qPrintable(QString::number(roof)));
        middle /= roof;
        for (const QPoint corner : {QPoint(1, 1), QPoint(painted.width() - 2, 1)})
            QCOMPARE(painted.pixel(corner), kBackground);
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
    }

    void eachDistanceLevelDrawsItsOwnPicture() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        const QImage near = render(model, 0);
        QVERIFY(near != render(model, 1));
        QCOMPARE(render(model, 0), near);
    }
};

QTEST_MAIN(OffscreenRenderTest)
#include "test_offscreen_render.moc"
