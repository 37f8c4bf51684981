// The window's choices, mostly on a small stand-in form: the test options with
// their blink as painted, the s-file name box and the reference fields, the
// alternative-texture options, the mipmap box and its help window, the
// bounding-box entry (typing key by key, the display line that undoes every
// edit, the switch, the validate button, the colour timer), the route-folder
// chooser frmFolder and the copy targets; and the handlers wired into the real
// window.

#include "core/ProgramState.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/SpecialFolders.h"
#include "sfile/MipMapHelp.h"
#include "support/UiTestSupport.h"
#include "ui/ChoiceHandlers.h"
#include "ui/ChoiceHandlersMipMap.h"
#include "ui/FolderChooser.h"
#include "ui/HelpWindow.h"
#include "ui/TestOptions.h"
#include "ui/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

using namespace quillfen;
using quillfen::test::columns;
using quillfen::test::row;
using quillfen::test::WindowFixture;
using quillfen::ui::FolderChooser;
using quillfen::ui::MainWindow;
using quillfen::ui::MipMapEntry;

Q_DECLARE_METATYPE(MipMapEntry)

namespace {

/// Types `text` key by key, also characters beyond ASCII (which QTest::keyClicks refuses).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

class ChoiceTestForm {
public:
    ChoiceTestForm() : m_root(std::make_unique<QWidget>()) {
        build();
        install();
    }

    /// Connects the handlers to the fakes below.
    void install() {
        ui::ChoiceServices services;
        services.state = &state;
        services.fileSystem = &files;
        services.askYesNo = [](const std::string&, const std::string&) { return false; };
        services.openWithDesktop = [this](const std::string& path) { opened.push_back(path); };
        services.chooseFolder = [this](const ui::FolderRequest& request) {
            requests.push_back(request);
            return chooserAnswer;
        };
        services.boxCommandRunning = [this] { return boxCommandRunning; };
        services.openShapeView = [this](const std::string& path) { shapeViews.push_back(path); };
        services.desktopHasShapeProgram = [this] { return desktopHasShapeProgram; };
        handlers = new ui::ChoiceHandlers(controls, std::move(services), *m_root);
    }

    [[nodiscard]] QWidget& root() const { return *m_root; }

    template <class Widget> [[nodiscard]] Widget* get(const char* name, int index = -1) const {
        for (Widget* widget : m_root->findChildren<Widget*>(QString::fromLatin1(name))) {
            bool hasIndex = false;
            const int own = widget->property("index").toInt(&hasIndex);
            if (index < 0 ? !hasIndex : (hasIndex && own == index)) return widget;
        }
        return nullptr;
    }
    [[nodiscard]] QCheckBox* check(const char* name, int index = -1) const {
        return get<QCheckBox>(name, index);
    }
    [[nodiscard]] QLineEdit* edit(const char* name) const { return get<QLineEdit>(name); }

    ProgramState state;
    LocalFileSystem files;
    ui::WindowControls controls;
    ui::ChoiceHandlers* handlers = nullptr;
    std::vector<std::string> opened;
    std::vector<std::string> shapeViews;
    bool desktopHasShapeProgram = false;
    std::vector<ui::FolderRequest> requests;
    ui::FolderAnswer chooserAnswer;
    bool boxCommandRunning = false;

private:
    template <class Widget> Widget* add(QWidget* parent, const char* name, int index = -1) {
        auto* widget = new Widget(parent);
        widget->setObjectName(QString::fromLatin1(name));
        if (index >= 0) widget->setProperty("index", index);
        if (parent->layout() != nullptr) parent->layout()->addWidget(widget);
        return widget;
    }

    QGroupBox* frame(const char* name) {
        auto* box = add<QGroupBox>(m_root.get(), name);
        new QVBoxLayout(box);
        return box;
    }

    void build() {
        new QVBoxLayout(m_root.get());
        QWidget* root = m_root.get();
        ui::WindowControls& c = controls;

        c.chkTestOptionen = add<QCheckBox>(root, "chkTestOptionen");
        c.fraTestOptionen = frame("fraTestOptionen");
        c.chkAceUni = add<QCheckBox>(c.fraTestOptionen, "chkAceUni");
        c.chkShaderDiffuse = add<QCheckBox>(c.fraTestOptionen, "chkShaderDiffuse");
        c.chkShaderAddATexDiff = add<QCheckBox>(c.fraTestOptionen, "chkShaderAddATexDiff");

        c.cmdVorschlagUebernehmen = add<QPushButton>(root, "cmdVorschlagUebernehmen");
        c.txtSDateiName = add<QLineEdit>(root, "txtSDateiName");
        // As in the main window, the switch of the reference fields sits inside their frame.
        c.fraRef = frame("fraRef");
        c.chkRefEintrag = add<QCheckBox>(c.fraRef, "chkRefEintrag");
        c.lblRefClass = add<QLabel>(c.fraRef, "lblRefClass");
        c.txtRefClass = add<QLineEdit>(c.fraRef, "txtRefClass");
        c.lblRefDescription = add<QLabel>(c.fraRef, "lblRefDescription");
        c.txtRefDescription = add<QLineEdit>(c.fraRef, "txtRefDescription");

        c.fraTexturen = frame("fraTexturen");
        c.optNurSommerTextur = add<QRadioButton>(c.fraTexturen, "optNurSommerTextur");
        c.optSchneeTextur = add<QRadioButton>(c.fraTexturen, "optSchneeTextur");
        c.optSchneeUndNachtTextur = add<QRadioButton>(c.fraTexturen, "optSchneeUndNachtTextur");
        c.optJahreszeitenTextur = add<QRadioButton>(c.fraTexturen, "optJahreszeitenTextur");
        c.optManuellAlternativTexture = add<QRadioButton>(c.fraTexturen, "optManuellAlternativTexture");
        c.txtESD_Alter_Tex = add<QLineEdit>(c.fraTexturen, "txtESD_Alter_Tex");
        c.txtESD_Alter_Tex->setText(QStringLiteral("0"));

        c.fraMipMap = frame("fraMipMap");
        c.cmbMipMap = add<QComboBox>(c.fraMipMap, "cmbMipMap");
        c.cmbMipMap->setEditable(true);
        c.cmbMipMap->setEditText(QStringLiteral("0"));
        c.cmdMipMapHelp = add<QPushButton>(c.fraMipMap, "cmdMipMapHelp");

        c.fraBoundingBox = frame("fraBoundingBox");
        c.chkBoundingBox = add<QCheckBox>(c.fraBoundingBox, "chkBoundingBox");
        c.txtBBoxInput = add<QLineEdit>(c.fraBoundingBox, "txtBBoxInput");
        c.txtBBox = add<QLineEdit>(c.fraBoundingBox, "txtBBox");
        c.cmdBoundingBoxKorr = add<QPushButton>(c.fraBoundingBox, "cmdBoundingBoxKorr");
        c.cmdBBoxAusShape = add<QPushButton>(c.fraBoundingBox, "cmdBBoxAusShape");
        c.tmrBBoxLabel = new QTimer(root);
        c.tmrBBoxLabel->setObjectName(QStringLiteral("tmrBBoxLabel"));
        c.tmrBBoxLabel->setSingleShot(true);
        c.tmrBBoxLabel->setInterval(2000);

        for (std::size_t target = 0; target < 3; ++target) {
            const int index = static_cast<int>(target);
            c.chkShapeTo[target] = add<QCheckBox>(root, "chkShapeTo", index);
            c.cmdShapeCopy[target] = add<QPushButton>(root, "cmdShapeCopy", index);
            c.lblCopyPfad[target] = add<QLabel>(root, "lblCopyPfad", index);
            c.lblCopyPfad[target]->setText(QStringLiteral("C:\\"));
            c.cmdPathOpen[target] = add<QPushButton>(root, "cmdPathOpen", index);
        }
        c.chkTextureCopy = add<QCheckBox>(root, "chkTextureCopy");
        c.cmdShapeToExplorer = add<QPushButton>(root, "cmdShapeToExplorer");
        c.cmd3DView = add<QPushButton>(root, "cmd3DView");
    }

    std::unique_ptr<QWidget> m_root;
};

/// The states of chkTestOptionen and the three options as "TASD" flags, e.g. "1010".
QString statesOf(const ChoiceTestForm& form) {
    QString states;
    for (const char* name : {"chkTestOptionen", "chkAceUni", "chkShaderDiffuse", "chkShaderAddATexDiff"})
        states += form.check(name)->checkState() == Qt::Unchecked ? u'0' : u'1';
    return states;
}

QString helpText(const std::string& language) {
    return QString::fromStdString(MipMapHilfeText(*languageNamed(language)));
}

Language languageOf(const QString& name) {
    return *languageNamed(name.toStdString());
}

QList<ui::HelpWindow*> helpWindows(const ChoiceTestForm& form) {
    QList<ui::HelpWindow*> windows;
    for (QWidget* widget : form.root().findChildren<QWidget*>(QStringLiteral("frmHelp")))
        if (auto* window = dynamic_cast<ui::HelpWindow*>(widget)) windows << window;
    return windows;
}

/// Whether the box, as painted on the screen, shows the blink's light yellow.
bool showsBlinkColour(QWidget* box) {
    const QImage image = box->grab().toImage();
    // Right of the caption's text, where only the background is painted.
    return image.pixelColor(image.width() - 2, image.height() / 2) == ui::TestOptions::kBlinkColour;
}

QString shownText(const ChoiceTestForm& form) {
    return helpWindows(form).value(0)->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
}

struct BoxForm : ChoiceTestForm {
    BoxForm() { check("chkBoundingBox")->setCheckState(Qt::Checked); }
    [[nodiscard]] QLineEdit* input() const { return edit("txtBBoxInput"); }
    [[nodiscard]] QLineEdit* display() const { return edit("txtBBox"); }
};

QString lineFor(const QString& values) {
    return QStringLiteral("ESD_Bounding_Box ( ") + values + QStringLiteral(" )");
}

std::string native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

/// The form over a model folder that holds SHAPES/house.s.
struct HouseForm : ChoiceTestForm {
    HouseForm() {
        QDir(dir.path()).mkpath(QStringLiteral("SHAPES"));
        QFile house(dir.filePath(QStringLiteral("SHAPES/house.s")));
        written = house.open(QIODevice::WriteOnly);
        state.gstrProgrammPfad = native(dir.path());
    }
    QTemporaryDir dir;
    bool written = false;
};

/// A chooser over a temporary folder tree, with a drive that is not ready.
struct ChooserFixture {
    explicit ChooserFixture(int target, Language language = Language::German) {
        QDir(dir.path()).mkpath(QStringLiteral("routes/Shapes"));
        QDir(dir.path()).mkpath(QStringLiteral("routes/other"));
        FolderChooser::Setup setup;
        setup.language = language;
        setup.target = target;
        setup.fileSystem = &files;
        setup.askYesNo = [this](const std::string& title, const std::string& text) {
            questions.emplace_back(title, text);
            return yes;
        };
        setup.drives = {{QStringLiteral("temp"), dir.path()},
                        {QStringLiteral("x: [gone]"), dir.path() + QStringLiteral("/no-such-drive")}};
        chooser = std::make_unique<FolderChooser>(nullptr, std::move(setup));
    }
    QString path(const QString& relative) const { return QDir::toNativeSeparators(dir.filePath(relative)); }

    QTemporaryDir dir;
    LocalFileSystem files;
    std::vector<std::pair<std::string, std::string>> questions;
    bool yes = false;
    std::unique_ptr<FolderChooser> chooser;
};

} // namespace

class ChoicesTest : public QObject {
    Q_OBJECT

private slots:
    void rules_data() {
        // A step "name=0/1/2" sets a box from code, as restored settings do.
        columns<QStringList, QString, bool>({"steps", "expected", "frameEnabled"});
        row("nothing ticked", QStringList{}, "0000", false);
        row("unlock alone", QStringList{"chkTestOptionen=1"}, "1000", true);
        row("an option ticks the unlocking box", QStringList{"chkAceUni=1"}, "1100", true);
        row("a grey option counts as ticked", QStringList{"chkShaderDiffuse=2"}, "1010", true);
        row("diffuse clears one texture", QStringList{"chkAceUni=1", "chkShaderDiffuse=1"}, "1010", true);
        row("glassy clears diffuse", QStringList{"chkShaderDiffuse=1", "chkShaderAddATexDiff=1"}, "1001",
            true);
        row("one texture clears glassy", QStringList{"chkShaderAddATexDiff=1", "chkAceUni=1"}, "1100", true);
        row("clearing an option keeps the frame open", QStringList{"chkAceUni=1", "chkAceUni=0"}, "1000",
            true);
        row("clearing the unlocking box clears all", QStringList{"chkShaderDiffuse=1", "chkTestOptionen=0"},
            "0000", false);
        row("unlock again leaves the options clear",
            QStringList{"chkAceUni=1", "chkTestOptionen=0", "chkTestOptionen=1"}, "1000", true);
    }

    void rules() {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        QFETCH(bool, frameEnabled);
        ChoiceTestForm form;
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
        form.root().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.root()));
        form.check("chkTestOptionen")->click();
        form.check("chkAceUni")->click();
        QCheckBox* diffuse = form.check("chkShaderDiffuse");
        // The box's indicator sits at its left edge.
        QTest::mouseClick(diffuse, Qt::LeftButton, {}, QPoint(6, diffuse->height() / 2));
        QCOMPARE(statesOf(form), QStringLiteral("1010"));
    }

    void blinkShowsYellowOnTheScreenFourTimes() {
        ChoiceTestForm form;
        form.check("chkShaderDiffuse")->setCheckState(Qt::Checked);
        QCheckBox* blinking = form.check("chkShaderDiffuse");
        QCheckBox* quiet = form.check("chkAceUni");
        // Before the window is on the screen the blink waits: nothing would be seen.
        form.handlers->blinkActiveTestOption();
        ui::TestOptions& options = form.handlers->testOptions();
        QVERIFY(options.blinking());
        QVERIFY(!showsBlinkColour(blinking));
        form.root().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.root()));
        QList<bool> yellow;
        while (options.blinking()) {
            options.blinkStep();
            yellow.append(showsBlinkColour(blinking));
            QVERIFY(!showsBlinkColour(quiet));
        }
        QCOMPARE(yellow, (QList<bool>{true, false, true, false, true, false, true, false}));
        QVERIFY(!showsBlinkColour(blinking));
    }

    void blinkNeedsATickedOption() {
        for (const Qt::CheckState unlocked : {Qt::Unchecked, Qt::Checked}) {
            ChoiceTestForm form;
            form.check("chkTestOptionen")->setCheckState(unlocked);
            form.handlers->blinkActiveTestOption();
            QVERIFY(!form.handlers->testOptions().blinking());
        }
    }

    void typedNames_data() {
        // The cleaning rules have their own table; here the rewrite while typing.
        columns<QString, int, QString, QString, int>({"start", "caret", "typed", "shown", "caretAfter"});
        row("every forbidden character", "", 0, "x<>?\":|\\/*y", "x_________y", 11);
        row("device name", "", 0, "con.s", "C_O_N.s", 7);
        row("forbidden character in the middle", "ab.s", 1, ":", "a_b.s", 2);
        row("dot completing a device name", "prns", 3, ".", "P_R_N.s", 6);
        // Behind the typed letter and the "_" it gained.
        row("letter in front of the rest", "on.s", 0, "c", "C_O_N.s", 2);
    }
    void typedNames() {
        // Typed key by key: a misplaced caret after a rewrite would put the next key elsewhere.
        QFETCH(QString, start);
        QFETCH(int, caret);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, caretAfter);
        ChoiceTestForm form;
        QLineEdit* box = form.edit("txtSDateiName");
        box->setText(start);
        box->setCursorPosition(caret);
        typeText(box, typed);
        QCOMPARE(box->text(), shown);
        QCOMPARE(box->cursorPosition(), caretAfter);
    }

    void pastedRubbishAndTheProposal() {
        ChoiceTestForm form;
        QLineEdit* box = form.edit("txtSDateiName");
        QString rubbish;
        for (int i = 0; i < 10000; ++i) rubbish += QChar(u"a:\t\x01\\/ß*?"[i % 10]);
        box->setText(rubbish);
        QCOMPARE(box->text().size(), rubbish.size());
        QVERIFY(!box->text().contains(u':'));
        QVERIFY(!box->text().contains(u'*'));
        form.state.gstrSDateiVorschlag = "house_.s";
        form.get<QPushButton>("cmdVorschlagUebernehmen")->click();
        QCOMPARE(box->text(), QStringLiteral("house_.s"));
    }

    void referenceFields_data() {
        columns<int, bool>({"state", "enabled"});
        row("start", -1, false);
        row("clear", 0, false);
        row("checked", 2, true);
        row("grey counts as ticked", 1, true);
    }
    void referenceFields() {
        QFETCH(int, state);
        QFETCH(bool, enabled);
        ChoiceTestForm form;
        QCheckBox* reference = form.check("chkRefEintrag");
        if (state >= 0) {
            reference->setCheckState(state == 0 ? Qt::Checked : Qt::Unchecked); // a change either way
            reference->setCheckState(static_cast<Qt::CheckState>(state));
        }
        for (const char* name : {"lblRefClass", "txtRefClass", "lblRefDescription", "txtRefDescription"})
            QCOMPARE(form.get<QWidget>(name)->isEnabled(), enabled);
        const QPalette::ColorRole expected = enabled ? QPalette::Base : QPalette::Button;
        for (const char* name : {"txtRefClass", "txtRefDescription"})
            QCOMPARE(form.edit(name)->palette().color(QPalette::Base),
                     QApplication::palette(form.edit(name)).color(expected));
        // The switch lives inside the frame, so the frame stays open and the switch usable.
        QVERIFY(reference->isEnabled());
    }

    void optionButtons_data() {
        // A name with "=" is set from code instead of clicked.
        columns<QStringList, QString>({"clicks", "code"});
        row("summer", QStringList{"optSchneeTextur", "optNurSommerTextur"}, "0");
        row("snow", QStringList{"optSchneeTextur"}, "1");
        row("snow and night", QStringList{"optSchneeUndNachtTextur"}, "257");
        row("seasons", QStringList{"optJahreszeitenTextur"}, "252");
        row("seasons from code", QStringList{"=optJahreszeitenTextur"}, "252");
        row("manual keeps the last code",
            QStringList{"optSchneeUndNachtTextur", "optManuellAlternativTexture"}, "257");
    }
    void optionButtons() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, code);
        ChoiceTestForm form;
        for (const QString& name : clicks) {
            auto* option = form.get<QRadioButton>(QString(name).remove(u'=').toLatin1().constData());
            if (name.startsWith(u'='))
                option->setChecked(true);
            else
                option->click();
        }
        QCOMPARE(form.edit("txtESD_Alter_Tex")->text(), code);
    }

    void manualCodeStaysWhileTheManualOptionIsSet() {
        ChoiceTestForm form;
        form.get<QRadioButton>("optManuellAlternativTexture")->click();
        QLineEdit* code = form.edit("txtESD_Alter_Tex");
        code->setText(QStringLiteral("3 "));
        form.get<QRadioButton>("optManuellAlternativTexture")->click();
        QCOMPARE(code->text(), QStringLiteral("3 "));
        form.get<QRadioButton>("optSchneeTextur")->click();
        QCOMPARE(code->text(), QStringLiteral("1"));
    }

    void mipMapText_data() {
        columns<QString, MipMapEntry>({"text", "entry"});
        row("entry", "-3", MipMapEntry::Accepted);
        row("two decimals", "0.25", MipMapEntry::Accepted);
        row("highest", "16.00", MipMapEntry::Accepted);
        row("minus alone", "-", MipMapEntry::Incomplete);
        row("point pending", "1.", MipMapEntry::Incomplete);
        row("just beyond", "16.01", MipMapEntry::Rejected);
        row("three decimals", "1.125", MipMapEntry::Rejected);
        row("comma", "1,5", MipMapEntry::Rejected);
        row("exponent", "1e1", MipMapEntry::Rejected);
    }
    void mipMapText() {
        QFETCH(QString, text);
        QFETCH(MipMapEntry, entry);
        QCOMPARE(ui::checkMipMapEntry(text.toStdString()), entry);
    }

    void typingIntoTheMipMapBox_data() {
        columns<QString, QString>({"keys", "shown"});
        row("a number", "-1.5", "-1.5");
        row("letters are refused", "-a3", "-3");
        row("a third digit is refused", "123", "12");
        // Leaving with half-typed text brings back the last good value on the way.
        row("half typed", "1.", "1");
    }
    void typingIntoTheMipMapBox() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        ChoiceTestForm form;
        auto* box = form.get<QComboBox>("cmbMipMap");
        form.root().show();
        QVERIFY(QTest::qWaitForWindowActive(&form.root()));
        box->lineEdit()->setFocus();
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), keys);
        form.edit("txtSDateiName")->setFocus();
        QCOMPARE(box->currentText(), shown);
        QCOMPARE(box->count(), 9);
    }

    void mipMapEntriesAndUnfitTextFromCode() {
        ChoiceTestForm form;
        auto* box = form.get<QComboBox>("cmbMipMap");
        QStringList entries;
        for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
        QCOMPARE(entries, (QStringList{"2", "1", "0", "-1", "-2", "-3", "-4", "-5", "-6"}));
        QCOMPARE(box->currentText(), QStringLiteral("0"));
        box->setCurrentText(QStringLiteral("-4"));
        for (const QString& text : {QStringLiteral("abc"), QStringLiteral("-"), QString(10000, u'9')}) {
            box->setCurrentText(text);
            QCOMPARE(box->currentText(), QStringLiteral("-4"));
        }
    }

    void helpTextLayout_data() {
        columns<QString, QString, QString>({"language", "start", "end"});
        row("German", "deutsch", "ACHTUNG!", "Texturnummer.");
        row("English", "english", "ATTENTION!", "texture number.");
    }
    void helpTextLayout() {
        QFETCH(QString, language);
        QFETCH(QString, start);
        QFETCH(QString, end);
        const QString text = helpText(language.toStdString());
        // No break after the last piece, every break CR LF, never three in a row.
        QVERIFY(text.startsWith(start));
        QVERIFY(text.endsWith(end));
        QCOMPARE(text.count(QStringLiteral("\r\n")), 24);
        QCOMPARE(text.count(u'\n'), 24);
        QCOMPARE(text.count(QStringLiteral("\r\n\r\n\r\n")), 0);
    }

    void exampleLinesAreFixedPitch() {
        ChoiceTestForm form;
        form.get<QPushButton>("cmdMipMapHelp")->click();
        const ui::HelpWindow* window = helpWindows(form).first();
        const QStringList lines = window->helpText().split(u'\n');
        int examples = 0;
        for (int line = 0; line < lines.size(); ++line) {
            const bool example = lines[line].contains(QStringLiteral("texture ( 1")) ||
                                 lines[line].contains(QStringLiteral("-> texture"));
            QCOMPARE(window->isFixedPitchLine(line), example);
            examples += example ? 1 : 0;
        }
        QCOMPARE(examples, 4);
    }

    void oneReusedWindow() {
        ChoiceTestForm form;
        auto* button = form.get<QPushButton>("cmdMipMapHelp");
        button->click();
        QCOMPARE(helpWindows(form).size(), 1);
        ui::HelpWindow* window = helpWindows(form).first();
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowModality(), Qt::NonModal);
        QCOMPARE(window->windowTitle(), QStringLiteral("Help"));
        button->click();
        QCOMPARE(helpWindows(form).size(), 1);
        window->close();
        button->click();
        QCOMPARE(helpWindows(form).size(), 1);
        QCOMPARE(helpWindows(form).first(), window);
        QVERIFY(window->isVisible());
    }

    void textFollowsTheLanguageAtTheClick_data() {
        columns<QString, QString, QString>({"first", "second", "shownAfter"});
        row("German", "english", "deutsch", "deutsch");
        row("English", "deutsch", "english", "english");
    }

    void textFollowsTheLanguageAtTheClick() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, shownAfter);
        ChoiceTestForm form;
        auto* button = form.get<QPushButton>("cmdMipMapHelp");
        form.state.gstrSprache = languageOf(first);
        button->click();
        form.state.gstrSprache = languageOf(second);
        // A language switch alone does not touch the open window.
        QCOMPARE(shownText(form),
                 helpText(first.toStdString()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        button->click();
        QCOMPARE(shownText(form),
                 helpText(shownAfter.toStdString()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(helpWindows(form).first()->windowTitle(),
                 shownAfter == "deutsch" ? QStringLiteral("Hilfe") : QStringLiteral("Help"));
    }

    void optionsOfTheWindowDesign() {
        WindowFixture fixture;
        fixture.writeHouse();
        MainWindow& window = fixture.open();
        QCOMPARE(fixture.loadResult, 0);
        // The test options start locked; an option unlocks them.
        QVERIFY(!window.ui().fraTestOptionen->isEnabled());
        window.ui().chkShaderDiffuse->setCheckState(Qt::Checked);
        QCOMPARE(window.ui().chkTestOptionen->checkState(), Qt::Checked);
        QVERIFY(window.ui().fraTestOptionen->isEnabled());
        // The mipmap box holds its nine entries and refuses rubbish.
        auto* box = window.ui().cmbMipMap;
        QCOMPARE(box->count(), 9);
        box->setCurrentText(QStringLiteral("nonsense"));
        QCOMPARE(box->currentText(), QStringLiteral("0"));
    }

    void dialogsAndDesktopOfTheWindow() {
        WindowFixture fixture;
        fixture.writeHouse();
        QDir(fixture.dir.path()).mkpath(QStringLiteral("SHAPES"));
        fixture.write(QStringLiteral("SHAPES/house_.s"));
        MainWindow& window = fixture.open();
        window.ui().chkShapeTo[0]->setCheckState(Qt::Checked);
        fixture.dialogs.folderAnswer = {false, ""};
        window.ui().cmdShapeCopy[0]->click();
        QCOMPARE(fixture.dialogs.folderRequests.size(), std::size_t{1});
        // The chooser opens in the target's folder (at first the home folder), else in the model folder.
        const std::string target = defaultCopyTargetFolder();
        QCOMPARE(fixture.dialogs.folderRequests.front().startFolder,
                 QDir(QString::fromStdString(target)).exists() ? target : window.state().gstrProgrammPfad);
        QCOMPARE(window.ui().chkShapeTo[0]->checkState(), Qt::Unchecked);
        QVERIFY(window.ui().lblCopyPfad[0]->text().isEmpty());

        window.ui().txtSDateiName->setText(QStringLiteral("x"));
        window.ui().cmdVorschlagUebernehmen->click();
        QCOMPARE(window.ui().txtSDateiName->text(), QStringLiteral("house_.s"));
        // No desktop but Windows has a viewer of its own for shapes: the program shows them itself.
        window.ui().cmd3DView->click();
        QCOMPARE(fixture.dialogs.shapeViews.size(), std::size_t{1});
        QVERIFY(fixture.dialogs.opened.empty());
        QCOMPARE(QString::fromStdString(fixture.dialogs.shapeViews.front().path),
                 QDir::toNativeSeparators(fixture.path(QStringLiteral("SHAPES/house_.s"))));
        QCOMPARE(fixture.dialogs.shapeViews.front().modelFolder, window.state().gstrProgrammPfad);
    }

    void typingKeyByKey_data() {
        // The filter's rules have their own table; here key events reach it with the caret.
        // Typed from the end of `start`, or at `at`; a caret of -1 is the filter's own business.
        columns<QString, int, QString, QString, int>({"start", "at", "keys", "text", "caret"});
        row("six values", "", 0, "1 2.5 -3 4 5 6", "1 2.5 -3 4 5 6", 14);
        row("a letter goes again", "", 0, "1a", "1", 1);
        row("letter in the middle moves the caret back", "1 2", 1, "q", "1 2", 1);
        row("comma becomes point", "", 0, "1,5", "1.5", 3);
        row("minus point gets its zero", "", 0, "-.", "-0.", -1);
        row("seventh value is cut", "", 0, "1 2 3 4 5 6 7", "1 2 3 4 5 6 ", 12);
    }
    void typingKeyByKey() {
        QFETCH(QString, start);
        QFETCH(int, at);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, caret);
        BoxForm form;
        form.input()->setText(start);
        if (!start.isEmpty()) form.input()->setCursorPosition(at);
        QTest::keyClicks(form.input(), keys);
        QCOMPARE(form.input()->text(), text);
        if (caret >= 0) QCOMPARE(form.input()->cursorPosition(), caret);
        QCOMPARE(form.display()->text(), lineFor(text));
    }

    void arrowKeysKeepTheRememberedCharacter() {
        // After typing "a" (removed) an arrow key's key-up must not remove anything else.
        BoxForm form;
        QTest::keyClicks(form.input(), QStringLiteral("12a"));
        QTest::keyClick(form.input(), Qt::Key_Left);
        QCOMPARE(form.input()->text(), QStringLiteral("12"));
        QCOMPARE(form.input()->cursorPosition(), 1);
    }

    void displayLineUndoesEdits_data() {
        columns<int, int, QString, int>({"caret", "key", "typed", "caretAfter"});
        row("typed letter", 5, 0, "x", 6);
        row("Backspace keeps the caret", 10, int(Qt::Key_Backspace), "", 10);
        row("Delete keeps the caret", 10, int(Qt::Key_Delete), "", 10);
        row("Backspace at the end", 30, int(Qt::Key_Backspace), "", 30);
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

    void boxCommandsMessageStaysAndSwitchOnRestoresTheKeyword() {
        BoxForm form;
        form.input()->setText(QStringLiteral("1 2"));
        form.check("chkBoundingBox")->setCheckState(Qt::Unchecked);
        form.boxCommandRunning = true;
        form.display()->setText(QStringLiteral("Berechne BoundingBox ..."));
        QCOMPARE(form.display()->text(), QStringLiteral("Berechne BoundingBox ..."));
        form.boxCommandRunning = false;
        form.check("chkBoundingBox")->setCheckState(Qt::Checked);
        QCOMPARE(form.display()->text(), lineFor(QStringLiteral("1 2")));
    }

    void switchEnablesTheFrame_data() {
        columns<bool>({"ticked"});
        row("ticked", true);
        row("cleared", false);
    }
    void switchEnablesTheFrame() {
        QFETCH(bool, ticked);
        BoxForm form;
        form.root().show();
        form.check("chkBoundingBox")->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        for (const char* name : {"cmdBoundingBoxKorr", "cmdBBoxAusShape", "txtBBoxInput", "txtBBox"})
            QCOMPARE(form.get<QWidget>(name)->isEnabled(), ticked);
        QCOMPARE(form.display()->isVisible(), ticked);
        const QPalette::ColorRole background = ticked ? QPalette::Base : QPalette::Button;
        QCOMPARE(form.input()->palette().color(QPalette::Base),
                 QApplication::palette(form.input()).color(background));
    }

    void validateButton() {
        // The rules of the validation have their own tests; here the button and the display line.
        BoxForm form;
        form.input()->setText(QStringLiteral("ESD_Bounding_Box ( 1 2 3 4 5 6 )"));
        form.get<QPushButton>("cmdBoundingBoxKorr")->click();
        const QString normal = QStringLiteral("1.0 2.0 3.0 4.0 5.0 6.0");
        QCOMPARE(form.input()->text(), normal);
        QCOMPARE(form.display()->text(), lineFor(normal));
        // The run validates while it counts as a running command; the sd-file
        // takes the display line only when it starts with its keyword.
        form.input()->setText(QStringLiteral("1 2 3 4 5 6"));
        form.boxCommandRunning = true;
        form.get<QPushButton>("cmdBoundingBoxKorr")->click();
        QCOMPARE(form.display()->text(), lineFor(normal));
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
        columns<QString>({"pasted"});
        row("10000 letters", QString(10000, u'a'));
        row("control characters", QString::fromUtf8("1\t2\x01 3\r\n4\x7f 5 6"));
        row("minus and points", QString(5000, u'-') + QString(5000, u'.'));
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

    void shapesQuestion_data() {
        columns<int, QString, bool, bool>({"target", "folder", "asked", "yes"});
        row("route target 0", 0, "routes/Shapes", true, false);
        row("route target 1", 1, "routes/Shapes", true, false);
        row("plain target 2", 2, "routes/Shapes", false, false);
        row("a route folder", 0, "routes/other", false, false);
        row("Yes keeps the chooser open", 0, "routes/Shapes", true, true);
    }
    void shapesQuestion() {
        QFETCH(int, target);
        QFETCH(QString, folder);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        ChooserFixture fixture(target);
        fixture.yes = yes;
        fixture.chooser->values().strPfad = "start";
        QVERIFY(fixture.chooser->setFolderPath(fixture.path(folder)));
        fixture.chooser->show();
        fixture.chooser->clickOk();
        QCOMPARE(fixture.questions.empty(), !asked);
        QCOMPARE(fixture.chooser->isVisible(), yes);
        QCOMPARE(fixture.chooser->folderPath(), fixture.path(folder));
        QCOMPARE(fixture.chooser->values().strPfad,
                 yes ? std::string("start") : native(fixture.path(folder)));
        QVERIFY(!fixture.chooser->values().blnAbgebrochen);
    }

    void questionTexts_data() {
        columns<QString, QString, QString, QString, QString>(
            {"language", "title", "opening", "closing", "ok"});
        row("deutsch", "deutsch", "SHAPE-Verzeichnis gewählt!",
            "Sie haben ein 'SHAPES'-Verzeichnis gewählt!\r\rBitte geben Sie nur",
            "gespeichert:\r\r%1\r\rWollen Sie den Verzeichnis-Pfad nocheinmal bearbeiten?",
            "Verzeichnis übernehemen");
        row("english", "english", "SHAPE directory selected!",
            "A 'SHAPES'-directory is selected!\r\rPlease select only",
            "directory:\r\r%1\r\rDo you want to edit the directory path again?", "Take directory");
    }
    void questionTexts() {
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        QFETCH(QString, ok);
        ChooserFixture fixture(1, languageOf(language));
        QCOMPARE(fixture.chooser->findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), ok);
        QCOMPARE(fixture.chooser->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->text(),
                 language == "deutsch" ? QStringLiteral("Abbruch") : QStringLiteral("Cancel"));
        const QString folder = fixture.path(QStringLiteral("routes/Shapes"));
        QVERIFY(fixture.chooser->setFolderPath(folder));
        fixture.chooser->clickOk();
        QCOMPARE(fixture.questions.size(), std::size_t{1});
        const auto& [askedTitle, text] = fixture.questions.front();
        QCOMPARE(QString::fromStdString(askedTitle), title);
        const QString shapes = folder + QString::fromStdString(kSep) + QStringLiteral("SHAPES");
        QVERIFY(QString::fromStdString(text).startsWith(opening));
        QVERIFY(QString::fromStdString(text).endsWith(closing.arg(shapes)));
        QVERIFY(!QString::fromStdString(text).contains(u'\n'));
    }

    void waysOut_data() {
        columns<QString, bool, QString>({"button", "cancelled", "result"});
        row("no folder", "cmdNoFolder", false, "");
        row("cancel", "cmdCancel", true, "start");
        row("window frame", "", false, "start");
    }
    void waysOut() {
        QFETCH(QString, button);
        QFETCH(bool, cancelled);
        QFETCH(QString, result);
        ChooserFixture fixture(0);
        fixture.chooser->values().strPfad = "start";
        QVERIFY(fixture.chooser->setFolderPath(fixture.path(QStringLiteral("routes"))));
        fixture.chooser->show();
        if (button.isEmpty())
            fixture.chooser->close();
        else
            fixture.chooser->findChild<QPushButton*>(button)->click();
        QVERIFY(!fixture.chooser->isVisible());
        QCOMPARE(fixture.chooser->values().blnAbgebrochen, cancelled);
        QCOMPARE(QString::fromStdString(fixture.chooser->values().strPfad), result);
    }

    void driveThatIsNotReady() {
        ChooserFixture fixture(0);
        const QString routes = fixture.path(QStringLiteral("routes"));
        QVERIFY(fixture.chooser->setFolderPath(routes));
        QCOMPARE(fixture.chooser->currentDrive(), 0);
        fixture.chooser->chooseDrive(1);
        QCOMPARE(fixture.chooser->findChild<QLabel*>(QStringLiteral("lblWarnung"))->text(),
                 QStringLiteral("Laufwerk nicht verfügbar!"));
        QCOMPARE(fixture.chooser->folderPath(), routes);
        fixture.chooser->chooseDrive(0);
        QVERIFY(fixture.chooser->findChild<QLabel*>(QStringLiteral("lblWarnung"))->text().isEmpty());
    }

    void folderListNavigates() {
        ChooserFixture fixture(2);
        QVERIFY(fixture.chooser->setFolderPath(fixture.path(QStringLiteral("routes"))));
        auto* list = fixture.chooser->findChild<QListWidget*>(QStringLiteral("dirDir"));
        QListWidgetItem* other = nullptr;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text().trimmed() == QStringLiteral("other")) other = list->item(row);
        QVERIFY(other != nullptr);
        emit list->itemActivated(other);
        QCOMPARE(fixture.chooser->folderPath(), fixture.path(QStringLiteral("routes/other")));
        QVERIFY(!fixture.chooser->setFolderPath(fixture.path(QStringLiteral("missing"))));
        QCOMPARE(fixture.chooser->folderPath(), fixture.path(QStringLiteral("routes/other")));
    }

    // ---- the copy targets of the window ----------------------------------

    void switchingTargets_data() {
        columns<QList<int>, QList<bool>, bool>({"checks", "enabled", "textures"}); // -n-1: uncheck n
        row("none", QList<int>{}, QList<bool>{false, false, false}, false);
        row("target 1", QList<int>{1}, QList<bool>{false, true, false}, true);
        row("unchecking one locks the textures box", QList<int>{0, 2, -3}, QList<bool>{true, false, false},
            false);
        row("checking one unlocks it again", QList<int>{0, 2, -3, 1}, QList<bool>{true, true, false}, true);
    }
    void switchingTargets() {
        QFETCH(QList<int>, checks);
        QFETCH(QList<bool>, enabled);
        QFETCH(bool, textures);
        ChoiceTestForm form;
        for (int step : checks)
            form.check("chkShapeTo", step < 0 ? -step - 1 : step)
                ->setCheckState(step < 0 ? Qt::Unchecked : Qt::Checked);
        for (int target = 0; target < 3; ++target) {
            QCOMPARE(form.get<QPushButton>("cmdShapeCopy", target)->isEnabled(), enabled[target]);
            QCOMPARE(form.get<QPushButton>("cmdPathOpen", target)->isEnabled(), enabled[target]);
            QCOMPARE(form.get<QLabel>("lblCopyPfad", target)->isEnabled(), enabled[target]);
        }
        QCOMPARE(form.check("chkTextureCopy")->isEnabled(), textures);
    }

    void chooserRequest_data() {
        columns<QString, bool, QString>({"language", "labelExists", "title"});
        row("German, folder exists", "deutsch", true, "Wähle das Strecken-Verzeichnis");
        row("English, folder gone", "english", false, "Select the route directory");
    }
    void chooserRequest() {
        QFETCH(QString, language);
        QFETCH(bool, labelExists);
        QFETCH(QString, title);
        QTemporaryDir dir;
        ChoiceTestForm form;
        form.state.gstrSprache = languageOf(language);
        form.state.gstrProgrammPfad = "/program";
        const QString labelled = labelExists ? dir.path() : dir.path() + QStringLiteral("/gone");
        form.get<QLabel>("lblCopyPfad", 1)->setText(labelled);
        form.check("chkShapeTo", 1)->setCheckState(Qt::Checked);
        form.chooserAnswer = {false, "/chosen"};
        form.get<QPushButton>("cmdShapeCopy", 1)->click();
        QCOMPARE(form.requests.size(), std::size_t{1});
        QCOMPARE(form.requests.front().target, 1);
        QCOMPARE(form.state.gintKopierZiel, 1);
        QCOMPARE(QString::fromStdString(form.requests.front().title), title);
        QCOMPARE(QString::fromStdString(form.requests.front().startFolder),
                 labelExists ? labelled : QStringLiteral("/program"));
        QCOMPARE(form.get<QLabel>("lblCopyPfad", 1)->text(), QStringLiteral("/chosen"));
    }

    void chooserAnswers_data() {
        columns<bool, QString, QString, bool>({"cancelled", "path", "label", "checked"});
        row("no folder unchecks the target", false, "", "", false);
        row("cancel changes nothing", true, "", "C:\\", true);
    }
    void chooserAnswers() {
        QFETCH(bool, cancelled);
        QFETCH(QString, path);
        QFETCH(QString, label);
        QFETCH(bool, checked);
        ChoiceTestForm form;
        form.check("chkShapeTo", 0)->setCheckState(Qt::Checked);
        form.chooserAnswer = {cancelled, path.toStdString()};
        form.get<QPushButton>("cmdShapeCopy", 0)->click();
        QCOMPARE(form.get<QLabel>("lblCopyPfad", 0)->text(), label);
        QCOMPARE(form.check("chkShapeTo", 0)->checkState() == Qt::Checked, checked);
        QCOMPARE(form.get<QPushButton>("cmdPathOpen", 0)->isEnabled(), checked);
        QCOMPARE(form.check("chkTextureCopy")->isEnabled(), checked);
    }

    void openingOnTheDesktop_data() {
        columns<QString, QString, QString>({"button", "labelOrName", "opened"}); // %1: the temporary folder
        row("target folder", "cmdPathOpen", "%1/SHAPES", "%1/SHAPES");
        row("target gone", "cmdPathOpen", "%1/gone", "");
        row("shapes folder", "cmdShapeToExplorer", " house.s ", "%1/SHAPES");
        row("shapes folder without the s-file", "cmdShapeToExplorer", "other.s", "");
    }
    void openingOnTheDesktop() {
        QFETCH(QString, button);
        QFETCH(QString, labelOrName);
        QFETCH(QString, opened);
        HouseForm form;
        QVERIFY(form.written);
        const QTemporaryDir& dir = form.dir;
        const QString filled =
            labelOrName.contains(QStringLiteral("%1")) ? labelOrName.arg(dir.path()) : labelOrName;
        if (button == QStringLiteral("cmdPathOpen")) {
            form.check("chkShapeTo", 2)->setCheckState(Qt::Checked);
            form.get<QLabel>("lblCopyPfad", 2)->setText(QDir::toNativeSeparators(filled));
            form.get<QPushButton>("cmdPathOpen", 2)->click();
        } else {
            form.edit("txtSDateiName")->setText(filled);
            form.get<QPushButton>(button.toLatin1().constData())->click();
        }
        if (opened.isEmpty()) {
            QVERIFY(form.opened.empty());
        } else {
            QCOMPARE(form.opened.size(), std::size_t{1});
            QCOMPARE(form.opened.front(), native(opened.arg(dir.path())));
        }
    }

    void threeDViewShowsTheShapeItself_data() {
        columns<QString, bool, QString, QString>({"name", "desktopViewer", "shown", "opened"});
        row("no viewer on the desktop", "house.s", false, "%1/SHAPES/house.s", "");
        row("a viewer on the desktop (Windows)", "house.s", true, "", "%1/SHAPES/house.s");
        row("no s-file", "house", false, "", "");
    }
    void threeDViewShowsTheShapeItself() {
        QFETCH(QString, name);
        QFETCH(bool, desktopViewer);
        QFETCH(QString, shown);
        QFETCH(QString, opened);
        HouseForm form;
        QVERIFY(form.written);
        const QTemporaryDir& dir = form.dir;
        form.desktopHasShapeProgram = desktopViewer;
        form.edit("txtSDateiName")->setText(name);
        form.get<QPushButton>("cmd3DView")->click();
        const auto expected = [&dir](const QString& path) {
            return path.isEmpty() ? std::vector<std::string>{}
                                  : std::vector<std::string>{native(path.arg(dir.path()))};
        };
        QCOMPARE(form.shapeViews, expected(shown));
        QCOMPARE(form.opened, expected(opened));
    }
};

QTEST_MAIN(ChoicesTest)
#include "test_choices.moc"
