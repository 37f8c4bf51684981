#include "ui/ShapeViewWindow.h"

#include "platform/Numbers.h"
#include "platform/Paths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillfen::ui {

namespace {

/// The list's first entry is the automatic choice; level i stands at i + 1.
constexpr int kAutomaticEntry = 0;

QString toQt(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString metres(float value) {
    return QString::fromStdString(formatFloat32(std::round(value * 100.0F) / 100.0F));
}

} // namespace

ShapeViewTexts shapeViewTexts(Language language) {
    return {text(language, TextId::ViewTitle),           text(language, TextId::ViewAutomaticLevel),
            text(language, TextId::ViewLevelItem),       text(language, TextId::ViewShowBox),
            text(language, TextId::ViewOpenExternal),    text(language, TextId::ViewFacts),
            text(language, TextId::ViewMissingTextures), text(language, TextId::ViewMouseHint)};
}

ShapeViewWindow::ShapeViewWindow(std::unique_ptr<view3d::ShapeScene> scene, const std::string& path,
                                 ShapeViewTexts texts, std::function<void()> openExternal, QWidget* parent)
    : QWidget(parent, Qt::Window), m_scene(std::move(scene)), m_texts(std::move(texts)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQt(m_texts.title).arg(QString::fromStdString(fileNameOf(path))));
    m_drawing = new ShapeViewWidget(*m_scene, this);
    m_levels = new QComboBox(this);
    m_box = new QCheckBox(toQt(m_texts.showBox), this);
    m_box->setChecked(true);
    m_external = new QPushButton(toQt(m_texts.openExternal), this);
    m_external->setVisible(static_cast<bool>(openExternal));
    m_facts = new QLabel(this);
    m_facts->setTextFormat(Qt::RichText);
    auto* hint = new QLabel(toQt(m_texts.mouseHint), this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_levels);
    controls->addWidget(m_box);
    controls->addStretch();
    controls->addWidget(m_external);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_drawing, 1);
    layout->addWidget(m_facts);
    layout->addWidget(hint);
    fillLevels();
    showFacts(0);
    resize(900, 700);

    connect(m_levels, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == kAutomaticEntry)
            m_drawing->setLevel(std::nullopt);
        else
            m_drawing->setLevel(static_cast<std::size_t>(index - 1));
        showFacts(m_drawing->shownLevel());
    });
    connect(m_drawing, &ShapeViewWidget::levelShown, this, &ShapeViewWindow::showFacts);
    connect(m_box, &QCheckBox::toggled, m_drawing, &ShapeViewWidget::setShowBox);
    connect(m_external, &QPushButton::clicked, this, [openExternal] {
        if (openExternal) openExternal();
    });
}

ShapeViewWindow::~ShapeViewWindow() = default;

void ShapeViewWindow::fillLevels() {
    m_levels->addItem(toQt(m_texts.automaticLevel));
    const auto& levels = m_scene->shape().distanceLevels;
    for (std::size_t i = 0; i < levels.size(); ++i)
        m_levels->addItem(toQt(m_texts.levelItem).arg(i).arg(metres(levels[i].selection)));
    m_levels->setCurrentIndex(1); // the nearest level
}

void ShapeViewWindow::showFacts(std::size_t level) {
    m_facts->setText(factsText(*m_scene, level, m_texts));
}

QString factsText(const view3d::ShapeScene& scene, std::size_t level, const ShapeViewTexts& texts) {
    const shape::ShapeFacts facts = shape::shapeFacts(scene.shape(), level);
    const shape::Box& box = scene.level(level).box;
    const shape::Vector3 size = box.empty ? shape::Vector3{} : box.size();
    const QString boxSize = metres(size.x) + QStringLiteral(" × ") + metres(size.y) + QStringLiteral(" × ") +
                            metres(size.z) + QStringLiteral(" m");
    QString line = toQt(texts.facts)
                       .arg(facts.points)
                       .arg(facts.triangles)
                       .arg(facts.subObjects)
                       .arg(scene.images().size())
                       .arg(boxSize)
                       .toHtmlEscaped();
    const std::vector<std::string> missing = scene.missingImages();
    if (!missing.empty()) {
        QStringList names;
        for (const std::string& name : missing) names << QString::fromStdString(name);
        line += QStringLiteral(" <span style=\"color:#d00000\">") +
                toQt(texts.missing).arg(names.join(QStringLiteral(", "))).toHtmlEscaped() +
                QStringLiteral("</span>");
    }
    // The catalogue's texts space their facts with runs of blanks, which rich text would fold.
    return QStringLiteral("<span style=\"white-space:pre\">") + line + QStringLiteral("</span>");
}

} // namespace quillfen::ui
