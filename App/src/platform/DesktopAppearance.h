#pragma once

#include <QObject>

#include <memory>
#include <optional>

/// The desktop's appearance settings the views follow: GNOME's colour scheme
/// and animation switch (org.gnome.desktop.interface), watched while this
/// lives. Other desktops have no such schema; then every answer is nothing
/// and the views go by Qt's theme.
class DesktopAppearance final : public QObject {
    Q_OBJECT
public:
    enum class Scheme { light, dark };

    explicit DesktopAppearance(QObject* parent = nullptr);
    ~DesktopAppearance() override;

    /// The scheme the desktop prefers; nothing when it leaves it to the theme.
    std::optional<Scheme> preferredScheme() const;
    /// Whether the desktop wants animations; nothing when it does not say.
    std::optional<bool> animations() const;

signals:
    void schemeChanged();
    void animationsChanged();

private:
    class Key;
    std::unique_ptr<Key> colorScheme_;
    std::unique_ptr<Key> enableAnimations_;
};
