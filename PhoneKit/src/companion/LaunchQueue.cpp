#include "PhoneKit/companion/LaunchQueue.h"

namespace PhoneKit {

bool LaunchQueue::widgetLinkArrived() {
    if (active_) return true;
    pendingWidgetTap_ = true;
    return false;
}

bool LaunchQueue::activationFired() {
    const bool pending = pendingWidgetTap_;
    pendingWidgetTap_ = false;
    return pending;
}

}  // namespace PhoneKit
