#include "PhoneKit/stores/TemplateStore.h"

#include <gtest/gtest.h>

using namespace PhoneKit;

namespace {

struct Fixture {
    std::shared_ptr<InMemoryDefaults> defaults = std::make_shared<InMemoryDefaults>();
    TemplateStore store{defaults};
};

}  // namespace

TEST(TemplateStore, AbsentAndEmptyStayApart) {
    Fixture f;
    EXPECT_EQ(f.store.load(), std::nullopt);
    f.store.save({});
    EXPECT_EQ(f.store.load(), std::vector<MessageTemplate>{});
    EXPECT_EQ(f.defaults->data("templates"), "[]");

    const std::vector<MessageTemplate> big = {{"x", MessageTemplate::Kind::custom, std::string(1 << 20, 'a') + "🌹"}};
    f.store.save(big);
    EXPECT_EQ(f.store.load(), big);
}

TEST(TemplateStore, UnreadableBytesReadAsAbsentAndAreKept) {
    const struct {
        DefaultsDomain::Value stored;
        bool kept;  // bytes the list could not read are copied aside
    } cases[] = {
        {DefaultsDomain::Blob{"not json"}, true},
        {DefaultsDomain::Blob{R"([{"id":"a","kind":"voice","text":"from a newer version"}])"}, true},
        {DefaultsDomain::Blob{"\xFF\xFE"}, true},
        {std::string(R"([{"id":"a","kind":"custom","text":"t"}])"), false},  // a string is no blob
        {true, false},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.defaults->setValue("templates", c.stored);
        EXPECT_EQ(f.store.load(), std::nullopt);
        EXPECT_EQ(f.store.keepUnreadableTemplates(), c.kept);
        EXPECT_EQ(f.defaults->value("templates.unreadable"), c.kept ? std::optional(c.stored) : std::nullopt);
    }
    Fixture readable;
    readable.store.save({});
    EXPECT_FALSE(readable.store.keepUnreadableTemplates());
    EXPECT_EQ(readable.defaults->value("templates.unreadable"), std::nullopt);
}

TEST(TemplateStore, WidgetKeyIsMadeOnceAndKept) {
    Fixture f;
    const std::string key = f.store.widgetKey();
    EXPECT_EQ(key.size(), 64U);
    EXPECT_EQ(key.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(f.store.widgetKey(), key);
    EXPECT_EQ(f.defaults->data("templateWidgetKey"), key);

    for (const std::string& unusable : {std::string(), std::string("\xFF")}) {
        f.defaults->setValue("templateWidgetKey", DefaultsDomain::Blob{unusable});
        const std::string fresh = f.store.widgetKey();
        EXPECT_EQ(fresh.size(), 64U);
        EXPECT_NE(fresh, key);
        EXPECT_EQ(f.store.widgetKey(), fresh);
    }
    Fixture other;
    EXPECT_NE(other.store.widgetKey(), key);
}

TEST(DefaultsDomain, KeepsBytesTextAndBooleansApart) {
    InMemoryDefaults defaults;
    defaults.setValue("blob", DefaultsDomain::Blob{"b"});
    defaults.setValue("text", std::string("t"));
    defaults.setValue("flag", true);
    EXPECT_EQ(defaults.data("blob"), "b");
    EXPECT_EQ(defaults.string("blob"), std::nullopt);
    EXPECT_EQ(defaults.string("text"), "t");
    EXPECT_EQ(defaults.data("text"), std::nullopt);
    EXPECT_TRUE(defaults.boolean("flag"));
    EXPECT_FALSE(defaults.boolean("text"));
    EXPECT_FALSE(defaults.boolean("missing"));
    DefaultsValues values(std::make_shared<InMemoryDefaults>(defaults));
    values.set(std::nullopt, "blob");
    EXPECT_EQ(values.data("blob"), std::nullopt);
}
