#include "MacKit/Flavour.h"

#include <PhoneKit/support/RawValues.h>

namespace MacKit {

std::string_view toString(Flavour flavour) {
    switch (flavour) {
        case Flavour::personal: return "personal";
        case Flavour::website: return "website";
        case Flavour::appStore: return "appStore";
    }
    return {};
}

std::optional<Flavour> flavourFromString(std::string_view raw) { return PhoneKit::fromRawValue(allFlavours, raw); }

bool refusesQuit(Flavour flavour) { return flavour == Flavour::personal; }

bool opensAtLoginByDefault(Flavour flavour) { return flavour == Flavour::personal; }

}  // namespace MacKit
