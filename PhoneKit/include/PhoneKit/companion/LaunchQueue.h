#pragma once

namespace PhoneKit {

/// Holds a widget tap back until the app is active, and hands it on once.
class LaunchQueue {
public:
    /// True: handle the link now. Otherwise it waits for the activation.
    bool widgetLinkArrived();
    void becameActive() { active_ = true; }
    /// True exactly once for a tap that was held back.
    bool activationFired();
    void wentInactive() { active_ = false; }
    /// A tap still waiting is dropped.
    void wentToBackground() { active_ = pendingWidgetTap_ = false; }

private:
    bool active_ = false;
    bool pendingWidgetTap_ = false;
};

}  // namespace PhoneKit
