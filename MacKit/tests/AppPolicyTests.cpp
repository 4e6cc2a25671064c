#include "MacKit/Flavour.h"
#include "MacKit/LanguageChoice.h"
#include "MacKit/QuitGuard.h"

#include <gtest/gtest.h>

using namespace MacKit;

TEST(QuitGuard, FourCharacterCodes) {
    EXPECT_EQ(QuitGuard::code("quit"), 0x71756974U);
    EXPECT_EQ(QuitGuard::code("why?"), 0x7768793FU);
    EXPECT_EQ(QuitGuard::code(""), 0U);
    EXPECT_EQ(QuitGuard::code("q"), 0x71U);
    EXPECT_EQ(QuitGuard::code("quitters"), QuitGuard::code("quit"));
    EXPECT_EQ(QuitGuard::code("\xFF\xFF\xFF\xFF"), 0xFFFFFFFFU);
    EXPECT_EQ(QuitGuard::quitEvent(), QuitGuard::code("quit"));
    EXPECT_EQ(QuitGuard::reasonKey(), QuitGuard::code("why?"));
}

TEST(QuitGuard, OnlyThePersonalBuildStays) {
    using QuitGuard::code;
    using QuitGuard::Verdict;
    const std::optional<std::uint32_t> none;
    const struct {
        Flavour flavour;
        bool explicitQuit, poweringOff;
        std::optional<std::uint32_t> event, reason;
        Verdict expected;
    } cases[] = {
        {Flavour::website, false, false, none, none, Verdict::quit},
        {Flavour::appStore, false, false, none, none, Verdict::quit},
        {Flavour::personal, false, false, none, none, Verdict::stay},  // Ctrl+Q in the panel
        {Flavour::personal, true, false, none, none, Verdict::quit},   // "Quit tovu"
        {Flavour::personal, false, true, code("abcd"), none, Verdict::quit},
        {Flavour::personal, false, false, code("quit"), code("logo"), Verdict::quit},
        {Flavour::personal, false, false, code("quit"), code("quia"), Verdict::quit},
        {Flavour::personal, false, false, code("quit"), none, Verdict::stay},
        {Flavour::personal, false, false, code("quit"), code("abcd"), Verdict::stay},
        {Flavour::personal, false, false, code("odoc"), code("shut"), Verdict::stay},
        {Flavour::personal, false, false, none, code("shut"), Verdict::stay},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuitGuard::verdict(c.flavour, c.explicitQuit, c.poweringOff, c.event, c.reason), c.expected)
            << toString(c.flavour) << " explicit=" << c.explicitQuit << " poweringOff=" << c.poweringOff;
    }
    for (const char* reason : {"logo", "rlgo", "rest", "shut", "rrst", "rsdn", "quia"}) {
        EXPECT_EQ(QuitGuard::verdict(Flavour::personal, false, false, code("quit"), code(reason)), Verdict::quit);
    }
}

TEST(Flavour, PropertiesAndRawValues) {
    for (Flavour flavour : allFlavours) EXPECT_EQ(flavourFromString(toString(flavour)), flavour);
    EXPECT_EQ(toString(Flavour::appStore), "appStore");
    EXPECT_EQ(flavourFromString("Personal"), std::nullopt);
    EXPECT_EQ(flavourFromString("appstore"), std::nullopt);
    EXPECT_TRUE(refusesQuit(Flavour::personal));
    EXPECT_TRUE(opensAtLoginByDefault(Flavour::personal));
    for (Flavour flavour : {Flavour::website, Flavour::appStore}) {
        EXPECT_FALSE(refusesQuit(flavour));
        EXPECT_FALSE(opensAtLoginByDefault(flavour));
    }
}

TEST(LanguageChoice, StoredValuesAndResolution) {
    const struct {
        std::optional<std::string_view> stored;
        LanguageChoice choice;
    } stored[] = {
        {std::nullopt, LanguageChoice::system}, {"system", LanguageChoice::system}, {"ar", LanguageChoice::arabic},
        {"en", LanguageChoice::english},        {"AR", LanguageChoice::system},     {"fr", LanguageChoice::system},
        {"English", LanguageChoice::system},    {"", LanguageChoice::system},
    };
    for (const auto& c : stored) EXPECT_EQ(languageChoice(c.stored), c.choice) << c.stored.value_or("(none)");
    for (LanguageChoice choice : allLanguageChoices) EXPECT_EQ(languageChoiceFromString(toString(choice)), choice);

    const struct {
        LanguageChoice choice;
        std::optional<std::string_view> system;
        std::string_view id;
    } resolutions[] = {
        {LanguageChoice::system, "ar", "ar"},         {LanguageChoice::system, "ar-SA", "ar"},
        {LanguageChoice::system, "fr", "en"},         {LanguageChoice::system, "de", "en"},
        {LanguageChoice::system, std::nullopt, "en"}, {LanguageChoice::arabic, "en", "ar"},
        {LanguageChoice::english, "ar", "en"},        {LanguageChoice::arabic, std::nullopt, "ar"},
    };
    for (const auto& c : resolutions) EXPECT_EQ(resolved(c.choice, c.system), c.id) << toString(c.choice);
}
