#pragma once

#include "platform/Services.h"

#include <MacKit/PanelLogic.h>
#include <PhoneKit/PhoneExtractor.h>

#include <functional>
#include <optional>
#include <string>

namespace Clipboard {

struct OnOpen {
    MacKit::ClipboardPolicy::Action action;
    std::optional<std::string> text;  ///< with `read` only
};

/// What the panel does with the clipboard as it opens: read it (allowed),
/// or ask the system whether it looks like a number and offer the paste
/// button. The answer arrives later on the main thread.
void onOpen(ClipboardService& clipboard, std::function<void(OnOpen)> answer);

}  // namespace Clipboard

namespace ChatOpener {

/// WhatsApp's own link when an application handles it, else (or when that
/// fails) the web link. True when one of them was handed over.
bool open(WorkspaceService& workspace, const PhoneKit::PhoneNumber& number);

}  // namespace ChatOpener
