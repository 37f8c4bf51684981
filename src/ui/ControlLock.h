#pragma once
// Locking the window's controls while a long command runs: the controls whose
// names begin with one of the prefixes (except the named exceptions) are
// disabled, and the release gives each one the state it had before the lock,
// also a control that was already disabled then.

#include <QList>
#include <QObject>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen::ui {

/// The prefixes and exceptions the long commands lock with.
inline constexpr const char* kLockPrefixes = "cmd fra txt chk opt pct lbl cmb lst";
inline constexpr const char* kLockExceptions = "txtAusgabe cmdQuit";

/// A blank-separated word list as words; runs of blanks count as one.
[[nodiscard]] std::vector<std::string> normaliseWordList(std::string_view list);

/// Whether the control named `name` is selected by the prefixes and not
/// excluded by an exception (letter case ignored). Every prefix is tried, so a
/// later matching prefix can select a control again after an exception.
[[nodiscard]] bool isSelected(std::string_view name, const std::vector<std::string>& prefixes,
                              const std::vector<std::string>& exceptions);

/// One column of the saved-state table: the control's number, name and "1"/"0".
struct SavedControlState {
    std::string number;
    std::string name;
    std::string enabled;
};

class ControlLock {
public:
    /// `controls` lists the window's controls in their enumeration order
    /// (members of a control array share a name).
    explicit ControlLock(std::function<QList<QObject*>()> controls);

    /// Saves every control's enabled state into the table and numbers the
    /// controls through their "tag" property.
    void MerkeSteuerelementZustand();
    /// Saves all states, then gives the selected controls the state `enabled`.
    void SperreSteuerelemente(bool enabled, std::string_view prefixes, std::string_view exceptions);
    /// Gives the selected controls the state saved by the last lock.
    void StelleSteuerelementeWiederHer(std::string_view prefixes, std::string_view exceptions);

    [[nodiscard]] const std::vector<SavedControlState>& table() const { return m_table; }

private:
    /// The control's own enabled state (a control inside a disabled frame keeps its own).
    static bool ownEnabled(const QObject* control);
    static void setOwnEnabled(QObject* control, bool enabled);
    bool matchesColumn(const QObject* control, std::size_t k) const;

    std::function<QList<QObject*>()> m_controls;
    std::vector<SavedControlState> m_table;
};

} // namespace quillfen::ui
