// The settings through the window: written at quit and read back at the next
// load, every one of the 25 values comes back through its control; a damaged
// file still gives a usable window.

#include "UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

/// The 25 saved values as the window shows them.
QStringList savedValues(MainWindow& window) {
    QStringList values;
    values << QString::number(window.control<QComboBox>("cmbLang")->currentIndex());
    for (const char* name : {"optNurSommerTextur", "optSchneeTextur", "optSchneeUndNachtTextur",
                             "optJahreszeitenTextur", "optManuellAlternativTexture"})
        values << QString::number(window.control<QRadioButton>(name)->isChecked());
    values << window.control<QLineEdit>("txtESD_Alter_Tex")->text();
    values << window.control<QComboBox>("cmbMipMap")->currentText();
    for (const char* name : {"chkTestOptionen", "chkAceUni", "chkShaderDiffuse", "chkShaderAddATexDiff"})
        values << QString::number(ui::checkValue(window.control<QCheckBox>(name)->checkState()));
    for (int target = 0; target < 3; ++target)
        values << QString::number(
            ui::checkValue(window.control<QCheckBox>("chkShapeTo", target)->checkState()));
    for (int target = 0; target < 3; ++target)
        values << window.control<QLabel>("lblCopyPfad", target)->text();
    values << QString::number(ui::checkValue(window.control<QCheckBox>("chkRefEintrag")->checkState()));
    values << window.control<QLineEdit>("txtRefClass")->text()
           << window.control<QLineEdit>("txtRefDescription")->text();
    values << QString::fromStdString(window.state().gstrConv3dsPfad);
    values << QString::number(ui::checkValue(window.control<QCheckBox>("chkBoundingBox")->checkState()));
    values << window.control<QLineEdit>("txtBBoxInput")->text();
    values << QString::number(window.isMaximized() ? 2 : 0);
    return values;
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void writtenSettingsRestoreEveryValue() {
        test::WindowFixture model;
        model.write("house_100.3ds");
        QDir(model.dir.path()).mkpath("tools");
        model.write("tools/conv3ds.exe");
        const QString converter = model.path("tools/conv3ds.exe");
        model.write("Quillfen.ini", "conv3dsPfad\t->\t" + converter.toUtf8() + "\r\n");
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);

        const QStringList designValues = savedValues(window);
        window.control<QComboBox>("cmbLang")->setCurrentIndex(1);
        window.control<QRadioButton>("optManuellAlternativTexture")->setChecked(true);
        window.control<QLineEdit>("txtESD_Alter_Tex")->setText("260");
        window.control<QComboBox>("cmbMipMap")->setCurrentText("-3");
        window.control<QCheckBox>("chkTestOptionen")->setCheckState(Qt::Checked);
        window.control<QCheckBox>("chkShaderDiffuse")->setCheckState(Qt::Checked);
        for (int target = 0; target < 3; ++target) {
            window.control<QCheckBox>("chkShapeTo", target)
                ->setCheckState(target == 1 ? Qt::Unchecked : Qt::Checked);
            window.control<QLabel>("lblCopyPfad", target)
                ->setText(model.path("route " + QString::number(target)));
        }
        window.control<QCheckBox>("chkRefEintrag")->setCheckState(Qt::Checked);
        window.control<QLineEdit>("txtRefClass")->setText("\"Buildings\"");
        window.control<QLineEdit>("txtRefDescription")->setText("Haus mit Garten äöü");
        window.control<QCheckBox>("chkBoundingBox")->setCheckState(Qt::Checked);
        window.control<QLineEdit>("txtBBoxInput")->setText("-1.5 0.0 -2.25 1.5 3.0 2.25");
        window.setWindowState(Qt::WindowMaximized);

        window.close();
        QCOMPARE(model.exitCodes, std::vector<int>{0});
        const QStringList written = savedValues(window); // after the quit's box validation
        QVERIFY(written != designValues);
        QCOMPARE(written.at(21), converter);
        const QByteArray file = model.read("Quillfen.ini");
        for (const char* line :
             {"cmbLang\t->\t1\r\n", "optNurSommerTextur\t->\t0\r\n",
              "optManuellAlternativTexture\t->\t-1\r\n", "chkShaderDiffuse\t->\t1\r\n",
              "chkShapeTo(1)\t->\t0\r\n", "chkShapeTo(2)\t->\t1\r\n", "WindowState\t->\t2\r\n"})
            QVERIFY2(file.contains(line), file.constData());

        MainWindow& again = model.open();
        QCOMPARE(model.loadResult, 0);
        QCOMPARE(savedValues(again), written);
        QCOMPARE(again.state().gstrSprache, std::string("deutsch"));
    }

    void damagedFileStillOpensTheWindow_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("maximized");
        QTest::newRow("German") << QByteArray("cmbLang\t->\t1\r\n") << 1 << false;
        QTest::newRow("language outside the list") << QByteArray("cmbLang\t->\t5\r\n") << 0 << false;
        QTest::newRow("negative language") << QByteArray("cmbLang\t->\t-1\r\n") << 0 << false;
        QTest::newRow("window state 7")
            << QByteArray("WindowState\t->\t7\r\ncmbLang\t->\t1\r\n") << 1 << false;
        QTest::newRow("window state 2, quoted") << QByteArray("WindowState\t->\t\"2\"\r\n") << 0 << true;
        QTest::newRow("words where numbers belong")
            << QByteArray("cmbLang\t->\tdeutsch\r\nchkAceUni\t->\tyes\r\nWindowState\t->\tbig\r\n") << 0
            << false;
        QTest::newRow("blank first line") << QByteArray("   \r\ncmbLang\t->\t1\r\n") << 0 << false;
        QTest::newRow("later line wins") << QByteArray("cmbLang\t->\t1\r\ncmbLang\t->\t0\r\n") << 0 << false;
        QTest::newRow("line without tab") << QByteArray("cmbLang 1\r\n") << 0 << false;
        QTest::newRow("binary garbage") << QByteArray("\x01\xff\xfe\x00\tcmb\x80Lang\r\n", 16) << 0 << false;
    }
    void damagedFileStillOpensTheWindow() {
        QFETCH(QByteArray, file);
        QFETCH(int, language);
        QFETCH(bool, maximized);
        test::WindowFixture model;
        model.writeHouse();
        model.write("Quillfen.ini", file);
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);
        QCOMPARE(window.control<QComboBox>("cmbLang")->currentIndex(), language);
        QCOMPARE(window.isMaximized(), maximized);
        QCOMPARE(window.control<QCheckBox>("chkAceUni")->checkState(), Qt::Unchecked);
        QVERIFY(model.dialogs.messages.empty());
    }

    void quotesAreDroppedOnlyWhereTheKeySaysSo() {
        test::WindowFixture model;
        model.writeHouse();
        model.write("Quillfen.ini", "lblCopyPfad(0)\t->\t\"/routes/a\"\r\ntxtRefClass\t->\t\"Houses\"\r\n"
                                    "txtRefDescription\t->\tA->B\tC\r\n");
        MainWindow& window = model.open();
        QCOMPARE(window.control<QLabel>("lblCopyPfad", 0)->text(), QString("/routes/a"));
        QCOMPARE(window.control<QLineEdit>("txtRefClass")->text(), QString("\"Houses\""));
        QCOMPARE(window.control<QLineEdit>("txtRefDescription")->text(), QString("ABC"));
    }

    void optionsAndCheckValuesFromTheFile() {
        test::WindowFixture model;
        model.writeHouse();
        model.write("Quillfen.ini",
                    "optNurSommerTextur\t->\t0\r\nchkRefEintrag\t->\t2\r\nchkBoundingBox\t->\t\"1\"\r\n");
        MainWindow& window = model.open();
        QVERIFY(!window.control<QRadioButton>("optNurSommerTextur")->isChecked());
        // The file counts 1 as checked and 2 as grey.
        QCOMPARE(window.control<QCheckBox>("chkRefEintrag")->checkState(), Qt::PartiallyChecked);
        QCOMPARE(window.control<QCheckBox>("chkBoundingBox")->checkState(), Qt::Checked);
    }

    void runChoicesAreTheControlsValues() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.control<QListWidget>("lstLODListe")->item(0)->setCheckState(Qt::Unchecked);
        window.control<QLineEdit>("txtSDateiName")->setText("villa");
        window.control<QRadioButton>("optJahreszeitenTextur")->setChecked(true);
        window.control<QCheckBox>("chkCMD_sichtbar")->setCheckState(Qt::Checked);
        window.control<QCheckBox>("chkShapeTo", 2)->setCheckState(Qt::Checked);
        window.control<QLabel>("lblCopyPfad", 2)->setText("/routes/x");
        window.control<QComboBox>("cmbMipMap")->setCurrentText("-2");
        window.control<QLineEdit>("txtRefDescription")->setText("  untrimmed ");
        const RunChoices choices = window.runChoices();
        QCOMPARE(choices.lodRowChecked, (std::vector<bool>{false, true}));
        QCOMPARE(choices.txtSDateiName, std::string("villa"));
        QVERIFY(choices.optJahreszeitenTextur);
        QVERIFY(!choices.optNurSommerTextur);
        QCOMPARE(choices.chkCMD_sichtbar, 1);
        QCOMPARE(choices.chkShapeTo, (std::array<int, 3>{0, 0, 1}));
        QCOMPARE(choices.lblCopyPfad[2], std::string("/routes/x"));
        QCOMPARE(choices.cmbMipMap, std::string("-2"));
        QCOMPARE(choices.txtRefDescription, std::string("  untrimmed "));
    }

    void unwritableSettingsSayWhyAndStillQuit() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        QVERIFY(QDir(model.dir.path()).mkpath("Quillfen.ini")); // a folder where the file belongs
        window.close();
        QCOMPARE(model.exitCodes, std::vector<int>{0});
        QCOMPARE(model.dialogs.messages.size(), std::size_t{1});
        QVERIFY(model.dialogs.messages[0].text.rfind("Could not save the settings:\r", 0) == 0);
        QVERIFY(model.dialogs.messages[0].text.find("Quillfen.ini") != std::string::npos);
    }
};

QTEST_MAIN(SettingsTest)
#include "test_settings.moc"
