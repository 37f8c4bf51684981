// The window's choices and their handlers, the copy targets and the route-folder chooser frmFolder.

#include "support/UiTestSupport.h"
#include "ui/ChoiceHandlersMipMap.h"
#include "ui/FolderChooser.h"
#include "ui/HelpWindow.h"

#include "platform/Paths.h"
#include "platform/SpecialFolders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace quillfen;
using quillfen::ui::FolderChooser;
using quillfen::ui::MipMapEntry;

namespace {

const auto native = [](const QString& path) { return QDir::toNativeSeparators(path).toStdString(); };
const auto lineFor = [](const QString& values) { return "ESD_Bounding_Box ( " + values + " )"; };

/// The window open on the usual model, whose SHAPES folder holds house.s.
struct Model : test::WindowFixture {
    Model() : c(openOnTheModel()), window(*test::WindowFixture::window) {}
    const ui::WindowControls& openOnTheModel() {
        writeHouse();
        QDir(dir.path()).mkpath("SHAPES");
        write("SHAPES/house.s");
        return open().ui();
    }
    /// The states of chkTestOptionen and the three options as "TASD" flags, e.g. "1010".
    [[nodiscard]] QString testStates() const {
        QString states;
        for (const QCheckBox* box :
             {c.chkTestOptionen, c.chkAceUni, c.chkShaderDiffuse, c.chkShaderAddATexDiff})
            states += box->checkState() == Qt::Unchecked ? u'0' : u'1';
        return states;
    }
    [[nodiscard]] QList<ui::HelpWindow*> helpWindows() const {
        QList<ui::HelpWindow*> windows;
        for (QWidget* widget : window.findChildren<QWidget*>("frmHelp"))
            if (auto* help = dynamic_cast<ui::HelpWindow*>(widget)) windows << help;
        return windows;
    }
    QLineEdit* withBox(const QString& values = {}) const {
        c.chkBoundingBox->setCheckState(Qt::Checked);
        c.txtBBoxInput->setText(values);
        return c.txtBBoxInput;
    }

    const ui::WindowControls& c;
    ui::MainWindow& window;
};

/// Types `text` key by key, also characters beyond ASCII (which QTest::keyClicks refuses).
void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text)
        for (const auto action : {QTest::Press, QTest::Release})
            QTest::sendKeyEvent(action, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

/// A chooser over a temporary folder tree.
struct Chooser {
    explicit Chooser(int target) {
        for (const char* folder : {"routes/Shapes", "routes/other"}) QDir(dir.path()).mkpath(folder);
        FolderChooser::Setup setup{Language::German, target, &files, {}, {}};
        setup.askYesNo = [this](const std::string& title, const std::string& text) {
            questions.push_back({title, text});
            return yes;
        };
        setup.drives = {{"temp", dir.path()}};
        chooser = std::make_unique<FolderChooser>(nullptr, std::move(setup));
        chooser->values().strPfad = "start";
    }
    [[nodiscard]] QString path(const QString& relative) const {
        return QDir::toNativeSeparators(dir.filePath(relative));
    }

    QTemporaryDir dir;
    LocalFileSystem files;
    std::vector<test::FakeDialogs::Box> questions;
    bool yes = false;
    std::unique_ptr<FolderChooser> chooser;
};

} // namespace

class ChoicesTest : public QObject {
    Q_OBJECT

private slots:
    void testOptionRules() {
        // Boxes set from code, as restored settings do, one after the other, and the "TASD" flags after each.
        const std::tuple<const char*, Qt::CheckState, QString> steps[] = {
            {"chkTestOptionen", Qt::Checked, "1000"},
            {"chkAceUni", Qt::Checked, "1100"},
            {"chkShaderDiffuse", Qt::Checked, "1010"},          // diffuse clears one texture
            {"chkShaderAddATexDiff", Qt::Checked, "1001"},      // glassy clears diffuse
            {"chkAceUni", Qt::Checked, "1100"},                 // one texture clears glassy
            {"chkTestOptionen", Qt::Unchecked, "0000"},         // clearing the unlocking box clears all
            {"chkShaderDiffuse", Qt::PartiallyChecked, "1010"}, // grey counts as ticked and unlocks
            {"chkTestOptionen", Qt::Unchecked, "0000"}};
        Model m;
        QVERIFY(m.testStates() == "0000" && !m.c.fraTestOptionen->isEnabled());
        for (const auto& [name, state, states] : steps) {
            m.window.findChild<QCheckBox*>(name)->setCheckState(state);
            QCOMPARE(m.testStates(), states);
            for (const QWidget* box : {m.c.chkAceUni, m.c.chkShaderDiffuse, m.c.chkShaderAddATexDiff})
                QCOMPARE(box->isEnabled(), states[0] == u'1');
        }
    }

    void typedNamesAndTheProposal() {
        // The cleaning rules have their own table; here the rewrite while typing key by key: a
        // misplaced caret after a rewrite would put the next key elsewhere.
        const std::tuple<QString, int, QString, QString, int> cases[] = {
            {"ab.s", 1, ":", "a_b.s", 2},
            {"on.s", 0, "c", "C_O_N.s", 2}}; // behind the typed letter and the "_" it gained
        Model m;
        for (const auto& [start, caret, keys, shown, caretAfter] : cases) {
            m.c.txtSDateiName->setText(start);
            m.c.txtSDateiName->setCursorPosition(caret);
            typeText(m.c.txtSDateiName, keys);
            QCOMPARE(m.c.txtSDateiName->text(), shown);
            QCOMPARE(m.c.txtSDateiName->cursorPosition(), caretAfter);
        }
        m.c.cmdVorschlagUebernehmen->click();
        QCOMPARE(m.c.txtSDateiName->text(), QString("house_.s"));
    }

    void referenceFieldsFollowTheirSwitch() {
        Model m;
        // As loaded, ticked, cleared, grey; the switch itself, inside the frame, stays usable.
        for (const auto state : {Qt::Unchecked, Qt::Checked, Qt::Unchecked, Qt::PartiallyChecked}) {
            m.c.chkRefEintrag->setCheckState(state);
            const bool open = state != Qt::Unchecked;
            for (QWidget* field : std::initializer_list<QWidget*>{
                     m.c.lblRefClass, m.c.txtRefClass, m.c.lblRefDescription, m.c.txtRefDescription})
                QCOMPARE(field->isEnabled(), open);
            QVERIFY(m.c.chkRefEintrag->isEnabled());
        }
    }

    void optionButtons() {
        // Each option's code; the manual option keeps the last one, and one typed while it is set.
        Model m;
        const ui::WindowControls& c = m.c;
        const std::pair<QRadioButton*, const char*> clicks[] = {
            {c.optSchneeTextur, "1"},           {c.optSchneeUndNachtTextur, "257"},
            {c.optJahreszeitenTextur, "252"},   {c.optNurSommerTextur, "0"},
            {c.optSchneeUndNachtTextur, "257"}, {c.optManuellAlternativTexture, "257"}};
        for (const auto& [option, code] : clicks) {
            option->click();
            QCOMPARE(c.txtESD_Alter_Tex->text(), QString(code));
        }
        c.txtESD_Alter_Tex->setText("3 ");
        c.optManuellAlternativTexture->click();
        QCOMPARE(c.txtESD_Alter_Tex->text(), QString("3 "));
    }

    void mipMapText() {
        using enum MipMapEntry;
        const std::pair<const char*, MipMapEntry> cases[] = {{"0.25", Accepted},  {"16.00", Accepted},
                                                             {"-", Incomplete},   {"16.01", Rejected},
                                                             {"1.125", Rejected}, {"1,5", Rejected}};
        for (const auto& [text, entry] : cases) QVERIFY2(ui::checkMipMapEntry(text) == entry, text);
    }

    void mipMapBoxTypedAndFromCode() {
        Model m;
        QComboBox* box = m.c.cmbMipMap;
        QCOMPARE(box->currentText(), QString("0"));
        // A refused key is not taken; leaving with half-typed text brings back the last good value.
        QVERIFY(QTest::qWaitForWindowActive(&m.window));
        for (const auto& [keys, shown] : {std::pair{"-a3", "-3"}, {"1.", "1"}}) {
            box->lineEdit()->setFocus();
            box->lineEdit()->clear();
            QTest::keyClicks(box->lineEdit(), keys);
            m.c.txtSDateiName->setFocus();
            QCOMPARE(box->currentText(), QString(shown));
        }
        box->setCurrentText("-4");
        for (const QString& text : {QString("abc"), QString("-"), QString(10000, u'9')}) {
            box->setCurrentText(text);
            QCOMPARE(box->currentText(), QString("-4"));
        }
    }

    void oneReusedHelpWindowInTheLanguageAtTheClick() {
        Model m;
        m.window.state().gstrSprache = Language::German;
        m.c.cmdMipMapHelp->click();
        QCOMPARE(m.helpWindows().size(), 1);
        ui::HelpWindow* help = m.helpWindows().first();
        const auto shown = [help] { return help->findChild<QPlainTextEdit*>("Text1")->toPlainText(); };
        QVERIFY(help->isVisible() && help->windowModality() == Qt::NonModal);
        QVERIFY(help->windowTitle() == "Hilfe" && shown().startsWith("ACHTUNG!"));
    }

    void boundingBoxEntry() {
        Model m;
        QLineEdit* input = m.c.txtBBoxInput;
        QLineEdit* display = m.c.txtBBox;
        // The filter's rules have their own table; here key events reach it with the caret.
        const std::tuple<QString, int, QString, QString, int> typed[] = {
            {"", 0, "1 2.5 -3 4 5 6", "1 2.5 -3 4 5 6", 14},
            {"1 2", 1, "q", "1 2", 1}}; // a letter in the middle goes again, the caret back with it
        for (const auto& [start, caret, keys, shown, caretAfter] : typed) {
            m.withBox(start)->setCursorPosition(caret);
            QTest::keyClicks(input, keys);
            QCOMPARE(input->text(), shown);
            QCOMPARE(input->cursorPosition(), caretAfter);
            QCOMPARE(display->text(), lineFor(shown));
        }
        // After typing "a" (removed) an arrow key's key-up must not remove anything else.
        QTest::keyClicks(m.withBox(), "12a");
        QTest::keyClick(input, Qt::Key_Left);
        QVERIFY(input->text() == "12" && input->cursorPosition() == 1);
        // The display line undoes a typed letter.
        m.withBox("1 2 3 4 5 6");
        display->setCursorPosition(5);
        QTest::keyClick(display, Qt::Key_X);
        QVERIFY(display->text() == lineFor("1 2 3 4 5 6") && display->cursorPosition() == 6);
        // The validate button writes the normal form into both lines.
        m.withBox("ESD_Bounding_Box ( 1 2 3 4 5 6 )");
        m.c.cmdBoundingBoxKorr->click();
        const QString normal = "1.0 2.0 3.0 4.0 5.0 6.0";
        QVERIFY(input->text() == normal && display->text() == lineFor(normal));
        // The run validates while the box command counts as running; the sd-file takes the display
        // line only when it starts with its keyword.
        input->setText("1 2 3 4 5 6");
        m.window.setBoundingBoxFlag(true);
        m.c.cmdBoundingBoxKorr->click();
        QCOMPARE(display->text(), lineFor(normal));
        // Switched off, the frame's controls go; switched on again, the keyword comes back.
        m.window.setBoundingBoxFlag(false);
        input->setText("1 2");
        m.c.chkBoundingBox->setCheckState(Qt::Unchecked);
        QVERIFY(!input->isEnabled() && !m.c.cmdBBoxAusShape->isEnabled() && display->isHidden());
        m.c.chkBoundingBox->setCheckState(Qt::Checked);
        QVERIFY(input->isEnabled() && display->isVisible() && m.c.cmdBBoxAusShape->isEnabled());
        QCOMPARE(display->text(), lineFor("1 2"));
    }

    // ---- the route-folder chooser frmFolder --------------------------------

    void shapesQuestion() {
        // Asked for a route target's SHAPES folder, not for the plain target 2 nor a route; Yes keeps it
        // open.
        const std::tuple<int, const char*, bool, bool> cases[] = {{0, "routes/Shapes", true, false},
                                                                  {2, "routes/Shapes", false, false},
                                                                  {0, "routes/other", false, false},
                                                                  {0, "routes/Shapes", true, true}};
        for (const auto& [target, relative, asked, yes] : cases) {
            Chooser fixture(target);
            fixture.yes = yes;
            const QString folder = fixture.path(relative);
            QVERIFY(fixture.chooser->setFolderPath(folder));
            fixture.chooser->show();
            fixture.chooser->clickOk();
            QCOMPARE(fixture.questions.size(), std::size_t{asked});
            QCOMPARE(fixture.chooser->isVisible(), yes);
            QCOMPARE(fixture.chooser->folderPath(), folder);
            QCOMPARE(fixture.chooser->values().strPfad, yes ? std::string("start") : native(folder));
            QVERIFY(!fixture.chooser->values().blnAbgebrochen);
            if (!asked || yes) continue;
            const auto [title, text] = fixture.questions.front();
            QCOMPARE(fixture.chooser->findChild<QPushButton*>("cmdOK")->text(),
                     QString("Verzeichnis übernehemen"));
            QCOMPARE(title, "SHAPE-Verzeichnis gewählt!");
            QVERIFY(text.starts_with("Sie haben ein 'SHAPES'-Verzeichnis gewählt!\r\r"));
            QVERIFY(text.ends_with(":\r\r" + native(folder) + kSep +
                                   "SHAPES\r\rWollen Sie den Verzeichnis-Pfad nocheinmal bearbeiten?"));
        }
    }

    // ---- the copy targets of the window ----------------------------------

    void switchingTargets() {
        // A target's buttons and folder follow its box ("+": all enabled); the textures box follows any
        // target.
        Model m;
        const auto states = [&m] {
            QString shown;
            for (std::size_t t = 0; t < 3; ++t) {
                const int on = m.c.cmdShapeCopy[t]->isEnabled() + m.c.cmdPathOpen[t]->isEnabled() +
                               m.c.lblCopyPfad[t]->isEnabled();
                shown += on == 3 ? '+' : on == 0 ? '-' : '?';
            }
            return shown + (m.c.chkTextureCopy->isEnabled() ? ":+" : ":-");
        };
        QCOMPARE(states(), QString("---:-"));
        const std::tuple<std::size_t, bool, QString> steps[] = {
            {1, true, "-+-:+"}, {2, true, "-++:+"}, {2, false, "-+-:-"}, {0, true, "++-:+"}};
        for (const auto& [target, on, expected] : steps) {
            m.c.chkShapeTo[target]->setChecked(on);
            QCOMPARE(states(), expected);
        }
    }

    void chooserRequestAndAnswers() {
        Model m;
        const ui::WindowControls& c = m.c;
        const auto choose = [&m](std::size_t target, const ui::FolderAnswer& answer) {
            m.c.chkShapeTo[target]->setChecked(true);
            m.dialogs.folderAnswer = answer;
            m.c.cmdShapeCopy[target]->click();
            return m.dialogs.folderRequests.back();
        };
        // At first the chooser opens in the home folder, where it exists; no folder unchecks the target.
        const std::string home = defaultCopyTargetFolder();
        QCOMPARE(choose(0, {false, ""}).startFolder,
                 QDir(QString::fromStdString(home)).exists() ? home : m.window.state().gstrProgrammPfad);
        QVERIFY(c.lblCopyPfad[0]->text().isEmpty() && !c.chkShapeTo[0]->isChecked());
        QVERIFY(!c.cmdPathOpen[0]->isEnabled() && !c.chkTextureCopy->isEnabled());
        // Then in the target's folder, and cancel changes nothing.
        m.window.state().gstrSprache = Language::German;
        c.lblCopyPfad[0]->setText(m.dir.path());
        ui::FolderRequest request = choose(0, {true, ""});
        QVERIFY(request.target == 0 && request.title == "Wähle das Strecken-Verzeichnis");
        QCOMPARE(request.startFolder, m.dir.path().toStdString());
        QCOMPARE(c.lblCopyPfad[0]->text(), m.dir.path());
        QVERIFY(c.chkShapeTo[0]->isChecked() && c.cmdPathOpen[0]->isEnabled() &&
                c.chkTextureCopy->isEnabled());
        // A target's folder that is gone gives the model folder.
        c.lblCopyPfad[1]->setText(m.dir.path() + "/gone");
        request = choose(1, {false, "/chosen"});
        QVERIFY(request.target == 1 && m.window.state().gintKopierZiel == 1);
        QCOMPARE(request.startFolder, m.window.state().gstrProgrammPfad);
        QCOMPARE(c.lblCopyPfad[1]->text(), QString("/chosen"));
    }

    void openingOnTheDesktop() {
        // A target's folder opens when it is there; the s-file's folder when it holds the s-file.
        Model m;
        m.c.chkShapeTo[2]->setChecked(true);
        for (const QString& folder : {m.dir.path() + "/gone", m.dir.path() + "/SHAPES"}) {
            m.c.lblCopyPfad[2]->setText(QDir::toNativeSeparators(folder));
            m.c.cmdPathOpen[2]->click();
        }
        for (const char* name : {"other.s", " house.s "}) {
            m.c.txtSDateiName->setText(name);
            m.c.cmdShapeToExplorer->click();
        }
        QCOMPARE(m.dialogs.opened, (std::vector<std::string>(2, native(m.dir.path() + "/SHAPES"))));
    }

    void threeDViewShowsTheShapeItself() {
        Model m;
        m.c.txtSDateiName->setText("house"); // no such s-file: nothing opens
        m.c.cmd3DView->click();
        m.c.txtSDateiName->setText("house.s");
        m.c.cmd3DView->click();
        QVERIFY(m.dialogs.shapeViews.size() == 1 && m.dialogs.opened.empty());
        QCOMPARE(m.dialogs.shapeViews[0].path, native(m.dir.path() + "/SHAPES/house.s"));
        QCOMPARE(m.dialogs.shapeViews[0].modelFolder, m.window.state().gstrProgrammPfad);
    }
};

QTEST_MAIN(ChoicesTest)
#include "test_choices.moc"
