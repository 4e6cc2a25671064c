// The keychain of a Linux desktop: the freedesktop Secret Service through
// libsecret (GNOME Keyring, KWallet's and KeePassXC's services alike).

#include "PhoneKit/stores/KeychainValues.h"

#include "PhoneKit/stores/TemplateStore.h"

#include <libsecret/secret.h>

#include <memory>

namespace PhoneKit {

namespace {

// The keychain query of the shared store, as Secret Service attributes. The
// item never syncs anywhere: Secret Service collections are local.
const SecretSchema* schema() {
    static const SecretSchema definition = {
        "app.tovu.SharedValue",
        SECRET_SCHEMA_NONE,
        {
            {"service", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"account", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"accessGroup", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"synchronizable", SECRET_SCHEMA_ATTRIBUTE_BOOLEAN},
            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING},
        },
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    };
    return &definition;
}

struct ErrorOwner {
    GError* error = nullptr;
    ~ErrorOwner() {
        if (error) g_error_free(error);
    }
};

}  // namespace

KeychainValues::KeychainValues(std::string collection) : collection_(std::move(collection)) {}

std::optional<std::string> KeychainValues::data(std::string_view key) const {
    const std::string account(key);
    ErrorOwner failure;
    std::unique_ptr<SecretValue, decltype(&secret_value_unref)> value(
        secret_password_lookup_binary_sync(schema(), nullptr, &failure.error, "service", std::string(service).c_str(),
                                           "account", account.c_str(), "accessGroup", std::string(group).c_str(),
                                           "synchronizable", FALSE, nullptr),
        &secret_value_unref);
    if (!value) return std::nullopt;  // not found, no service, locked: all read as nothing
    gsize length = 0;
    const gchar* bytes = secret_value_get(value.get(), &length);
    return std::string(bytes, length);
}

void KeychainValues::set(const std::optional<std::string>& bytes, std::string_view key) {
    const std::string account(key);
    ErrorOwner failure;
    if (!bytes) {
        secret_password_clear_sync(schema(), nullptr, &failure.error, "service", std::string(service).c_str(),
                                   "account", account.c_str(), "accessGroup", std::string(group).c_str(),
                                   "synchronizable", FALSE, nullptr);
        return;
    }
    // Storing under the same attributes replaces the item in place; there is
    // no delete first, so when the write fails the previous value survives.
    std::unique_ptr<SecretValue, decltype(&secret_value_unref)> value(
        secret_value_new(bytes->data(), static_cast<gssize>(bytes->size()), "application/octet-stream"),
        &secret_value_unref);
    const std::string label = "tovu: " + account;
    secret_password_store_binary_sync(schema(), collection_.c_str(), label.c_str(), value.get(), nullptr,
                                      &failure.error, "service", std::string(service).c_str(), "account",
                                      account.c_str(), "accessGroup", std::string(group).c_str(), "synchronizable",
                                      FALSE, nullptr);
}

TemplateStore TemplateStore::shared() { return TemplateStore(std::make_shared<KeychainValues>()); }

}  // namespace PhoneKit
