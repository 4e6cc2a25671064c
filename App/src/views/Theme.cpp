// GLib first: its headers use a name that Qt defines as a macro.
#include <gio/gio.h>

#include "views/Theme.h"

#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPalette>

#include <array>
#include <functional>

namespace {

// One key of GNOME's interface settings, watched while this lives. Other
// desktops have no such schema: then there is no value and no watch.
class GnomeInterfaceKey {
public:
    GnomeInterfaceKey(const char* key, std::function<void()> changed) : key_(key), changed_(std::move(changed)) {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema =
            source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE) : nullptr;
        if (!schema) return;
        if (g_settings_schema_has_key(schema, key)) {
            settings_ = g_settings_new_full(schema, nullptr, nullptr);
            const std::string signal = std::string("changed::") + key;
            g_signal_connect(settings_, signal.c_str(), G_CALLBACK(&GnomeInterfaceKey::onChanged), this);
        }
        g_settings_schema_unref(schema);
    }
    ~GnomeInterfaceKey() {
        if (settings_) g_object_unref(settings_);
    }
    GnomeInterfaceKey(const GnomeInterfaceKey&) = delete;
    GnomeInterfaceKey& operator=(const GnomeInterfaceKey&) = delete;

    std::optional<std::string> string() const {
        if (!settings_) return std::nullopt;
        gchar* value = g_settings_get_string(settings_, key_);
        std::string text = value ? value : "";
        g_free(value);
        return text;
    }
    std::optional<bool> boolean() const {
        if (!settings_) return std::nullopt;
        return g_settings_get_boolean(settings_, key_) != FALSE;
    }

private:
    static void onChanged(GSettings*, gchar*, gpointer self) { static_cast<GnomeInterfaceKey*>(self)->changed_(); }

    const char* key_;
    std::function<void()> changed_;
    GSettings* settings_ = nullptr;
};

}  // namespace

struct Palette::Desktop {
    GnomeInterfaceKey colorScheme;
};

struct Theme::Desktop {
    GnomeInterfaceKey enableAnimations;
};

Palette::Palette(QObject* parent) : QObject(parent) {
    desktop_.reset(new Desktop{{"color-scheme", [this] { follow(desktopAppearance()); }}});
    if (qApp) qApp->installEventFilter(this);
    appearance_ = desktopAppearance();
}

Palette::~Palette() = default;

QColor Palette::dynamic(Appearance appearance, unsigned light, unsigned dark, double alpha) {
    const unsigned value = appearance == Appearance::dark ? dark : light;
    QColor colour = QColor::fromRgb(int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF));
    colour.setAlphaF(float(alpha));
    return colour;
}

void Palette::setAppearance(Appearance appearance) {
    fixed_ = true;
    if (appearance == appearance_) return;
    appearance_ = appearance;
    emit appearanceChanged();
}

void Palette::follow(Appearance appearance) {
    if (fixed_ || appearance == appearance_) return;
    appearance_ = appearance;
    emit appearanceChanged();
}

Palette::Appearance Palette::desktopAppearance() const {
    if (const auto scheme = desktop_->colorScheme.string(); scheme && *scheme != "default") {
        return *scheme == "prefer-dark" ? Appearance::dark : Appearance::light;
    }
    // KDE and others: a dark window colour means a dark theme.
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    return window.lightness() < 128 ? Appearance::dark : Appearance::light;
}

bool Palette::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) follow(desktopAppearance());
    return QObject::eventFilter(watched, event);
}

std::optional<TextKind> textKind(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, TextKind>, 6> names{{
        {"number", TextKind::number},
        {"button", TextKind::button},
        {"body", TextKind::body},
        {"small", TextKind::small},
        {"wordmark", TextKind::wordmark},
        {"label", TextKind::label},
    }};
    for (const auto& [text, kind] : names) {
        if (text == name) return kind;
    }
    return std::nullopt;
}

namespace Typeface {

namespace {

const QString mono = QStringLiteral("IBM Plex Mono");

QFont make(const QString& family, QFont::Weight weight, int pixels) {
    QFont font;
    font.setFamilies({family, QStringLiteral("DejaVu Sans")});
    font.setWeight(weight);
    font.setPixelSize(pixels);
    // Neither a style's letter case nor its spacing may leak into the next.
    font.setCapitalization(QFont::MixedCase);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    return font;
}

}  // namespace

QFont font(TextKind kind, bool arabic) {
    const QString sans = arabic ? QStringLiteral("IBM Plex Sans Arabic") : QStringLiteral("IBM Plex Sans");
    switch (kind) {
    case TextKind::number: return make(mono, QFont::Medium, 17);
    case TextKind::button: return make(sans, QFont::DemiBold, 14);
    case TextKind::body: return make(sans, QFont::Normal, 13);
    case TextKind::small: return make(sans, QFont::Normal, 12);
    case TextKind::wordmark: return arabic ? make(sans, QFont::Bold, 15) : make(mono, QFont::DemiBold, 13);
    case TextKind::label:
        if (arabic) return make(sans, QFont::Medium, 12);
        QFont label = make(mono, QFont::Medium, 10);
        label.setCapitalization(QFont::AllUppercase);
        label.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
        return label;
    }
    return make(sans, QFont::Normal, 13);
}

bool loadFonts() {
    bool all = true;
    const QStringList files = QDir(":/fonts").entryList({"*.woff2"});
    for (const QString& file : files) {
        all = QFontDatabase::addApplicationFont(":/fonts/" + file) >= 0 && all;
    }
    return all && !files.isEmpty();
}

}  // namespace Typeface

Theme::Theme(QObject* parent) : QObject(parent) {
    desktop_.reset(new Desktop{{"enable-animations", [this] { setReduceMotion(desktopReducesMotion()); }}});
    reduceMotion_ = desktopReducesMotion();
}

Theme::~Theme() = default;

void Theme::setArabic(bool arabic) {
    if (arabic == arabic_) return;
    arabic_ = arabic;
    emit arabicChanged();
}

bool Theme::desktopReducesMotion() const { return !desktop_->enableAnimations.boolean().value_or(true); }

void Theme::setReduceMotion(bool reduce) {
    if (reduce == reduceMotion_) return;
    reduceMotion_ = reduce;
    emit reduceMotionChanged();
}

QString Theme::pasteKeys() {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Paste);
    return keys.isEmpty() ? QStringLiteral("Ctrl+V") : keys.first().toString(QKeySequence::NativeText);
}

QFont Theme::type(const QString& kind) const {
    return Typeface::font(textKind(kind.toStdString()).value_or(TextKind::body), arabic_);
}
