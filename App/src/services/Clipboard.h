#pragma once

#include "platform/Services.h"

#include <MacKit/PanelLogic.h>

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
