// The panel's real QML views over the models, rendered offscreen and driven
// with keys and clicks as a user would.
#include "Fakes.h"
#include "shell/StatusController.h"
#include "views/MenuBarIcon.h"
#include "views/Symbols.h"
#include "views/Theme.h"

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
    static QQuickItem* find(QQuickItem* root, const QString& name) {
        if (root->objectName() == name) return root;
        for (QQuickItem* child : root->childItems()) {
            if (QQuickItem* found = find(child, name)) return found;
        }
        return nullptr;
    }
    QQuickItem* item(const char* name) const {
        QQuickItem* found = find(window.contentItem(), QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The item's rectangle in the window.
    static QRectF sceneRect(const QQuickItem* item) {
        return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    }
    bool shown(const char* name) const { return item(name)->isVisible(); }
    void click(const char* name) {
        QQuickItem* target = item(name);
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(&window, Qt::LeftButton, {}, centre.toPoint());
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

TEST(PanelView, TypingANumberAndReturnOpensTheChat) {
    Screen s;
    ASSERT_TRUE(s.window.errors().isEmpty()) << s.window.errors().toStdString();
    EXPECT_TRUE(s.item("number")->hasActiveFocus());  // the caret is in the field at once
    EXPECT_FALSE(s.item("open")->isEnabled());
    s.type("0501234567");
    EXPECT_EQ(s.rig.model.text(), "0501234567");
    EXPECT_TRUE(s.item("open")->isEnabled());
    EXPECT_TRUE(s.shown("clear"));
    s.key(Qt::Key_Return);
    EXPECT_EQ(s.rig.workspace.opened, std::vector<std::string>{"whatsapp://send?phone=966501234567"});
    EXPECT_EQ(s.rig.closes, 1);
}

TEST(PanelView, ClearAndOpenFollowTheTrimmedText) {
    Screen s;
    s.type("   ");
    EXPECT_FALSE(s.shown("clear"));
    EXPECT_FALSE(s.item("open")->isEnabled());
    s.type("x");
    s.click("clear");
    EXPECT_EQ(s.rig.model.text(), "");
    EXPECT_TRUE(s.item("number")->hasActiveFocus());  // clearing does not move the focus
}

TEST(PanelView, ChoosingTheSecondOfTwoNumbersOpensIt) {
    Screen s;
    s.type("050 123 4567 or 055 123 4567");
    s.key(Qt::Key_Return);
    EXPECT_TRUE(s.shown("choices"));
    EXPECT_TRUE(s.rig.workspace.opened.empty());
    s.rig.workspace.acceptsApp = s.rig.workspace.acceptsWeb = false;
    s.click("choice-966551234567");
    EXPECT_EQ(s.rig.workspace.opened.front(), "whatsapp://send?phone=966551234567");
    // A failed opening from the list: the notice and the list together.
    EXPECT_TRUE(s.shown("notice"));
    EXPECT_TRUE(s.shown("choices"));
    EXPECT_EQ(s.rig.closes, 0);
}

TEST(PanelView, NoNumberShowsTheNoticeAndKeepsThePanel) {
    Screen s;
    EXPECT_FALSE(s.shown("notice"));
    s.type("see you at six");
    s.key(Qt::Key_Return);
    EXPECT_TRUE(s.shown("notice"));
    EXPECT_EQ(s.rig.closes, 0);
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
    // Rows are built lazily: scroll the list until the slot's row exists.
    auto* list = s.item("messageList");
    QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, int(slot - messages.begin())), Q_ARG(int, 0));
    settledImage(s.window);
    s.click(("send-" + id).c_str());
    EXPECT_TRUE(s.rig.workspace.opened.empty());  // nothing is sent unfilled
    ASSERT_TRUE(s.rig.messages.isEditing());
    EXPECT_EQ(s.rig.messages.draft().toStdString(), title + "\n");
    s.type("SA03 8000 0000 6080 1016 7519");
    s.key(Qt::Key_Return, Qt::ControlModifier);  // saves
    EXPECT_FALSE(s.rig.messages.isEditing());
    EXPECT_FALSE(s.rig.messages.book().needsFilling(
        *std::find_if(s.rig.messages.book().messages().begin(), s.rig.messages.book().messages().end(),
                      [&](const auto& message) { return message.id == id; })));
}

TEST(PanelView, ThePasteOfferPastesTheClipboardAndOpens) {
    Screen s;
    s.rig.clipboard.accessState = MacKit::ClipboardAccess::ask;
    s.rig.clipboard.detection = true;
    s.rig.clipboard.copy("0501234567");
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

TEST(Theme, TextKindsAndTheirFaces) {
    const struct {
        TextKind kind;
        bool arabic;
        const char* family;
        int pixels;
        QFont::Capitalization capitalization;
        qreal spacing;
    } cases[] = {
        {TextKind::label, false, "IBM Plex Mono", 10, QFont::AllUppercase, 1.2},
        {TextKind::label, true, "IBM Plex Sans Arabic", 12, QFont::MixedCase, 0},
        {TextKind::number, true, "IBM Plex Mono", 17, QFont::MixedCase, 0},
        {TextKind::wordmark, false, "IBM Plex Mono", 13, QFont::MixedCase, 0},
        {TextKind::wordmark, true, "IBM Plex Sans Arabic", 15, QFont::MixedCase, 0},
        {TextKind::button, false, "IBM Plex Sans", 14, QFont::MixedCase, 0},
        {TextKind::small, true, "IBM Plex Sans Arabic", 12, QFont::MixedCase, 0},
    };
    ASSERT_TRUE(Typeface::loadFonts());
    for (const auto& c : cases) {
        const QFont font = Typeface::font(c.kind, c.arabic);
        SCOPED_TRACE(c.family);
        EXPECT_EQ(QFontInfo(font).family(), c.family);  // the embedded face, not a substitute
        EXPECT_EQ(font.pixelSize(), c.pixels);
        EXPECT_EQ(font.capitalization(), c.capitalization);
        EXPECT_NEAR(font.letterSpacing(), c.spacing, 1.0 / 64);  // kept in 1/64 units
    }
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
QStringList textsOf(QQuickItem* item) {
    QStringList texts;
    if (!item->isVisible()) return texts;
    const QVariant font = item->property("font"), text = item->property("text");
    // A control's own font draws nothing here: the texts inside it do.
    if (font.isValid() && text.isValid() && !item->inherits("QQuickControl")) {
        const QFont face = font.value<QFont>();
        const QRectF at = Screen::sceneRect(item);
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
    for (QQuickItem* child : item->childItems()) texts << textsOf(child);
    return texts;
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

TEST(StatusMenu, ArabicMenusRunRightToLeftAfterASwitchAsAtAStart) {
    struct Look {
        Qt::LayoutDirection menu, languages;
        int left, right;  // the ink of the other language's name
        QImage image;
    };
    // The menu as a user sees it: its direction and its language submenu,
    // where the name of the language not in use is the short item among
    // the other language's.
    const auto look = [](QMenu& menu, int other) {
        QMenu* languages = menu.actions()[1]->menu();
        languages->ensurePolished();
        languages->adjustSize();
        const QImage image = languages->grab().toImage();
        const QRect row = languages->actionGeometry(languages->actions()[other]);
        int left = image.width(), right = 0;
        const QColor paper = image.pixelColor(row.center().x(), row.top() + 1);
        for (int y = row.top() + 2; y <= row.bottom() - 2; ++y) {
            for (int x = row.left() + 4; x < row.right() - 4; ++x) {  // inside the frame
                if (contrast(image.pixelColor(x, y), paper) < 2) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        return Look{menu.layoutDirection(), languages->layoutDirection(), left, right, image};
    };
    const struct {
        const char* from;
        const char* to;
        MacKit::LanguageChoice choice;
        Qt::LayoutDirection direction;
        int other;  // the row of the language not chosen
    } switches[] = {
        {"en", "ar", MacKit::LanguageChoice::arabic, Qt::RightToLeft, 2},
        {"ar", "en", MacKit::LanguageChoice::english, Qt::LeftToRight, 1},
    };
    for (const auto& s : switches) {
        SCOPED_TRACE(std::string(s.from) + " → " + s.to);
        PanelRig freshRig({s.from});
        freshRig.language.set(s.choice);  // chosen before the start
        StatusController fresh(freshRig.model, freshRig.language, [] {});
        const Look started = look(fresh.moreMenu(), s.other);
        EXPECT_EQ(started.menu, s.direction);
        EXPECT_EQ(started.languages, s.direction);
        const int width = started.image.width();
        ASSERT_LT(started.left, started.right);
        // It sits at the side where its column's reading starts.
        if (s.direction == Qt::RightToLeft) {
            EXPECT_GT(started.left, width / 3);
            EXPECT_GT(started.right, 2 * width / 3);
        } else {
            EXPECT_LT(started.left, width / 3);
            EXPECT_LT(started.right, 2 * width / 3);
        }
        PanelRig switchedRig({s.from});
        StatusController switched(switchedRig.model, switchedRig.language, [] {});
        switchedRig.model.setLanguage(s.choice);
        settle();
        const Look after = look(switched.moreMenu(), s.other);
        EXPECT_EQ(after.menu, s.direction);
        EXPECT_EQ(after.languages, s.direction);
        EXPECT_TRUE(after.image == started.image);
        // The native names keep their own direction inside the other's.
        for (QAction* action : switched.moreMenu().actions()[1]->menu()->actions().mid(1)) {
            EXPECT_TRUE(action->text().startsWith(QChar(0x2068)) && action->text().endsWith(QChar(0x2069)))
                << action->text().toStdString();
        }
    }
}
