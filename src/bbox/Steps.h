#pragma once
// A computation that can stop between records and be resumed later, so a long
// shape file does not freeze the window: the box command gives the event loop a
// turn at each stop, while the command line and the tests simply run it through.

#include "platform/Expected.h"

#include <coroutine>
#include <exception>
#include <new>
#include <utility>

/// Clang 14 cannot compile a coroutine under its "function" sanitizer (part of
/// -fsanitize=undefined, used by the fuzz build): "Cannot represent a difference
/// across sections". Coroutines of this folder opt out of that one check.
#if defined(__clang__)
#define QUILLFEN_COROUTINE __attribute__((no_sanitize("function")))
#else
#define QUILLFEN_COROUTINE
#endif

namespace quillfen {

/// `co_yield Pause{}` inside a Steps coroutine: a good moment to let the window repaint.
struct Pause {};

class [[nodiscard]] Steps {
public:
    struct promise_type {
        Status status;

        Steps get_return_object() { return Steps(std::coroutine_handle<promise_type>::from_promise(*this)); }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        std::suspend_always yield_value(Pause) noexcept { return {}; }
        void return_value(Status result) { status = std::move(result); }
        void unhandled_exception() noexcept {
            // Nothing may escape a computation; running out of memory is one more failure.
            try {
                throw;
            } catch (const std::bad_alloc&) {
                status = Error{"", "out of memory"};
            } catch (...) {
                status = Error{"", "unexpected failure"};
            }
        }
    };

    Steps(Steps&& other) noexcept : m_handle(std::exchange(other.m_handle, {})) {}
    Steps& operator=(Steps&& other) noexcept {
        if (this != &other) {
            destroy();
            m_handle = std::exchange(other.m_handle, {});
        }
        return *this;
    }
    Steps(const Steps&) = delete;
    Steps& operator=(const Steps&) = delete;
    ~Steps() { destroy(); }

    /// Runs up to the next pause or the end; true once the computation has ended.
    bool resume() {
        if (!m_handle || m_handle.done()) return true;
        m_handle.resume();
        return m_handle.done();
    }
    /// The outcome, once `resume` has returned true.
    [[nodiscard]] const Status& status() const { return m_handle.promise().status; }

    /// Runs the computation through without pausing.
    Status runToEnd() {
        while (!resume()) {
        }
        return status();
    }

private:
    explicit Steps(std::coroutine_handle<promise_type> handle) : m_handle(handle) {}
    void destroy() {
        if (m_handle) m_handle.destroy();
        m_handle = {};
    }

    std::coroutine_handle<promise_type> m_handle;
};

} // namespace quillfen
