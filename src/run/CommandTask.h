#pragma once
// A long command as a C++20 coroutine. The command runs on the user-interface
// thread; where it would otherwise block it writes `co_await yieldFor(s)`, and
// control returns to whoever drives it (the window's event loop, the
// command-line loop, a test), which resumes it after at most `s` seconds or
// sooner. Nothing nests an event loop, and destroying an unfinished task
// (the window closed during a wait) unwinds its locals normally.

#include <coroutine>
#include <exception>
#include <utility>

namespace quillfen {

class CommandTask {
public:
    struct promise_type {
        double requestedWait = 0.0; ///< seconds the command may sleep before the next resume
        int result = 0;
        std::exception_ptr exception;

        CommandTask get_return_object() {
            return CommandTask(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        void return_value(int value) { result = value; }
        void unhandled_exception() { exception = std::current_exception(); }
    };

    CommandTask() = default;
    explicit CommandTask(std::coroutine_handle<promise_type> handle) : m_handle(handle) {}
    CommandTask(CommandTask&& other) noexcept : m_handle(std::exchange(other.m_handle, {})) {}
    CommandTask& operator=(CommandTask&& other) noexcept {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, {});
        }
        return *this;
    }
    CommandTask(const CommandTask&) = delete;
    CommandTask& operator=(const CommandTask&) = delete;
    ~CommandTask() { reset(); }

    [[nodiscard]] bool valid() const { return static_cast<bool>(m_handle); }
    [[nodiscard]] bool done() const { return !m_handle || m_handle.done(); }

    /// Runs the command up to its next yield or its end. Returns true when it
    /// has ended. An exception that escaped the command is rethrown here.
    bool resume() {
        if (done()) return true;
        m_handle.resume();
        if (m_handle.done() && m_handle.promise().exception)
            std::rethrow_exception(std::exchange(m_handle.promise().exception, nullptr));
        return m_handle.done();
    }

    /// How long the command may sleep before it wants to be resumed (seconds).
    [[nodiscard]] double requestedWait() const { return m_handle ? m_handle.promise().requestedWait : 0.0; }
    /// The command's result once done (its exit code).
    [[nodiscard]] int result() const { return m_handle ? m_handle.promise().result : 0; }

    /// Drops an unfinished command; its locals are destroyed.
    void reset() {
        if (m_handle) {
            m_handle.destroy();
            m_handle = {};
        }
    }

private:
    std::coroutine_handle<promise_type> m_handle;
};

/// `co_await yieldFor(0.1)`: give the event loop a turn, and sleep at most
/// 0.1 s unless something wakes the command earlier. `yieldFor(0)` only lets
/// pending events (repaints, clicks) through.
struct yieldFor {
    double seconds;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<CommandTask::promise_type> handle) const noexcept {
        handle.promise().requestedWait = seconds;
    }
    void await_resume() const noexcept {}
};

/// Drives a task to its end without an event loop, sleeping through each
/// requested wait with `sleep(seconds)`. Used by the command line and tests.
template <class Sleep> int runToEnd(CommandTask& task, Sleep&& sleep) {
    while (!task.resume()) sleep(task.requestedWait());
    return task.result();
}

} // namespace quillfen
