#pragma once

#include "platform/Services.h"

#include <QString>

/// Opening at login the freedesktop way: an autostart entry
/// $XDG_CONFIG_HOME/autostart/app.tovu.tovu.desktop, enabled while it is
/// there, not hidden and not disabled.
class AutostartLogin final : public LoginService {
public:
    /// `executable`: what the entry starts (by default the tovu command that
    /// started this program).
    explicit AutostartLogin(QString executable = {});
    static QString entryPath();

    bool registerItem() override;
    bool unregisterItem() override;
    Status status() const override;

private:
    QString executable_;
};
