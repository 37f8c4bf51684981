// Renders the README's pictures (scripts/screenshot): the main window in both languages, or the 3D view
// (on a display) on SHAPE.s, else on the example house as the stand-in converter alone leaves it.

#include "support/ExampleModel.h"
#include "support/UiTestSupport.h"

#include "platform/FileSystem.h"
#include "ui/ShapeViewWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const auto save = [](QWidget& widget, const QString& file) {
        return widget.grab().save(file) ||
               (std::fprintf(stderr, "cannot write %s\n", qPrintable(file)), false);
    };
    if (arguments.size() == 2 || arguments.size() == 3) {
        std::optional<quillfen::test::ExampleModel> example;
        if (arguments.size() == 2) example.emplace();
        const std::string shape = example ? example->shapePath() : arguments.at(2).toStdString();
        auto scene = quillfen::view3d::ShapeScene::load(quillfen::LocalFileSystem(), shape);
        if ((example && !example->ok()) || !scene)
            return std::fprintf(stderr, "%s could not be converted or read\n", shape.c_str()), 1;
        quillfen::ui::ShapeViewWindow window(
            std::make_unique<quillfen::view3d::ShapeScene>(std::move(scene.value())), shape,
            quillfen::ui::shapeViewTexts(quillfen::Language::English), [] {});
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.resize(800, 600);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        QTest::qWait(200);
        return save(window, arguments.at(1)) ? 0 : 1;
    }
    if (arguments.size() != 4) {
        std::fputs("usage: quillfen_window_screenshot EXAMPLE_FOLDER ENGLISH.png GERMAN.png\n"
                   "       quillfen_view_screenshot VIEW.png [SHAPE.s]\n",
                   stderr);
        return 2;
    }
    quillfen::test::WindowFixture model;
    const QDir example(arguments.at(1));
    for (const QString& name : example.entryList(QDir::Files))
        QFile::copy(example.filePath(name), model.path(name));
    model.write("conv3ds.exe");
    quillfen::ui::MainWindow& window = model.open();
    for (const auto& box : model.dialogs.messages) std::fprintf(stderr, "%s\n", box.text.c_str());
    if (model.loadResult != 0) return 1;
    for (const int shot : {2, 3}) {
        window.ui().cmbLang->setCurrentText(shot == 2 ? "english" : "deutsch");
        QApplication::processEvents();
        if (!save(window, arguments.at(shot))) return 1;
    }
    return 0;
}
