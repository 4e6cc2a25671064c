#include "PhoneKit/stores/TemplateStore.h"

#include "PhoneKit/support/Text.h"
#include "PhoneKit/support/UUID.h"

#include <algorithm>

namespace PhoneKit {

TemplateStore::TemplateStore(std::shared_ptr<SharedValues> values) : values_(std::move(values)) {}

TemplateStore::TemplateStore(std::shared_ptr<DefaultsDomain> defaults)
    : values_(std::make_shared<DefaultsValues>(std::move(defaults))) {}

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
    keepCopy(*bytes, unreadableTemplatesKey);
    return true;
}

std::vector<MessageTemplate> TemplateStore::salvage() const {
    const auto bytes = values_->data(templatesKey);
    if (!bytes || decodeTemplates(*bytes)) return {};
    return salvageTemplates(*bytes);
}

void TemplateStore::keepCopy(const std::string& bytes, std::string_view key) const {
    for (int n = 1;; ++n) {
        const std::string slot = n == 1 ? std::string(key) : std::string(key) + "." + std::to_string(n);
        const auto held = values_->data(slot);
        if (held == bytes) return;
        if (!held) return values_->set(bytes, slot);
    }
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
