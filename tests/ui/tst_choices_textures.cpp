// The alternative-texture option buttons with the manual code, and the mipmap
// combo box with the text it accepts.

#include "tst_choices_form.h"
#include "ui/ChoiceHandlersMipMap.h"

#include <QtTest>

using quillfen::test::ChoiceTestForm;
using quillfen::ui::MipMapEntry;

Q_DECLARE_METATYPE(MipMapEntry)

class TexturesTest : public QObject {
    Q_OBJECT

private slots:
    void optionButtons_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("code");
        QTest::newRow("summer") << QStringList{"optSchneeTextur", "optNurSommerTextur"} << "0";
        QTest::newRow("snow") << QStringList{"optSchneeTextur"} << "1";
        QTest::newRow("snow and night") << QStringList{"optSchneeUndNachtTextur"} << "257";
        QTest::newRow("seasons") << QStringList{"optJahreszeitenTextur"} << "252";
        QTest::newRow("manual keeps the last code")
            << QStringList{"optSchneeUndNachtTextur", "optManuellAlternativTexture"} << "257";
    }

    void optionButtons() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, code);
        ChoiceTestForm form;
        form.install();
        for (const QString& name : clicks) form.get<QRadioButton>(name.toLatin1().constData())->click();
        QCOMPARE(form.edit("txtESD_Alter_Tex")->text(), code);
    }

    void optionSetFromCodeFillsTheBox() {
        ChoiceTestForm form;
        form.install();
        form.get<QRadioButton>("optJahreszeitenTextur")->setChecked(true);
        QCOMPARE(form.edit("txtESD_Alter_Tex")->text(), QStringLiteral("252"));
    }

    void manualCodeStaysWhileTheManualOptionIsSet() {
        ChoiceTestForm form;
        form.install();
        form.get<QRadioButton>("optManuellAlternativTexture")->click();
        QLineEdit* code = form.edit("txtESD_Alter_Tex");
        code->setText(QStringLiteral("3 "));
        form.get<QRadioButton>("optManuellAlternativTexture")->click();
        QCOMPARE(code->text(), QStringLiteral("3 "));
        form.get<QRadioButton>("optSchneeTextur")->click();
        QCOMPARE(code->text(), QStringLiteral("1"));
    }

    void mipMapEntries() {
        ChoiceTestForm form;
        form.install();
        auto* box = form.get<QComboBox>("cmbMipMap");
        QStringList entries;
        for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
        QCOMPARE(entries, (QStringList{"2", "1", "0", "-1", "-2", "-3", "-4", "-5", "-6"}));
        QCOMPARE(box->currentText(), QStringLiteral("0"));
    }

    void mipMapText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<MipMapEntry>("entry");
        QTest::newRow("entry") << "-3" << MipMapEntry::Accepted;
        QTest::newRow("decimal") << "-1.5" << MipMapEntry::Accepted;
        QTest::newRow("two decimals") << "0.25" << MipMapEntry::Accepted;
        QTest::newRow("lowest") << "-16" << MipMapEntry::Accepted;
        QTest::newRow("highest") << "16.00" << MipMapEntry::Accepted;
        QTest::newRow("empty") << "" << MipMapEntry::Incomplete;
        QTest::newRow("minus alone") << "-" << MipMapEntry::Incomplete;
        QTest::newRow("point pending") << "1." << MipMapEntry::Incomplete;
        QTest::newRow("beyond the range") << "-17" << MipMapEntry::Rejected;
        QTest::newRow("just beyond") << "16.01" << MipMapEntry::Rejected;
        QTest::newRow("three digits") << "100" << MipMapEntry::Rejected;
        QTest::newRow("three decimals") << "1.125" << MipMapEntry::Rejected;
        QTest::newRow("comma") << "1,5" << MipMapEntry::Rejected;
        QTest::newRow("plus") << "+1" << MipMapEntry::Rejected;
        QTest::newRow("letters") << "abc" << MipMapEntry::Rejected;
        QTest::newRow("blank") << " 1" << MipMapEntry::Rejected;
        QTest::newRow("exponent") << "1e1" << MipMapEntry::Rejected;
    }

    void mipMapText() {
        QFETCH(QString, text);
        QFETCH(MipMapEntry, entry);
        QCOMPARE(quillfen::ui::checkMipMapEntry(text.toStdString()), entry);
    }

    void typingIntoTheMipMapBox_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a number") << "-1.5"
                                  << "-1.5";
        QTest::newRow("letters are refused") << "-a3"
                                             << "-3";
        QTest::newRow("a third digit is refused") << "123"
                                                  << "12";
    }

    void typingIntoTheMipMapBox() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        ChoiceTestForm form;
        form.install();
        auto* box = form.get<QComboBox>("cmbMipMap");
        form.root().show();
        QVERIFY(QTest::qWaitForWindowActive(&form.root()));
        box->lineEdit()->setFocus();
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), keys);
        QCOMPARE(box->currentText(), shown);
        QCOMPARE(box->count(), 9);
    }

    void leavingWithHalfTypedTextBringsBackTheLastValue() {
        ChoiceTestForm form;
        form.install();
        auto* box = form.get<QComboBox>("cmbMipMap");
        box->setCurrentText(QStringLiteral("-2"));
        form.root().show();
        QVERIFY(QTest::qWaitForWindowActive(&form.root()));
        box->lineEdit()->setFocus();
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("1."));
        QCOMPARE(box->currentText(), QStringLiteral("1."));
        form.edit("txtSDateiName")->setFocus();
        // "1" was the last good value on the way to "1.".
        QCOMPARE(box->currentText(), QStringLiteral("1"));
    }

    void unfitTextFromCodeIsRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "abc";
        QTest::newRow("half typed") << "-";
        QTest::newRow("10000 characters") << QString(10000, u'9');
    }

    void unfitTextFromCodeIsRefused() {
        QFETCH(QString, text);
        ChoiceTestForm form;
        form.install();
        auto* box = form.get<QComboBox>("cmbMipMap");
        box->setCurrentText(QStringLiteral("-4"));
        box->setCurrentText(text);
        QCOMPARE(box->currentText(), QStringLiteral("-4"));
    }
};

QTEST_MAIN(TexturesTest)
#include "tst_choices_textures.moc"
