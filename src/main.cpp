// The start procedure: the window load with the model folder as working
// directory (the one folder named on the command line, or the one the models
// are in), then the window's events until the quit procedure ends the program.

#include "ui/MainWindow.h"
#include "ui/StartFolderChoice.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <string_view>

namespace {

QString workingDirectory(const QStringList& arguments) {
    const quillfen::LocalFileSystem files;
    const auto askFolder = [](const QString& title, const QString& startFolder) {
        return QFileDialog::getExistingDirectory(nullptr, title, startFolder);
    };
    return quillfen::ui::startFolderOf(arguments,
                                       {QDir::currentPath(), QCoreApplication::applicationDirPath()}, files,
                                       quillfen::ui::desktopLanguage(), askFolder);
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered before the window system is asked for, so it works without a display too.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::puts("quillfen " QUILLFEN_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillfen"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLFEN_VERSION));

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 2) {
        std::fputs("usage: quillfen [FOLDER | --version]\n", stderr);
        return 2;
    }
    const QString folder = workingDirectory(arguments);
    if (!QDir(folder).exists()) {
        std::fprintf(stderr, "quillfen: no such folder: %s\n", folder.toLocal8Bit().constData());
        return 1;
    }
    QDir::setCurrent(folder);

    quillfen::ui::MainWindow window(QDir::toNativeSeparators(folder).toStdString());
    // The session's end quits the program the same way as the quit button.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     &quillfen::ui::MainWindow::quit);
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window, &quillfen::ui::MainWindow::quit);
    if (const int failed = window.load()) return failed;
    return QApplication::exec();
}
