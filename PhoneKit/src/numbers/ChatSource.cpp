#include "PhoneKit/numbers/ChatSource.h"

#include "PhoneKit/support/RawValues.h"

namespace PhoneKit {

std::string_view toString(ChatSource source) {
    switch (source) {
        case ChatSource::widget: return "widget";
        case ChatSource::app: return "app";
        case ChatSource::typed: return "typed";
        case ChatSource::pasted: return "pasted";
        case ChatSource::recent: return "recent";
        case ChatSource::chosen: return "chosen";
        case ChatSource::backup: return "backup";
        case ChatSource::retry: return "retry";
    }
    return {};
}

std::optional<ChatSource> chatSourceFromString(std::string_view raw) { return fromRawValue(allChatSources, raw); }

}  // namespace PhoneKit
