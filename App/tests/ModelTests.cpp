#include "Fakes.h"
#include "models/MessagesModel.h"
#include "models/PanelModel.h"
#include "views/Theme.h"

#include <PhoneKit/messages/TemplateTexts.h>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <functional>
#include <memory>

using MacKit::LanguageChoice;
using PhoneKit::MessageTemplate;
using PhoneKit::PhoneNumber;

namespace {

const PhoneNumber kMobile{"966501234567", PhoneNumber::Kind::mobile};
const PhoneNumber kOther{"966551234567", PhoneNumber::Kind::mobile};
const PhoneNumber kLandline{"966112345678", PhoneNumber::Kind::landline};

}  // namespace

TEST(PanelModel, PrefillsOncePerCopiedContent) {
    PanelRig p;
    p.clipboard.copy("call me: 050 123 4567");
    p.open();
    EXPECT_EQ(p.model.text(), "+966 50 123 4567");
    EXPECT_EQ(p.closes, 0);  // a prefill never opens a chat
    EXPECT_TRUE(p.workspace.opened.empty());

    p.model.setText("");
    p.open();  // nothing new copied: the cleared field stays empty
    EXPECT_EQ(p.model.text(), "");
    EXPECT_EQ(p.model.openCount(), 2);

    p.model.setText("typed");
    p.clipboard.copy("0551234567");
    p.open();  // what the user typed is never replaced
    EXPECT_EQ(p.model.text(), "typed");

    // The answer comes later; what the user typed meanwhile wins.
    p.model.setText("");
    p.clipboard.copy("0501234567");
    p.model.panelWillOpen();
    p.model.prefillFromClipboard();
    p.model.setText("9");
    settle();
    EXPECT_EQ(p.model.text(), "9");

    p.model.setText("");
    p.clipboard.copy(std::string(50'000'000, '7') + " 0501234567");  // 50 MB: only the first 10,000 characters count
    p.open();
    EXPECT_EQ(p.model.text(), "");
    p.clipboard.copy(std::string("\xFF\xFE\x00\x01", 4) + "0501234567");  // binary junk around a number
    p.open();
    EXPECT_EQ(p.model.text(), "+966 50 123 4567");
}

TEST(PanelModel, OffersPasteWhenTheSystemOnlyDetects) {
    PanelRig p;
    p.clipboard.copyBehindPermission("0501234567");
    p.model.setText("   ");  // only blanks: the offer still shows
    p.open();
    EXPECT_TRUE(p.model.offersPaste());
    EXPECT_EQ(p.model.text(), "   ");  // not read
    EXPECT_EQ(p.clipboard.detections, 1);

    p.model.setText("0");  // typing hides the offer
    EXPECT_FALSE(p.model.offersPaste());

    // The paste button: the field is emptied and the pasted text submitted.
    p.model.setText("");
    p.model.setSubmitAfterPaste(true);
    p.model.setText("0501234567");
    EXPECT_EQ(p.workspace.opened, std::vector<std::string>{"whatsapp://send?phone=966501234567"});
    EXPECT_EQ(p.closes, 1);
    EXPECT_FALSE(p.model.submitAfterPaste());

    p.clipboard.detection = std::nullopt;  // the detector fails: nothing is offered
    p.clipboard.copy("again");
    p.open();
    EXPECT_FALSE(p.model.offersPaste());
    p.clipboard.accessState = MacKit::ClipboardAccess::denied;
    p.clipboard.detection = false;
    p.clipboard.copy("hello");
    p.open();
    EXPECT_FALSE(p.model.offersPaste());
}

TEST(PanelModel, SubmitOpensChoosesOrSaysNothingFound) {
    PanelRig p;
    QSignalSpy notices(&p.model, &PanelModel::noticeChanged);
    p.model.setText("hello");
    p.model.submit();
    EXPECT_EQ(p.model.notice(), PanelModel::Notice::noNumber);
    EXPECT_EQ(p.model.noticeText(), "No phone number found. Paste or type one.");
    p.model.submit();  // the same notice again notifies nobody
    EXPECT_EQ(notices.count(), 1);

    p.model.setText("0501234567 0551234567 0112345678");
    EXPECT_EQ(p.model.notice(), std::nullopt);
    p.model.submit();
    EXPECT_EQ(p.model.choices(), (std::vector<PhoneNumber>{kMobile, kOther, kLandline}));

    p.workspace.acceptsApp = p.workspace.acceptsWeb = false;
    p.model.openChoice(2);
    EXPECT_EQ(p.model.notice(), PanelModel::Notice::couldNotOpen);
    EXPECT_EQ(p.model.choices().size(), 3U);  // kept for another try
    EXPECT_EQ(p.workspace.opened,
              (std::vector<std::string>{"whatsapp://send?phone=966112345678", "https://wa.me/966112345678"}));

    p.workspace.acceptsWeb = true;  // the app refuses its link: the web link follows
    p.model.openChoice(0);
    EXPECT_EQ(p.workspace.opened.back(), "https://wa.me/966501234567");
    EXPECT_EQ(p.model.text(), "");
    EXPECT_TRUE(p.model.choices().empty());
    EXPECT_EQ(p.closes, 1);

    p.workspace.installed = false;
    p.model.setText("0112345678");
    p.model.submit();
    EXPECT_EQ(p.workspace.opened.back(), "https://wa.me/966112345678");
    p.model.openChoice(7);  // out of range: nothing
    EXPECT_EQ(p.closes, 2);
}

// Each property notifying once per real change is the Observable table's;
// here, what an edit of the text does besides.
TEST(PanelModel, AnEditClearsTheChoicesAndKeepsThePasteFlag) {
    PanelRig p;
    QSignalSpy choices(&p.model, &PanelModel::choicesChanged);
    p.model.setText("0501234567 0551234567");
    p.model.submit();
    EXPECT_EQ(choices.count(), 1);
    p.model.setText("0501234567 0551234567 ");  // an edit clears the choices
    EXPECT_TRUE(p.model.choices().empty());
    EXPECT_EQ(choices.count(), 2);

    // The paste flag survives empty texts and is cleared by the next opening.
    p.model.setSubmitAfterPaste(true);
    p.model.setText("");
    EXPECT_TRUE(p.model.submitAfterPaste());
    p.open();
    EXPECT_FALSE(p.model.submitAfterPaste());
}

TEST(PanelModel, LanguageAndLoginSwitches) {
    PanelRig p;
    p.model.setLanguage(LanguageChoice::system);  // the current choice: nothing
    EXPECT_EQ(p.languageChanges, 0);
    p.model.setLanguage(LanguageChoice::arabic);
    EXPECT_EQ(p.languageChanges, 1);
    EXPECT_EQ(p.defaults->string("languageChoice"), "ar");
    EXPECT_EQ(p.messages.book().languageID(), "ar");
    EXPECT_EQ(p.defaults->string("messagesLanguage"), "ar");
    p.model.setText("x");
    p.model.submit();
    EXPECT_EQ(p.model.noticeText(), "لم يُعثر على رقم هاتف. الصق رقمًا أو اكتبه.");

    EXPECT_FALSE(p.model.launchAtLogin());
    p.login.onRegister = LoginService::Status::requiresApproval;
    p.model.requestLaunchAtLogin(true);
    EXPECT_TRUE(p.model.launchAtLogin());
    EXPECT_TRUE(p.defaults->boolean("loginItemDefaultApplied"));
    p.login.refuses = true;
    p.model.requestLaunchAtLogin(false);
    p.model.requestLaunchAtLogin(true);
    EXPECT_FALSE(p.model.launchAtLogin());          // what the system reports, not the request
    p.login.state = LoginService::Status::enabled;  // changed in the system settings
    p.open();
    EXPECT_TRUE(p.model.launchAtLogin());
}

TEST(AppLanguageState, FollowsTheSystemUntilChosen) {
    const struct {
        QStringList preferred;
        const char* id;
    } cases[] = {{{"ar-SA", "en-US"}, "ar"},
                 {{"fr-FR", "de-DE"}, "en"},
                 {{"fr-FR", "ar-EG"}, "ar"},
                 {{}, "en"},
                 {{"en-GB", "ar"}, "en"}};
    for (const auto& c : cases) {
        PhoneKit::InMemoryDefaults defaults;
        AppLanguageState language(defaults, c.preferred);
        EXPECT_EQ(language.choice(), LanguageChoice::system);
        EXPECT_EQ(language.id(), c.id) << c.preferred.join(",").toStdString();
    }
    PhoneKit::InMemoryDefaults defaults;
    defaults.setValue("languageChoice", std::string("fr"));
    AppLanguageState language(defaults, {"ar"});
    EXPECT_EQ(language.choice(), LanguageChoice::system);
    language.set(LanguageChoice::english);
    EXPECT_EQ(defaults.string("languageChoice"), "en");
    language.set(LanguageChoice::system);
    EXPECT_EQ(defaults.string("languageChoice"), "system");
    EXPECT_EQ(language.text("Could not open WhatsApp."), "تعذّر فتح واتساب.");
}

namespace {

std::string textOf(const MessagesModel& model, const char* id) {
    for (const auto& m : model.book().messages()) {
        if (m.id == id) return m.text;
    }
    return "(missing)";
}

}  // namespace

TEST(MessagesModel, AStartInAnotherLanguageKeepsTheUsersTexts) {
    PanelRig p;
    p.messages.editMessage("wedding");
    p.messages.setDraft("Mabrook!");
    p.messages.saveDraft();
    p.messages.startNew();
    p.messages.setDraft("A new one");
    p.messages.saveDraft();
    const PhoneKit::TemplateStore store(p.defaults);
    EXPECT_EQ(store.load(), p.messages.book().messages());
    MessagesModel model(store, "ar", *p.defaults, p.workspace);  // the app is in Arabic now
    EXPECT_EQ(textOf(model, "thanks"), PhoneKit::TemplateTexts::all().at("ar").at("thanks"));
    EXPECT_EQ(textOf(model, "wedding"), "Mabrook!");
    EXPECT_EQ(model.book().messages().back().text, "A new one");
    EXPECT_EQ(p.defaults->string("messagesLanguage"), "ar");
    model.startNew();
    model.switchLanguage("en");  // a switch ends the editing
    EXPECT_FALSE(model.isEditing());
    EXPECT_EQ(p.defaults->string("messagesLanguage"), "en");
}

// The messages' own language: chosen, it outlives restarts in the same
// interface language; the interface changing takes the messages along again.
TEST(MessagesModel, AChosenLanguageStaysUntilTheInterfaceChanges) {
    PanelRig p;
    const auto table = [](const char* language) { return PhoneKit::TemplateTexts::all().at(language).at("thanks"); };
    p.messages.editMessage("wedding");
    p.messages.setDraft("Mabrook!");
    p.messages.saveDraft();
    EXPECT_FALSE(p.messages.chooseLanguage("tlh"));
    EXPECT_EQ(textOf(p.messages, "thanks"), table("en"));
    ASSERT_TRUE(p.messages.chooseLanguage("fr"));
    EXPECT_EQ(p.messages.languageID(), "fr");
    EXPECT_EQ(textOf(p.messages, "thanks"), table("fr"));
    EXPECT_EQ(textOf(p.messages, "wedding"), "Mabrook!");
    const PhoneKit::TemplateStore store(p.defaults);
    const auto restart = [&](const char* interfaceID) {
        return std::make_unique<MessagesModel>(store, interfaceID, *p.defaults, p.workspace);
    };
    EXPECT_EQ(textOf(*restart("en"), "thanks"), table("fr"));
    auto model = restart("en");
    model->switchLanguage("ar");  // the interface went Arabic
    EXPECT_EQ(textOf(*model, "thanks"), table("ar"));
    EXPECT_EQ(textOf(*restart("en"), "thanks"), table("en"));      // followed the interface back
    p.defaults->setValue("messagesLanguage", std::string("tlh"));  // a later version's, say
    p.defaults->setValue("messagesLanguageChosen", true);
    EXPECT_EQ(restart("ar")->languageID(), "ar");
}

TEST(MessagesModel, AnUnfilledSlotOrABlankDraftIsNeitherSentNorSaved) {
    PanelRig p({"ar"});
    p.messages.sendMessage("iban");  // the editor opens on the slot's label
    EXPECT_TRUE(p.messages.isEditing());
    EXPECT_EQ(p.messages.draft(), "رقم الآيبان\n");
    EXPECT_TRUE(p.workspace.opened.empty());
    const PhoneKit::TemplateStore store(p.defaults);
    const auto before = store.load();
    // Blank, or one character longer than a message may be: not saved, and
    // the editor stays open with the text.
    for (const QString& draft : {QString("  \n "), QString(p.messages.maximumCharacters() + 1, QChar(0x645))}) {
        p.messages.setDraft(draft);
        EXPECT_FALSE(p.messages.canSave());
        EXPECT_EQ(p.messages.draftTooLong(), !draft.trimmed().isEmpty());
        p.messages.saveDraft();
        EXPECT_TRUE(p.messages.isEditing());
        EXPECT_EQ(p.messages.draft(), draft);
        EXPECT_EQ(store.load(), before);
    }
}

TEST(MessagesModel, SendingFallsBackToTheWebPickerThenSaysItFailed) {
    const struct {
        bool app, web;
        std::vector<std::string> schemes;  // of the links tried, in order
        bool failed;
    } cases[] = {
        {true, true, {"whatsapp://send?text="}, false},
        {false, true, {"whatsapp://send?text=", "https://wa.me/?text="}, false},
        {false, false, {"whatsapp://send?text=", "https://wa.me/?text="}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.schemes.size() * 2 + c.failed);
        PanelRig p;
        p.workspace.acceptsApp = c.app;
        p.workspace.acceptsWeb = c.web;
        p.messages.sendMessage("thanks");
        ASSERT_EQ(p.workspace.opened.size(), c.schemes.size());
        for (std::size_t i = 0; i < c.schemes.size(); ++i) {
            EXPECT_EQ(p.workspace.opened[i].rfind(c.schemes[i], 0), 0u);
        }
        EXPECT_EQ(p.messages.couldNotOpen(), c.failed);
        EXPECT_EQ(p.closes, c.failed ? 0 : 1);
        p.messages.startNew();  // the editor clears the failure
        EXPECT_FALSE(p.messages.couldNotOpen());
    }
}

TEST(Observable, EveryPropertyNotifiesOncePerRealChange) {
    struct Rig : PanelRig {
        DesktopAppearance desktop;
        Palette palette{desktop};
        Theme theme{desktop};
        // The one object of the rig that has the signal.
        QObject* sender(const char* signal) {
            for (QObject* object : std::initializer_list<QObject*>{&model, &messages, &language, &palette, &theme}) {
                if (object->metaObject()->indexOfSignal(signal) >= 0) return object;
            }
            return nullptr;
        }
    };
    using Step = std::function<void(Rig&)>;
    const Step nothing = [](Rig&) {};
    const struct {
        const char* what;
        const char* signal;
        Step prepare;
        Step change;  // made twice: the second time it changes nothing
        int notifications;
    } cases[] = {
        {"text", "textChanged()", nothing, [](Rig& r) { r.model.setText("0501234567"); }, 1},
        {"section", "sectionChanged()", nothing, [](Rig& r) { r.model.setSection(PanelModel::Section::messages); }, 1},
        {"section by name", "sectionChanged()", nothing, [](Rig& r) { r.model.setSectionName("messages"); }, 1},
        {"choices", "choicesChanged()", [](Rig& r) { r.model.setText("0501234567 0551234567"); },
         [](Rig& r) { r.model.submit(); }, 1},
        {"notice", "noticeChanged()", [](Rig& r) { r.model.setText("no number"); }, [](Rig& r) { r.model.submit(); },
         1},
        {"no notice, another language", "noticeChanged()", nothing,
         [](Rig& r) { r.model.setLanguage(LanguageChoice::arabic); }, 0},
        {"a notice, another language", "noticeChanged()",
         [](Rig& r) {
             r.model.setText("no number");
             r.model.submit();
         },
         [](Rig& r) { r.model.setLanguage(LanguageChoice::arabic); }, 1},
        {"open at login", "launchAtLoginChanged()", nothing, [](Rig& r) { r.model.requestLaunchAtLogin(true); }, 1},
        {"each opening counts", "openCountChanged()", nothing, [](Rig& r) { r.open(); }, 2},
        {"draft", "draftChanged()", nothing, [](Rig& r) { r.messages.setDraft("Hi"); }, 1},
        {"could not open", "couldNotOpenChanged()", nothing, [](Rig& r) { r.messages.setCouldNotOpen(true); }, 1},
        {"editor", "editingChanged()", nothing, [](Rig& r) { r.messages.startNew(); }, 1},
        {"restore, nothing missing", "messagesChanged()", nothing, [](Rig& r) { r.messages.restoreMissing(); }, 0},
        {"restore a deleted one", "messagesChanged()",
         [](Rig& r) {
             r.messages.editMessage("thanks");
             r.messages.deleteEditing();
         },
         [](Rig& r) { r.messages.restoreMissing(); }, 1},
        {"save unchanged", "messagesChanged()", [](Rig& r) { r.messages.editMessage("thanks"); },
         [](Rig& r) { r.messages.saveDraft(); }, 0},
        {"the language they are in", "messagesChanged()", nothing, [](Rig& r) { r.messages.switchLanguage("en"); }, 0},
        {"another language", "messagesChanged()", nothing, [](Rig& r) { r.messages.switchLanguage("ar"); }, 1},
        {"the messages' own language", "languageIDChanged()", nothing, [](Rig& r) { r.messages.chooseLanguage("fr"); },
         1},
        {"language choice", "choiceChanged()", nothing, [](Rig& r) { r.language.set(LanguageChoice::arabic); }, 1},
        {"appearance", "appearanceChanged()", nothing,
         [](Rig& r) { r.palette.setAppearance(Palette::Appearance::dark); }, 1},
        {"Arabic faces", "arabicChanged()", nothing, [](Rig& r) { r.theme.setLanguage(true); }, 1},
        // Every switch of the choice rebuilds the views, the faces changed or not.
        {"a language switch", "languageChanged()", nothing, [](Rig& r) { r.theme.setLanguage(true); }, 2},
        {"reduced motion", "reduceMotionChanged()", nothing, [](Rig& r) { r.theme.setReduceMotion(true); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        c.prepare(rig);
        QObject* sender = rig.sender(c.signal);
        ASSERT_NE(sender, nullptr);
        QSignalSpy spy(sender, ("2" + std::string(c.signal)).c_str());  // as SIGNAL() writes it
        c.change(rig);
        c.change(rig);
        settle();
        EXPECT_EQ(spy.count(), c.notifications);
    }
}
