#pragma once

#include <PhoneKit/stores/SharedValues.h>

#include <QSettings>
#include <QString>

#include <memory>

/// The user's settings file (~/.config/tovu/tovu.conf) as PhoneKit's
/// defaults domain. Bytes are stored as byte arrays, text as strings and
/// booleans as booleans. INI files keep no type for booleans, so a stored
/// "true" or "false" reads back as a boolean; no text setting of tovu takes
/// those values.
class SettingsDefaults final : public PhoneKit::DefaultsDomain {
public:
    /// The standard file, or `path` (tests, other instances).
    explicit SettingsDefaults(const QString& path = standardPath());
    static QString standardPath();

    std::optional<Value> value(std::string_view key) const override;
    void setValue(std::string_view key, Value value) override;
    void removeValue(std::string_view key) override;

    QString fileName() const { return settings_->fileName(); }
    /// Whether the file could not be read when opened (it was then copied to
    /// "<file>.unreadable" before anything is written over it).
    bool wasUnreadable() const { return unreadable_; }

private:
    std::unique_ptr<QSettings> settings_;
    bool unreadable_ = false;
};
