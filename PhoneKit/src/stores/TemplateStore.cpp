#include "PhoneKit/TemplateStore.h"

#include "PhoneKit/Text.h"
#include "PhoneKit/UUID.h"

#include <algorithm>

namespace PhoneKit {

TemplateStore::TemplateStore(std::shared_ptr<SharedValues> values) : values_(std::move(values)) {}

TemplateStore::TemplateStore(std::shared_ptr<DefaultsDomain> defaults)
    : values_(std::make_shared<DefaultsValues>(std::move(defaults))) {}

TemplateStore TemplateStore::shared() { return TemplateStore(std::make_shared<KeychainValues>()); }

std::optional<std::vector<MessageTemplate>> TemplateStore::load() const {
    const auto bytes = values_->data(templatesKey);
    if (!bytes) return std::nullopt;
    return decodeTemplates(*bytes);
}

void TemplateStore::save(const std::vector<MessageTemplate>& messages) const {
    values_->set(encodeTemplates(messages), templatesKey);
}

bool TemplateStore::keepUnreadableTemplates() const {
    const auto bytes = values_->data(templatesKey);
    if (!bytes || decodeTemplates(*bytes)) return false;
    values_->set(bytes, unreadableTemplatesKey);
    return true;
}

std::vector<SavedLocation> TemplateStore::loadLocations() const {
    const auto bytes = values_->data(locationsKey);
    if (!bytes) return {};
    return decodeLocations(*bytes).value_or(std::vector<SavedLocation>{});
}

void TemplateStore::saveLocations(const std::vector<SavedLocation>& locations) const {
    if (const auto bytes = values_->data(locationsKey); bytes && !decodeLocations(*bytes)) {
        values_->set(bytes, unreadableLocationsKey);
    }
    values_->set(encodeLocations(locations), locationsKey);
}

std::string TemplateStore::widgetKey() const {
    if (const auto stored = values_->data(widgetKeyKey);
        stored && !stored->empty() && Text::wellFormed(*stored) == *stored) {
        return *stored;
    }
    std::string key = UUID::random() + UUID::random();
    key.erase(std::remove(key.begin(), key.end(), '-'), key.end());
    values_->set(key, widgetKeyKey);
    return key;
}

}  // namespace PhoneKit
