// The panel's real QML views over the models, rendered offscreen and driven
// with keys and clicks as a user would.
#include "Fakes.h"
#include "shell/StatusController.h"
#include "views/MenuBarIcon.h"
#include "views/Symbols.h"
#include "views/Theme.h"

#include <PhoneKit/messages/TemplateTexts.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QQuickItem>
#include <QStyleHints>
#include <QTest>

#include <cmath>

namespace {

// WCAG's contrast ratio of two opaque colours.
double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `over` painted with its opacity on the opaque `under`.
QColor composed(QColor over, QColor under) {
    const double a = over.alphaF();
    return QColor::fromRgbF(float(over.redF() * a + under.redF() * (1 - a)),
                            float(over.greenF() * a + under.greenF() * (1 - a)),
                            float(over.blueF() * a + under.blueF() * (1 - a)));
}

struct Screen : PanelOnScreen {
    explicit Screen(QStringList languages = {"en-US"}) : PanelOnScreen(std::move(languages)) {
        window.show();
        open();
    }
    void open() {
        rig.open();
        settledImage(window);
    }
    // Through the item tree: a repeater's rows are not its QObject children.
    static QQuickItem* find(QQuickItem* root, const QString& name, bool onScreen = false) {
        if (onScreen && !root->isVisible()) return nullptr;
        if (root->objectName() == name) return root;
        for (QQuickItem* child : root->childItems()) {
            if (QQuickItem* found = find(child, name, onScreen)) return found;
        }
        return nullptr;
    }
    QQuickItem* item(const char* name) const {
        QQuickItem* found = find(window.contentItem(), QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QQuickItem* item(const std::string& name) const { return item(name.c_str()); }
    QString focused() const { return window.activeFocusItem() ? window.activeFocusItem()->objectName() : QString(); }
    // The item's rectangle in the window.
    static QRectF sceneRect(const QQuickItem* item) {
        return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    }
    bool shown(const char* name) const { return item(name)->isVisible(); }
    void click(const char* name, Qt::MouseButton button = Qt::LeftButton) {
        QQuickItem* target = item(name);
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(&window, button, {}, centre.toPoint());
        settledImage(window);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&window, key, modifiers);
        settledImage(window);
    }
    void type(const char* text) {
        for (const char* c = text; *c; ++c) QTest::keyClick(&window, *c);
        settledImage(window);
    }
};

}  // namespace

TEST(PanelView, ReturnOpensTheChatChoosesOrSaysWhy) {
    const struct {
        const char* typed;
        std::vector<std::string> opened;
        bool notice, choices;
        int closes;
    } cases[] = {
        {"0501234567", {"whatsapp://send?phone=966501234567"}, false, false, 1},
        {"see you at six", {}, true, false, 0},
        {"050 123 4567 or 055 123 4567", {}, false, true, 0},
        {"   ", {}, true, false, 0},  // blanks: Open stays off, Return says so
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Screen s;
        ASSERT_TRUE(s.window.errors().isEmpty()) << s.window.errors().toStdString();
        EXPECT_TRUE(s.item("number")->hasActiveFocus());  // the caret is in the field at once
        s.type(c.typed);
        EXPECT_EQ(s.item("open")->isEnabled(), !QString(c.typed).trimmed().isEmpty());
        EXPECT_EQ(s.shown("clear"), s.item("open")->isEnabled());
        s.key(Qt::Key_Return);
        EXPECT_EQ(s.rig.workspace.opened, c.opened);
        EXPECT_EQ(s.shown("notice"), c.notice);
        EXPECT_EQ(s.shown("choices"), c.choices);
        EXPECT_EQ(s.rig.closes, c.closes);
    }
}

TEST(PanelView, ClearKeepsTheFocusAndAFailedChoiceKeepsTheList) {
    Screen s;
    s.type("050 123 4567 or 055 123 4567");
    s.click("clear");
    EXPECT_EQ(s.rig.model.text(), "");
    EXPECT_TRUE(s.item("number")->hasActiveFocus());
    s.type("050 123 4567 or 055 123 4567");
    s.key(Qt::Key_Return);
    s.rig.workspace.acceptsApp = s.rig.workspace.acceptsWeb = false;
    s.click("choice-966551234567");
    EXPECT_EQ(s.rig.workspace.opened.front(), "whatsapp://send?phone=966551234567");
    EXPECT_TRUE(s.shown("notice"));
    EXPECT_TRUE(s.shown("choices"));
    EXPECT_EQ(s.rig.closes, 0);

    // The way forward: the chat's web link of the number tried, on the clipboard.
    EXPECT_FALSE(s.item("copyLink")->property("text").toString().contains("copied"));
    s.click("copyLink");
    EXPECT_EQ(s.rig.clipboard.content, "https://wa.me/966551234567");
    EXPECT_EQ(s.item("copyLink")->property("text").toString(), "Link copied");
    s.click("choice-966501234567");  // another number fails: its link, copied afresh
    EXPECT_EQ(s.item("copyLink")->property("text").toString(), "Copy link");
    s.click("copyLink");
    EXPECT_EQ(s.rig.clipboard.content, "https://wa.me/966501234567");
    s.type("8");  // the text changed: no notice, no link
    EXPECT_FALSE(s.shown("copyLink"));
}

TEST(PanelView, FocusFollowsTheSectionAndEveryOpening) {
    Screen s;
    s.click("section-messages");
    EXPECT_EQ(s.rig.model.section(), PanelModel::Section::messages);
    EXPECT_FALSE(s.shown("number"));
    s.open();  // opening on the Messages section leaves the field alone
    EXPECT_FALSE(s.item("number")->hasActiveFocus());
    s.click("section-messages");  // the selected segment again changes nothing
    EXPECT_EQ(s.rig.model.section(), PanelModel::Section::messages);
    s.click("section-number");
    EXPECT_TRUE(s.item("number")->hasActiveFocus());
}

TEST(PanelView, EscapeLeavesTheEditorFirstThenClosesThePanel) {
    Screen s;
    s.click("section-messages");
    s.click("newMessage");
    EXPECT_TRUE(s.rig.messages.isEditing());
    EXPECT_TRUE(s.item("messageBox")->hasActiveFocus());
    EXPECT_FALSE(s.shown("deleteMessage"));  // a new message has nothing to delete
    EXPECT_FALSE(s.item("saveMessage")->isEnabled());
    s.type("Hi");
    EXPECT_TRUE(s.item("saveMessage")->isEnabled());
    s.key(Qt::Key_Escape);
    EXPECT_FALSE(s.rig.messages.isEditing());
    EXPECT_EQ(s.rig.messages.draft(), "");
    EXPECT_EQ(s.closes, 0);
    s.key(Qt::Key_Escape);
    EXPECT_EQ(s.closes, 1);
    s.key(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(s.closes, 2);
    s.key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(s.quits, 1);
}

TEST(MessagesView, AnUnfilledSlotOpensTheEditorWithItsLabel) {
    Screen s;
    s.rig.model.setSection(PanelModel::Section::messages);
    settledImage(s.window);
    const auto& messages = s.rig.messages.book().messages();
    const auto slot = std::find_if(messages.begin(), messages.end(),
                                   [&](const auto& message) { return s.rig.messages.book().needsFilling(message); });
    ASSERT_NE(slot, messages.end());
    const std::string id = slot->id;
    const std::string title = s.rig.messages.book().title(*slot);
    // The keyboard's way there scrolls the slot's row into sight.
    s.item("send-" + id)->forceActiveFocus(Qt::TabFocusReason);
    settledImage(s.window);
    s.click(("send-" + id).c_str());
    EXPECT_TRUE(s.rig.workspace.opened.empty());  // nothing is sent unfilled
    ASSERT_TRUE(s.rig.messages.isEditing());
    EXPECT_EQ(s.rig.messages.draft().toStdString(), title + "\n");
    s.rig.messages.setDraft(s.rig.messages.draft() + QString(s.rig.messages.maximumCharacters(), 'x'));
    settledImage(s.window);
    ASSERT_TRUE(s.shown("draftProblem"));  // says why Save is off
    EXPECT_TRUE(s.item("draftProblem")->property("text").toString().contains("\u206665,536\u2069"));
    s.rig.messages.setDraft(QString::fromStdString(title + "\n"));
    settledImage(s.window);
    s.type("SA03 8000 0000 6080 1016 7519");
    s.key(Qt::Key_Return, Qt::ControlModifier);  // saves
    EXPECT_FALSE(s.rig.messages.isEditing());
    EXPECT_FALSE(s.rig.messages.book().needsFilling(
        *std::find_if(s.rig.messages.book().messages().begin(), s.rig.messages.book().messages().end(),
                      [&](const auto& message) { return message.id == id; })));
}

TEST(PanelView, ThePasteOfferPastesTheClipboardAndOpens) {
    Screen s;
    s.rig.clipboard.copyBehindPermission("0501234567");
    s.open();
    ASSERT_TRUE(s.shown("pasteCopied"));
    EXPECT_EQ(s.item("pasteKeys")->property("text").toString(), QString("\u2066Ctrl+V\u2069"));
    QGuiApplication::clipboard()->setText("call 0501234567");
    s.click("pasteCopied");
    EXPECT_EQ(s.rig.workspace.opened, std::vector<std::string>{"whatsapp://send?phone=966501234567"});
}

TEST(PanelView, ArabicMirrorsTheLayoutAndBuildsANewTree) {
    Screen s;
    QQuickItem* englishField = s.item("number");
    const auto moreX = [&] { return s.item("more")->mapToScene({0, 0}).x(); };
    EXPECT_GT(moreX(), s.window.width() / 2);
    EXPECT_EQ(QFontInfo(s.window.theme().body()).family(), "IBM Plex Sans");  // embedded, not a substitute
    s.rig.model.setLanguage(MacKit::LanguageChoice::arabic);
    settledImage(s.window);
    EXPECT_NE(s.item("number"), englishField);  // no state of the old language survives
    EXPECT_LT(moreX(), s.window.width() / 2);
    EXPECT_TRUE(s.window.theme().arabic());
    EXPECT_EQ(QFontInfo(s.window.theme().body()).family(), "IBM Plex Sans Arabic");
    EXPECT_EQ(QFontInfo(s.window.theme().number()).family(), "IBM Plex Mono");
    s.type("0501234567");
    EXPECT_EQ(s.rig.model.text(), "0501234567");  // Latin digits as typed
}

TEST(Theme, PaletteFollowsADarkDesktopThemeUntilFixed) {
    // No GNOME colour scheme is set here, so the Qt theme's window colour tells.
    const QPalette original = QGuiApplication::palette();
    DesktopAppearance desktop;
    Palette palette(desktop);
    ASSERT_FALSE(palette.isDark());
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    QGuiApplication::setPalette(dark);
    QCoreApplication::processEvents();
    EXPECT_TRUE(palette.isDark());
    EXPECT_EQ(palette.bg(), QColor(0x0D, 0x0E, 0x0C));
    palette.setAppearance(Palette::Appearance::light);
    QGuiApplication::setPalette(original);
    QGuiApplication::setPalette(dark);  // a fixed appearance stays
    QCoreApplication::processEvents();
    EXPECT_FALSE(palette.isDark());
    QGuiApplication::setPalette(original);
}

TEST(MenuBarIcon, DrawsALimeDiscWithAnInkArrowAtEveryScale) {
    for (const qreal scale : {1.0, 2.0, 1.5}) {
        const QImage image = MenuBarIcon::image(18, scale);
        SCOPED_TRACE(scale);
        ASSERT_EQ(image.width(), qRound(18 * scale));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);  // outside the disc
        const QColor rim = image.pixelColor(int(3 * scale), image.height() / 2);
        EXPECT_EQ(rim.rgb(), MenuBarIcon::lime().rgb());
        // The arrow's head sits up and to the right of the centre.
        int ink = 0;
        for (int y = 0; y < image.height() / 2; ++y) {
            for (int x = image.width() / 2; x < image.width(); ++x) ink += image.pixelColor(x, y).lightness() < 60;
        }
        EXPECT_GT(ink, 3);
    }
    EXPECT_TRUE(Symbols::draw("no-such-symbol", {16, 16}, Qt::black).isNull());
}

namespace {

// What a view tree shows of its texts: each visible text's words, face,
// size, weight, letter case and place in the window, in tree order.
// What is drawn inside `seen` (the window, narrowed by every clipping item
// on the way): rows a list keeps ready below its fold are not on screen.
QStringList textsOf(QQuickItem* item, QRectF seen = QRectF(0, 0, 1e6, 1e6)) {
    QStringList texts;
    if (!item->isVisible()) return texts;
    if (item->clip()) seen &= Screen::sceneRect(item);
    const QVariant font = item->property("font"), text = item->property("text");
    // A control's own font draws nothing here: the texts inside it do.
    const QRectF at = Screen::sceneRect(item);
    if (font.isValid() && text.isValid() && !item->inherits("QQuickControl") && seen.intersects(at)) {
        const QFont face = font.value<QFont>();
        texts << QStringLiteral("%1 | %2 %3px %4 %5 | %6,%7 %8×%9")
                     .arg(text.toString(), QFontInfo(face).family())
                     .arg(face.pixelSize())
                     .arg(face.weight())
                     .arg(int(face.capitalization()))
                     .arg(at.x())
                     .arg(at.y())
                     .arg(at.width())
                     .arg(at.height());
    }
    for (QQuickItem* child : item->childItems()) texts << textsOf(child, seen);
    return texts;
}

// The last filled message of the list: its row is below the list's fold.
std::string lastFilledMessage(const MessagesModel& messages) {
    const auto& all = messages.book().messages();
    for (auto message = all.rbegin(); message != all.rend(); ++message) {
        if (!messages.book().needsFilling(*message)) return message->id;
    }
    return {};
}

// The stop is where a user sees it: inside the window and inside every
// clipping area around it (the message list, say).
void expectInSight(const QQuickItem* stop) {
    const QRectF at = Screen::sceneRect(stop);
    for (const QQuickItem* around = stop->parentItem(); around; around = around->parentItem()) {
        if (!around->clip() && around->parentItem()) continue;
        const QRectF area = Screen::sceneRect(around).adjusted(-0.5, -0.5, 0.5, 0.5);
        EXPECT_TRUE(area.contains(at)) << stop->objectName().toStdString() << " at " << at.y() << "–" << at.bottom()
                                       << " outside " << area.y() << "–" << area.bottom();
    }
}

// Tabs until `name` has the focus, each stop on the way in sight.
bool tabTo(Screen& s, const std::string& name) {
    for (int stops = 0; stops < 80; ++stops) {
        s.key(Qt::Key_Tab);
        const QQuickItem* at = s.window.activeFocusItem();
        if (!at) return false;
        expectInSight(at);
        if (at->objectName().toStdString() == name) return true;
    }
    return false;
}

}  // namespace

TEST(PanelView, ALanguageSwitchLooksLikeAFreshStart) {
    QGuiApplication::styleHints()->setCursorFlashTime(0);  // a caret that does not blink between the two frames
    using Arrange = std::function<void(PanelRig&)>;
    const struct {
        const char* state;
        Arrange arrange;
    } states[] = {
        {"Which number?",
         [](PanelRig& rig) {
             rig.model.setText("050 123 4567 or 055 123 4567");
             rig.model.submit();
         }},
        {"the messages", [](PanelRig& rig) { rig.model.setSection(PanelModel::Section::messages); }},
        {"the editor",
         [](PanelRig& rig) {
             rig.model.setSection(PanelModel::Section::messages);
             rig.messages.editMessage("thanks");
         }},
    };
    const struct {
        const char* from;
        const char* to;
        MacKit::LanguageChoice choice;
    } switches[] = {
        {"en", "ar", MacKit::LanguageChoice::arabic},
        {"ar", "en", MacKit::LanguageChoice::english},
    };
    for (const auto& language : switches) {
        for (const auto& state : states) {
            SCOPED_TRACE(std::string(language.from) + " → " + language.to + ", " + state.state);
            Screen fresh({language.to});
            Screen switched({language.from});
            switched.rig.model.setLanguage(language.choice);
            for (Screen* s : {&fresh, &switched}) {
                state.arrange(s->rig);
                settledImage(s->window);
            }
            EXPECT_EQ(switched.window.theme().arabic(), fresh.window.theme().arabic());
            const QStringList expected = textsOf(fresh.window.contentItem());
            EXPECT_GT(expected.size(), 3);
            EXPECT_EQ(textsOf(switched.window.contentItem()).join('\n').toStdString(),
                      expected.join('\n').toStdString());
            // Each drawn as the window with the keyboard, caret and all.
            const auto frame = [](Screen& s) {
                s.window.requestActivate();
                EXPECT_TRUE(QTest::qWaitForWindowActive(&s.window));
                return settledImage(s.window);
            };
            EXPECT_TRUE(frame(switched) == frame(fresh));
        }
    }
}

TEST(PanelView, TheKeyboardAloneReachesAndPressesEachKindOfControl) {
    using Arrange = std::function<std::string(Screen&)>;  // returns the control to reach
    using Check = std::function<void(Screen&)>;
    const auto messages = [](Screen& s) {
        s.rig.model.setSection(PanelModel::Section::messages);
        settledImage(s.window);
    };
    const struct {
        const char* what;
        Arrange arrange;
        Qt::Key key;
        Check pressed;
    } cases[] = {
        {"More", [](Screen&) { return "more"; }, Qt::Key_Return,
         [](Screen& s) { EXPECT_NE(Screen::find(s.window.contentItem(), "openAtLogin", true), nullptr); }},
        {"the Messages tab", [](Screen&) { return "section-messages"; }, Qt::Key_Enter,
         [](Screen& s) { EXPECT_EQ(s.rig.model.section(), PanelModel::Section::messages); }},
        {"a number of Which number?",
         [](Screen& s) {
             s.type("0501234567 or 0551234567");
             s.key(Qt::Key_Return);
             return "choice-966551234567";
         },
         Qt::Key_Enter,
         [](Screen& s) {
             EXPECT_EQ(s.rig.workspace.opened, std::vector<std::string>{"whatsapp://send?phone=966551234567"});
         }},
        {"the paste offer",
         [](Screen& s) {
             s.rig.clipboard.copyBehindPermission("0501234567");
             QGuiApplication::clipboard()->setText("0501234567");
             s.open();
             return "pasteCopied";
         },
         Qt::Key_Return,
         [](Screen& s) {
             EXPECT_EQ(s.rig.workspace.opened, std::vector<std::string>{"whatsapp://send?phone=966501234567"});
         }},
        {"the last message's arrow, below the fold",
         [&](Screen& s) {
             messages(s);
             return "send-" + lastFilledMessage(s.rig.messages);
         },
         Qt::Key_Return,
         [](Screen& s) {
             ASSERT_EQ(s.rig.workspace.opened.size(), 1u);
             EXPECT_NE(s.rig.workspace.opened[0].find("text="), std::string::npos) << s.rig.workspace.opened[0];
         }},
        {"Restore Ready-Made Messages",
         [&](Screen& s) {
             s.rig.messages.editMessage("thanks");
             s.rig.messages.deleteEditing();
             messages(s);
             return "restore";
         },
         Qt::Key_Return, [](Screen& s) { EXPECT_EQ(s.rig.messages.missingCount(), 0); }},
        {"Save, by Tab out of the message box",
         [&](Screen& s) {
             messages(s);
             s.rig.messages.startNew();
             settledImage(s.window);
             s.type("Hi");
             return "saveMessage";
         },
         Qt::Key_Return,
         [](Screen& s) {
             EXPECT_FALSE(s.rig.messages.isEditing());
             EXPECT_EQ(s.rig.messages.book().messages().back().text, "Hi");  // no tab typed into it
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Screen s;
        const std::string target = c.arrange(s);
        settledImage(s.window);
        ASSERT_TRUE(tabTo(s, target)) << "Tab never reached " << target << ", last " << s.focused().toStdString();
        s.key(c.key);
        c.pressed(s);
    }
}

// "Which number?" by the keyboard: the arrows walk the rows and back to the
// field, Tab and Shift+Tab follow the layout, and when the list goes, the
// focus goes back to the field rather than to nothing.
TEST(PanelView, ArrowsWalkWhichNumberAndTabFollowsTheLayout) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* focused;
    } steps[] = {
        {Qt::Key_Down, {}, "choice-966501234567"},
        {Qt::Key_Down, {}, "choice-966551234567"},
        {Qt::Key_Down, {}, "choice-966551234567"},  // the last row stays
        {Qt::Key_Up, {}, "choice-966501234567"},
        {Qt::Key_Up, {}, "number"},
        {Qt::Key_Up, {}, "number"},
        {Qt::Key_Tab, {}, "choice-966501234567"},
        {Qt::Key_Tab, {}, "choice-966551234567"},
        {Qt::Key_Tab, {}, "open"},
        {Qt::Key_Tab, Qt::ShiftModifier, "choice-966551234567"},
    };
    for (const char* language : {"en", "ar"}) {
        SCOPED_TRACE(language);
        Screen s({language});
        s.type("0501234567 or 0551234567");
        s.key(Qt::Key_Return);
        for (const auto& step : steps) {
            s.key(step.key, step.modifiers);
            EXPECT_EQ(s.focused(), step.focused) << "after " << QTest::toString(step.key);
        }
        s.key(Qt::Key_Return);
        EXPECT_EQ(s.rig.workspace.opened, std::vector<std::string>{"whatsapp://send?phone=966551234567"});
        s.rig.workspace.opened.clear();
        s.rig.workspace.acceptsApp = s.rig.workspace.acceptsWeb = false;
        s.key(Qt::Key_Up);
        s.key(Qt::Key_Return);              // fails: the list stays, with the notice
        s.rig.model.setText("0501234567");  // one number: the list goes
        settledImage(s.window);
        EXPECT_EQ(s.focused(), "number");
    }
}

TEST(PanelView, EveryTabStopShowsAFocusRingThatStandsOut) {
    using Arrange = std::function<void(PanelRig&)>;
    const struct {
        const char* state;
        Arrange arrange;
    } states[] = {
        {"the number section",
         [](PanelRig& rig) {
             rig.clipboard.copyBehindPermission("0501234567");
             rig.open();
         }},
        {"Which number?",
         [](PanelRig& rig) {
             rig.model.setText("050 123 4567 or 055 123 4567");
             rig.model.submit();
         }},
        {"the messages",
         [](PanelRig& rig) {
             rig.messages.editMessage("thanks");
             rig.messages.deleteEditing();  // Restore shows
             rig.model.setSection(PanelModel::Section::messages);
         }},
        {"the editor",
         [](PanelRig& rig) {
             rig.model.setSection(PanelModel::Section::messages);
             rig.messages.editMessage("eid");
         }},
    };
    for (const auto appearance : {Palette::Appearance::light, Palette::Appearance::dark}) {
        for (const auto& state : states) {
            SCOPED_TRACE(std::string(appearance == Palette::Appearance::dark ? "dark, " : "light, ") + state.state);
            Screen s;
            s.window.palette().setAppearance(appearance);
            state.arrange(s.rig);
            settledImage(s.window);
            QString first;
            for (int stop = 0; stop < 40; ++stop) {
                s.key(Qt::Key_Tab);
                QQuickItem* at = s.window.activeFocusItem();
                ASSERT_NE(at, nullptr);
                if (at->objectName() == first) break;
                if (first.isEmpty()) first = at->objectName();
                SCOPED_TRACE(at->objectName().toStdString());
                // The same frame with the focus elsewhere, nothing scrolled.
                const QImage focused = settledImage(s.window);
                at->setFocus(false);
                const QImage unfocused = settledImage(s.window);
                at->forceActiveFocus(Qt::TabFocusReason);
                settledImage(s.window);
                // A ring may lie outside its control: a text box's outline is
                // its frame's, 10 pixels out.
                const QRect area = Screen::sceneRect(at).toAlignedRect().adjusted(-12, -12, 12, 12) & focused.rect();
                int standsOut = 0;
                int halves[4] = {};  // left, right, top, bottom
                const QPoint centre = area.center();
                for (int y = area.top(); y <= area.bottom(); ++y) {
                    for (int x = area.left(); x <= area.right(); ++x) {
                        const bool counts = contrast(focused.pixelColor(x, y), unfocused.pixelColor(x, y)) >= 3.0;
                        standsOut += counts;
                        halves[x <= centre.x() ? 0 : 1] += counts;
                        halves[y <= centre.y() ? 2 : 3] += counts;
                    }
                }
                // A ring all round at least one pixel thick, in 3:1 against
                // what it covers, and as crisp on each side as on the other
                // (a ring off whole pixels is sharp on two sides only).
                EXPECT_GE(standsOut, int(at->width() + at->height())) << "of " << area.width() << "×" << area.height();
                EXPECT_GE(std::min(halves[0], halves[1]), 0.9 * std::max(halves[0], halves[1])) << "left, right";
                EXPECT_GE(std::min(halves[2], halves[3]), 0.9 * std::max(halves[2], halves[3])) << "top, bottom";
            }
            EXPECT_FALSE(first.isEmpty());
        }
    }
}

TEST(PanelView, RightClickInATextFieldOffersTheEditMenu) {
    const struct {
        const char* field;
        std::function<void(Screen&)> arrange;
    } fields[] = {
        {"number", [](Screen&) {}},
        {"messageBox",
         [](Screen& s) {
             s.rig.model.setSection(PanelModel::Section::messages);
             s.rig.messages.startNew();
             settledImage(s.window);
         }},
    };
    // Each field has a menu of its own: the one on screen is meant.
    const auto entry = [](Screen& s, const char* name) { return Screen::find(s.window.contentItem(), name, true); };
    const auto choose = [&](Screen& s, const char* field, const char* name) {
        s.click(field, Qt::RightButton);
        QQuickItem* item = entry(s, name);
        ASSERT_NE(item, nullptr) << name << " not on screen";
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(&s.window, Qt::LeftButton, {}, centre.toPoint());
        settledImage(s.window);
        EXPECT_EQ(entry(s, "undo"), nullptr) << "the menu stayed open";
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.field);
        Screen s;
        f.arrange(s);
        QQuickItem* field = s.item(f.field);
        s.type("0501234567");
        s.click(f.field, Qt::RightButton);
        for (const char* name : {"undo", "redo", "cut", "copy", "paste", "selectAll"}) {
            EXPECT_NE(entry(s, name), nullptr) << name;
        }
        EXPECT_EQ(entry(s, "undo")->property("text").toString(), "Undo");
        EXPECT_FALSE(entry(s, "cut")->isEnabled());  // nothing selected yet
        s.key(Qt::Key_Escape);                       // closes the menu, not the panel
        EXPECT_EQ(s.closes, 0);
        choose(s, f.field, "selectAll");
        choose(s, f.field, "cut");
        EXPECT_EQ(field->property("text").toString(), "");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "0501234567");
        choose(s, f.field, "paste");
        choose(s, f.field, "paste");
        EXPECT_EQ(field->property("text").toString(), "05012345670501234567");
        choose(s, f.field, "undo");
        EXPECT_EQ(field->property("text").toString(), "0501234567");
        EXPECT_TRUE(field->hasActiveFocus());
    }
}

// The More menu: drawn in the panel's look (dark here), hanging from its
// button's trailing edge in either direction, and doing what it says.
TEST(PanelView, TheMoreMenuHangsFromItsButtonInThePanelsLook) {
    for (const char* language : {"en", "ar"}) {
        SCOPED_TRACE(language);
        Screen s({language});
        s.window.palette().setAppearance(Palette::Appearance::dark);
        int quits = 0;
        s.rig.model.quit = [&] { ++quits; };
        const auto entry = [&](const char* name) { return Screen::find(s.window.contentItem(), name, true); };
        const auto choose = [&](const char* name) {
            s.click("more");
            QQuickItem* item = entry(name);
            ASSERT_NE(item, nullptr) << name;
            QTest::mouseClick(&s.window, Qt::LeftButton, {}, item->mapToScene(item->boundingRect().center()).toPoint());
            settledImage(s.window);
        };
        s.click("more");
        QQuickItem* login = entry("openAtLogin");
        ASSERT_NE(login, nullptr);
        const QRectF button = Screen::sceneRect(s.item("more")), first = Screen::sceneRect(login);
        EXPECT_GT(first.top(), button.bottom());
        if (std::string_view(language) == "en") {
            EXPECT_NEAR(first.right(), button.right(), 6);  // the menu's padding
        } else {
            EXPECT_NEAR(first.left(), button.left(), 6);
        }
        const QImage frame = settledImage(s.window);
        const QPoint ground = (first.topLeft() + QPointF(3, 3)).toPoint() * frame.devicePixelRatio();
        EXPECT_EQ(frame.pixelColor(ground), s.window.palette().surface());
        s.key(Qt::Key_Escape);  // the menu closes, the panel stays
        EXPECT_EQ(entry("openAtLogin"), nullptr);
        EXPECT_EQ(s.closes, 0);

        choose("openAtLogin");
        EXPECT_TRUE(s.rig.model.launchAtLogin());
        choose("interface-system");  // the choice it has: nothing happens
        EXPECT_EQ(s.rig.languageChanges, 0);
        choose("quit");
        EXPECT_EQ(quits, 1);
    }
}

TEST(PanelView, ThePartsThatGoFadeOut) {
    const struct {
        const char* part;
        std::function<void(Screen&)> show, hide;
    } parts[] = {
        {"notice",
         [](Screen& s) {
             s.type("no number");
             s.key(Qt::Key_Return);
         },
         [](Screen& s) { s.type("x"); }},
        {"choices",
         [](Screen& s) {
             s.type("0501234567 or 0551234567");
             s.key(Qt::Key_Return);
         },
         [](Screen& s) { s.type("x"); }},
        {"pasteCopied",
         [](Screen& s) {
             s.rig.clipboard.copyBehindPermission("0501234567");
             s.open();
         },
         [](Screen& s) { s.type("1"); }},
        {"messageBox",
         [](Screen& s) {
             s.rig.model.setSection(PanelModel::Section::messages);
             s.rig.messages.startNew();
         },
         [](Screen& s) { s.rig.messages.endEditing(); }},
    };
    for (const auto& p : parts) {
        SCOPED_TRACE(p.part);
        Screen s;
        s.window.theme().setReduceMotion(false);
        p.show(s);
        QTRY_VERIFY_WITH_TIMEOUT(s.item(p.part)->isVisible(), 5000);
        p.hide(s);
        EXPECT_TRUE(s.item(p.part)->isVisible()) << "gone at once";  // on its way out
        QTRY_VERIFY_WITH_TIMEOUT(!s.item(p.part)->isVisible(), 5000);
    }
}

TEST(MessagesView, TheButtonsUnderTheListStayInTheirMarginsAndWork) {
    for (const char* language : {"en", "ar"}) {
        SCOPED_TRACE(language);
        Screen s({language});
        s.rig.model.setSection(PanelModel::Section::messages);
        settledImage(s.window);
        const QRectF list = Screen::sceneRect(s.item("messageList"));
        const QRectF add = Screen::sceneRect(s.item("newMessage"));
        EXPECT_EQ(list.left(), 16);
        EXPECT_EQ(list.right(), s.window.width() - 16);
        s.rig.messages.editMessage("thanks");
        s.rig.messages.deleteEditing();
        settledImage(s.window);
        ASSERT_TRUE(s.shown("restore"));
        EXPECT_EQ(Screen::sceneRect(s.item("messageList")), list);
        EXPECT_EQ(Screen::sceneRect(s.item("newMessage")), add);
        const QRectF restore = Screen::sceneRect(s.item("restore"));
        EXPECT_GE(restore.left(), 16);
        EXPECT_LE(restore.right(), s.window.width() - 16);
        EXPECT_FALSE(restore.intersects(add));
        const QRectF picker = Screen::sceneRect(s.item("messagesLanguage"));
        EXPECT_LE(picker.right(), s.window.width() - 16);
        EXPECT_GE(picker.left(), 16);
        EXPECT_FALSE(picker.intersects(restore));
        EXPECT_EQ(s.window.width(), 340);

        // The messages' language, chosen in its menu: the untouched texts move.
        s.click("messagesLanguage");
        QQuickItem* french = Screen::find(s.window.contentItem(), "language-fr", true);
        ASSERT_NE(french, nullptr) << "the language menu did not open";
        EXPECT_TRUE(Screen::find(s.window.contentItem(), QStringLiteral("language-") + language, true)
                        ->property("checked")
                        .toBool());
        QTest::mouseClick(&s.window, Qt::LeftButton, {}, french->mapToScene(french->boundingRect().center()).toPoint());
        settledImage(s.window);
        EXPECT_EQ(Screen::find(s.window.contentItem(), "language-fr", true), nullptr) << "the menu stayed open";
        EXPECT_EQ(s.item("messagesLanguage")->property("text").toString(), "Français");
        const std::string first = PhoneKit::TemplateTexts::all().at("fr").at("baby_boy");
        EXPECT_TRUE(textsOf(s.item("messageList"))
                        .join(QChar(0))
                        .contains(QString::fromStdString(first.substr(0, first.find('\n')))));
        EXPECT_TRUE(s.item("messagesLanguage")->hasActiveFocus());
    }
}

TEST(PanelView, AHairlineOutlinesThePanel) {
    for (const auto appearance : {Palette::Appearance::light, Palette::Appearance::dark}) {
        Screen s;
        s.window.palette().setAppearance(appearance);
        const QImage frame = settledImage(s.window);
        const QColor edge = composed(s.window.palette().outline(), s.window.palette().bg());
        const QPoint edges[] = {{0, frame.height() / 2},
                                {frame.width() - 1, frame.height() / 2},
                                {frame.width() / 2, 0},
                                {frame.width() / 2, frame.height() - 1}};
        for (const QPoint at : edges) EXPECT_EQ(frame.pixelColor(at).rgb(), edge.rgb()) << at.x() << "," << at.y();
        // One pixel: the next one in is the panel's own background.
        EXPECT_EQ(frame.pixelColor(1, frame.height() / 2).rgb(), s.window.palette().bg().rgb());
    }
}

TEST(Theme, MutedTextReadsAtFourAndAHalfToOneOnEveryGround) {
    DesktopAppearance desktop;
    Palette palette(desktop);
    for (const auto appearance : {Palette::Appearance::light, Palette::Appearance::dark}) {
        palette.setAppearance(appearance);
        SCOPED_TRACE(palette.isDark() ? "dark" : "light");
        const struct {
            const char* ground;
            QColor colour;
        } grounds[] = {
            {"panel", palette.bg()},
            {"row", palette.surface()},
            {"hovered row", composed(palette.line(), palette.surface())},
            {"hovered button on the panel", composed(palette.line(), palette.bg())},
        };
        for (const auto& g : grounds) {
            EXPECT_GE(contrast(palette.fgMuted(), g.colour), 4.5) << g.ground;
            EXPECT_GE(contrast(palette.danger(), g.colour), 4.5) << g.ground;
        }
    }
}

TEST(StatusMenu, ArabicMenusRunRightToLeftAfterASwitchAsAtAStart) {
    // The language submenu as a user sees it, and the directions of both.
    const auto look = [](QMenu& menu) {
        QMenu* languages = menu.actions()[2]->menu();
        languages->ensurePolished();
        languages->adjustSize();
        return std::tuple(menu.layoutDirection(), languages->layoutDirection(), languages->grab().toImage());
    };
    for (const auto& [from, choice, direction] : {std::tuple("en", MacKit::LanguageChoice::arabic, Qt::RightToLeft),
                                                  std::tuple("ar", MacKit::LanguageChoice::english, Qt::LeftToRight)}) {
        SCOPED_TRACE(from);
        PanelRig freshRig({from});
        freshRig.language.set(choice);  // chosen before the start
        StatusController fresh(freshRig.model, freshRig.language, [] {});
        const auto started = look(fresh.trayMenu());
        EXPECT_EQ(std::get<0>(started), direction);
        EXPECT_EQ(std::get<1>(started), direction);
        PanelRig switchedRig({from});
        StatusController switched(switchedRig.model, switchedRig.language, [] {});
        switchedRig.model.setLanguage(choice);
        settle();
        EXPECT_TRUE(look(switched.trayMenu()) == started);
        // The native names keep their own direction inside the other's.
        for (QAction* action : switched.trayMenu().actions()[2]->menu()->actions().mid(1)) {
            EXPECT_TRUE(action->text().startsWith(QChar(0x2068)) && action->text().endsWith(QChar(0x2069)))
                << action->text().toStdString();
        }
    }
}
