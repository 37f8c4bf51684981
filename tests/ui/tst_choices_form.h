#pragma once
// A small stand-in for the main window: the choice controls under their
// object names, the handlers installed with a fake clock, scripted dialogs
// and a record of what was opened on the desktop.

#include "app/ProgramState.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "ui/ChoiceHandlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quillfen::test {

/// Types `text` key by key, also characters beyond ASCII (which QTest::keyClicks refuses).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

class ChoiceTestForm {
public:
    ChoiceTestForm() : m_root(std::make_unique<QWidget>()) { build(); }

    /// Connects the handlers; `answer` plays the folder chooser.
    void install() {
        ui::ChoiceServices services;
        services.state = &state;
        services.fileSystem = &files;
        services.clock = &clock;
        services.wait = [this](double seconds) {
            waits.push_back(seconds);
            if (onWait) onWait();
            clock.advance(seconds);
        };
        services.askYesNo = [this](const std::string& title, const std::string& text) {
            questions.emplace_back(title, text);
            return yesAnswer;
        };
        services.openWithDesktop = [this](const std::string& path) { opened.push_back(path); };
        services.chooseFolder = [this](const ui::FolderRequest& request) {
            requests.push_back(request);
            return chooserAnswer;
        };
        services.boxCommandRunning = [this] { return boxCommandRunning; };
        ui::installChoiceHandlers(*m_root, std::move(services));
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
    ManualClock clock;
    std::vector<double> waits;
    std::function<void()> onWait;
    std::vector<std::pair<std::string, std::string>> questions;
    bool yesAnswer = false;
    std::vector<std::string> opened;
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

        add<QCheckBox>(root, "chkTestOptionen");
        QGroupBox* tests = frame("fraTestOptionen");
        for (const char* name : {"chkAceUni", "chkShaderDiffuse", "chkShaderAddATexDiff"})
            add<QCheckBox>(tests, name);

        add<QPushButton>(root, "cmdVorschlagUebernehmen");
        add<QLineEdit>(root, "txtSDateiName");
        // As in the main window, the switch of the reference fields sits inside their frame.
        QGroupBox* reference = frame("fraRef");
        add<QCheckBox>(reference, "chkRefEintrag");
        add<QLabel>(reference, "lblRefClass");
        add<QLineEdit>(reference, "txtRefClass");
        add<QLabel>(reference, "lblRefDescription");
        add<QLineEdit>(reference, "txtRefDescription");

        QGroupBox* textures = frame("fraTexturen");
        for (const char* name : {"optNurSommerTextur", "optSchneeTextur", "optSchneeUndNachtTextur",
                                 "optJahreszeitenTextur", "optManuellAlternativTexture"})
            add<QRadioButton>(textures, name);
        add<QLineEdit>(textures, "txtESD_Alter_Tex")->setText(QStringLiteral("0"));

        QGroupBox* mipmap = frame("fraMipMap");
        auto* combo = add<QComboBox>(mipmap, "cmbMipMap");
        combo->setEditable(true);
        combo->setEditText(QStringLiteral("0"));
        add<QPushButton>(mipmap, "cmdMipMapHelp");

        QGroupBox* box = frame("fraBoundingBox");
        add<QCheckBox>(box, "chkBoundingBox");
        add<QLineEdit>(box, "txtBBoxInput");
        add<QLineEdit>(box, "txtBBox");
        add<QPushButton>(box, "cmdBoundingBoxKorr");
        add<QPushButton>(box, "cmdBBoxAusShape");
        auto* timer = new QTimer(root);
        timer->setObjectName(QStringLiteral("tmrBBoxLabel"));
        timer->setSingleShot(true);
        timer->setInterval(2000);

        for (int target = 0; target < 3; ++target) {
            add<QCheckBox>(root, "chkShapeTo", target);
            add<QPushButton>(root, "cmdShapeCopy", target);
            add<QLabel>(root, "lblCopyPfad", target)->setText(QStringLiteral("C:\\"));
            add<QPushButton>(root, "cmdPathOpen", target);
        }
        add<QCheckBox>(root, "chkTextureCopy");
        add<QPushButton>(root, "cmdShapeToExplorer");
        add<QPushButton>(root, "cmd3DView");
    }

    std::unique_ptr<QWidget> m_root;
};

} // namespace quillfen::test
