#pragma once
// The window's tests share dialogs that answer without a modal loop, and a window on a model folder.

#include "platform/Clock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillfen::test {

class FakeDialogs final : public ui::Dialogs {
public:
    struct Box {
        std::string title, text;
    };
    void showMessage(const std::string& title, const std::string& text) override {
        messages.push_back({title, text});
    }
    bool askYesNo(const std::string& title, const std::string& text) override {
        questions.push_back({title, text});
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
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

    std::vector<Box> messages, questions;
    std::deque<bool> answers; ///< for the questions; No when none is left
    std::vector<ui::FolderRequest> folderRequests;
    ui::FolderAnswer folderAnswer;
    std::vector<std::string> opened;
    std::vector<ui::ShapeViewRequest> shapeViews;
};

/// A model folder, and a window opened on it.
class WindowFixture {
public:
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
        for (const char* name : {"house_100.3ds", "house_500.3ds", "wall.ace", "conv3ds.exe"}) write(name);
    }

    /// Creates and loads the window; the load's result goes to `loadResult`.
    ui::MainWindow& open() {
        ui::WindowServices services;
        services.dialogs = &dialogs;
        services.clock = &clock;
        services.processes = processes;
        services.converterSearchEnvironment = [] { return ConverterSearchEnvironment{}; };
        services.exitProgram = [this](int code) { exitCodes.push_back(code); };
        services.screenArea = [this] { return screenArea; };
        if (processes != nullptr || onWait)
            services.advanceTime = [this](double seconds) {
                waits.push_back(seconds);
                clock.advance(seconds);
                if (onWait) onWait();
            };
        window = std::make_unique<ui::MainWindow>(folder(), std::move(services));
        loadResult = window->load();
        return *window;
    }

    QTemporaryDir dir;
    /// The screen the window is shown on (the offscreen platform's own is 800 x 600).
    QRect screenArea{0, 0, 1920, 1080};
    FakeDialogs dialogs;
    ManualClock clock;
    ProcessStarter* processes = nullptr; ///< the converter, when a test runs one
    /// With a converter or this hook set, a command's waits pass at once in the manual clock's time.
    std::function<void()> onWait;
    std::vector<double> waits;
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
