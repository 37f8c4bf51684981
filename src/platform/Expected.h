#pragma once
// A value or the reason it could not be had. No exception crosses a module
// boundary: a failing file operation comes back as one of these, and the
// caller decides whether it ends a command or is only logged.

#include <string>
#include <utility>
#include <variant>

namespace quillfen {

/// What went wrong, with the path it went wrong on, so a modeller can act on it.
struct Error {
    std::string path;   ///< the file or folder concerned (may be empty)
    std::string reason; ///< the system's own words, e.g. "Permission denied"

    /// "path: reason", or the reason alone when there is no path.
    [[nodiscard]] std::string message() const { return path.empty() ? reason : path + ": " + reason; }
};

template <class T> class [[nodiscard]] Expected {
public:
    Expected(T value) : m_state(std::move(value)) {}     // NOLINT(google-explicit-constructor)
    Expected(Error error) : m_state(std::move(error)) {} // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    [[nodiscard]] T& value() & { return std::get<0>(m_state); }
    [[nodiscard]] const T& value() const& { return std::get<0>(m_state); }
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(m_state)); }
    [[nodiscard]] const Error& error() const { return std::get<1>(m_state); }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    std::variant<T, Error> m_state;
};

/// Success without a value, or an Error.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : m_error(std::move(error)), m_failed(true) {} // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const Error& error() const { return m_error; }

private:
    Error m_error;
    bool m_failed = false;
};

} // namespace quillfen
