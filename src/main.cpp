// The start procedure: the window load with the program's folder (or the one
// folder named on the command line) as working directory, then the window's
// events until the quit procedure ends the program.

#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <string_view>

namespace {

/// The program's folder, or the folder given as the one optional argument.
QString workingDirectory(const QStringList& arguments) {
    if (arguments.size() > 1) return QDir(arguments.at(1)).absolutePath();
    return QCoreApplication::applicationDirPath();
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
