#pragma once
// A monotonic clock as a seam: the program asks it for "now"; tests advance a
// fake one instead of sleeping.

#include <chrono>

namespace quillfen {

class Clock {
public:
    virtual ~Clock() = default;
    /// Seconds since an arbitrary fixed point, monotonic, sub-second resolution.
    [[nodiscard]] virtual double now() const = 0;
};

class SteadyClock final : public Clock {
public:
    [[nodiscard]] double now() const override {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
};

/// A clock that moves only when told to.
class ManualClock final : public Clock {
public:
    [[nodiscard]] double now() const override { return m_now; }
    void advance(double seconds) { m_now += seconds; }
    void set(double seconds) { m_now = seconds; }

private:
    double m_now = 1000.0;
};

} // namespace quillfen
