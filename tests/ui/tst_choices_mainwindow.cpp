// The choice handlers plugged into the real main window: the window's state,
// dialogs and clock reach them, and the controls of the window design react.

#include "UiTestSupport.h"
#include "ui/ChoiceHandlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using quillfen::test::WindowFixture;

class ChoicesInMainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void testOptionsStartLockedAndUnlockByAnOption() {
        WindowFixture fixture;
        fixture.writeHouse();
        quillfen::ui::MainWindow& window = fixture.open();
        QCOMPARE(fixture.loadResult, 0);
        QVERIFY(!window.control<QGroupBox>("fraTestOptionen")->isEnabled());
        window.control<QCheckBox>("chkShaderDiffuse")->setCheckState(Qt::Checked);
        QCOMPARE(window.control<QCheckBox>("chkTestOptionen")->checkState(), Qt::Checked);
        QVERIFY(window.control<QGroupBox>("fraTestOptionen")->isEnabled());
    }

    void blinkOnTheWindowsClockDoesNotWait() {
        WindowFixture fixture;
        fixture.writeHouse();
        quillfen::ui::MainWindow& window = fixture.open();
        window.control<QCheckBox>("chkAceUni")->setCheckState(Qt::Checked);
        QElapsedTimer timer;
        timer.start();
        quillfen::ui::BlinkeAktiveTestOptionen(window);
        QVERIFY(timer.elapsed() < 1000);
    }

    void referenceSwitchStaysUsableInsideItsFrame() {
        WindowFixture fixture;
        fixture.writeHouse();
        quillfen::ui::MainWindow& window = fixture.open();
        auto* reference = window.control<QCheckBox>("chkRefEintrag");
        reference->setCheckState(Qt::Checked);
        reference->setCheckState(Qt::Unchecked);
        QVERIFY(reference->isEnabled());
        QVERIFY(!window.control<QLineEdit>("txtRefClass")->isEnabled());
    }

    void copyTargetThroughTheWindowsDialogs() {
        WindowFixture fixture;
        fixture.writeHouse();
        quillfen::ui::MainWindow& window = fixture.open();
        window.control<QCheckBox>("chkShapeTo", 0)->setCheckState(Qt::Checked);
        fixture.dialogs.folderAnswer = {false, ""};
        window.control<QPushButton>("cmdShapeCopy", 0)->click();
        QCOMPARE(fixture.dialogs.folderRequests.size(), std::size_t{1});
        QCOMPARE(fixture.dialogs.folderRequests.front().startFolder, window.state().gstrProgrammPfad);
        QCOMPARE(window.control<QCheckBox>("chkShapeTo", 0)->checkState(), Qt::Unchecked);
        QVERIFY(window.control<QLabel>("lblCopyPfad", 0)->text().isEmpty());
    }

    void proposalAndViewer() {
        WindowFixture fixture;
        fixture.writeHouse();
        QDir(fixture.dir.path()).mkpath(QStringLiteral("SHAPES"));
        fixture.write(QStringLiteral("SHAPES/house_.s"));
        quillfen::ui::MainWindow& window = fixture.open();
        window.control<QLineEdit>("txtSDateiName")->setText(QStringLiteral("x"));
        window.control<QPushButton>("cmdVorschlagUebernehmen")->click();
        QCOMPARE(window.control<QLineEdit>("txtSDateiName")->text(), QStringLiteral("house_.s"));
        window.control<QPushButton>("cmd3DView")->click();
        QCOMPARE(fixture.dialogs.opened.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(fixture.dialogs.opened.front()),
                 QDir::toNativeSeparators(fixture.path(QStringLiteral("SHAPES/house_.s"))));
    }

    void mipMapBoxHoldsItsNineEntries() {
        WindowFixture fixture;
        fixture.writeHouse();
        quillfen::ui::MainWindow& window = fixture.open();
        auto* box = window.control<QComboBox>("cmbMipMap");
        QCOMPARE(box->count(), 9);
        QCOMPARE(box->currentText(), QStringLiteral("0"));
        box->setCurrentText(QStringLiteral("nonsense"));
        QCOMPARE(box->currentText(), QStringLiteral("0"));
    }
};

QTEST_MAIN(ChoicesInMainWindowTest)
#include "tst_choices_mainwindow.moc"
