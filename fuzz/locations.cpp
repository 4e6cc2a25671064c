// Saved-place lists of any shape, and the texts and links made from them.
#include <PhoneKit/companion/Locations.h>

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto places = PhoneKit::decodeLocations(bytes);
    if (!places) return 0;
    const auto again = PhoneKit::decodeLocations(PhoneKit::encodeLocations(*places));
    if (!again || again->size() != places->size()) std::abort();
    for (const auto& place : *places) {
        (void)place.shareText();
        (void)place.coordinateText();
        (void)place.asMessage();
    }
    return 0;
}
