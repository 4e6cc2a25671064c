// The panel's real QML views over the models, rendered offscreen and driven
// with keys and clicks as a user would.
#include "Fakes.h"
#include "views/MenuBarIcon.h"
#include "views/Symbols.h"
#include "views/Theme.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QQuickItem>
#include <QTest>

namespace {

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
