// Renders the main window on a copy of the bundled example model, once in
// English and once in German, into two PNG files (used by scripts/screenshot).

#include "support/UiTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4) {
        std::fputs("usage: quillfen_window_screenshot EXAMPLE_FOLDER ENGLISH.png GERMAN.png\n", stderr);
        return 2;
    }
    quillfen::test::WindowFixture model;
    const QDir example(arguments.at(1));
    for (const QString& name : example.entryList(QDir::Files))
        QFile::copy(example.filePath(name), model.path(name));
    model.write(QStringLiteral("conv3ds.exe"));

    quillfen::ui::MainWindow& window = model.open();
    if (model.loadResult != 0) {
        for (const auto& box : model.dialogs.messages) std::fprintf(stderr, "%s\n", box.text.c_str());
        return 1;
    }
    auto* languages = window.ui().cmbLang;
    const std::pair<QString, QString> shots[] = {{QStringLiteral("english"), arguments.at(2)},
                                                 {QStringLiteral("deutsch"), arguments.at(3)}};
    for (const auto& [language, file] : shots) {
        languages->setCurrentText(language);
        QApplication::processEvents();
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
