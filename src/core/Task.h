#pragma once
// The long commands (the conversion run, the bounding-box command) as C++20
// coroutines. A command runs on the user-interface thread; where it would
// otherwise block it writes `co_await yieldFor(s)`, and control returns to
// whoever drives it (the window's event loop, the command line, a test), which
// resumes it after at most `s` seconds or sooner. A command awaits its parts
// (`int r = co_await part(...)`); a yield deep inside a part goes straight to
// the driver and the resume comes straight back to it. Nothing nests an event
// loop, and destroying an unfinished task (the window closed during a wait)
// unwinds the locals of every part normally.

#include <coroutine>
#include <exception>
#include <optional>
#include <utility>

namespace quillfen {

namespace task_detail {

/// Shared by a command and every part it awaits: where to resume next, and
/// how long the command may sleep first.
struct Driver {
    std::coroutine_handle<> innermost;
    double requestedWait = 0.0;
};

struct PromiseBase {
    Driver ownDriver;
    Driver* driver = &ownDriver;
    std::coroutine_handle<> continuation; ///< the awaiting command; empty for the outermost
    std::exception_ptr exception;

    std::suspend_always initial_suspend() noexcept { return {}; }
    void unhandled_exception() noexcept { exception = std::current_exception(); }

    /// A finished part hands control back to the command that awaited it.
    struct FinalAwaiter {
        bool await_ready() const noexcept { return false; }
        template <class Promise>
        std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> finished) const noexcept {
            PromiseBase& promise = finished.promise();
            if (!promise.continuation) return std::noop_coroutine();
            promise.driver->innermost = promise.continuation;
            return promise.continuation;
        }
        void await_resume() const noexcept {}
    };
    FinalAwaiter final_suspend() const noexcept { return {}; }
};

} // namespace task_detail

template <class Result> class [[nodiscard]] Task {
public:
    struct promise_type : task_detail::PromiseBase {
        std::optional<Result> result;

        Task get_return_object() { return Task(std::coroutine_handle<promise_type>::from_promise(*this)); }
        template <class Value> void return_value(Value&& value) {
            result.emplace(std::forward<Value>(value));
        }
    };

    Task() = default;
    Task(Task&& other) noexcept : m_handle(std::exchange(other.m_handle, {})) {}
    Task& operator=(Task&& other) noexcept {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, {});
        }
        return *this;
    }
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;
    ~Task() { reset(); }

    [[nodiscard]] bool valid() const { return static_cast<bool>(m_handle); }
    [[nodiscard]] bool done() const { return !m_handle || m_handle.done(); }

    /// Runs the command up to its next yield or its end. Returns true when it
    /// has ended. An exception that escaped the command is rethrown here.
    bool resume() {
        if (done()) return true;
        task_detail::Driver& driver = *m_handle.promise().driver;
        std::coroutine_handle<> next = driver.innermost ? driver.innermost : m_handle;
        next.resume();
        if (m_handle.done() && m_handle.promise().exception)
            std::rethrow_exception(std::exchange(m_handle.promise().exception, nullptr));
        return m_handle.done();
    }

    /// How long the command may sleep before it wants to be resumed (seconds).
    [[nodiscard]] double requestedWait() const {
        return m_handle ? m_handle.promise().driver->requestedWait : 0.0;
    }
    /// The command's result once it is done.
    [[nodiscard]] const Result& result() const { return *m_handle.promise().result; }

    /// Drops an unfinished command; the locals of all its parts are destroyed.
    void reset() {
        if (m_handle) m_handle.destroy();
        m_handle = {};
    }

    /// `co_await part` inside another command: runs the part to its end, its
    /// yields passing through to the driver, and gives its result.
    struct Awaiter {
        std::coroutine_handle<promise_type> part;
        bool await_ready() const noexcept { return !part || part.done(); }
        template <class Promise>
        std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> awaiting) const noexcept {
            task_detail::PromiseBase& inner = part.promise();
            inner.continuation = awaiting;
            inner.driver = awaiting.promise().driver;
            inner.driver->innermost = part;
            return part;
        }
        Result await_resume() const {
            if (part.promise().exception) std::rethrow_exception(part.promise().exception);
            return std::move(*part.promise().result);
        }
    };
    Awaiter operator co_await() const& noexcept { return Awaiter{m_handle}; }

private:
    explicit Task(std::coroutine_handle<promise_type> handle) : m_handle(handle) {}
    std::coroutine_handle<promise_type> m_handle;
};

/// A long command; its result is its exit code.
using CommandTask = Task<int>;

/// `co_await yieldFor(0.1)`: give the event loop a turn, and sleep at most
/// 0.1 s unless something wakes the command earlier. `yieldFor(0)` only lets
/// pending events (repaints, clicks) through.
class yieldFor {
public:
    explicit yieldFor(double seconds) : m_seconds(seconds) {}
    bool await_ready() const noexcept { return false; }
    template <class Promise> void await_suspend(std::coroutine_handle<Promise> handle) const noexcept {
        task_detail::Driver& driver = *handle.promise().driver;
        driver.requestedWait = m_seconds;
        driver.innermost = handle;
    }
    void await_resume() const noexcept {}

private:
    double m_seconds;
};

/// Drives a task to its end without an event loop, sleeping through each
/// requested wait with `sleep(seconds)`. Used by the command line and tests.
template <class Result, class Sleep> const Result& runToEnd(Task<Result>& task, Sleep&& sleep) {
    while (!task.resume()) sleep(task.requestedWait());
    return task.result();
}

/// Drives a task to its end without sleeping: for computations that only
/// pause to let a window repaint.
template <class Result> const Result& runToEnd(Task<Result>& task) {
    while (!task.resume()) {
    }
    return task.result();
}

} // namespace quillfen
