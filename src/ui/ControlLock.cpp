#include "ui/ControlLock.h"

#include "platform/Text.h"

#include <QVariant>
#include <QWidget>

namespace quillfen::ui {

std::vector<std::string> normaliseWordList(std::string_view list) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : list) {
        if (c == ' ') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

bool isSelected(std::string_view name, const std::vector<std::string>& prefixes,
                const std::vector<std::string>& exceptions) {
    const std::string lowerName = toLowerLatin1(name);
    bool selected = false;
    for (const auto& prefix : prefixes) {
        if (!startsWith(lowerName, toLowerLatin1(prefix))) continue;
        selected = true;
        for (const auto& exception : exceptions) {
            if (toLowerLatin1(exception) == lowerName) {
                selected = false;
                break;
            }
        }
    }
    return selected;
}

ControlLock::ControlLock(std::function<QList<QObject*>()> controls) : m_controls(std::move(controls)) {}

bool ControlLock::ownEnabled(const QObject* control) {
    const auto* widget = qobject_cast<const QWidget*>(control);
    return widget == nullptr || !widget->testAttribute(Qt::WA_Disabled);
}

void ControlLock::setOwnEnabled(QObject* control, bool enabled) {
    if (auto* widget = qobject_cast<QWidget*>(control)) widget->setEnabled(enabled);
}

void ControlLock::MerkeSteuerelementZustand() {
    m_table.clear();
    std::size_t k = 0;
    for (QObject* control : m_controls()) {
        const std::string number = std::to_string(k++);
        control->setProperty("tag", QString::fromStdString(number));
        m_table.push_back({number, control->objectName().toStdString(), ownEnabled(control) ? "1" : "0"});
    }
}

bool ControlLock::matchesColumn(const QObject* control, std::size_t k) const {
    if (k >= m_table.size()) return false;
    return control->objectName().toStdString() == m_table[k].name &&
           control->property("tag").toString().toStdString() == m_table[k].number;
}

void ControlLock::SperreSteuerelemente(bool enabled, std::string_view prefixes, std::string_view exceptions) {
    const auto prefixWords = normaliseWordList(prefixes);
    if (prefixWords.empty()) return;
    const auto exceptionWords = normaliseWordList(exceptions);
    MerkeSteuerelementZustand();
    std::size_t k = 0;
    for (QObject* control : m_controls()) {
        if (isSelected(control->objectName().toStdString(), prefixWords, exceptionWords) &&
            matchesColumn(control, k))
            setOwnEnabled(control, enabled);
        ++k;
    }
}

void ControlLock::StelleSteuerelementeWiederHer(std::string_view prefixes, std::string_view exceptions) {
    const auto prefixWords = normaliseWordList(prefixes);
    if (prefixWords.empty()) return;
    const auto exceptionWords = normaliseWordList(exceptions);
    std::size_t k = 0;
    for (QObject* control : m_controls()) {
        if (isSelected(control->objectName().toStdString(), prefixWords, exceptionWords) &&
            matchesColumn(control, k))
            setOwnEnabled(control, m_table[k].enabled == "1");
        ++k;
    }
}

} // namespace quillfen::ui
