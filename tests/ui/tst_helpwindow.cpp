// The mipmap help: its text in both languages, built from its pieces and line
// breaks, and the one help window that every click reuses.

#include "sfile/MipMapHelp.h"
#include "tst_choices_form.h"
#include "ui/HelpWindow.h"

#include <QPlainTextEdit>
#include <QtTest>

using quillfen::test::ChoiceTestForm;

namespace {

QString helpText(const std::string& language) {
    const auto text = quillfen::MipMapHilfeText(language);
    return text ? QString::fromStdString(*text) : QStringLiteral("<none>");
}

QList<quillfen::ui::HelpWindow*> helpWindows(const ChoiceTestForm& form) {
    QList<quillfen::ui::HelpWindow*> windows;
    for (QWidget* widget : form.root().findChildren<QWidget*>(QStringLiteral("frmHelp")))
        if (auto* window = dynamic_cast<quillfen::ui::HelpWindow*>(widget)) windows << window;
    return windows;
}

QString shownText(const ChoiceTestForm& form) {
    return helpWindows(form).value(0)->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void textPieces_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("passage");
        QTest::newRow("German start")
            << "deutsch"
            << "ACHTUNG! Beeinflußt extrem die Framerate. Als Beispiel bei Vegetations-"
               "Büschen -> 0 = 53fps / -1 = 40fps / -2 = 30fps\r\n\r\nDer Standard-Wert ist 0.";
        QTest::newRow("German single break")
            << "deutsch"
            << "mit zunehmender Entfernung vom Shape dargestellt werden.\r\nÄndert man";
        QTest::newRow("German values")
            << "deutsch"
            << "folgende Werte:\r\n\r\n 0 = Textur ist wenig detailiert (bereits in der Nähe "
               "verwaschen), aber kaum 'Knistern'.\r\n-4 = Textur ist sehr detailiert";
        QTest::newRow("German example") << "deutsch"
                                        << "beeinflußen.\r\nBeispiel:\r\nvorher  -> texture ( 0 0 0 ff000000 "
                                           ")\r\n           texture ( 1 0 0 "
                                           "ff000000 )\r\n\r\nnachher -> texture ( 0 0 -3 ff000000 )\r\n     "
                                           "      texture ( 1 0 -3 ff000000 "
                                           ")\r\n\r\nDer erste Parameter steht für die Texturnummer.";
        QTest::newRow("English start")
            << "english"
            << "ATTENTION! Influenced extremely the framerate. As an example for vegetation "
               "bushes -> 0 = 53fps / -1 = 40fps / -2 = 30fps\r\n\r\nThe default value is 0.";
        QTest::newRow("English crackle")
            << "english"
            << "it can increase 'crackle' , ie the texture seems grainy if you pass it "
               "along in certain distance.\r\n\r\nIn approximately";
        QTest::newRow("English example") << "english"
                                         << "Example:\r\nbefore  -> texture ( 0 0 0 ff000000 )\r\n           "
                                            "texture ( 1 0 0 ff000000 )\r\n\r\n"
                                            "after   -> texture ( 0 0 -3 ff000000 )\r\n           texture ( "
                                            "1 0 -3 ff000000 )\r\n\r\nThe first "
                                            "parameter is the texture number.";
        QTest::newRow("empty language is English")
            << ""
            << "In the shape file there are lines denominated in about: "
               "'texture (x 0 0 ff000000)'.\r\n\r\nThe x stands";
    }

    void textPieces() {
        QFETCH(QString, language);
        QFETCH(QString, passage);
        QVERIFY2(helpText(language.toStdString()).contains(passage), qPrintable(passage));
    }

    void textShape_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("deutsch") << "deutsch"
                                 << "ACHTUNG!"
                                 << "Der erste Parameter steht für die Texturnummer.";
        QTest::newRow("english") << "english"
                                 << "ATTENTION!"
                                 << "The first parameter is the texture number.";
    }

    void textShape() {
        QFETCH(QString, language);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QString text = helpText(language.toStdString());
        QVERIFY(text.startsWith(first));
        QVERIFY(text.endsWith(last)); // no break after the last piece
        QCOMPARE(text.count(QStringLiteral("\r\n")), 24);
        QCOMPARE(text.count(u'\n'), 24); // every break is CR LF
        QCOMPARE(text.count(QStringLiteral("\r\n\r\n\r\n")), 0);
    }

    void otherLanguageHasNoText() { QCOMPARE(helpText("français"), QStringLiteral("<none>")); }

    void oneReusedWindow() {
        ChoiceTestForm form;
        form.install();
        auto* button = form.get<QPushButton>("cmdMipMapHelp");
        button->click();
        QCOMPARE(helpWindows(form).size(), 1);
        quillfen::ui::HelpWindow* window = helpWindows(form).first();
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowModality(), Qt::NonModal);
        QCOMPARE(window->windowTitle(), QStringLiteral("Hilfe"));
        button->click();
        QCOMPARE(helpWindows(form).size(), 1);
        window->close();
        button->click();
        QCOMPARE(helpWindows(form).size(), 1);
        QCOMPARE(helpWindows(form).first(), window);
        QVERIFY(window->isVisible());
    }

    void textFollowsTheLanguageAtTheClick_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("German") << "english"
                                << "deutsch"
                                << "deutsch";
        QTest::newRow("English") << "deutsch"
                                 << "english"
                                 << "english";
        QTest::newRow("empty gives English") << "deutsch"
                                             << ""
                                             << "english";
        QTest::newRow("other keeps the text") << "deutsch"
                                              << "français"
                                              << "deutsch";
    }

    void textFollowsTheLanguageAtTheClick() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, shownAfter);
        ChoiceTestForm form;
        form.install();
        auto* button = form.get<QPushButton>("cmdMipMapHelp");
        form.state.gstrSprache = first.toStdString();
        button->click();
        form.state.gstrSprache = second.toStdString();
        // A language switch alone does not touch the open window.
        QCOMPARE(shownText(form),
                 helpText(first.toStdString()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        button->click();
        QCOMPARE(shownText(form),
                 helpText(shownAfter.toStdString()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
