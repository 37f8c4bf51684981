// The test options: at most one ticked, the frame locked while the unlocking
// box is clear, and the start-up blink measured on a fake clock.

#include "tst_choices_form.h"

#include <QGroupBox>
#include <QtTest>

using quillfen::test::ChoiceTestForm;

namespace {

const QColor kBlinkColour(255, 255, 192);

/// The states of chkTestOptionen and the three options as "TASD" flags, e.g. "1010".
QString statesOf(const ChoiceTestForm& form) {
    QString states;
    for (const char* name : {"chkTestOptionen", "chkAceUni", "chkShaderDiffuse", "chkShaderAddATexDiff"})
        states += form.check(name)->checkState() == Qt::Unchecked ? u'0' : u'1';
    return states;
}

} // namespace

class TestOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void rules_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("frameEnabled");
        // A step "name=0/1/2" sets a box from code, as restored settings do.
        QTest::newRow("nothing ticked") << QStringList{} << "0000" << false;
        QTest::newRow("unlock alone") << QStringList{"chkTestOptionen=1"} << "1000" << true;
        QTest::newRow("an option ticks the unlocking box") << QStringList{"chkAceUni=1"} << "1100" << true;
        QTest::newRow("a grey option counts as ticked")
            << QStringList{"chkShaderDiffuse=2"} << "1010" << true;
        QTest::newRow("diffuse clears one texture")
            << QStringList{"chkAceUni=1", "chkShaderDiffuse=1"} << "1010" << true;
        QTest::newRow("glassy clears diffuse")
            << QStringList{"chkShaderDiffuse=1", "chkShaderAddATexDiff=1"} << "1001" << true;
        QTest::newRow("one texture clears glassy")
            << QStringList{"chkShaderAddATexDiff=1", "chkAceUni=1"} << "1100" << true;
        QTest::newRow("clearing an option keeps the frame open")
            << QStringList{"chkAceUni=1", "chkAceUni=0"} << "1000" << true;
        QTest::newRow("clearing the unlocking box clears all")
            << QStringList{"chkShaderDiffuse=1", "chkTestOptionen=0"} << "0000" << false;
        QTest::newRow("unlock again leaves the options clear")
            << QStringList{"chkAceUni=1", "chkTestOptionen=0", "chkTestOptionen=1"} << "1000" << true;
    }

    void rules() {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        QFETCH(bool, frameEnabled);
        ChoiceTestForm form;
        form.install();
        for (const QString& step : steps) {
            const QStringList parts = step.split(u'=');
            form.check(parts[0].toLatin1().constData())
                ->setCheckState(static_cast<Qt::CheckState>(parts[1].toInt()));
        }
        QCOMPARE(statesOf(form), expected);
        QCOMPARE(form.get<QGroupBox>("fraTestOptionen")->isEnabled(), frameEnabled);
        for (const char* name : {"chkAceUni", "chkShaderDiffuse", "chkShaderAddATexDiff"})
            QCOMPARE(form.check(name)->isEnabled(), frameEnabled);
    }

    void userClickOnAnOptionClearsTheOthers() {
        ChoiceTestForm form;
        form.install();
        form.root().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.root()));
        form.check("chkTestOptionen")->click();
        form.check("chkAceUni")->click();
        QCheckBox* diffuse = form.check("chkShaderDiffuse");
        // The box's indicator sits at its left edge.
        QTest::mouseClick(diffuse, Qt::LeftButton, {}, QPoint(6, diffuse->height() / 2));
        QCOMPARE(statesOf(form), QStringLiteral("1010"));
    }

    void unlockingBoxInsideTheFrameStaysUsable() {
        // Should a layout put the unlocking box into the frame, clearing it must not lock it for good.
        ChoiceTestForm form;
        QCheckBox* unlock = form.check("chkTestOptionen");
        unlock->setParent(form.get<QGroupBox>("fraTestOptionen"));
        form.install();
        unlock->setCheckState(Qt::Checked);
        unlock->setCheckState(Qt::Unchecked);
        QVERIFY(unlock->isEnabled());
        unlock->setCheckState(Qt::Checked);
        QVERIFY(form.check("chkAceUni")->isEnabled());
    }

    void clearWithoutChoice_data() {
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<bool>("unlockedAfter");
        QTest::newRow("no option") << QString() << false;
        QTest::newRow("one option") << "chkShaderAddATexDiff" << true;
    }

    void clearWithoutChoice() {
        QFETCH(QString, ticked);
        QFETCH(bool, unlockedAfter);
        ChoiceTestForm form;
        form.install();
        form.check("chkTestOptionen")->setCheckState(Qt::Checked);
        if (!ticked.isEmpty()) form.check(ticked.toLatin1().constData())->setCheckState(Qt::Checked);
        quillfen::ui::KlaereTestOptionenOhneAuswahl(form.root());
        QCOMPARE(form.check("chkTestOptionen")->checkState() != Qt::Unchecked, unlockedAfter);
    }

    void blinkRunsFourCyclesOnTheClock() {
        ChoiceTestForm form;
        form.install();
        form.check("chkShaderDiffuse")->setCheckState(Qt::Checked);
        QCheckBox* blinking = form.check("chkShaderDiffuse");
        QCheckBox* quiet = form.check("chkAceUni");
        QList<bool> yellowAtEachWait;
        form.onWait = [&] {
            yellowAtEachWait.append(blinking->palette().color(QPalette::Window) == kBlinkColour);
            QVERIFY(quiet->palette().color(QPalette::Window) != kBlinkColour);
        };
        const double start = form.clock.now();
        quillfen::ui::BlinkeAktiveTestOptionen(form.root());

        QCOMPARE(yellowAtEachWait, (QList<bool>{true, false, true, false, true, false, true, false}));
        for (double wait : form.waits) QCOMPARE(wait, 0.3);
        QVERIFY(qAbs(form.clock.now() - start - 2.4) < 1e-9);
        QVERIFY(blinking->palette().color(QPalette::Window) != kBlinkColour);
    }

    void blink_data() {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<bool>("optionTicked");
        QTest::addColumn<int>("waits");
        QTest::newRow("nothing ticked") << false << false << 0;
        QTest::newRow("unlocked without an option") << true << false << 0;
        QTest::newRow("ticked option") << true << true << 8;
    }

    void blink() {
        QFETCH(bool, unlocked);
        QFETCH(bool, optionTicked);
        QFETCH(int, waits);
        ChoiceTestForm form;
        form.install();
        form.check("chkTestOptionen")->setCheckState(unlocked ? Qt::Checked : Qt::Unchecked);
        if (optionTicked) form.check("chkAceUni")->setCheckState(Qt::Checked);
        quillfen::ui::BlinkeAktiveTestOptionen(form.root());
        QCOMPARE(static_cast<int>(form.waits.size()), waits);
    }

    void blinkEndsWhenTheClockStandsStill() {
        ChoiceTestForm form;
        form.install();
        form.check("chkAceUni")->setCheckState(Qt::Checked);
        form.onWait = [&] { form.clock.advance(-0.3); }; // undoes the form's own advance
        quillfen::ui::BlinkeAktiveTestOptionen(form.root());
        QCOMPARE(static_cast<int>(form.waits.size()), 8);
    }
};

QTEST_MAIN(TestOptionsTest)
#include "tst_choices_testoptions.moc"
