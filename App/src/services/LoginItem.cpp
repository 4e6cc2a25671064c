#include "services/LoginItem.h"

#include "services/AppFlavour.h"

#include <MacKit/PanelLogic.h>

void LoginItem::applyDefault() {
    if (MacKit::LoginItemPolicy::registersAtLaunch(defaults_.boolean(appliedKey), appFlavour)) set(true);
}

bool LoginItem::set(bool on) {
    // Written first and whatever happens: the user's choice, or the default,
    // has been dealt with.
    defaults_.setValue(appliedKey, true);
    on ? service_.registerItem() : service_.unregisterItem();
    return isOn();
}

bool LoginItem::isOn() const {
    const auto status = service_.status();
    return status == LoginService::Status::enabled || status == LoginService::Status::requiresApproval;
}
