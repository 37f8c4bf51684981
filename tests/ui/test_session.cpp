// The window's session: start folder, load, the commands its buttons start, quit and the settings.

#include "support/HandWrittenShape.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "ui/BusyDisplay.h"
#include "ui/StartFolderChoice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace quillfen;
using quillfen::test::TempFolder;
using quillfen::ui::MainWindow;

namespace {

CommandTask waitingCommand(CommandHost& host, int* resumed, bool* destroyed) {
    const auto mark = qScopeGuard([destroyed] { *destroyed = true; }); // the command's locals go
    host.lockControls();
    for (;;) {
        ++*resumed;
        co_await yieldFor(30.0);
    }
}

/// A converter that writes its s-file at once.
class InstantConverter final : public ProcessStarter {
public:
    LaunchResult startConverter(const ConverterLaunch& launch) override {
        launches.push_back(launch);
        QFile out(QString::fromStdString(launch.arguments.at(0)));
        if (out.open(QIODevice::WriteOnly))
            out.write(
                "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\timages ( 1\r\n\t\timage ( wall.ace )\r\n"
                "\t)\r\n\ttextures ( 1\r\n\t\ttexture ( 0 0 0 ff000000 )\r\n\t)\r\n)\r\n");
        return {};
    }
    std::vector<ConverterLaunch> launches;
};

/// The 25 saved values as the window shows them.
QStringList savedValues(MainWindow& window) {
    const ui::WindowControls& c = window.ui();
    const auto check = [](const auto* box) { return QString::number(ui::checkValue(box->checkState())); };
    QStringList values{QString::number(c.cmbLang->currentIndex())};
    for (const QRadioButton* option : {c.optNurSommerTextur, c.optSchneeTextur, c.optSchneeUndNachtTextur,
                                       c.optJahreszeitenTextur, c.optManuellAlternativTexture})
        values << QString::number(option->isChecked());
    values << c.txtESD_Alter_Tex->text() << c.cmbMipMap->currentText();
    for (const QCheckBox* box : {c.chkTestOptionen, c.chkAceUni, c.chkShaderDiffuse, c.chkShaderAddATexDiff})
        values << check(box);
    for (const QCheckBox* box : c.chkShapeTo) values << check(box);
    for (const QLabel* label : c.lblCopyPfad) values << label->text();
    values << check(c.chkRefEintrag) << c.txtRefClass->text() << c.txtRefDescription->text()
           << QString::fromStdString(window.state().gstrConv3dsPfad) << check(c.chkBoundingBox)
           << c.txtBBoxInput->text() << QString::number(window.isMaximized() ? 2 : 0);
    return values;
}

const QString kValues = "-1.2345 0 -0.5 1.2345 2.75 0.5"; ///< the box of boxShape()

/// A shape whose box has negative values, decimals and a zero.
QByteArray boxShape() {
    test::ShapeText shape;
    shape.points = {"-1.2345 0 -0.5", "1.2345 2.75 0.5"};
    shape.levels = {test::LevelText{"1 -1", {test::SubObjectText{{0, 1}, {"0 0 2"}, "", ""}}}};
    return QByteArray::fromStdString(shape.text());
}

const auto displayLine = [](const QString& values) { return "ESD_Bounding_Box ( " + values + " )"; };

/// The window loaded in English with the box switched on, whose waits pass at once.
struct BoxWindow : test::WindowFixture {
    BoxWindow() {
        writeHouse();
        QDir(dir.path()).mkpath("SHAPES");
        onWait = [] {}; // tests put their own hook here later
        open();
        window->SetzeSprache("english");
        window->ui().chkBoundingBox->setCheckState(Qt::Checked);
        input()->setText("1 1 1 1 1 1");
        window->ui().txtSDateiName->setText("haus");
    }

    /// Clicks the button and runs the command to its end, noting the display line's text and colour then.
    bool runCommand() {
        QSignalSpy finished(window.get(), &MainWindow::commandFinished);
        const auto connection = QObject::connect(window.get(), &MainWindow::commandFinished, [this] {
            endText = display()->text();
            endColour = display()->palette().color(QPalette::Text);
        });
        QTest::mouseClick(window->ui().cmdBBoxAusShape, Qt::LeftButton);
        const bool ended = finished.count() > 0 || finished.wait(10000);
        QObject::disconnect(connection);
        return ended;
    }

    [[nodiscard]] QLineEdit* input() const { return window->ui().txtBBoxInput; }
    [[nodiscard]] QLineEdit* display() const { return window->ui().txtBBox; }
    [[nodiscard]] bool normalColour() const {
        return display()->palette().color(QPalette::Text) ==
               QApplication::palette(display()).color(QPalette::Text);
    }

    /// Whether the window is given back: controls enabled, animation stopped, flag cleared.
    [[nodiscard]] bool released() const {
        return !window->commandRunning() && !window->boundingBoxFlag() &&
               window->busyDisplay().blinkInterval() == 0 && window->ui().cmdBBoxAusShape->isEnabled() &&
               window->ui().cmdErzeugeShape->isEnabled() && window->ui().chkBoundingBox->isEnabled() &&
               input()->isEnabled();
    }

    QString endText;
    QColor endColour;
};

} // namespace

class SessionTest : public QObject {
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
        // Without models the modeller is asked, from the current directory, which a cancelled dialog keeps.
        QCOMPARE(start({"quillfen"}, qt(chosen), Language::German), QDir(qt(chosen)).absolutePath());
        QCOMPARE(asked, (QStringList{"Ordner mit den 3ds-Dateien des Modells wählen", qt(current)}));
        QCOMPARE(start({"quillfen"}, {}, Language::English), QDir(qt(current)).absolutePath());
        // A folder argument is taken as it is.
        QCOMPARE(start({"quillfen", qt(program)}, {}, Language::English), QDir(qt(program)).absolutePath());
        QVERIFY(asked.isEmpty());
    }

    void failedCheckShowsItsBoxAndEndsWithoutSaving() {
        // The box in the saved language (a missing converter's names the saved place too), then nothing
        // saved.
        const std::tuple<QStringList, QByteArray, std::string, std::string> cases[] = {
            {{"wall.ace", "conv3ds.exe"}, "cmbLang\t->\t1\r\n", "Dateien FEHLEN!!!", "keine '3DS'-Datei"},
            {{"house_100.3ds"},
             "conv3dsPfad\t->\t/nowhere/conv3ds.exe\r\n",
             "Missing files!!!",
             "\r/nowhere/conv3ds.exe\r"}};
        for (const auto& [files, settings, title, part] : cases) {
            test::WindowFixture model;
            for (const QString& name : files) model.write(name);
            if (!settings.isEmpty()) model.write("Quillfen.ini", settings);
            MainWindow& window = model.open();
            QCOMPARE(model.loadResult, 1);
            QCOMPARE(model.dialogs.messages.size(), std::size_t{1});
            const auto& [shownTitle, text] = model.dialogs.messages[0];
            QVERIFY2(shownTitle == title && text.find(part) != std::string::npos, text.c_str());
            window.close();
            QVERIFY(model.read("Quillfen.ini") == settings && !window.hasQuit());
        }
    }

    void buttonRunsTheConversionAndGivesTheWindowBack() {
        test::WindowFixture model;
        model.writeHouse();
        InstantConverter converter;
        model.processes = &converter;
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);
        QSignalSpy finished(&window, &MainWindow::commandFinished);
        window.ui().lstLODListe->item(0)->setCheckState(Qt::Unchecked); // the unticked LOD stays out
        QTest::mouseClick(window.ui().cmdErzeugeShape, Qt::LeftButton);
        QVERIFY(window.commandRunning());
        QVERIFY(!window.startCommand([]() -> CommandTask { co_return 0; }())); // one command at a time
        QVERIFY2(finished.wait(20000), window.host().logText().c_str());
        QCOMPARE(converter.launches.size(), std::size_t{1});
        const auto& arguments = converter.launches[0].arguments;
        QVERIFY(arguments.size() == 2 && arguments[1].ends_with("house_500.3ds"));
        QVERIFY(model.exists("SHAPES/house_.s"));
        QCOMPARE(window.windowTitle(), QString("Quillfen " QUILLFEN_VERSION));
        QVERIFY2(window.host().logText().rfind("Done!", 0) == 0, window.host().logText().c_str());
        QVERIFY(window.ui().cmdErzeugeShape->isEnabled() && !window.ui().cmdAbbruch->isEnabled());
        QCOMPARE(window.busyDisplay().blinkInterval(), 0);
    }

    void quitDuringAWaitDropsTheCommandAndRunsOnceHoweverTheWindowCloses() {
        test::OpenHouse model;
        MainWindow& window = *model.window;
        QSignalSpy quits(&window, &MainWindow::quitFinished);
        int resumed = 0;
        bool destroyed = false;
        QVERIFY(window.startCommand(waitingCommand(window.host(), &resumed, &destroyed)));
        QTRY_COMPARE_WITH_TIMEOUT(resumed, 1, 2000);
        QVERIFY(!window.ui().cmdErzeugeShape->isEnabled());
        QTest::mouseClick(window.ui().cmdQuit, Qt::LeftButton);
        window.close();
        window.quit();
        QVERIFY(destroyed && !window.commandRunning());
        QCOMPARE(quits.count(), 1);
        QCOMPARE(model.exitCodes, std::vector<int>{0});
        // The settings are written; the converter lay beside the program at start, so it stays.
        QVERIFY(model.exists("Quillfen.ini") && model.exists("conv3ds.exe"));
    }

    void writtenSettingsRestoreEveryValue() {
        test::WindowFixture model;
        model.write("house_100.3ds");
        QDir(model.dir.path()).mkpath("tools");
        model.write("tools/conv3ds.exe");
        const QString converter = model.path("tools/conv3ds.exe");
        // Values the controls cannot take leave them as designed.
        model.write("Quillfen.ini", "cmbLang\t->\t5\r\nWindowState\t->\t7\r\nconv3dsPfad\t->\t" +
                                        converter.toUtf8() + "\r\n");
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);
        QVERIFY(!window.state().gblnConv3dsBeimProgramm); // so the quit removes one that comes later
        model.write("conv3ds.exe");

        const QStringList designValues = savedValues(window);
        QVERIFY(designValues.first() == "0" && designValues.last() == "0" && model.dialogs.messages.empty());
        const ui::WindowControls& c = window.ui();
        c.cmbLang->setCurrentIndex(1);
        c.optManuellAlternativTexture->setChecked(true);
        c.txtESD_Alter_Tex->setText("260");
        c.cmbMipMap->setCurrentText("-3");
        c.chkTestOptionen->setCheckState(Qt::Checked);
        c.chkShaderDiffuse->setCheckState(Qt::Checked);
        for (std::size_t target = 0; target < 3; ++target) {
            c.chkShapeTo[target]->setChecked(target != 1);
            c.lblCopyPfad[target]->setText(model.path("route " + QString::number(target)));
        }
        c.chkRefEintrag->setCheckState(Qt::PartiallyChecked); // written as 2
        c.txtRefClass->setText("\"Buildings\"");
        c.txtRefDescription->setText("Haus mit Garten äöü");
        c.chkBoundingBox->setCheckState(Qt::Checked);
        c.txtBBoxInput->setText("-1.5 0.0 -2.25 1.5 3.0 2.25");
        window.setWindowState(Qt::WindowMaximized);

        window.close();
        QCOMPARE(model.exitCodes, std::vector<int>{0});
        QVERIFY(!model.exists("conv3ds.exe") && model.exists("tools/conv3ds.exe"));
        const QStringList written = savedValues(window); // after the quit's box validation
        QVERIFY(written != designValues);
        QCOMPARE(written.at(21), converter);
        const QByteArray file = model.read("Quillfen.ini");
        for (const char* line : {"optManuellAlternativTexture\t->\t-1\r\n", "chkRefEintrag\t->\t2\r\n",
                                 "WindowState\t->\t2\r\n"})
            QVERIFY2(file.contains(line), file.constData());

        MainWindow& again = model.open();
        QCOMPARE(model.loadResult, 0);
        QCOMPARE(savedValues(again), written);
        QVERIFY(again.state().gstrSprache == Language::German);
    }

    void unwritableSettingsSayWhyAndStillQuit() {
        test::OpenHouse model;
        QVERIFY(QDir(model.dir.path()).mkpath("Quillfen.ini")); // a folder where the file belongs
        model.window->close();
        QVERIFY(model.exitCodes == std::vector<int>{0} && model.dialogs.messages.size() == 1);
        const std::string& text = model.dialogs.messages[0].text;
        QVERIFY2(text.starts_with("Could not save the settings:\r") &&
                     text.find("Quillfen.ini") != std::string::npos,
                 text.c_str());
    }

    void aMissingShapeStandsInRedUntilTheLabelTimer() {
        BoxWindow box;
        QCOMPARE(box.loadResult, 0);
        box.window->SetzeSprache("deutsch");
        box.window->ui().txtSDateiName->setText("Haus.S"); // the typed ending kept
        const QString message = "Shape-Datei Haus.S (noch) nicht gefunden!";
        QVERIFY(box.runCommand());
        QVERIFY(box.endText == message && box.endColour == QColor(Qt::red));
        // The two seconds of the label pass in the window's virtual time.
        QVERIFY(std::find(box.waits.begin(), box.waits.end(), 2.0) != box.waits.end());
        QTRY_VERIFY(!box.window->ui().tmrBBoxLabel->isActive());
        QVERIFY(box.normalColour());
        QVERIFY(box.display()->text() == message && box.input()->text() == "1 1 1 1 1 1");
        QVERIFY(box.dialogs.questions.empty() && box.released());
        // The message stays until the input changes; then the line follows it again.
        box.input()->setText("2 2 2 2 2 2");
        QCOMPARE(box.display()->text(), displayLine("2 2 2 2 2 2"));
    }

    void yesHandsTheValuesOver() {
        // The question shows the user's decimal separator; the input box always gets points.
        const QByteArray oldLocale = qgetenv("LC_ALL");
        qputenv("LC_ALL", "de_DE.UTF-8");
        const auto restore = qScopeGuard([&oldLocale] { qputenv("LC_ALL", oldLocale); });
        const QString asked = QString(kValues).replace('.', ',');
        BoxWindow box;
        box.write("SHAPES/haus.s", boxShape());
        box.dialogs.answers = {true};
        QVERIFY(box.runCommand());
        QCOMPARE(box.dialogs.questions.size(), std::size_t{1});
        QVERIFY(box.dialogs.questions[0].text.find(displayLine(asked).toStdString()) != std::string::npos);
        QCOMPARE(box.input()->text(), kValues);
        QCOMPARE(box.display()->text(), displayLine(kValues));
        QVERIFY(box.normalColour() && box.released());
    }

    void takingOverTheSameValuesReplacesAnEarlierMessage() {
        // The values in the box may already be the new ones; the display line still loses the old message.
        BoxWindow box;
        box.input()->setText(kValues);
        QVERIFY(box.runCommand());
        QCOMPARE(box.display()->text(), QString("Shape file haus.s not found (yet)!"));
        box.write("SHAPES/haus.s", boxShape());
        box.dialogs.answers = {true};
        QVERIFY(box.runCommand());
        QCOMPARE(box.display()->text(), displayLine(kValues));
        QVERIFY(box.released());
    }
};

QTEST_MAIN(SessionTest)
#include "test_session.moc"
