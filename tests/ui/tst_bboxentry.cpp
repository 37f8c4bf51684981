// The bounding-box entry on a window: typing into txtBBoxInput key by key, the
// display line that undoes every edit, the switch, the validate button and the
// colour timer.

#include "tst_choices_form.h"

#include <QtTest>

using quillfen::test::ChoiceTestForm;

namespace {

struct BoxForm : ChoiceTestForm {
    BoxForm() {
        install();
        check("chkBoundingBox")->setCheckState(Qt::Checked);
    }
    [[nodiscard]] QLineEdit* input() const { return edit("txtBBoxInput"); }
    [[nodiscard]] QLineEdit* display() const { return edit("txtBBox"); }
};

QString lineFor(const QString& values) {
    return QStringLiteral("ESD_Bounding_Box ( ") + values + QStringLiteral(" )");
}

} // namespace

class BBoxEntryTest : public QObject {
    Q_OBJECT

private slots:
    void typingKeyByKey_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("six values") << "1 2.5 -3 4 5 6"
                                    << "1 2.5 -3 4 5 6" << 14;
        QTest::newRow("a letter goes again") << "1a"
                                             << "1" << 1;
        QTest::newRow("letters between digits") << "1x2y"
                                                << "12" << 2;
        QTest::newRow("comma becomes point") << "1,5"
                                             << "1.5" << 3;
        QTest::newRow("double point") << "1..5"
                                      << "1.5" << 3;
        // The caret after "-0." is the filter's own business (-1: not checked here).
        QTest::newRow("minus point gets its zero") << "-."
                                                   << "-0." << -1;
        QTest::newRow("blank after minus is closed up") << "- "
                                                        << "-" << 1;
        QTest::newRow("two blanks become one") << "1  2"
                                               << "1 2" << 3;
        QTest::newRow("leading blank") << " 1"
                                       << "1" << 1;
        QTest::newRow("seventh value is cut") << "1 2 3 4 5 6 7"
                                              << "1 2 3 4 5 6 " << 12;
    }

    void typingKeyByKey() {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, caret);
        BoxForm form;
        QTest::keyClicks(form.input(), keys);
        QCOMPARE(form.input()->text(), text);
        if (caret >= 0) QCOMPARE(form.input()->cursorPosition(), caret);
        QCOMPARE(form.display()->text(), lineFor(text));
    }

    void letterTypedInTheMiddleMovesTheCaretBack() {
        BoxForm form;
        form.input()->setText(QStringLiteral("1 2"));
        form.input()->setCursorPosition(1);
        QTest::keyClicks(form.input(), QStringLiteral("q"));
        QCOMPARE(form.input()->text(), QStringLiteral("1 2"));
        QCOMPARE(form.input()->cursorPosition(), 1);
    }

    void arrowKeysKeepTheRememberedCharacter() {
        // After typing "a" (removed) an arrow key's key-up must not remove anything else.
        BoxForm form;
        QTest::keyClicks(form.input(), QStringLiteral("12a"));
        QTest::keyClick(form.input(), Qt::Key_Left);
        QCOMPARE(form.input()->text(), QStringLiteral("12"));
        QCOMPARE(form.input()->cursorPosition(), 1);
    }

    void displayLineOfAnInputEndingInABlank() {
        BoxForm form;
        QTest::keyClicks(form.input(), QStringLiteral("1 2 "));
        QCOMPARE(form.display()->text(), lineFor(QStringLiteral("1 2 ")));
    }

    void displayLineUndoesEdits_data() {
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("typed letter") << 5 << 0 << "x" << 6;
        QTest::newRow("Backspace keeps the caret") << 10 << int(Qt::Key_Backspace) << "" << 10;
        QTest::newRow("Delete keeps the caret") << 10 << int(Qt::Key_Delete) << "" << 10;
        QTest::newRow("Backspace at the end") << 30 << int(Qt::Key_Backspace) << "" << 30;
    }

    void displayLineUndoesEdits() {
        QFETCH(int, caret);
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(int, caretAfter);
        BoxForm form;
        form.input()->setText(QStringLiteral("1 2 3 4 5 6"));
        const QString line = form.display()->text();
        QCOMPARE(line, lineFor(QStringLiteral("1 2 3 4 5 6")));
        form.display()->setCursorPosition(caret);
        if (key != 0)
            QTest::keyClick(form.display(), static_cast<Qt::Key>(key));
        else
            QTest::keyClicks(form.display(), typed);
        QCOMPARE(form.display()->text(), line);
        QCOMPARE(form.display()->cursorPosition(), caretAfter);
    }

    void displayLineKeepsTheBoxCommandsMessage() {
        BoxForm form;
        form.boxCommandRunning = true;
        form.display()->setText(QStringLiteral("Berechne BoundingBox ..."));
        QCOMPARE(form.display()->text(), QStringLiteral("Berechne BoundingBox ..."));
    }

    void switchEnablesTheFrame_data() {
        QTest::addColumn<bool>("ticked");
        QTest::newRow("ticked") << true;
        QTest::newRow("cleared") << false;
    }

    void switchEnablesTheFrame() {
        QFETCH(bool, ticked);
        BoxForm form;
        form.root().show();
        form.check("chkBoundingBox")->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        for (const char* name : {"cmdBoundingBoxKorr", "cmdBBoxAusShape", "txtBBoxInput"})
            QCOMPARE(form.get<QWidget>(name)->isEnabled(), ticked);
        QCOMPARE(form.display()->isEnabled(), ticked);
        QCOMPARE(form.display()->isVisible(), ticked);
        const QPalette::ColorRole background = ticked ? QPalette::Base : QPalette::Button;
        QCOMPARE(form.input()->palette().color(QPalette::Base),
                 QApplication::palette(form.input()).color(background));
    }

    void switchOnRestoresAMissingKeyword() {
        BoxForm form;
        form.input()->setText(QStringLiteral("1 2"));
        form.check("chkBoundingBox")->setCheckState(Qt::Unchecked);
        form.boxCommandRunning = true;
        form.display()->setText(QStringLiteral("message"));
        form.boxCommandRunning = false;
        form.check("chkBoundingBox")->setCheckState(Qt::Checked);
        QCOMPARE(form.display()->text(), lineFor(QStringLiteral("1 2")));
    }

    void validateButton_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("normal");
        QTest::newRow("whole numbers") << "1 2 3 4 5 6"
                                       << "1.0 2.0 3.0 4.0 5.0 6.0";
        QTest::newRow("comma and rounding") << "-1,23456 0 0"
                                            << "-1.2346 0.0 0.0 0.0 0.0 0.0";
        QTest::newRow("pasted display line") << "ESD_Bounding_Box ( 1 2 3 4 5 6 )"
                                             << "1.0 2.0 3.0 4.0 5.0 6.0";
        QTest::newRow("empty stays empty") << ""
                                           << "";
    }

    void validateButton() {
        QFETCH(QString, input);
        QFETCH(QString, normal);
        BoxForm form;
        form.input()->setText(input);
        form.get<QPushButton>("cmdBoundingBoxKorr")->click();
        QCOMPARE(form.input()->text(), normal);
        QCOMPARE(form.display()->text(), lineFor(normal));
    }

    void validationDuringACommandStillWritesTheKeyword() {
        // The run validates while it counts as a running command; the sd-file
        // takes the display line only when it starts with its keyword.
        BoxForm form;
        form.input()->setText(QStringLiteral("1 2 3 4 5 6"));
        form.boxCommandRunning = true;
        quillfen::ui::ValidiereBoundingBox(form.root());
        QCOMPARE(form.display()->text(), lineFor(QStringLiteral("1.0 2.0 3.0 4.0 5.0 6.0")));
    }

    void labelTimerRestoresTheColour() {
        BoxForm form;
        QPalette red = form.display()->palette();
        red.setColor(QPalette::Text, Qt::red);
        form.display()->setPalette(red);
        auto* timer = form.root().findChild<QTimer*>(QStringLiteral("tmrBBoxLabel"));
        timer->start(0);
        QTRY_VERIFY(!timer->isActive());
        QCOMPARE(form.display()->palette().color(QPalette::Text),
                 QApplication::palette(form.display()).color(QPalette::Text));
        QCOMPARE(form.display()->text(), lineFor(QString()));
    }

    void rubbishNeverHangs_data() {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("10000 blanks") << QString(10000, u' ');
        QTest::newRow("10000 letters") << QString(10000, u'a');
        QTest::newRow("control characters") << QString::fromUtf8("1\t2\x01 3\r\n4\x7f 5 6");
        QTest::newRow("minus and points") << QString(5000, u'-') + QString(5000, u'.');
    }

    void rubbishNeverHangs() {
        QFETCH(QString, pasted);
        BoxForm form;
        form.input()->setText(pasted);
        QTest::keyClick(form.input(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClicks(form.input(), QStringLiteral("a"));
        form.display()->setText(pasted);
        form.get<QPushButton>("cmdBoundingBoxKorr")->click();
        QVERIFY(form.display()->text().startsWith(QStringLiteral("ESD_Bounding_Box ( ")));
    }
};

QTEST_MAIN(BBoxEntryTest)
#include "tst_bboxentry.moc"
