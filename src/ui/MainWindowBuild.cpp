// Building the main window: every control at its design place with its design
// text, and the window's own reactions (language, LOD list, cancel, quit, run).

#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowPictures.h"
#include "ui/ProgressLog.h"
#include "ui/WindowHost.h"
#include "ui/WindowTexts.h"

#if __has_include("ui/ChoiceHandlers.h")
#include "ui/ChoiceHandlers.h"
#define QUILLFEN_HAS_CHOICE_HANDLERS 1
#endif

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace quillfen::ui {

namespace {

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

/// The window's font: the design's small sans serif, with look-alikes where it is missing.
QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    // The design's font is a little narrower than its look-alikes; the padded
    // option captions only fit their design widths when the text is as narrow.
    font.setStretch(94);
    return font;
}

/// The log's fixed-width font, so the padded labels of the inventory lines line up.
QFont logFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

} // namespace

MainWindow::MainWindow(std::string workingDirectory, WindowServices services, QWidget* parent)
    : QWidget(parent), m_workingDirectory(std::move(workingDirectory)), m_services(std::move(services)) {
    if (m_services.fileSystem == nullptr) m_ownFileSystem = std::make_unique<LocalFileSystem>();
    if (m_services.dialogs == nullptr) m_ownDialogs = std::make_unique<QtDialogs>(this);
    if (m_services.clock == nullptr) m_ownClock = std::make_unique<SteadyClock>();
    if (m_services.processes == nullptr) m_ownProcesses = std::make_unique<SystemProcessStarter>();
    if (!m_services.exitProgram) m_services.exitProgram = [](int code) { QCoreApplication::exit(code); };
    m_fileSystem = m_services.fileSystem ? m_services.fileSystem : m_ownFileSystem.get();
    m_dialogs = m_services.dialogs ? m_services.dialogs : m_ownDialogs.get();
    m_clock = m_services.clock ? m_services.clock : m_ownClock.get();
    m_processes = m_services.processes ? m_services.processes : m_ownProcesses.get();

    setObjectName(QStringLiteral("frmHaupt"));
    setWindowTitle(QStringLiteral("Quillfen "));
    setFont(windowFont());
    m_layout = designLayout();
    m_loadSizes.logHeight = m_layout[{"txtAusgabe"}].height;
    buildControls();
    applyDesignTexts();
    applyGeometry();
    resizeTwips(kDesignWidth, kDesignHeight);

    m_log = std::make_unique<ProgressLog>(control<QPlainTextEdit>("txtAusgabe"), [this] { repaint(); });
    m_lock = std::make_unique<ControlLock>([this] { return m_controls; });
    m_busy = new BusyDisplay(
        {control<QWidget>("imgRunning01"), control<QWidget>("imgRunning02"), control<QWidget>("imgRunning03"),
         control<QWidget>("imgRunning04")},
        control<QTimer>("tmrBlinken"), control<QTimer>("Timer1"), [this] { repaint(); }, this);
    m_host = std::make_unique<WindowHost>(*this);
    m_resumeTimer.setSingleShot(true);
    connect(&m_resumeTimer, &QTimer::timeout, this, &MainWindow::resumeCommand);

    connectWindowReactions();
#ifdef QUILLFEN_HAS_CHOICE_HANDLERS
    installChoiceHandlers(*this);
#endif
}

MainWindow::~MainWindow() {
    // The command may still hold references to the window's services.
    m_resumeTimer.stop();
    m_task.reset();
}

CommandHost& MainWindow::host() {
    return *m_host;
}

void MainWindow::buildControls() {
    for (const auto& position : designPositions()) {
        QWidget* parent = this;
        if (*position.parent != '\0')
            parent = qobject_cast<QWidget*>(findControl(QString::fromLatin1(position.parent)));
        QWidget* widget = buildWidget(position, parent);
        registerControl(widget, position.control, position.index);
    }
    for (const char* name : {"Timer1", "tmrBlinken", "tmrBBoxLabel"}) {
        auto* timer = new QTimer(this);
        registerControl(timer, name, -1);
    }
    auto* boxLabelTimer = control<QTimer>("tmrBBoxLabel");
    boxLabelTimer->setSingleShot(true);
    boxLabelTimer->setInterval(2000);
}

QWidget* MainWindow::buildWidget(const DesignPosition& position, QWidget* parent) {
    const std::string name = position.control;
    if (name == "Picture1" || name == "Picture2") {
        auto* box = new QFrame(parent);
        if (name == "Picture2") box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return box;
    }
    if (startsWith(name, "pct")) {
        auto* flag = new ClickablePicture(parent);
        flag->setScaledContents(true);
        flag->setCursor(Qt::PointingHandCursor);
        const QSize size(position.rect.width / 15 * 2, position.rect.height / 15 * 2);
        flag->setPixmap(name == "pctGerman" ? drawGermanFlag(size) : drawEnglishFlag(size));
        return flag;
    }
    if (startsWith(name, "img")) {
        auto* picture = new QLabel(parent);
        picture->setScaledContents(true);
        const int number = name.back() - '0';
        picture->setPixmap(BusyDisplay::drawPicture(
            number, QSize(position.rect.width / 15 * 2, position.rect.height / 15 * 2)));
        picture->hide();
        return picture;
    }
    if (name == "txtAusgabe") {
        auto* log = new QPlainTextEdit(parent);
        log->setReadOnly(true);
        log->setFont(logFont());
        log->setLineWrapMode(QPlainTextEdit::NoWrap);
        return log;
    }
    if (startsWith(name, "txt")) return new QLineEdit(parent);
    if (startsWith(name, "lbl")) {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        if (name == "lblCopyPfad") label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    if (startsWith(name, "lst")) return new QListWidget(parent);
    if (startsWith(name, "cmb")) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(name == "cmbMipMap");
        return combo;
    }
    if (startsWith(name, "cmd")) return new QPushButton(parent);
    if (startsWith(name, "chk")) return new QCheckBox(parent);
    if (startsWith(name, "opt")) return new QRadioButton(parent);
    if (startsWith(name, "fra")) return new QGroupBox(parent);
    return new QWidget(parent);
}

void MainWindow::registerControl(QObject* control, const char* name, int index) {
    control->setObjectName(QString::fromLatin1(name));
    if (index >= 0) control->setProperty("index", index);
    m_controls.push_back(control);
}

QObject* MainWindow::findControl(const QString& name, int index) const {
    for (QObject* candidate : m_controls) {
        if (candidate->objectName() != name) continue;
        bool hasIndex = false;
        const int candidateIndex = candidate->property("index").toInt(&hasIndex);
        if (index < 0 ? !hasIndex : (hasIndex && candidateIndex == index)) return candidate;
    }
    return nullptr;
}

void MainWindow::applyDesignTexts() {
    for (const auto& text : designTexts()) {
        QObject* target = findControl(QString::fromLatin1(text.control), text.index);
        const QString value = QString::fromUtf8(text.text);
        if (text.property == TextProperty::Tooltip) {
            if (auto* widget = qobject_cast<QWidget*>(target)) widget->setToolTip(value);
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            button->setText(value);
        } else if (auto* label = qobject_cast<QLabel*>(target)) {
            label->setText(value);
        } else if (auto* frame = qobject_cast<QGroupBox*>(target)) {
            frame->setTitle(value);
        } else if (auto* field = qobject_cast<QLineEdit*>(target)) {
            field->setText(value);
        }
    }
    // The language switch writes the other captions; until then they show German.
    for (const auto& text : languageTexts()) {
        if (text.captionGerman == nullptr) continue;
        QObject* target = findControl(QString::fromLatin1(text.control), text.index);
        if (text.index >= 0 && std::string(text.control) == "cmdShapeCopy") continue; // design captions above
        if (auto* button = qobject_cast<QAbstractButton*>(target))
            button->setText(QString::fromUtf8(text.captionGerman));
        else if (auto* frame = qobject_cast<QGroupBox*>(target))
            frame->setTitle(QString::fromUtf8(text.captionGerman));
    }
    control<QRadioButton>("optNurSommerTextur")->setChecked(true);
    control<QPushButton>("cmdAbbruch")->setEnabled(false);
    auto* languages = control<QComboBox>("cmbLang");
    for (const auto& entry : languageEntries()) languages->addItem(QString::fromStdString(entry));
    // No entry yet, so that selecting the first one at load applies its language.
    languages->setCurrentIndex(-1);
}

void MainWindow::connectWindowReactions() {
    auto* languages = control<QComboBox>("cmbLang");
    connect(languages, &QComboBox::currentIndexChanged, this,
            [this, languages](int) { SetzeSprache(languages->currentText().toStdString()); });
    connect(control<ClickablePicture>("pctGerman"), &ClickablePicture::clicked, this,
            [languages] { languages->setCurrentText(QStringLiteral("deutsch")); });
    connect(control<ClickablePicture>("pctEnglisch"), &ClickablePicture::clicked, this,
            [languages] { languages->setCurrentText(QStringLiteral("english")); });
    auto* lods = control<QListWidget>("lstLODListe");
    connect(lods, &QListWidget::itemChanged, this,
            [this, lods](QListWidgetItem* item) { onLodRowChanged(lods->row(item)); });
    connect(control<QPushButton>("cmdAbbruch"), &QPushButton::clicked, this, [this] {
        m_state.gblnAbbruch = true;
        m_busy->stop();
    });
    connect(control<QPushButton>("cmdQuit"), &QPushButton::clicked, this, &MainWindow::quit);
    connect(control<QPushButton>("cmdErzeugeShape"), &QPushButton::clicked, this,
            &MainWindow::startConversion);
    connect(control<QPushButton>("cmdBBoxAusShape"), &QPushButton::clicked, this,
            &MainWindow::startBoxCommand);
}

void MainWindow::addLoadFinishedHook(std::function<void()> hook) {
    m_loadFinishedHooks.push_back(std::move(hook));
}

void MainWindow::SchreibeAusgabe(const std::string& line) {
    m_log->SchreibeAusgabe(line);
}
void MainWindow::MerkeSteuerelementZustand() {
    m_lock->MerkeSteuerelementZustand();
}
void MainWindow::SperreSteuerelemente(bool enabled, std::string_view prefixes, std::string_view exceptions) {
    m_lock->SperreSteuerelemente(enabled, prefixes, exceptions);
}
void MainWindow::StelleSteuerelementeWiederHer(std::string_view prefixes, std::string_view exceptions) {
    m_lock->StelleSteuerelementeWiederHer(prefixes, exceptions);
}

} // namespace quillfen::ui
