// Stored message lists of any shape: read as a list or as nothing, and a
// list read is written back to the same list.
#include <PhoneKit/messages/Templates.h>

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto list = PhoneKit::decodeTemplates(bytes);
    if (!list) return 0;
    if (PhoneKit::decodeTemplates(PhoneKit::encodeTemplates(*list)) != list) std::abort();
    for (const auto& message : *list) {
        (void)message.title();
        (void)message.preview();
        (void)PhoneKit::Templates::needsFilling(message, "ar");
    }
    return 0;
}
