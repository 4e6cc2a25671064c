#pragma once

#include "PhoneKit/links/URL.h"
#include "PhoneKit/messages/Templates.h"
#include "PhoneKit/support/Files.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

/// A place the companion app's user saved: name, position, address, notes
/// and the file names of up to five photos.
struct SavedLocation {
    std::string id;  ///< upper-case UUID
    std::string name;
    double latitude = 0;
    double longitude = 0;
    std::string address;
    std::string notes;
    std::vector<std::string> photoFiles;

    bool hasPhotos() const { return !photoFiles.empty(); }
    /// "24.713600, 46.675300", whatever the process locale.
    std::string coordinateText() const;
    /// A web maps search for the position.
    URL mapsURL() const;
    /// "📍 name", the address, the notes and the maps link, as sent.
    std::string shareText() const;
    MessageTemplate asMessage() const;

    friend bool operator==(const SavedLocation&, const SavedLocation&) = default;
};

/// A JSON array of places with all seven members each. A coordinate that is
/// not a finite number (JSON has none) is written as the fallback position,
/// so one bad value cannot make the whole list unreadable.
std::string encodeLocations(const std::vector<SavedLocation>& locations);
std::optional<std::vector<SavedLocation>> decodeLocations(std::string_view json);

namespace Locations {
inline constexpr std::size_t maxPhotos = 5;
/// The centre of Riyadh, for when no position is known.
inline constexpr double fallbackLatitude = 24.7136;
inline constexpr double fallbackLongitude = 46.6753;

SavedLocation newLocation(double latitude, double longitude);
/// "loc:" and the place's id.
std::string widgetID(const SavedLocation& location);
std::optional<std::string> locationID(std::string_view widgetID);
}  // namespace Locations

/// The folder of the places' photos.
class PhotoFiles {
public:
    explicit PhotoFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}
    /// $XDG_DATA_HOME/tovu/LocationPhotos.
    static PhotoFiles shared();

    const std::filesystem::path& folder() const { return folder_; }
    /// The photo's path inside the folder; nothing for a name that cannot
    /// name a plain file there.
    std::optional<std::filesystem::path> url(std::string_view name) const;
    /// Writes a new photo and returns its file name.
    FileResult<std::string> save(std::string_view data) const;
    /// Removes every plain file of the folder not named in `names`; folders,
    /// links and anything outside are left alone.
    void keepOnly(const std::set<std::string, std::less<>>& names) const;

private:
    std::filesystem::path folder_;
};

}  // namespace PhoneKit
