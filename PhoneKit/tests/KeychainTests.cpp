// Against a real Secret Service: run through scripts/with-keyring.
#include "PhoneKit/stores/KeychainValues.h"
#include "PhoneKit/stores/TemplateStore.h"

#include <gtest/gtest.h>
#include <libsecret/secret.h>

using namespace PhoneKit;

namespace {

// How many items the keyring holds for `key`, asked without our adapter.
int itemsFor(const std::string& key) {
    GHashTable* attributes = g_hash_table_new(g_str_hash, g_str_equal);
    g_hash_table_insert(attributes, const_cast<char*>("account"), const_cast<char*>(key.c_str()));
    GError* error = nullptr;
    GList* items = secret_service_search_sync(nullptr, nullptr, attributes, SECRET_SEARCH_ALL, nullptr, &error);
    g_hash_table_unref(attributes);
    EXPECT_EQ(error, nullptr) << (error ? error->message : "");
    if (error) g_error_free(error);
    const int count = static_cast<int>(g_list_length(items));
    g_list_free_full(items, g_object_unref);
    return count;
}

}  // namespace

TEST(KeychainValues, StoresReplacesAndRemovesItems) {
    KeychainValues keychain;
    EXPECT_EQ(keychain.data("never-stored"), std::nullopt);

    const std::string binary("\0\xFF\x01 bytes\n", 10);
    keychain.set(binary, "blob");
    EXPECT_EQ(keychain.data("blob"), binary);

    keychain.set(std::string("second"), "blob");
    EXPECT_EQ(keychain.data("blob"), "second");
    EXPECT_EQ(itemsFor("blob"), 1);  // replaced, not duplicated

    keychain.set(std::string(), "blob");
    EXPECT_EQ(keychain.data("blob"), std::string());  // empty bytes are a value

    keychain.set(std::nullopt, "blob");
    EXPECT_EQ(keychain.data("blob"), std::nullopt);
    EXPECT_EQ(itemsFor("blob"), 0);
}

TEST(KeychainValues, AFailedWriteKeepsThePreviousValue) {
    KeychainValues keychain;
    keychain.set(std::string("kept"), "precious");
    // No such collection: the write fails inside the Secret Service.
    KeychainValues(std::string("/org/freedesktop/secrets/collection/missing")).set(std::string("lost"), "precious");
    EXPECT_EQ(keychain.data("precious"), "kept");
    keychain.set(std::nullopt, "precious");
}

TEST(KeychainValues, SharedTemplateStoreRoundTrips) {
    const TemplateStore store = TemplateStore::shared();
    EXPECT_EQ(store.load(), std::nullopt);
    const std::vector<MessageTemplate> messages = {{"thanks", MessageTemplate::Kind::starter, "شكرًا 🌹"}};
    store.save(messages);
    EXPECT_EQ(store.load(), messages);
    EXPECT_EQ(TemplateStore::shared().widgetKey(), store.widgetKey());
}
