// The app's own links: any text as a URL through the routing rules, and any
// text as a template id through a link and back.
#include <PhoneKit/numbers/PhoneExtractor.h>

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto url = PhoneKit::URL::parse(bytes)) {
        (void)PhoneKit::LaunchDecision::route(*url, "key");
        (void)PhoneKit::LaunchDecision::templateTap(*url, "key");
    }
    const auto half = bytes.size() / 2;
    const std::string_view id = bytes.substr(0, half), key = bytes.substr(half);
    const auto link = PhoneKit::LaunchDecision::templateURL(id, key);
    const auto tapped = PhoneKit::LaunchDecision::templateTap(link, key);
    const bool readable = !id.empty() && !key.empty();  // any bytes, NUL included
    if (readable && tapped != std::string(id)) std::abort();
    if (!readable && tapped) std::abort();
    return 0;
}
