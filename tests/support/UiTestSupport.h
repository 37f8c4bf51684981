#pragma once
// What the window's tests share: dialogs that answer without a modal loop, a
// model folder on disk, and a window opened on it with a manual clock and an
// exit that only records its code.

#include "platform/Clock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowPictures.h"

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
#include <QTest>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace quillfen::test {

/// One `_data()` table in two calls: columns<int, QString>({"a", "b"}); row("name", 1, "text");
template <class... T> void columns(std::initializer_list<const char*> names) {
    auto name = names.begin();
    (QTest::addColumn<T>(*name++), ...);
}
template <class... T> void row(const char* name, const T&... values) {
    (QTest::newRow(name) << ... << values);
}

class FakeDialogs final : public ui::Dialogs {
public:
    struct Box {
        std::string title;
        std::string text;
    };

    void showMessage(const std::string& title, const std::string& text) override {
        messages.push_back({title, text});
    }
    bool askYesNo(const std::string& title, const std::string& text) override {
        questions.push_back({title, text});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    ui::FolderAnswer chooseFolder(const ui::FolderRequest& request) override {
        folderRequests.push_back(request);
        return folderAnswer;
    }
    bool openWithDesktop(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    void showShapeView(const ui::ShapeViewRequest& request) override { shapeViews.push_back(request); }

    std::vector<Box> messages;
    std::vector<Box> questions;
    std::vector<ui::ShapeViewRequest> shapeViews;
    std::deque<bool> answers;
    std::vector<ui::FolderRequest> folderRequests;
    ui::FolderAnswer folderAnswer;
    std::vector<std::string> opened;
};

/// A model folder with files, and a window opened on it.
class WindowFixture {
public:
    WindowFixture() { dir.setAutoRemove(true); }

    [[nodiscard]] std::string folder() const { return QDir::toNativeSeparators(dir.path()).toStdString(); }
    [[nodiscard]] QString path(const QString& name) const { return dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes = {}) const {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
    [[nodiscard]] QByteArray read(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    [[nodiscard]] bool exists(const QString& name) const { return QFile::exists(dir.filePath(name)); }

    /// The usual model: two LOD files, a texture and the converter beside them.
    void writeHouse() const {
        write(QStringLiteral("house_100.3ds"));
        write(QStringLiteral("house_500.3ds"));
        write(QStringLiteral("wall.ace"));
        write(QStringLiteral("conv3ds.exe"));
    }

    /// Creates the window (without loading it).
    ui::MainWindow& create() {
        ui::WindowServices services;
        services.dialogs = &dialogs;
        services.clock = &clock;
        services.converterSearchEnvironment = [] { return ConverterSearchEnvironment{}; };
        services.exitProgram = [this](int code) { exitCodes.push_back(code); };
        services.screenArea = [this] { return screenArea; };
        if (processes != nullptr) {
            services.processes = processes;
            services.advanceTime = [this](double seconds) { clock.advance(seconds); };
        }
        window = std::make_unique<ui::MainWindow>(folder(), std::move(services));
        return *window;
    }
    /// Creates and loads the window; the load's result goes to `loadResult`.
    ui::MainWindow& open() {
        create();
        loadResult = window->load();
        return *window;
    }

    QTemporaryDir dir;
    /// The screen the window is shown on (the offscreen platform's own is 800 x 600).
    QRect screenArea{0, 0, 1920, 1080};
    FakeDialogs dialogs;
    ManualClock clock;
    ProcessStarter* processes = nullptr; ///< the converter, when a test runs one
    std::vector<int> exitCodes;
    int loadResult = -1;
    std::unique_ptr<ui::MainWindow> window;
};

/// The usual model with the window open on it.
struct OpenHouse : WindowFixture {
    OpenHouse() {
        writeHouse();
        open();
    }
};

} // namespace quillfen::test
