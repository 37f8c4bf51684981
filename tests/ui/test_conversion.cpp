// The conversion run started from the window: the button starts it with the
// controls' values, the window is locked while it runs and given back after.

#include "UiTestSupport.h"
#include "ui/BusyDisplay.h"

#include <QAbstractButton>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

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

} // namespace

class ConversionTest : public QObject {
    Q_OBJECT

private slots:
    void buttonRunsTheConversionAndGivesTheWindowBack() {
        test::WindowFixture model;
        model.writeHouse();
        InstantConverter converter;
        ui::WindowServices services;
        services.dialogs = &model.dialogs;
        services.processes = &converter;
        services.clock = &model.clock;
        services.advanceTime = [&model](double seconds) { model.clock.advance(seconds); };
        services.converterSearchEnvironment = [] { return ConverterSearchEnvironment{}; };
        services.exitProgram = [](int) {};
        MainWindow window(model.folder(), services);
        QCOMPARE(window.load(), 0);
        QSignalSpy finished(&window, &MainWindow::commandFinished);

        QTest::mouseClick(window.control<QAbstractButton>("cmdErzeugeShape"), Qt::LeftButton);
        QVERIFY(window.commandRunning());
        QVERIFY2(finished.wait(20000), window.host().logText().c_str());

        QCOMPARE(converter.launches.size(), std::size_t{1});
        const auto& arguments = converter.launches[0].arguments;
        QCOMPARE(arguments.size(), std::size_t{3});
        QVERIFY(QString::fromStdString(arguments[1]).endsWith("house_100.3ds"));
        QVERIFY(QString::fromStdString(arguments[2]).endsWith("house_500.3ds"));
        QVERIFY(model.exists("SHAPES/house_.s"));
        QVERIFY2(window.host().logText().rfind("Done!", 0) == 0, window.host().logText().c_str());
        QVERIFY(window.control<QWidget>("cmdErzeugeShape")->isEnabled());
        QVERIFY(!window.control<QWidget>("cmdAbbruch")->isEnabled());
        QCOMPARE(window.busyDisplay().blinkInterval(), 0);
    }
};

QTEST_MAIN(ConversionTest)
#include "test_conversion.moc"
