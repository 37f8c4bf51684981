// Building the main window: every control at its design place with its design
// text, and the window's own reactions (language, LOD list, cancel, quit, run).

#include "platform/SpecialFolders.h"
#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowPictures.h"
#include "ui/ProgressLog.h"
#include "ui/WindowHost.h"
#include "ui/WindowTexts.h"

#include "ui/ChoiceHandlers.h"

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
#include <QScrollArea>
#include <QVBoxLayout>

#include <type_traits>

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
    buildScrolledContent();
    buildControls();
    applyDesignTexts();
    applyGeometry();
    resizeTwips(kDesignWidth, kDesignHeight);

    m_log = std::make_unique<ProgressLog>(m_ui.txtAusgabe, [this] { repaint(); });
    m_lock = std::make_unique<ControlLock>([this] { return m_controls; });
    m_busy = new BusyDisplay(
        {m_ui.imgRunning01, m_ui.imgRunning02, m_ui.imgRunning03, m_ui.imgRunning04}, m_ui.tmrBlinken,
        m_ui.Timer1, [this] { repaint(); }, this);
    m_host = std::make_unique<WindowHost>(*this);
    m_resumeTimer.setSingleShot(true);
    connect(&m_resumeTimer, &QTimer::timeout, this, &MainWindow::resumeCommand);

    connectWindowReactions();
    m_choiceHandlers = installChoiceHandlers(*this);
}

MainWindow::~MainWindow() {
    // The command may still hold references to the window's services.
    m_resumeTimer.stop();
    m_task.reset();
}

CommandHost& MainWindow::host() {
    return *m_host;
}

void MainWindow::buildScrolledContent() {
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrWindowContent"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_content = new QWidget();
    m_content->setObjectName(QStringLiteral("pnlWindowContent"));
    m_content->installEventFilter(this);
    m_scroll->setWidget(m_content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
}

void MainWindow::buildControls() {
    for (const auto& position : designPositions()) {
        QWidget* parent = m_content;
        if (*position.parent != '\0') parent = m_placed.at({position.parent});
        QWidget* widget = buildWidget(position, parent);
        registerControl(widget, position.control, position.index);
        m_placed[{position.control, position.index}] = widget;
    }
    for (const char* name : {"Timer1", "tmrBlinken", "tmrBBoxLabel"}) {
        auto* timer = new QTimer(this);
        registerControl(timer, name, -1);
    }
    bindControls();
    m_ui.tmrBBoxLabel->setSingleShot(true);
    m_ui.tmrBBoxLabel->setInterval(2000);
}

namespace {

/// The built control of that name, as the type its member in WindowControls has.
template <class Member> Member controlAs(const QList<QObject*>& controls, const char* name, int index = -1) {
    for (QObject* control : controls) {
        if (control->objectName() != QLatin1String(name)) continue;
        bool hasIndex = false;
        const int own = control->property("index").toInt(&hasIndex);
        if (index < 0 ? hasIndex : (!hasIndex || own != index)) continue;
        auto* typed = qobject_cast<Member>(control);
        Q_ASSERT(typed != nullptr);
        return typed;
    }
    Q_ASSERT(false);
    return nullptr;
}

} // namespace

// Each member takes the control that carries its own name, so a member and its
// control cannot drift apart.
#define QUILLFEN_BIND(member) m_ui.member = controlAs<decltype(m_ui.member)>(m_controls, #member)
#define QUILLFEN_BIND_ARRAY(member)                                                                          \
    for (int i = 0; i < kCopyTargetCount; ++i)                                                               \
    m_ui.member[static_cast<std::size_t>(i)] =                                                               \
        controlAs<std::remove_reference_t<decltype(m_ui.member[0])>>(m_controls, #member, i)

void MainWindow::bindControls() {
    QUILLFEN_BIND(Picture1);
    QUILLFEN_BIND(pctGerman);
    QUILLFEN_BIND(pctEnglisch);
    QUILLFEN_BIND(cmbLang);
    QUILLFEN_BIND(lblLODsGefunden);
    QUILLFEN_BIND(lstLODListe);
    QUILLFEN_BIND(cmdVorschlagUebernehmen);
    QUILLFEN_BIND(txtSDateiName);
    QUILLFEN_BIND(cmdShapeToExplorer);
    QUILLFEN_BIND(cmd3DView);
    QUILLFEN_BIND(fraTexturen);
    QUILLFEN_BIND(optNurSommerTextur);
    QUILLFEN_BIND(optSchneeTextur);
    QUILLFEN_BIND(optSchneeUndNachtTextur);
    QUILLFEN_BIND(optJahreszeitenTextur);
    QUILLFEN_BIND(optManuellAlternativTexture);
    QUILLFEN_BIND(txtESD_Alter_Tex);
    QUILLFEN_BIND(fraMipMap);
    QUILLFEN_BIND(cmbMipMap);
    QUILLFEN_BIND(cmdMipMapHelp);
    QUILLFEN_BIND(chkTestOptionen);
    QUILLFEN_BIND(fraTestOptionen);
    QUILLFEN_BIND(chkAceUni);
    QUILLFEN_BIND(chkShaderDiffuse);
    QUILLFEN_BIND(chkShaderAddATexDiff);
    QUILLFEN_BIND(fraRef);
    QUILLFEN_BIND(chkRefEintrag);
    QUILLFEN_BIND(lblRefClass);
    QUILLFEN_BIND(txtRefClass);
    QUILLFEN_BIND(lblRefDescription);
    QUILLFEN_BIND(txtRefDescription);
    QUILLFEN_BIND(fraBoundingBox);
    QUILLFEN_BIND(chkBoundingBox);
    QUILLFEN_BIND(txtBBoxInput);
    QUILLFEN_BIND(txtBBox);
    QUILLFEN_BIND(cmdBoundingBoxKorr);
    QUILLFEN_BIND(cmdBBoxAusShape);
    QUILLFEN_BIND(tmrBBoxLabel);
    QUILLFEN_BIND_ARRAY(chkShapeTo);
    QUILLFEN_BIND_ARRAY(cmdShapeCopy);
    QUILLFEN_BIND_ARRAY(cmdPathOpen);
    QUILLFEN_BIND_ARRAY(lblCopyPfad);
    QUILLFEN_BIND(chkTextureCopy);
    QUILLFEN_BIND(cmdErzeugeShape);
    QUILLFEN_BIND(chkCMD_sichtbar);
    QUILLFEN_BIND(cmdAbbruch);
    QUILLFEN_BIND(Picture2);
    QUILLFEN_BIND(imgRunning01);
    QUILLFEN_BIND(imgRunning02);
    QUILLFEN_BIND(imgRunning03);
    QUILLFEN_BIND(imgRunning04);
    QUILLFEN_BIND(cmdQuit);
    QUILLFEN_BIND(txtAusgabe);
    QUILLFEN_BIND(Timer1);
    QUILLFEN_BIND(tmrBlinken);
}

#undef QUILLFEN_BIND
#undef QUILLFEN_BIND_ARRAY

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

void MainWindow::applyDesignTexts() {
    // Until the load applies the saved language, the window shows its German design texts.
    applyWindowTexts(m_ui, Language::German);
    for (int target = 0; target < kCopyTargetCount; ++target) {
        const auto index = static_cast<std::size_t>(target);
        m_ui.cmdShapeCopy[index]->setText(QString::fromStdString(
            text(Language::German,
                 static_cast<TextId>(static_cast<int>(TextId::CaptionCmdShapeCopyDesign0) + target))));
        m_ui.lblCopyPfad[index]->setText(QString::fromStdString(defaultCopyTargetFolder()));
    }
    m_ui.txtESD_Alter_Tex->setText(QStringLiteral("0"));
    m_ui.optNurSommerTextur->setChecked(true);
    m_ui.cmdAbbruch->setEnabled(false);
    for (const LanguageInfo& language : kLanguages)
        m_ui.cmbLang->addItem(
            QString::fromUtf8(language.name.data(), static_cast<qsizetype>(language.name.size())));
    // No entry yet, so that selecting the first one at load applies its language.
    m_ui.cmbLang->setCurrentIndex(-1);
}

void MainWindow::connectWindowReactions() {
    QComboBox* languages = m_ui.cmbLang;
    connect(languages, &QComboBox::currentIndexChanged, this,
            [this, languages](int) { SetzeSprache(languages->currentText().toStdString()); });
    connect(m_ui.pctGerman, &ClickablePicture::clicked, this,
            [languages] { languages->setCurrentText(QStringLiteral("deutsch")); });
    connect(m_ui.pctEnglisch, &ClickablePicture::clicked, this,
            [languages] { languages->setCurrentText(QStringLiteral("english")); });
    QListWidget* lods = m_ui.lstLODListe;
    connect(lods, &QListWidget::itemChanged, this,
            [this, lods](QListWidgetItem* item) { onLodRowChanged(lods->row(item)); });
    connect(m_ui.cmdAbbruch, &QPushButton::clicked, this, [this] {
        m_state.gblnAbbruch = true;
        m_busy->stop();
    });
    connect(m_ui.cmdQuit, &QPushButton::clicked, this, &MainWindow::quit);
    connect(m_ui.cmdErzeugeShape, &QPushButton::clicked, this, &MainWindow::startConversion);
    connect(m_ui.cmdBBoxAusShape, &QPushButton::clicked, this, &MainWindow::startBoxCommand);
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
