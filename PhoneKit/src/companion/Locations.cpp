#include "PhoneKit/companion/Locations.h"

#include "PhoneKit/stores/TemplateStore.h"

#include "PhoneKit/support/Text.h"
#include "PhoneKit/support/UUID.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

namespace PhoneKit {

namespace fs = std::filesystem;

namespace {

// Six decimals with a point: to_chars ignores the locale.
std::string sixDecimals(double value) {
    char text[512];  // room for the largest double written out in full
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6).ptr;
    return std::string(text, end);
}

double finiteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

std::string SavedLocation::coordinateText() const { return sixDecimals(latitude) + ", " + sixDecimals(longitude); }

URL SavedLocation::mapsURL() const {
    // The value is digits, signs, points and one comma: nothing to escape.
    const double lat = finiteOr(latitude, Locations::fallbackLatitude);
    const double lon = finiteOr(longitude, Locations::fallbackLongitude);
    return *URL::parse("https://www.google.com/maps?q=" + sixDecimals(lat) + "," + sixDecimals(lon));
}

std::string SavedLocation::shareText() const {
    std::string text = "📍 " + Text::trimmed(name);
    if (const std::string where = Text::trimmed(address); !where.empty()) text += "\n" + where;
    if (const std::string more = Text::trimmed(notes); !more.empty()) text += "\n\n" + more;
    return text + "\n\n" + mapsURL().string();
}

MessageTemplate SavedLocation::asMessage() const {
    return {Locations::widgetID(*this), MessageTemplate::Kind::location, shareText()};
}

std::string encodeLocations(const std::vector<SavedLocation>& locations) {
    auto array = nlohmann::ordered_json::array();
    for (const SavedLocation& place : locations) {
        array.push_back({{"id", place.id},
                         {"name", place.name},
                         {"latitude", finiteOr(place.latitude, Locations::fallbackLatitude)},
                         {"longitude", finiteOr(place.longitude, Locations::fallbackLongitude)},
                         {"address", place.address},
                         {"notes", place.notes},
                         {"photoFiles", place.photoFiles}});
    }
    return array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::optional<std::vector<SavedLocation>> decodeLocations(std::string_view json) {
    const auto array = nlohmann::json::parse(json, nullptr, false);
    if (!array.is_array()) return std::nullopt;
    std::vector<SavedLocation> locations;
    for (const auto& element : array) {
        if (!element.is_object()) return std::nullopt;
        SavedLocation place;
        for (auto [key, field] : {std::pair{"id", &place.id},
                                  {"name", &place.name},
                                  {"address", &place.address},
                                  {"notes", &place.notes}}) {
            const auto member = element.find(key);
            if (member == element.end() || !member->is_string()) return std::nullopt;
            *field = member->get<std::string>();
        }
        for (auto [key, field] : {std::pair{"latitude", &place.latitude}, {"longitude", &place.longitude}}) {
            const auto member = element.find(key);
            if (member == element.end() || !member->is_number()) return std::nullopt;
            *field = member->get<double>();
        }
        const auto photos = element.find("photoFiles");
        if (photos == element.end() || !photos->is_array()) return std::nullopt;
        for (const auto& photo : *photos) {
            if (!photo.is_string()) return std::nullopt;
            place.photoFiles.push_back(photo.get<std::string>());
        }
        locations.push_back(std::move(place));
    }
    return locations;
}

SavedLocation Locations::newLocation(double latitude, double longitude) {
    return {UUID::random(), {}, latitude, longitude, {}, {}, {}};
}

std::string Locations::widgetID(const SavedLocation& location) { return "loc:" + location.id; }

std::optional<std::string> Locations::locationID(std::string_view widgetID) {
    if (!widgetID.starts_with("loc:") || widgetID.size() == 4) return std::nullopt;
    return std::string(widgetID.substr(4));
}

PhotoFiles PhotoFiles::shared() { return PhotoFiles(Files::userDataDirectory() / "tovu" / "LocationPhotos"); }

std::optional<fs::path> PhotoFiles::url(std::string_view name) const {
    return Files::plainFileIn(folder_, Files::lastComponent(name));
}

FileResult<std::string> PhotoFiles::save(std::string_view data) const {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) return error;
    std::string name = UUID::random() + ".jpg";
    if (auto failure = Files::writeAtomically(folder_ / name, data)) return failure;
    return name;
}

void PhotoFiles::keepOnly(const std::set<std::string, std::less<>>& names) const {
    std::error_code error;
    fs::directory_iterator entries(folder_, error);
    if (error) return;
    for (const fs::directory_entry& entry : entries) {
        std::error_code ignored;
        if (!entry.is_regular_file(ignored) || entry.is_symlink(ignored)) continue;
        if (!names.contains(entry.path().filename().string())) fs::remove(entry.path(), ignored);
    }
}

std::vector<SavedLocation> TemplateStore::loadLocations() const {
    const auto bytes = values_->data(locationsKey);
    if (!bytes) return {};
    return decodeLocations(*bytes).value_or(std::vector<SavedLocation>{});
}

void TemplateStore::saveLocations(const std::vector<SavedLocation>& locations) const {
    if (const auto bytes = values_->data(locationsKey); bytes && !decodeLocations(*bytes)) {
        keepCopy(*bytes, unreadableLocationsKey);
    }
    values_->set(encodeLocations(locations), locationsKey);
}

}  // namespace PhoneKit
