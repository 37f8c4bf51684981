#pragma once
// The few state and colour rules that all choice handlers share.

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <string>

namespace quillfen::ui {

/// A check box counts as ticked when it is not clear (checked or grey).
inline bool isTicked(const QCheckBox* box) {
    return box != nullptr && box->checkState() != Qt::Unchecked;
}

inline void setTicked(QCheckBox* box, bool ticked) {
    if (box != nullptr) box->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

inline void setEnabledIfPresent(QWidget* widget, bool enabled) {
    if (widget != nullptr) widget->setEnabled(enabled);
}

/// Gives a text box the background colour of a palette role of the
/// application (Base: an editable field, Button: the grey of a locked one).
inline void setFieldBackground(QWidget* field, QPalette::ColorRole systemRole) {
    if (field == nullptr) return;
    QPalette palette = field->palette();
    const QColor colour = QApplication::palette(field).color(QPalette::Active, systemRole);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    field->setPalette(palette);
}

/// True when `widget` lies inside `container`: disabling the container would
/// lock it too.
inline bool liesInside(const QWidget* widget, const QWidget* container) {
    return widget != nullptr && container != nullptr && container->isAncestorOf(widget);
}

inline QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string fromQt(const QString& text) {
    return text.toStdString();
}

} // namespace quillfen::ui
