#pragma once
// The mipmap LOD bias combo box cmbMipMap and its help button.
//
// Besides its nine entries the box takes typed text only where it is a number
// a shape's texture entry can carry as its LOD bias: an optional "-", one or
// two digits, optionally "." and one or two decimals, between -16 and 16 (the
// range a graphics card gives the bias). Half-typed text ("-", "1.") may stand
// while the user types; leaving the box with it, or setting an unfit text from
// code, brings back the last good value.

#include <QObject>
#include <QString>

#include <string_view>

class QComboBox;
class QWidget;

namespace quillfen {
struct ProgramState;
}

namespace quillfen::ui {

class HelpWindow;
struct WindowControls;

enum class MipMapEntry {
    Accepted,   ///< a bias the s-file can carry
    Incomplete, ///< could still become one by typing on
    Rejected,   ///< can never become one
};

/// How far a typed text is from a bias the s-file can carry.
[[nodiscard]] MipMapEntry checkMipMapEntry(std::string_view text);

class MipMapChoice final : public QObject {
public:
    /// The help window opens beside `owner`.
    MipMapChoice(const WindowControls& controls, ProgramState& state, QWidget& owner);

    /// The one help window, created on first use and reused afterwards.
    [[nodiscard]] HelpWindow* helpWindow() const;

private:
    void fillEntries(QComboBox& box);
    void onTextChanged(const QString& text);
    void showHelp();

    QWidget& m_owner;
    HelpWindow* m_help = nullptr;
    ProgramState& m_state;
    QComboBox* m_box = nullptr;
    QString m_lastAccepted = QStringLiteral("0");
};

} // namespace quillfen::ui
