#include "MacKit/Flavour.h"

namespace MacKit {

std::string_view toString(Flavour flavour) {
    switch (flavour) {
        case Flavour::personal: return "personal";
        case Flavour::website: return "website";
        case Flavour::appStore: return "appStore";
    }
    return {};
}

std::optional<Flavour> flavourFromString(std::string_view raw) {
    for (Flavour flavour : allFlavours) {
        if (toString(flavour) == raw) return flavour;
    }
    return std::nullopt;
}

bool refusesQuit(Flavour flavour) { return flavour == Flavour::personal; }

bool opensAtLoginByDefault(Flavour flavour) { return flavour == Flavour::personal; }

}  // namespace MacKit
