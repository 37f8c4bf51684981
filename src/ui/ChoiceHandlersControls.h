#pragma once
// Finding the window's controls by object name, and the few state and colour
// rules that all choice handlers share.

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QList>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <string>

namespace quillfen::ui {

/// The control of that name below `root`, or nullptr when the window has none.
template <class Widget> Widget* findControl(const QWidget& root, const char* name) {
    return root.findChild<Widget*>(QString::fromLatin1(name));
}

/// Element `index` of a control array (controls sharing one name, told apart
/// by their "index" property), or nullptr.
template <class Widget> Widget* findControl(const QWidget& root, const char* name, int index) {
    const QList<Widget*> elements = root.findChildren<Widget*>(QString::fromLatin1(name));
    for (Widget* element : elements) {
        bool ok = false;
        if (element->property("index").toInt(&ok) == index && ok) return element;
    }
    return nullptr;
}

/// The element number of a control array element, or -1.
inline int controlIndex(const QObject& control) {
    bool ok = false;
    const int index = control.property("index").toInt(&ok);
    return ok ? index : -1;
}

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
