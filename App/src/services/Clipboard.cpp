#include "services/Clipboard.h"

#include "platform/Log.h"

namespace Clipboard {

void onOpen(ClipboardService& clipboard, std::function<void(OnOpen)> answer) {
    using MacKit::ClipboardPolicy::Action;
    const MacKit::ClipboardAccess access = clipboard.access();
    if (!MacKit::ClipboardPolicy::needsDetection(access)) {
        const Action action = MacKit::ClipboardPolicy::onOpen(access, false);
        Log::clipboardOnOpen(MacKit::toString(access), false, MacKit::ClipboardPolicy::toString(action));
        clipboard.readText([action, answer = std::move(answer)](std::optional<std::string> text) {
            answer({action, std::move(text)});
        });
        return;
    }
    clipboard.detectNumber([access, answer = std::move(answer)](std::optional<bool> looksLikeNumber, std::string why) {
        if (!looksLikeNumber) Log::clipboardCheckFailed(QString::fromStdString(why));
        const bool number = looksLikeNumber.value_or(false);
        const Action action = MacKit::ClipboardPolicy::onOpen(access, number);
        Log::clipboardOnOpen(MacKit::toString(access), number, MacKit::ClipboardPolicy::toString(action));
        answer({action, std::nullopt});
    });
}

}  // namespace Clipboard
