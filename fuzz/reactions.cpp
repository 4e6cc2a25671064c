// Reaction indexes of any shape: read or refused, and what reads is written
// out again in a form that reads.
#include <PhoneKit/companion/Reactions.h>

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto reactions = PhoneKit::decodeReactions(bytes);
    if (!reactions) return 0;
    const auto again = PhoneKit::decodeReactions(PhoneKit::encodeReactions(*reactions));
    if (!again || again->size() != reactions->size()) std::abort();
    const PhoneKit::ReactionVault vault("/nonexistent/fuzz-vault");
    for (const auto& reaction : *reactions) {
        // A path, when there is one, stays inside the vault.
        if (const auto path = vault.url(reaction); path && path->parent_path() != vault.folder()) std::abort();
        if (reaction.duration) (void)PhoneKit::ReactionMedia::durationText(*reaction.duration);
    }
    (void)PhoneKit::ReactionOrder::sorted(*reactions);
    return 0;
}
