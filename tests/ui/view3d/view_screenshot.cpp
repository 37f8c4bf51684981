// Renders the 3D view window on the example house, converted by the stand-in
// converter, into a PNG file (used by scripts/screenshot, on a display or
// under xvfb-run).

#include "support/ExampleModel.h"

#include "platform/FileSystem.h"
#include "ui/ShapeViewWindow.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: quillfen_view_screenshot VIEW.png\n", stderr);
        return 2;
    }
    const quillfen::test::ExampleModel model;
    const quillfen::LocalFileSystem fileSystem;
    auto scene = quillfen::view3d::ShapeScene::load(fileSystem, model.shapePath());
    if (!model.ok() || !scene) {
        std::fputs("the example could not be converted or read\n", stderr);
        return 1;
    }
    quillfen::ui::ShapeViewWindow window(
        std::make_unique<quillfen::view3d::ShapeScene>(std::move(scene.value())), model.shapePath(),
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
