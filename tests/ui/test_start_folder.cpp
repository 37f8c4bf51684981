// The window's start folder from its command line: the folder argument, the
// folder that holds the models, and the folder dialog when none does.

#include "support/TempFolder.h"
#include "ui/StartFolderChoice.h"

#include <QDir>
#include <QtTest>

using namespace quillfen;
using quillfen::test::TempFolder;

class TestStartFolder : public QObject {
    Q_OBJECT

private slots:
    void startFolderOfTheCommandLine() {
        const TempFolder current, program, chosen;
        const auto qt = [](const TempFolder& folder) { return QString::fromStdString(folder.path()); };
        QStringList asked;
        const auto start = [&](const QStringList& arguments, const QString& answer, Language language) {
            asked.clear();
            return ui::startFolderOf(arguments, {qt(current), qt(program)}, LocalFileSystem(), language,
                                     [&](const QString& title, const QString& startFolder) {
                                         asked << title << startFolder;
                                         return answer;
                                     });
        };
        // Without models the modeller is asked in the language, from the current directory, which a
        // cancelled dialog keeps.
        QCOMPARE(start({"quillfen"}, qt(chosen), Language::German), QDir(qt(chosen)).absolutePath());
        QCOMPARE(asked, (QStringList{"Ordner mit den 3ds-Dateien des Modells wählen", qt(current)}));
        QCOMPARE(start({"quillfen"}, {}, Language::English), QDir(qt(current)).absolutePath());
        QCOMPARE(asked.value(0), QString("Choose the folder with the model's 3ds-files"));
        // Models in the current directory need no dialog; a folder argument is taken as it is.
        current.write("house_100.3ds", "x");
        QCOMPARE(start({"quillfen"}, {}, Language::English), QDir(qt(current)).absolutePath());
        QVERIFY(asked.isEmpty());
        QCOMPARE(start({"quillfen", qt(program)}, {}, Language::English), QDir(qt(program)).absolutePath());
        QVERIFY(asked.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStartFolder)
#include "test_start_folder.moc"
