#include "PhoneKit/stores/SharedValues.h"

namespace PhoneKit {

std::optional<std::string> DefaultsDomain::data(std::string_view key) const {
    const auto stored = value(key);
    if (!stored || !std::holds_alternative<Blob>(*stored)) return std::nullopt;
    return std::get<Blob>(*stored).bytes;
}

std::optional<std::string> DefaultsDomain::string(std::string_view key) const {
    const auto stored = value(key);
    if (!stored || !std::holds_alternative<std::string>(*stored)) return std::nullopt;
    return std::get<std::string>(*stored);
}

bool DefaultsDomain::boolean(std::string_view key) const {
    const auto stored = value(key);
    return stored && std::holds_alternative<bool>(*stored) && std::get<bool>(*stored);
}

std::optional<DefaultsDomain::Value> InMemoryDefaults::value(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void InMemoryDefaults::setValue(std::string_view key, Value value) {
    values_.insert_or_assign(std::string(key), std::move(value));
}

void InMemoryDefaults::removeValue(std::string_view key) {
    if (const auto found = values_.find(key); found != values_.end()) values_.erase(found);
}

DefaultsValues::DefaultsValues(std::shared_ptr<DefaultsDomain> defaults) : defaults_(std::move(defaults)) {}

std::optional<std::string> DefaultsValues::data(std::string_view key) const { return defaults_->data(key); }

void DefaultsValues::set(const std::optional<std::string>& bytes, std::string_view key) {
    if (bytes) {
        defaults_->setValue(key, DefaultsDomain::Blob{*bytes});
    } else {
        defaults_->removeValue(key);
    }
}

}  // namespace PhoneKit
