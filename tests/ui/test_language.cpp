// The language switch: every caption and tooltip of both tables, the LOD count
// caption, the start-up message texts and the two layout values.

#include "UiTestSupport.h"
#include "ui/MainWindowPictures.h"
#include "ui/WindowTexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <map>

using namespace quillfen;
using quillfen::ui::MainWindow;

namespace {

QString captionOf(QObject* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return {};
}

/// Every caption and tooltip of the window, by control.
std::map<std::pair<QString, int>, std::pair<QString, QString>> allTexts(const MainWindow& window) {
    std::map<std::pair<QString, int>, std::pair<QString, QString>> texts;
    for (QObject* control : window.controls()) {
        const int index = control->property("index").isValid() ? control->property("index").toInt() : -1;
        auto* widget = qobject_cast<QWidget*>(control);
        texts[{control->objectName(), index}] = {captionOf(control), widget ? widget->toolTip() : QString()};
    }
    return texts;
}

/// The window shows exactly the texts of the language table and the design table.
void verifyLanguage(MainWindow& window, bool german) {
    for (const auto& text : ui::languageTexts()) {
        QObject* control = window.findControl(QString::fromLatin1(text.control), text.index);
        QVERIFY2(control != nullptr, text.control);
        if (const char* caption = german ? text.captionGerman : text.captionEnglish)
            QCOMPARE(captionOf(control), QString::fromUtf8(caption));
        if (const char* tooltip = german ? text.tooltipGerman : text.tooltipEnglish)
            QCOMPARE(qobject_cast<QWidget*>(control)->toolTip(), QString::fromUtf8(tooltip));
    }
    for (const auto& text : ui::designTexts()) {
        if (std::string(text.control) == "cmdShapeCopy" || std::string(text.control) == "lblCopyPfad")
            continue;
        QObject* control = window.findControl(QString::fromLatin1(text.control), text.index);
        QVERIFY2(control != nullptr, text.control);
        if (text.property == ui::TextProperty::Tooltip)
            QCOMPARE(qobject_cast<QWidget*>(control)->toolTip(), QString::fromUtf8(text.text));
        else if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QGroupBox*>(control))
            QCOMPARE(captionOf(control), QString::fromUtf8(text.text));
    }
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void switchingThereAndBackRestoresEveryText_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("German, English, German") << "deutsch"
                                                 << "english";
        QTest::newRow("English, German, English") << "english"
                                                  << "deutsch";
    }
    void switchingThereAndBackRestoresEveryText() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        QCOMPARE(model.loadResult, 0);

        window.SetzeSprache(first.toStdString());
        verifyLanguage(window, first == "deutsch");
        const auto before = allTexts(window);
        window.SetzeSprache(second.toStdString());
        verifyLanguage(window, second == "deutsch");
        QVERIFY(allTexts(window) != before);
        window.SetzeSprache(first.toStdString());
        QVERIFY(allTexts(window) == before);
    }

    void textsKeepTheirBlanks() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.SetzeSprache("english");
        QVERIFY(window.control<QWidget>("chkShaderDiffuse")->toolTip().startsWith("  All shader"));
        QCOMPARE(window.control<QWidget>("txtSDateiName")->toolTip(), QString(" Name of the s-file "));
        window.SetzeSprache("deutsch");
        QCOMPARE(window.control<QAbstractButton>("optNurSommerTextur")->text(),
                 QString("nur für Tag                           [ESD_Alternative_Texture (0)]"));
        QCOMPARE(window.control<QAbstractButton>("cmdAbbruch")->text(), QString(" Conv3DS.exe abbrechen "));
        QCOMPARE(window.control<QAbstractButton>("chkTextureCopy")->text(),
                 QString("     Kopiere auch Texturen in die Strecke"));
    }

    void lodCountCaption_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");
        QTest::newRow("one, German") << 1 << "deutsch"
                                     << "1 LOD gefunden:";
        QTest::newRow("none, German") << 0 << "deutsch"
                                      << "0 LODs gefunden:";
        QTest::newRow("none, English") << 0 << "english"
                                       << "0 LODs found:";
        QTest::newRow("one, English") << 1 << "english"
                                      << "1 LOD found:";
        QTest::newRow("three, English") << 3 << "english"
                                        << "3 LODs found:";
        QTest::newRow("none, empty language") << 0 << ""
                                              << "0 LODs found:";
    }
    void lodCountCaption() {
        QFETCH(int, count);
        QFETCH(QString, language);
        QFETCH(QString, caption);
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.state().gintAnzahlLODs = count;
        window.SetzeSprache(language.toStdString());
        QCOMPARE(window.control<QLabel>("lblLODsGefunden")->text(), caption);
    }

    void startupMessageTextsFollowTheLanguage() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.SetzeSprache("deutsch");
        QCOMPARE(window.state().MeldungKonverterFehlt,
                 std::string("Konverterprogramm 'conv3ds.exe' nicht gefunden!\r"));
        QCOMPARE(window.state().MeldungDateienFehlen, std::string("Dateien FEHLEN!!!"));
        window.SetzeSprache("english");
        QCOMPARE(window.state().MeldungKeine3DSDatei, std::string("can't find '3ds'-file(s)!\r"));
        QCOMPARE(window.state().MeldungImVerzeichnis, std::string("In the current directory "));
    }

    void emptyLanguageShowsEnglishButStaysEmpty() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.SetzeSprache("deutsch");
        window.SetzeSprache("");
        verifyLanguage(window, false);
        QCOMPARE(window.state().gstrSprache, std::string());
    }

    void otherLanguageOnlyStoresTheValue() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.SetzeSprache("deutsch");
        const auto before = allTexts(window);
        window.SetzeSprache("français");
        QCOMPARE(window.state().gstrSprache, std::string("français"));
        QVERIFY(allTexts(window) == before);
    }

    void layoutValuesFollowTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("optionWidth");
        QTest::addColumn<int>("boxBeforeEnd");
        QTest::newRow("German") << "deutsch" << 4800 << 580;
        QTest::newRow("English") << "english" << 5000 << 1100;
    }
    void layoutValuesFollowTheLanguage() {
        QFETCH(QString, language);
        QFETCH(int, optionWidth);
        QFETCH(int, boxBeforeEnd);
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        window.SetzeSprache(language.toStdString());
        const auto option = window.twipGeometry("optManuellAlternativTexture");
        QCOMPARE(option.width, optionWidth);
        QCOMPARE(window.twipGeometry("txtESD_Alter_Tex").left, option.left + optionWidth - boxBeforeEnd);
    }

    void flagsAndListSwitchTheLanguage() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        auto* languages = window.control<QComboBox>("cmbLang");
        QTest::mouseClick(window.control<QWidget>("pctGerman"), Qt::LeftButton);
        QCOMPARE(languages->currentText(), QString("deutsch"));
        QCOMPARE(window.state().gstrSprache, std::string("deutsch"));
        QCOMPARE(window.control<QLabel>("lblLODsGefunden")->text(), QString("2 LODs gefunden:"));
        QTest::mouseClick(window.control<QWidget>("pctEnglisch"), Qt::LeftButton);
        QCOMPARE(window.state().gstrSprache, std::string("english"));
        languages->setCurrentIndex(1);
        QCOMPARE(window.control<QAbstractButton>("cmdErzeugeShape")->text(),
                 QString("Konvertiere Shape-Datei"));
    }

    void everyNamedControlExists() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        const char* singles[] = {"Picture1",
                                 "Picture2",
                                 "Timer1",
                                 "chkAceUni",
                                 "chkBoundingBox",
                                 "chkCMD_sichtbar",
                                 "chkRefEintrag",
                                 "chkShaderAddATexDiff",
                                 "chkShaderDiffuse",
                                 "chkTestOptionen",
                                 "chkTextureCopy",
                                 "cmbLang",
                                 "cmbMipMap",
                                 "cmd3DView",
                                 "cmdAbbruch",
                                 "cmdBBoxAusShape",
                                 "cmdBoundingBoxKorr",
                                 "cmdErzeugeShape",
                                 "cmdMipMapHelp",
                                 "cmdQuit",
                                 "cmdShapeToExplorer",
                                 "cmdVorschlagUebernehmen",
                                 "fraBoundingBox",
                                 "fraMipMap",
                                 "fraRef",
                                 "fraTestOptionen",
                                 "fraTexturen",
                                 "imgRunning01",
                                 "imgRunning02",
                                 "imgRunning03",
                                 "imgRunning04",
                                 "lblLODsGefunden",
                                 "lblRefClass",
                                 "lblRefDescription",
                                 "lstLODListe",
                                 "optJahreszeitenTextur",
                                 "optManuellAlternativTexture",
                                 "optNurSommerTextur",
                                 "optSchneeTextur",
                                 "optSchneeUndNachtTextur",
                                 "pctEnglisch",
                                 "pctGerman",
                                 "tmrBBoxLabel",
                                 "tmrBlinken",
                                 "txtAusgabe",
                                 "txtBBox",
                                 "txtBBoxInput",
                                 "txtESD_Alter_Tex",
                                 "txtRefClass",
                                 "txtRefDescription",
                                 "txtSDateiName"};
        for (const char* name : singles) QVERIFY2(window.findChild<QObject*>(name) != nullptr, name);
        for (const char* name : {"chkShapeTo", "lblCopyPfad", "cmdShapeCopy", "cmdPathOpen"}) {
            QCOMPARE(window.findChildren<QWidget*>(name).size(), 3);
            for (int index = 0; index < 3; ++index)
                QVERIFY2(window.findControl(name, index) != nullptr, name);
        }
        QCOMPARE(window.objectName(), QString("frmHaupt"));
    }

    void languageListHasItsTwoEntries() {
        test::WindowFixture model;
        model.writeHouse();
        MainWindow& window = model.open();
        auto* languages = window.control<QComboBox>("cmbLang");
        QCOMPARE(languages->count(), 2);
        QCOMPARE(languages->itemText(0), QString("english"));
        QCOMPARE(languages->itemText(1), QString("deutsch"));
    }
};

QTEST_MAIN(LanguageTest)
#include "test_language.moc"
