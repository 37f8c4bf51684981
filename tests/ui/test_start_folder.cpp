// The window's start folder from its command line: the folder argument, the
// folder that holds the models, and the folder dialog when none does.

#include "support/TempFolder.h"
#include "ui/StartFolderChoice.h"

#include <QDir>
#include <QtTest>

#include <optional>

using namespace quillfen;
using quillfen::test::TempFolder;

class TestStartFolder : public QObject {
    Q_OBJECT

private:
    static QString qt(const TempFolder& folder) { return QString::fromStdString(folder.path()); }

    // Fresh folders for each test.
    std::optional<TempFolder> m_currentFolder;
    std::optional<TempFolder> m_programFolder;
    QStringList m_asked;

    QString start(const QStringList& arguments, const QString& answer,
                  Language language = Language::English) {
        return ui::startFolderOf(arguments, {qt(*m_currentFolder), qt(*m_programFolder)}, LocalFileSystem(),
                                 language, [&](const QString& title, const QString& startFolder) {
                                     m_asked << title << startFolder;
                                     return answer;
                                 });
    }

private slots:
    void init() {
        m_currentFolder.emplace();
        m_programFolder.emplace();
        m_asked.clear();
    }

    void theArgumentIsTakenAsItIs() {
        m_currentFolder->write("house_100.3ds", "x");
        QCOMPARE(start({"quillfen", qt(*m_programFolder)}, {}), QDir(qt(*m_programFolder)).absolutePath());
        QVERIFY(m_asked.isEmpty());
    }

    void withoutModelsTheModellerIsAskedInTheLanguage() {
        TempFolder chosen;
        QCOMPARE(start({"quillfen"}, qt(chosen), Language::German), QDir(qt(chosen)).absolutePath());
        QCOMPARE(m_asked,
                 (QStringList{"Ordner mit den 3ds-Dateien des Modells wählen", qt(*m_currentFolder)}));
    }

    void aCancelledDialogStartsInTheCurrentDirectory() {
        QCOMPARE(start({"quillfen"}, {}), QDir(qt(*m_currentFolder)).absolutePath());
        QCOMPARE(m_asked.value(0), QStringLiteral("Choose the folder with the model's 3ds-files"));
    }

    void modelsInTheCurrentDirectoryNeedNoDialog() {
        m_currentFolder->write("house_100.3ds", "x");
        QCOMPARE(start({"quillfen"}, {}), QDir(qt(*m_currentFolder)).absolutePath());
        QVERIFY(m_asked.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStartFolder)
#include "test_start_folder.moc"
