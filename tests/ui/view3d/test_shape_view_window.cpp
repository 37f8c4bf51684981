// The 3D view window on the example house: its level list (the nearest level
// first, the automatic choice following the camera), the box switch, the facts
// line with missing pictures in red, the reset key and the hand-over button.

#include "support/ExampleModel.h"

#include "platform/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/ShapeViewWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace quillfen;
using namespace quillfen::ui;

namespace {

ShapeViewTexts texts() {
    return {"View %1", "auto", "L%1 %2", "box", "external", "P%1 T%2 S%3 X%4 B%5", "missing: %1", "hint"};
}

std::unique_ptr<ShapeViewWindow> openWindow(const test::ExampleModel& model,
                                            std::function<void()> external = {}) {
    LocalFileSystem fileSystem;
    auto scene = view3d::ShapeScene::load(fileSystem, model.shapePath());
    if (!scene) qFatal("%s", scene.error().message().c_str());
    auto window =
        std::make_unique<ShapeViewWindow>(std::make_unique<view3d::ShapeScene>(std::move(scene.value())),
                                          model.shapePath(), texts(), std::move(external));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
}

} // namespace

class ShapeViewWindowTest : public QObject {
    Q_OBJECT

private slots:
    void levelsFactsBoxAndHandOver() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        QFile::remove(model.path("wall.ace"));
        int handedOver = 0;
        const auto window = openWindow(model, [&handedOver] { ++handedOver; });
        QCOMPARE(window->windowTitle(), QStringLiteral("View house.s"));
        // The facts name the box's size and, in red, the missing picture.
        const QString facts = window->factsLine()->text();
        QVERIFY2(facts.contains(QStringLiteral(" B8.6 × 6.1 × 6.6 m")), qPrintable(facts));
        QVERIFY2(facts.contains(QStringLiteral("color:#d00000\">missing: wall.ace")), qPrintable(facts));
        // The levels nearest first after the automatic choice, which follows the camera: close by,
        // the nearest level; far away, the last; the reset key brings the camera back.
        QCOMPARE(window->levels()->count(), 3);
        QCOMPARE(window->levels()->itemText(1), QStringLiteral("L0 100"));
        QCOMPARE(window->levels()->itemText(2), QStringLiteral("L1 500"));
        QCOMPARE(window->levels()->currentIndex(), 1);
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{0});
        window->levels()->setCurrentIndex(2);
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{1});
        window->levels()->setCurrentIndex(0);
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{0});
        for (int i = 0; i < 40; ++i) {
            QWheelEvent away({10, 10}, {10, 10}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(window->drawing(), &away);
        }
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{1});
        QVERIFY(window->factsLine()->text().contains(QStringLiteral(">P100 T")));
        QTest::keyClick(window->drawing(), Qt::Key_R);
        QCOMPARE(window->drawing()->shownLevel(), std::size_t{0});
        // The box is shown; the button hands the file to the desktop, and is there only with a hand-over.
        QVERIFY(window->boxSwitch()->isChecked());
        QVERIFY(!window->externalButton()->isHidden());
        QTest::mouseClick(window->externalButton(), Qt::LeftButton);
        QCOMPARE(handedOver, 1);
        QVERIFY(openWindow(model)->externalButton()->isHidden());
    }

    void desktopDialogsOpenTheViewInTheLanguage() {
        test::ExampleModel model;
        QVERIFY(model.ok());
        QWidget owner;
        QtDialogs dialogs(&owner);
        dialogs.showShapeView({model.shapePath(), model.path("").toStdString(), Language::German});
        const auto views = owner.findChildren<ShapeViewWindow*>();
        QCOMPARE(views.size(), 1);
        QVERIFY(views.front()->isVisible());
        QCOMPARE(views.front()->windowTitle(), QStringLiteral("3D-Ansicht - house.s"));
        QCOMPARE(views.front()->levels()->itemText(1), QStringLiteral("Stufe 0 (bis 100 m)"));
        QVERIFY(views.front()->factsLine()->text().contains(QStringLiteral(">Punkte: 100")));
    }
};

QTEST_MAIN(ShapeViewWindowTest)
#include "test_shape_view_window.moc"
