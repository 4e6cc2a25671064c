// libphonenumber's matcher as a whole process, the peer of
// `tovu numbers --region SA --lines`: every line of standard input read
// alone, one output line of the E.164 numbers found.
#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>

#include <cstdint>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    using i18n::phonenumbers::PhoneNumberMatch;
    using i18n::phonenumbers::PhoneNumberMatcher;
    using i18n::phonenumbers::PhoneNumberUtil;
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    const std::string region = argc > 1 ? argv[1] : "SA";
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    std::string line, e164;
    while (std::getline(std::cin, line)) {
        PhoneNumberMatcher matcher(util, line, region, PhoneNumberMatcher::VALID, INT32_MAX);
        PhoneNumberMatch match;
        bool first = true;
        while (matcher.HasNext() && matcher.Next(&match)) {
            util.Format(match.number(), PhoneNumberUtil::E164, &e164);
            std::cout << (first ? "" : "\t") << e164;
            first = false;
        }
        std::cout << '\n';
    }
}
