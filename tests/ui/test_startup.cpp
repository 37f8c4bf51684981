// The window load: the LOD list it builds, each start-up message box with the
// end of the program before anything is saved, and the quit procedure that
// runs once however the window is closed, also while a command waits.

#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

QStringList rows(MainWindow& window) {
    QStringList texts;
    auto* list = window.control<QListWidget>("lstLODListe");
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
}

/// Marks its own destruction, so a test sees the command's locals go.
struct DestructionMark {
    bool* destroyed;
    ~DestructionMark() { *destroyed = true; }
};

CommandTask waitingCommand(CommandHost& host, int* resumed, bool* destroyed) {
    DestructionMark mark{destroyed};
    host.lockControls();
    for (;;) {
        ++*resumed;
        co_await yieldFor(30.0);
    }
}

CommandTask shortCommand(CommandHost& host, int steps) {
    host.lockControls();
    for (int step = 0; step < steps; ++step) {
        host.log("step " + std::to_string(step));
        co_await yieldFor(0.0);
    }
    host.releaseControls();
    co_return 7;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void loadListsTheLodFilesNearestFirst() {
        test::WindowFixture model;
        for (const char* name : {"a_500.3ds", "a_2000.3ds", "a_100.3ds", "conv3ds.exe"}) model.write(name);
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);
        QCOMPARE(rows(window), QStringList({"a_100.3ds", "a_500.3ds", "a_2000.3ds"}));
        auto* list = window.control<QListWidget>("lstLODListe");
        for (int row = 0; row < list->count(); ++row) QCOMPARE(list->item(row)->checkState(), Qt::Checked);
        QCOMPARE(window.control<QLineEdit>("txtSDateiName")->text(), QString("a_.s"));
        QCOMPARE(window.state().gstrSDateiName, std::string("a_.s"));
        QCOMPARE(window.control<QLabel>("lblLODsGefunden")->text(), QString("3 LODs found:"));
        QCOMPARE(window.windowTitle(), QString("Quillfen " QUILLFEN_VERSION));
        QCOMPARE(window.control<QComboBox>("cmbMipMap")->currentText(), QString("0"));
        QVERIFY(window.state().gblnConv3dsBeimProgramm);
        QVERIFY(window.isVisible());
        QVERIFY(model.dialogs.messages.empty());
    }

    void lastCheckedRowStaysChecked() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        auto* list = window.control<QListWidget>("lstLODListe");
        list->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
        list->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
    }

    void failedCheckShowsItsBoxAndEndsWithoutSaving_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text"); // "%1" stands for the working folder
        QTest::newRow("no 3DS file") << QStringList{"wall.ace", "conv3ds.exe"} << QString()
                                     << "Missing files!!!"
                                     << "In the current directory \r\r'%1'\r\rcan't find '3ds'-file(s)!\r";
        QTest::newRow("no 3DS file, German")
            << QStringList{"wall.ace", "conv3ds.exe"} << "cmbLang\t->\t1\r\n"
            << "Dateien FEHLEN!!!"
            << "Kann im aktuellen Verzeichnis \r\r'%1'\r\rkeine '3DS'-Datei finden!\r";
        QTest::newRow("no distance anywhere")
            << QStringList{"haus.3ds", "conv3ds.exe"} << QString() << QString()
            << "No LOD-instruction found in the name of the 3ds-file!";
        QTest::newRow("only a number")
            << QStringList{"2000.3ds", "conv3ds.exe"} << QString() << QString()
            << "The name of the 3ds-file:  - 2000.3ds -  contains only a number before the '.3ds' file "
               "extension.\r\rBecause of that the converter (conv3ds.exe) can't determine the LOD distance "
               "range "
               "for MSTS!\r\rIf this distance, for example, is supposed to be 1500 meters, then the correct "
               "file "
               "name would be:\r  2000_1500.3DS ";
        QTest::newRow("no number before the extension, German only")
            << QStringList{"haus_2000.3dsx", "conv3ds.exe"} << QString() << QString()
            << "Die 3ds-Datei:\r- haus_2000.3dsx\renthält keinen Zahlenwert vor der '.3ds'-Datei-Endung.\r\r"
               "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu "
               "bestimmen!\r\rWenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige "
               "Dateiname:\r- haus_2000.2000.3DS";
        QTest::newRow("no converter") << QStringList{"house_100.3ds"} << QString() << "Missing files!!!"
                                      << "Can't find 'conv3ds.exe'!\r";
        QTest::newRow("no converter, German") << QStringList{"house_100.3ds"} << "cmbLang\t->\t1\r\n"
                                              << "Dateien FEHLEN!!!"
                                              << "Konverterprogramm 'conv3ds.exe' nicht gefunden!\r";
        QTest::newRow("saved converter path gone")
            << QStringList{"house_100.3ds"} << "conv3dsPfad\t->\t/nowhere/conv3ds.exe\r\n"
            << "Missing files!!!"
            << "Can't find 'conv3ds.exe'!\r";
    }
    void failedCheckShowsItsBoxAndEndsWithoutSaving() {
        QFETCH(QStringList, files);
        QFETCH(QString, settings);
        QFETCH(QString, title);
        QFETCH(QString, text);
        test::WindowFixture model;
        for (const QString& name : files) model.write(name);
        if (!settings.isEmpty()) model.write("Quillfen.ini", settings.toUtf8());
        const QByteArray settingsBefore = model.read("Quillfen.ini");

        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 1);
        QCOMPARE(model.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(model.dialogs.messages[0].title), title);
        QCOMPARE(QString::fromStdString(model.dialogs.messages[0].text),
                 text.arg(QString::fromStdString(model.folder())));
        // Nothing is saved, neither by the load nor by closing what is left of the window.
        window.close();
        QCOMPARE(model.read("Quillfen.ini"), settingsBefore);
        QCOMPARE(model.exists("Quillfen.ini"), !settings.isEmpty());
        QVERIFY(!window.hasQuit());
    }

    void unreadableFolderSaysWhy() {
        test::WindowFixture model;
        ui::WindowServices services;
        services.dialogs = &model.dialogs;
        services.converterSearchEnvironment = [] { return ConverterSearchEnvironment{}; };
        services.exitProgram = [](int) {};
        MainWindow window(model.folder() + "/no-such-folder", services);
        QCOMPARE(window.load(), 1);
        QCOMPARE(model.dialogs.messages.size(), std::size_t{1});
        const std::string& text = model.dialogs.messages[0].text;
        QVERIFY(text.find("no-such-folder") != std::string::npos);
        QVERIFY(text.find("can't find '3ds'-file(s)!") != std::string::npos);
    }

    void quitRunsOnceHoweverTheWindowCloses() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        QSignalSpy quits(&window, &MainWindow::quitFinished);
        QTest::mouseClick(window.control<QAbstractButton>("cmdQuit"), Qt::LeftButton);
        window.close();
        window.quit();
        QCOMPARE(quits.count(), 1);
        QCOMPARE(model.exitCodes, std::vector<int>{0});
        QVERIFY(model.exists("Quillfen.ini"));
        // The converter lay beside the program at start, so it stays.
        QVERIFY(model.exists("conv3ds.exe"));
    }

    void quitRemovesAConverterThatCameLater() {
        test::WindowFixture model;
        model.write("house_100.3ds");
        QDir(model.dir.path()).mkpath("tools");
        model.write("tools/conv3ds.exe");
        model.write("Quillfen.ini", "conv3dsPfad\t->\t" + model.path("tools/conv3ds.exe").toUtf8() + "\r\n");
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);
        QVERIFY(!window.state().gblnConv3dsBeimProgramm);
        model.write("conv3ds.exe");
        window.close();
        QVERIFY(!model.exists("conv3ds.exe"));
        QVERIFY(model.exists("tools/conv3ds.exe"));
    }

    void commandRunsFromTheEventLoopToItsEnd() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        QSignalSpy finished(&window, &MainWindow::commandFinished);
        QVERIFY(window.startCommand(shortCommand(window.host(), 3)));
        QVERIFY(window.commandRunning());
        QVERIFY(!window.startCommand(shortCommand(window.host(), 1))); // one command at a time
        QVERIFY(finished.wait(2000));
        QVERIFY(!window.commandRunning());
        QCOMPARE(window.host().logText(), std::string("step 2\r\nstep 1\r\nstep 0\r\n"));
        QVERIFY(window.control<QWidget>("cmdErzeugeShape")->isEnabled());
    }

    void closingDuringAWaitDropsTheCommandAndQuitsOnce() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        QSignalSpy quits(&window, &MainWindow::quitFinished);
        int resumed = 0;
        bool destroyed = false;
        QVERIFY(window.startCommand(waitingCommand(window.host(), &resumed, &destroyed)));
        QTRY_COMPARE_WITH_TIMEOUT(resumed, 1, 2000);
        QVERIFY(!window.control<QWidget>("cmdErzeugeShape")->isEnabled());
        QVERIFY(window.control<QWidget>("cmdQuit")->isEnabled());

        window.close();
        QVERIFY(destroyed);
        QVERIFY(!window.commandRunning());
        QCOMPARE(quits.count(), 1);
        QCOMPARE(model.exitCodes, std::vector<int>{0});
        QVERIFY(model.exists("Quillfen.ini"));
        QTest::qWait(50);
        QCOMPARE(resumed, 1);
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
