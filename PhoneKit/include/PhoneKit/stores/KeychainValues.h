#pragma once

#include "PhoneKit/stores/SharedValues.h"

#include <string>
#include <string_view>

namespace PhoneKit {

/// Shared values kept as secrets of the freedesktop Secret Service (the
/// login keyring), one item for each key, so that sibling programs of the
/// same group can share them.
class KeychainValues final : public SharedValues {
public:
    /// The shared group the items belong to (their "service").
    static constexpr std::string_view service = "group.app.tovu";
    /// The access group: the shared group with the developer prefix.
    static constexpr std::string_view group = "tovu.group.app.tovu";

    /// Items are written to `collection` (a Secret Service alias or object
    /// path); reads search every unlocked collection.
    explicit KeychainValues(std::string collection = "default");
    std::optional<std::string> data(std::string_view key) const override;
    /// Replaces the item in one step, so a failed write keeps the old value.
    void set(const std::optional<std::string>& bytes, std::string_view key) override;

private:
    std::string collection_;
};

}  // namespace PhoneKit
