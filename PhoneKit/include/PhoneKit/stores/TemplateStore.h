#pragma once

#include "PhoneKit/messages/Templates.h"
#include "PhoneKit/stores/SharedValues.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

struct SavedLocation;

/// Keeps the message list between runs, as JSON under "templates" in some
/// shared values. No cache and no locks: every call reads or writes through.
class TemplateStore {
public:
    static constexpr std::string_view templatesKey = "templates";
    /// Where an unreadable list is kept before defaults replace it.
    static constexpr std::string_view unreadableTemplatesKey = "templates.unreadable";
    static constexpr std::string_view locationsKey = "locations";
    static constexpr std::string_view unreadableLocationsKey = "locations.unreadable";
    static constexpr std::string_view widgetKeyKey = "templateWidgetKey";

    explicit TemplateStore(std::shared_ptr<SharedValues> values);
    /// A store in a defaults domain, as the desktop application keeps it.
    explicit TemplateStore(std::shared_ptr<DefaultsDomain> defaults);
    /// The store in the keychain, shared with sibling programs. It comes with
    /// the keychain (PhoneKitStores), which the desktop application never links.
    static TemplateStore shared();

    /// The stored list; nothing when none was stored or it does not read
    /// (then the caller seeds the defaults). An empty list stays empty.
    std::optional<std::vector<MessageTemplate>> load() const;
    void save(const std::vector<MessageTemplate>& messages) const;
    /// Copies bytes under "templates" that `load()` cannot read to
    /// "templates.unreadable" (or, when an earlier copy is there, to the
    /// first free "templates.unreadable.2", ".3" …), so that a list written
    /// by a newer version, or cut short, survives the defaults being saved
    /// over it. Returns whether there was anything to keep.
    bool keepUnreadableTemplates() const;
    /// Every whole message of a stored list that does not read (one cut
    /// short); empty when there is none.
    std::vector<MessageTemplate> salvage() const;
    /// The companion app's saved places; empty when none are stored or they
    /// do not read. These two come with the places themselves (PhoneKitStores).
    std::vector<SavedLocation> loadLocations() const;
    /// Writes the places, after copying stored bytes that do not read to
    /// "locations.unreadable" (never over an earlier copy, as above).
    void saveLocations(const std::vector<SavedLocation>& locations) const;
    /// The per-installation key of the widget's links: 64 upper-case hex
    /// digits from the system's secure random source, made once and kept.
    std::string widgetKey() const;

    SharedValues& values() const { return *values_; }

private:
    /// Keeps `bytes` under `key`, or the first of "key.2", "key.3" … that is
    /// free; nothing when one of them already holds these bytes.
    void keepCopy(const std::string& bytes, std::string_view key) const;

    std::shared_ptr<SharedValues> values_;
};

}  // namespace PhoneKit
