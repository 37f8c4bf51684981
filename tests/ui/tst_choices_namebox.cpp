// The s-file name box, the proposal button and the reference-entry fields.

#include "tst_choices_form.h"

#include <QGroupBox>
#include <QtTest>

using quillfen::test::ChoiceTestForm;

class NameBoxTest : public QObject {
    Q_OBJECT

private slots:
    void typedNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("colon") << "a:b"
                               << "a_b";
        QTest::newRow("every forbidden character") << "x<>?\":|\\/*y"
                                                   << "x_________y";
        QTest::newRow("device name") << "con.s"
                                     << "C_O_N.s";
        QTest::newRow("device name in capitals") << "COM1.s"
                                                 << "C_O_M_1.s";
        QTest::newRow("printer port") << "lpt9.sd"
                                      << "L_P_T_9.sd";
        QTest::newRow("two-digit port") << "COM10.s"
                                        << "COM10.s";
        QTest::newRow("without dot") << "con"
                                     << "con";
        QTest::newRow("longer word") << "console.s"
                                     << "console.s";
        QTest::newRow("umlaut stays") << "Häuschen.s"
                                      << "Häuschen.s";
    }

    void typedNames() {
        // Typed key by key: a misplaced caret after a rewrite would put the next key elsewhere.
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ChoiceTestForm form;
        form.install();
        QLineEdit* box = form.edit("txtSDateiName");
        quillfen::test::typeText(box, typed);
        QCOMPARE(box->text(), shown);
        QCOMPARE(box->cursorPosition(), static_cast<int>(shown.size()));
    }

    void caretStaysWhereTheUserTyped_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("forbidden character in the middle") << "ab.s" << 1 << ":"
                                                           << "a_b.s" << 2;
        QTest::newRow("dot completing a device name") << "prns" << 3 << "."
                                                      << "P_R_N.s" << 6;
        // Behind the typed letter and the "_" it gained.
        QTest::newRow("letter in front of the rest") << "on.s" << 0 << "c"
                                                     << "C_O_N.s" << 2;
    }

    void caretStaysWhereTheUserTyped() {
        QFETCH(QString, start);
        QFETCH(int, caret);
        QFETCH(QString, key);
        QFETCH(QString, shown);
        QFETCH(int, caretAfter);
        ChoiceTestForm form;
        form.install();
        QLineEdit* box = form.edit("txtSDateiName");
        box->setText(start);
        box->setCursorPosition(caret);
        QTest::keyClicks(box, key);
        QCOMPARE(box->text(), shown);
        QCOMPARE(box->cursorPosition(), caretAfter);
    }

    void pastedRubbishNeverHangs() {
        ChoiceTestForm form;
        form.install();
        QLineEdit* box = form.edit("txtSDateiName");
        QString rubbish;
        for (int i = 0; i < 10000; ++i) rubbish += QChar(u"a:\t\x01\\/ß*?"[i % 10]);
        box->setText(rubbish);
        QCOMPARE(box->text().size(), rubbish.size());
        QVERIFY(!box->text().contains(u':'));
        QVERIFY(!box->text().contains(u'*'));
    }

    void proposalButton() {
        ChoiceTestForm form;
        form.install();
        form.state.gstrSDateiVorschlag = "house_.s";
        form.edit("txtSDateiName")->setText(QStringLiteral("typed.s"));
        form.get<QPushButton>("cmdVorschlagUebernehmen")->click();
        QCOMPARE(form.state.gstrSDateiName, std::string("house_.s"));
        QCOMPARE(form.edit("txtSDateiName")->text(), QStringLiteral("house_.s"));
    }

    void referenceFields_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("clear") << 0 << false;
        QTest::newRow("checked") << 2 << true;
        QTest::newRow("grey counts as ticked") << 1 << true;
    }

    void referenceFields() {
        QFETCH(int, state);
        QFETCH(bool, enabled);
        ChoiceTestForm form;
        form.install();
        QCheckBox* reference = form.check("chkRefEintrag");
        reference->setCheckState(state == 0 ? Qt::Checked : Qt::Unchecked); // a change either way
        reference->setCheckState(static_cast<Qt::CheckState>(state));

        for (const char* name : {"lblRefClass", "txtRefClass", "lblRefDescription", "txtRefDescription"})
            QCOMPARE(form.get<QWidget>(name)->isEnabled(), enabled);
        const QPalette::ColorRole expected = enabled ? QPalette::Base : QPalette::Button;
        for (const char* name : {"txtRefClass", "txtRefDescription"})
            QCOMPARE(form.edit(name)->palette().color(QPalette::Base),
                     QApplication::palette(form.edit(name)).color(expected));
        // The switch lives inside the frame, so the frame stays open and the switch usable.
        QVERIFY(reference->isEnabled());
    }

    void referenceFieldsStartLockedWithTheBoxClear() {
        ChoiceTestForm form;
        form.install();
        QVERIFY(!form.edit("txtRefClass")->isEnabled());
        QVERIFY(!form.edit("txtRefDescription")->isEnabled());
    }
};

QTEST_MAIN(NameBoxTest)
#include "tst_choices_namebox.moc"
