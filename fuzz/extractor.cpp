// Any bytes through the extractor, with the properties every result keeps.
#include <PhoneKit/numbers/PhoneExtractor.h>

#include <cstdlib>
#include <set>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto& regions = PhoneKit::Region::all();
    const PhoneKit::Region& region = regions[data[0] % regions.size()];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto numbers = PhoneKit::PhoneExtractor::numbers(text, region);
    std::set<std::string> seen;
    bool landlines = false;
    for (const auto& number : numbers) {
        if (number.digits.empty() || number.digits.size() > 18) std::abort();
        for (char c : number.digits) {
            if (c < '0' || c > '9') std::abort();
        }
        if (!seen.insert(number.digits).second) std::abort();  // each digits string once
        const bool landline = number.kind == PhoneKit::PhoneNumber::Kind::landline;
        if (landlines && !landline) std::abort();  // landlines last
        landlines = landlines || landline;
    }
    (void)PhoneKit::LaunchDecision::action(text, region);
    return 0;
}
