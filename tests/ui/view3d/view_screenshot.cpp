// Renders the 3D view window into a PNG file (used by scripts/screenshot, on a
// display or under xvfb-run): on SHAPE.s when given - a shape the whole run has
// finished, its textures gathered - else on the example house as the stand-in
// converter alone leaves it.

#include "support/ExampleModel.h"

#include "platform/FileSystem.h"
#include "ui/ShapeViewWindow.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 3) {
        std::fputs("usage: quillfen_view_screenshot VIEW.png [SHAPE.s]\n", stderr);
        return 2;
    }
    std::optional<quillfen::test::ExampleModel> example;
    if (arguments.size() == 2) example.emplace();
    const std::string shapePath = example ? example->shapePath() : arguments.at(2).toStdString();
    const quillfen::LocalFileSystem fileSystem;
    auto scene = quillfen::view3d::ShapeScene::load(fileSystem, shapePath);
    if (!scene) {
        std::fprintf(stderr, "%s could not be read\n", shapePath.c_str());
        return 1;
    }
    quillfen::ui::ShapeViewWindow window(
        std::make_unique<quillfen::view3d::ShapeScene>(std::move(scene.value())), shapePath,
        quillfen::ui::shapeViewTexts(quillfen::Language::English), [] {});
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.resize(800, 600);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    QTest::qWait(200);
    if (!window.grab().save(arguments.at(1))) {
        std::fprintf(stderr, "cannot write %s\n", arguments.at(1).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
