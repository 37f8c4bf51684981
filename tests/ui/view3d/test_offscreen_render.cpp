// The 3D view's renderer drawing the example house offscreen: the roof's
// picture where the roof stands, the background around it, a magenta checker
// for a missing picture, and each distance level its own picture.

#include "support/ExampleModel.h"

#include "platform/FileSystem.h"
#include "ui/view3d/OffscreenView.h"

#include <QColor>
#include <QTest>

#include <algorithm>
#include <limits>

using namespace quillfen;
using namespace quillfen::view3d;

namespace {

const QSize kSize(320, 240);

struct Render {
    ShapeScene scene;
    ViewCamera camera;
    QImage picture;
    [[nodiscard]] bool lists(const std::string& image) const {
        const auto missing = scene.missingImages();
        return std::find(missing.begin(), missing.end(), image) != missing.end();
    }
};

Render render(const test::ExampleModel& model, std::size_t level = 0) {
    LocalFileSystem fileSystem;
    auto scene = ShapeScene::load(fileSystem, model.shapePath());
    if (!scene) qFatal("%s", scene.error().message().c_str());
    Render result{std::move(scene.value()), {}, {}};
    result.camera = ViewCamera::framing(result.scene.box());
    auto view = OffscreenView::create(result.scene, kSize);
    if (!view) qFatal("%s", view.error().message().c_str());
    FrameOptions options;
    options.level = level;
    options.showBox = false;
    result.picture = (*view)->picture(result.camera, options);
    return result;
}

/// The pixel where the middle of the roof's triangle nearest the camera lands: a point surely seen.
QPoint visibleRoofPixel(const Render& render) {
    const shape::LevelMesh& mesh = render.scene.level(0);
    shape::Vector3 best;
    float nearest = std::numeric_limits<float>::max();
    for (const shape::MeshBatch& batch : mesh.batches) {
        if (render.scene.materials()[batch.material].image != "roof.ace") continue;
        for (std::size_t i = batch.firstIndex; i < batch.firstIndex + batch.indexCount; i += 3) {
            shape::Vector3 middle;
            for (std::size_t k = 0; k < 3; ++k) {
                const shape::Vector3& p = mesh.vertices[mesh.indices[i + k]].position;
                middle = {middle.x + p.x / 3, middle.y + p.y / 3, middle.z + p.z / 3};
            }
            const float distance = (toViewSpace(middle) - render.camera.eye()).length();
            if (distance < nearest) {
                nearest = distance;
                best = middle;
            }
        }
    }
    const float aspect = static_cast<float>(kSize.width()) / static_cast<float>(kSize.height());
    const QVector3D device = (render.camera.projection(aspect) * render.camera.view()).map(toViewSpace(best));
    return {static_cast<int>((device.x() + 1) / 2 * static_cast<float>(kSize.width())),
            static_cast<int>((1 - device.y()) / 2 * static_cast<float>(kSize.height()))};
}

} // namespace

class OffscreenRenderTest : public QObject {
    Q_OBJECT

private slots:
    void roofShowsItsPictureAndTheCornersTheBackground() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        // A picture of one colour in place of the roof's ACE file.
        QFile::remove(model.path("roof.ace"));
        QImage red(16, 16, QImage::Format_RGBA8888);
        red.fill(QColor(200, 40, 30));
        QVERIFY(red.save(model.path("roof.png")));
        const Render result = render(model);
        QVERIFY(!result.lists("roof.ace"));
        // Lighting only scales the colour: its hue stays.
        const QColor seen = result.picture.pixelColor(visibleRoofPixel(result));
        QVERIFY2(std::abs(seen.hslHue() - QColor(200, 40, 30).hslHue()) <= 8 && seen.hslSaturation() > 40,
                 qPrintable(seen.name()));
        for (const QPoint corner : {QPoint(1, 1), QPoint(kSize.width() - 2, 1)})
            QCOMPARE(result.picture.pixel(corner), kBackground);
    }

    void missingPictureIsAMagentaCheckerAndListed() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        QFile::remove(model.path("roof.ace"));
        const Render result = render(model);
        QVERIFY(result.lists("roof.ace"));
        const QPoint roof = visibleRoofPixel(result);
        int magenta = 0;
        int dark = 0;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const QColor c = result.picture.pixelColor(roof + QPoint(dx, dy));
                magenta += c.red() > 120 && c.blue() > 120 && c.green() < 40 ? 1 : 0;
                dark += c.red() < 40 && c.green() < 40 && c.blue() < 40 ? 1 : 0;
            }
        QVERIFY2(magenta > 10 && dark > 10,
                 qPrintable(QString("%1 magenta, %2 dark").arg(magenta).arg(dark)));
    }

    void eachDistanceLevelDrawsItsOwnPicture() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        const QImage near = render(model, 0).picture;
        QVERIFY(near != render(model, 1).picture);
        QCOMPARE(render(model, 0).picture, near);
    }
};

QTEST_MAIN(OffscreenRenderTest)
#include "test_offscreen_render.moc"
