#pragma once

#include "platform/Services.h"

#include <PhoneKit/stores/SharedValues.h>

/// Opening at login, and the flavour's default for it applied once per user.
class LoginItem {
public:
    static constexpr const char* appliedKey = "loginItemDefaultApplied";

    LoginItem(PhoneKit::DefaultsDomain& defaults, LoginService& service) : defaults_(defaults), service_(service) {}

    void applyDefault();
    /// Registers or unregisters; returns the state the system now reports.
    bool set(bool on);
    /// Enabled, or waiting for the user's approval.
    bool isOn() const;

private:
    PhoneKit::DefaultsDomain& defaults_;
    LoginService& service_;
};
