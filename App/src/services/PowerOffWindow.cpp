#include "services/PowerOffWindow.h"

#include <time.h>

PowerOffWindow::PowerOffWindow(Clock now) : now_(std::move(now)) {}

std::chrono::nanoseconds PowerOffWindow::bootTime() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}
