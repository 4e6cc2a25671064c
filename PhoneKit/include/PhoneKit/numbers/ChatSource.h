#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace PhoneKit {

/// Where a chat request came from (the companion app's home state).
enum class ChatSource { widget, app, typed, pasted, recent, chosen, backup, retry };

inline constexpr std::array<ChatSource, 8> allChatSources = {
    ChatSource::widget, ChatSource::app,    ChatSource::typed,  ChatSource::pasted,
    ChatSource::recent, ChatSource::chosen, ChatSource::backup, ChatSource::retry,
};

/// The stored raw value: "widget", "app", …
std::string_view toString(ChatSource source);
/// The source of a stored raw value; nothing for an unknown one.
std::optional<ChatSource> chatSourceFromString(std::string_view raw);

}  // namespace PhoneKit
