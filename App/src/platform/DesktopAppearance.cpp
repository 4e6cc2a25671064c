// GLib first: its headers use a name that Qt defines as a macro.
#include <gio/gio.h>

#include "platform/DesktopAppearance.h"

#include <functional>
#include <string>

// One key of GNOME's interface settings, watched while this lives.
class DesktopAppearance::Key {
public:
    Key(const char* key, std::function<void()> changed) : key_(key), changed_(std::move(changed)) {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema =
            source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE) : nullptr;
        if (!schema) return;
        if (g_settings_schema_has_key(schema, key)) {
            settings_ = g_settings_new_full(schema, nullptr, nullptr);
            const std::string signal = std::string("changed::") + key;
            g_signal_connect(settings_, signal.c_str(), G_CALLBACK(&Key::onChanged), this);
        }
        g_settings_schema_unref(schema);
    }
    ~Key() {
        if (settings_) g_object_unref(settings_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

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
    static void onChanged(GSettings*, gchar*, gpointer self) { static_cast<Key*>(self)->changed_(); }

    const char* key_;
    std::function<void()> changed_;
    GSettings* settings_ = nullptr;
};

DesktopAppearance::DesktopAppearance(QObject* parent)
    : QObject(parent),
      colorScheme_(std::make_unique<Key>("color-scheme", [this] { emit schemeChanged(); })),
      enableAnimations_(std::make_unique<Key>("enable-animations", [this] { emit animationsChanged(); })) {}

DesktopAppearance::~DesktopAppearance() = default;

std::optional<DesktopAppearance::Scheme> DesktopAppearance::preferredScheme() const {
    const auto scheme = colorScheme_->string();
    if (!scheme || *scheme == "default") return std::nullopt;
    return *scheme == "prefer-dark" ? Scheme::dark : Scheme::light;
}

std::optional<bool> DesktopAppearance::animations() const { return enableAnimations_->boolean(); }
