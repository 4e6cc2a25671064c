#pragma once

#include "platform/Services.h"

/// URL handlers as the desktop registers them (GIO: mimeapps.list and the
/// x-scheme-handler types of installed .desktop files).
class GioWorkspace final : public WorkspaceService {
public:
    bool hasHandler(const PhoneKit::URL& url) const override;
    bool open(const PhoneKit::URL& url) override;
};
