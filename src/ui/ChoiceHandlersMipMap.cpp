#include "ui/ChoiceHandlersMipMap.h"

#include "core/ProgramState.h"
#include "sfile/MipMapHelp.h"
#include "ui/ChoiceHandlersControls.h"
#include "ui/HelpWindow.h"
#include "ui/WindowControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QValidator>

#include <cstddef>

namespace quillfen::ui {
namespace {

constexpr std::size_t kMaxWholeDigits = 2;
constexpr std::size_t kMaxDecimals = 2;
// The bias in hundredths: -16.00 to 16.00.
constexpr int kMaxHundredths = 1600;

const QStringList kEntries{"2", "1", "0", "-1", "-2", "-3", "-4", "-5", "-6"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// Reads a run of digits from `pos`; `value` takes the first few (enough to judge the range).
std::size_t readDigits(std::string_view text, std::size_t& pos, int& value) {
    std::size_t count = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (count <= kMaxWholeDigits) value = value * 10 + (text[pos] - '0');
        ++count;
        ++pos;
    }
    return count;
}

class MipMapValidator final : public QValidator {
public:
    MipMapValidator(QObject* parent, const QString& lastAccepted)
        : QValidator(parent), m_lastAccepted(lastAccepted) {}

    State validate(QString& input, int& /*pos*/) const override {
        switch (checkMipMapEntry(input.toStdString())) {
        case MipMapEntry::Accepted:
            return Acceptable;
        case MipMapEntry::Incomplete:
            return Intermediate;
        case MipMapEntry::Rejected:
            break;
        }
        return Invalid;
    }
    /// Leaving the box with half-typed text brings back the last good value.
    void fixup(QString& input) const override { input = m_lastAccepted; }

private:
    const QString& m_lastAccepted;
};

} // namespace

MipMapEntry checkMipMapEntry(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') ++pos;
    int whole = 0;
    const std::size_t wholeDigits = readDigits(text, pos, whole);
    int fraction = 0;
    std::size_t decimals = 0;
    const bool hasPoint = pos < text.size() && text[pos] == '.';
    if (hasPoint) decimals = readDigits(text, ++pos, fraction);
    if (pos != text.size() || wholeDigits > kMaxWholeDigits || decimals > kMaxDecimals)
        return MipMapEntry::Rejected;
    if (wholeDigits == 0 || (hasPoint && decimals == 0)) return MipMapEntry::Incomplete;

    const int hundredths = whole * 100 + (decimals == 1 ? fraction * 10 : fraction);
    return hundredths <= kMaxHundredths ? MipMapEntry::Accepted : MipMapEntry::Rejected;
}

MipMapChoice::MipMapChoice(const WindowControls& controls, ProgramState& state, QWidget& owner)
    : QObject(&owner), m_owner(owner), m_state(state), m_box(controls.cmbMipMap) {
    if (m_box != nullptr) {
        fillEntries(*m_box);
        connect(m_box, &QComboBox::currentTextChanged, this,
                [this](const QString& text) { onTextChanged(text); });
    }
    if (controls.cmdMipMapHelp != nullptr)
        connect(controls.cmdMipMapHelp, &QAbstractButton::clicked, this, [this] { showHelp(); });
}

void MipMapChoice::fillEntries(QComboBox& box) {
    const QString text = box.currentText();
    box.setEditable(true);
    box.setInsertPolicy(QComboBox::NoInsert);
    box.clear();
    box.addItems(kEntries);
    box.setValidator(new MipMapValidator(&box, m_lastAccepted));
    box.setCurrentText(checkMipMapEntry(text.toStdString()) == MipMapEntry::Accepted ? text : m_lastAccepted);
    m_lastAccepted = box.currentText();
}

void MipMapChoice::onTextChanged(const QString& text) {
    if (checkMipMapEntry(text.toStdString()) == MipMapEntry::Accepted) {
        m_lastAccepted = text;
        return;
    }
    // Half-typed text may stand while the user types; a value set from code
    // (a damaged settings file) must not reach the s-file.
    const QLineEdit* edit = m_box->lineEdit();
    if (edit == nullptr || !edit->hasFocus()) m_box->setCurrentText(m_lastAccepted);
}

HelpWindow* MipMapChoice::helpWindow() const {
    return m_help;
}

void MipMapChoice::showHelp() {
    if (m_help == nullptr) m_help = new HelpWindow(&m_owner);
    m_help->showAndRaise();
    m_help->setWindowTitle(QString::fromStdString(text(m_state.gstrSprache, TextId::HelpWindowTitle)));
    m_help->setHelpText(MipMapHilfeText(m_state.gstrSprache));
}

} // namespace quillfen::ui
