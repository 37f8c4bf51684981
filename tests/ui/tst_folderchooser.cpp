// The route-folder chooser frmFolder on its own, and the copy targets of the
// window that use it.

#include "platform/Paths.h"
#include "tst_choices_form.h"
#include "ui/FolderChooser.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

using quillfen::test::ChoiceTestForm;
using quillfen::ui::FolderChooser;

namespace {

std::string native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

/// A chooser over a temporary folder tree, with a drive that is not ready.
struct ChooserFixture {
    explicit ChooserFixture(int target, std::string language = "deutsch") {
        QDir(dir.path()).mkpath(QStringLiteral("routes/Shapes"));
        QDir(dir.path()).mkpath(QStringLiteral("routes/other"));
        FolderChooser::Setup setup;
        setup.language = std::move(language);
        setup.target = target;
        setup.fileSystem = &files;
        setup.askYesNo = [this](const std::string& title, const std::string& text) {
            questions.emplace_back(title, text);
            return yes;
        };
        setup.drives = {{QStringLiteral("temp"), dir.path()},
                        {QStringLiteral("x: [gone]"), dir.path() + QStringLiteral("/no-such-drive")}};
        chooser = std::make_unique<FolderChooser>(nullptr, std::move(setup));
    }
    QString path(const QString& relative) const { return QDir::toNativeSeparators(dir.filePath(relative)); }

    QTemporaryDir dir;
    quillfen::LocalFileSystem files;
    std::vector<std::pair<std::string, std::string>> questions;
    bool yes = false;
    std::unique_ptr<FolderChooser> chooser;
};

} // namespace

class FolderChooserTest : public QObject {
    Q_OBJECT

private slots:
    void shapesQuestion_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("asked");
        QTest::newRow("route target 0") << 0 << "routes/Shapes" << true;
        QTest::newRow("route target 1") << 1 << "routes/Shapes" << true;
        QTest::newRow("plain target 2") << 2 << "routes/Shapes" << false;
        QTest::newRow("a route folder") << 0 << "routes/other" << false;
    }

    void shapesQuestion() {
        QFETCH(int, target);
        QFETCH(QString, folder);
        QFETCH(bool, asked);
        ChooserFixture fixture(target);
        QVERIFY(fixture.chooser->setFolderPath(fixture.path(folder)));
        fixture.chooser->show();
        fixture.chooser->clickOk();
        QCOMPARE(fixture.questions.empty(), !asked);
        // Answering No (or not being asked) takes the folder.
        QCOMPARE(fixture.chooser->result(), int(QDialog::Accepted));
        QCOMPARE(fixture.chooser->values().strPfad, native(fixture.path(folder)));
        QVERIFY(!fixture.chooser->values().blnAbgebrochen);
    }

    void answeringYesKeepsTheChooserOpen() {
        ChooserFixture fixture(0);
        fixture.yes = true;
        fixture.chooser->values().strPfad = "start";
        QVERIFY(fixture.chooser->setFolderPath(fixture.path(QStringLiteral("routes/Shapes"))));
        fixture.chooser->show();
        fixture.chooser->clickOk();
        QVERIFY(fixture.chooser->isVisible());
        QCOMPARE(fixture.chooser->values().strPfad, std::string("start"));
        QCOMPARE(fixture.chooser->folderPath(), fixture.path(QStringLiteral("routes/Shapes")));
    }

    void questionTexts_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("closing");
        QTest::newRow("deutsch")
            << "deutsch"
            << "SHAPE-Verzeichnis gewählt!"
            << "Sie haben ein 'SHAPES'-Verzeichnis gewählt!\r\rBitte geben Sie nur"
            << "gespeichert:\r\r%1\r\rWollen Sie den Verzeichnis-Pfad nocheinmal bearbeiten?";
        QTest::newRow("english") << "english"
                                 << "SHAPE directory selected!"
                                 << "A 'SHAPES'-directory is selected!\r\rPlease select only"
                                 << "directory:\r\r%1\r\rDo you want to edit the directory path again?";
        QTest::newRow("other language") << "x"
                                        << "SHAPE directory selected!"
                                        << "A 'SHAPES'"
                                        << "%1\r\rDo you want to edit the directory path again?";
    }

    void questionTexts() {
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        ChooserFixture fixture(1, language.toStdString());
        const QString folder = fixture.path(QStringLiteral("routes/Shapes"));
        QVERIFY(fixture.chooser->setFolderPath(folder));
        fixture.chooser->clickOk();
        QCOMPARE(fixture.questions.size(), std::size_t{1});
        const auto& [askedTitle, text] = fixture.questions.front();
        QCOMPARE(QString::fromStdString(askedTitle), title);
        const QString shapes = folder + QString::fromStdString(quillfen::kSep) + QStringLiteral("SHAPES");
        QVERIFY(QString::fromStdString(text).startsWith(opening));
        QVERIFY(QString::fromStdString(text).endsWith(closing.arg(shapes)));
        QVERIFY(!QString::fromStdString(text).contains(u'\n'));
    }

    void waysOut_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("result");
        QTest::newRow("no folder") << "cmdNoFolder" << false << "";
        QTest::newRow("cancel") << "cmdCancel" << true << "start";
        QTest::newRow("window frame") << "" << false << "start";
    }

    void waysOut() {
        QFETCH(QString, button);
        QFETCH(bool, cancelled);
        QFETCH(QString, result);
        ChooserFixture fixture(0);
        fixture.chooser->values().strPfad = "start";
        QVERIFY(fixture.chooser->setFolderPath(fixture.path(QStringLiteral("routes"))));
        fixture.chooser->show();
        if (button.isEmpty())
            fixture.chooser->close();
        else
            fixture.chooser->findChild<QPushButton*>(button)->click();
        QVERIFY(!fixture.chooser->isVisible());
        QCOMPARE(fixture.chooser->values().blnAbgebrochen, cancelled);
        QCOMPARE(QString::fromStdString(fixture.chooser->values().strPfad), result);
    }

    void driveThatIsNotReady() {
        ChooserFixture fixture(0);
        const QString routes = fixture.path(QStringLiteral("routes"));
        QVERIFY(fixture.chooser->setFolderPath(routes));
        QCOMPARE(fixture.chooser->currentDrive(), 0);
        fixture.chooser->chooseDrive(1);
        QCOMPARE(fixture.chooser->findChild<QLabel*>(QStringLiteral("lblWarnung"))->text(),
                 QStringLiteral("Laufwerk nicht verfügbar!"));
        QCOMPARE(fixture.chooser->folderPath(), routes);
        fixture.chooser->chooseDrive(0);
        QVERIFY(fixture.chooser->findChild<QLabel*>(QStringLiteral("lblWarnung"))->text().isEmpty());
    }

    void folderListNavigates() {
        ChooserFixture fixture(2);
        QVERIFY(fixture.chooser->setFolderPath(fixture.path(QStringLiteral("routes"))));
        auto* list = fixture.chooser->findChild<QListWidget*>(QStringLiteral("dirDir"));
        QListWidgetItem* other = nullptr;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text().trimmed() == QStringLiteral("other")) other = list->item(row);
        QVERIFY(other != nullptr);
        emit list->itemActivated(other);
        QCOMPARE(fixture.chooser->folderPath(), fixture.path(QStringLiteral("routes/other")));
        QVERIFY(!fixture.chooser->setFolderPath(fixture.path(QStringLiteral("missing"))));
        QCOMPARE(fixture.chooser->folderPath(), fixture.path(QStringLiteral("routes/other")));
    }

    void texts_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("okCaption");
        QTest::addColumn<QString>("noFolderTip");
        QTest::newRow("deutsch") << "deutsch"
                                 << "Verzeichnis übernehemen"
                                 << " Es soll kein Verzeichnis gewählt werden und schließe ";
        QTest::newRow("english") << "english"
                                 << "Take directory"
                                 << " Quit and no directory will be selected ";
        QTest::newRow("empty") << ""
                               << "Take directory"
                               << " Quit and no directory will be selected ";
    }

    void texts() {
        QFETCH(QString, language);
        QFETCH(QString, okCaption);
        QFETCH(QString, noFolderTip);
        ChooserFixture fixture(0, language.toStdString());
        QCOMPARE(fixture.chooser->findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), okCaption);
        QCOMPARE(fixture.chooser->findChild<QPushButton*>(QStringLiteral("cmdNoFolder"))->toolTip(),
                 noFolderTip);
        QCOMPARE(fixture.chooser->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->text(),
                 QStringLiteral("Abbruch"));
        QCOMPARE(fixture.chooser->windowTitle(), QStringLiteral("Wählen Sie ein Strecken-Verzeichnis"));
        fixture.chooser->values().strTitel = "Select the route directory";
        fixture.chooser->show();
        QCOMPARE(fixture.chooser->windowTitle(), QStringLiteral("Select the route directory"));
    }

    // ---- the copy targets of the window ----------------------------------

    void switchingTargets_data() {
        QTest::addColumn<QList<int>>("checks"); // target numbers; negative: uncheck target -n-1
        QTest::addColumn<QList<bool>>("enabled");
        QTest::addColumn<bool>("textures");
        QTest::newRow("none") << QList<int>{} << QList<bool>{false, false, false} << false;
        QTest::newRow("target 1") << QList<int>{1} << QList<bool>{false, true, false} << true;
        QTest::newRow("unchecking one locks the textures box")
            << QList<int>{0, 2, -3} << QList<bool>{true, false, false} << false;
        QTest::newRow("checking one unlocks it again")
            << QList<int>{0, 2, -3, 1} << QList<bool>{true, true, false} << true;
    }

    void switchingTargets() {
        QFETCH(QList<int>, checks);
        QFETCH(QList<bool>, enabled);
        QFETCH(bool, textures);
        ChoiceTestForm form;
        form.install();
        for (int step : checks)
            form.check("chkShapeTo", step < 0 ? -step - 1 : step)
                ->setCheckState(step < 0 ? Qt::Unchecked : Qt::Checked);
        for (int target = 0; target < 3; ++target) {
            QCOMPARE(form.get<QPushButton>("cmdShapeCopy", target)->isEnabled(), enabled[target]);
            QCOMPARE(form.get<QPushButton>("cmdPathOpen", target)->isEnabled(), enabled[target]);
            QCOMPARE(form.get<QLabel>("lblCopyPfad", target)->isEnabled(), enabled[target]);
        }
        QCOMPARE(form.check("chkTextureCopy")->isEnabled(), textures);
    }

    void chooserRequest_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("labelExists");
        QTest::addColumn<QString>("title");
        QTest::newRow("German, folder exists") << "deutsch" << true << "Wähle das Strecken-Verzeichnis";
        QTest::newRow("English, folder gone") << "english" << false << "Select the route directory";
    }

    void chooserRequest() {
        QFETCH(QString, language);
        QFETCH(bool, labelExists);
        QFETCH(QString, title);
        QTemporaryDir dir;
        ChoiceTestForm form;
        form.install();
        form.state.gstrSprache = language.toStdString();
        form.state.gstrProgrammPfad = "/program";
        const QString labelled = labelExists ? dir.path() : dir.path() + QStringLiteral("/gone");
        form.get<QLabel>("lblCopyPfad", 1)->setText(labelled);
        form.check("chkShapeTo", 1)->setCheckState(Qt::Checked);
        form.chooserAnswer = {false, "/chosen"};
        form.get<QPushButton>("cmdShapeCopy", 1)->click();
        QCOMPARE(form.requests.size(), std::size_t{1});
        QCOMPARE(form.requests.front().target, 1);
        QCOMPARE(form.state.gintKopierZiel, 1);
        QCOMPARE(QString::fromStdString(form.requests.front().title), title);
        QCOMPARE(QString::fromStdString(form.requests.front().startFolder),
                 labelExists ? labelled : QStringLiteral("/program"));
        QCOMPARE(form.get<QLabel>("lblCopyPfad", 1)->text(), QStringLiteral("/chosen"));
    }

    void chooserAnswers_data() {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("checked");
        QTest::newRow("no folder unchecks the target") << false << ""
                                                       << "" << false;
        QTest::newRow("cancel changes nothing") << true << ""
                                                << "C:\\" << true;
        QTest::newRow("a folder") << false << "/routes/a"
                                  << "/routes/a" << true;
    }

    void chooserAnswers() {
        QFETCH(bool, cancelled);
        QFETCH(QString, path);
        QFETCH(QString, label);
        QFETCH(bool, checked);
        ChoiceTestForm form;
        form.install();
        form.check("chkShapeTo", 0)->setCheckState(Qt::Checked);
        form.chooserAnswer = {cancelled, path.toStdString()};
        form.get<QPushButton>("cmdShapeCopy", 0)->click();
        QCOMPARE(form.get<QLabel>("lblCopyPfad", 0)->text(), label);
        QCOMPARE(form.check("chkShapeTo", 0)->checkState() == Qt::Checked, checked);
        QCOMPARE(form.get<QPushButton>("cmdPathOpen", 0)->isEnabled(), checked);
        QCOMPARE(form.check("chkTextureCopy")->isEnabled(), checked);
    }

    void openingOnTheDesktop_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("labelOrName");
        QTest::addColumn<QString>("opened"); // %1: the temporary folder
        QTest::newRow("target folder") << "cmdPathOpen"
                                       << "%1/SHAPES"
                                       << "%1/SHAPES";
        QTest::newRow("target file") << "cmdPathOpen"
                                     << "%1/SHAPES/house.s"
                                     << "%1/SHAPES/house.s";
        QTest::newRow("target gone") << "cmdPathOpen"
                                     << "%1/gone"
                                     << "";
        QTest::newRow("target empty") << "cmdPathOpen"
                                      << ""
                                      << "";
        QTest::newRow("shapes folder") << "cmdShapeToExplorer"
                                       << " house.s "
                                       << "%1/SHAPES";
        QTest::newRow("shapes folder without the s-file") << "cmdShapeToExplorer"
                                                          << "other.s"
                                                          << "";
        QTest::newRow("3D view") << "cmd3DView"
                                 << "house.s"
                                 << "%1/SHAPES/house.s";
        QTest::newRow("3D view without the s-file") << "cmd3DView"
                                                    << "house"
                                                    << "";
        QTest::newRow("3D view without a name") << "cmd3DView"
                                                << ""
                                                << "";
    }

    void openingOnTheDesktop() {
        QFETCH(QString, button);
        QFETCH(QString, labelOrName);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("SHAPES"));
        QFile shape(dir.filePath(QStringLiteral("SHAPES/house.s")));
        QVERIFY(shape.open(QIODevice::WriteOnly));
        shape.close();
        ChoiceTestForm form;
        form.install();
        form.state.gstrProgrammPfad = native(dir.path());
        const QString filled =
            labelOrName.contains(QStringLiteral("%1")) ? labelOrName.arg(dir.path()) : labelOrName;
        if (button == QStringLiteral("cmdPathOpen")) {
            form.check("chkShapeTo", 2)->setCheckState(Qt::Checked);
            form.get<QLabel>("lblCopyPfad", 2)->setText(QDir::toNativeSeparators(filled));
            form.get<QPushButton>("cmdPathOpen", 2)->click();
        } else {
            form.edit("txtSDateiName")->setText(filled);
            form.get<QPushButton>(button.toLatin1().constData())->click();
        }
        if (opened.isEmpty()) {
            QVERIFY(form.opened.empty());
        } else {
            QCOMPARE(form.opened.size(), std::size_t{1});
            QCOMPARE(form.opened.front(), native(opened.arg(dir.path())));
        }
    }
};

QTEST_MAIN(FolderChooserTest)
#include "tst_folderchooser.moc"
