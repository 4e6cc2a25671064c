#pragma once

#include <chrono>
#include <functional>
#include <optional>

/// Remembers for 180 seconds that the session announced its end (log out,
/// restart, shut down), counting time spent suspended, so that the quit
/// guard never holds the session up. Each announcement restarts the window.
class PowerOffWindow {
public:
    using Clock = std::function<std::chrono::nanoseconds()>;
    static constexpr std::chrono::seconds length{180};

    /// `now`: CLOCK_BOOTTIME by default, which goes on during suspend.
    explicit PowerOffWindow(Clock now = bootTime);
    static std::chrono::nanoseconds bootTime();

    void announce() { deadline_ = now_() + length; }
    bool isOpen() const { return deadline_ && now_() < *deadline_; }

private:
    Clock now_;
    std::optional<std::chrono::nanoseconds> deadline_;
};
