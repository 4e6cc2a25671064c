#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string_view>

/// The panel's eight colours, each with a light and a dark value. The
/// appearance follows the desktop (GNOME's colour scheme, else the
/// lightness of Qt's window colour) until it is set explicitly.
class Palette final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool dark READ isDark NOTIFY appearanceChanged)
    Q_PROPERTY(QColor bg READ bg NOTIFY appearanceChanged)
    Q_PROPERTY(QColor surface READ surface NOTIFY appearanceChanged)
    Q_PROPERTY(QColor fg READ fg NOTIFY appearanceChanged)
    Q_PROPERTY(QColor fgMuted READ fgMuted NOTIFY appearanceChanged)
    Q_PROPERTY(QColor line READ line NOTIFY appearanceChanged)
    Q_PROPERTY(QColor accent READ accent NOTIFY appearanceChanged)
    Q_PROPERTY(QColor onAccent READ onAccent NOTIFY appearanceChanged)
    Q_PROPERTY(QColor danger READ danger NOTIFY appearanceChanged)
public:
    enum class Appearance { light, dark };

    explicit Palette(QObject* parent = nullptr);
    ~Palette() override;

    bool isDark() const { return appearance_ == Appearance::dark; }
    /// Fixes the appearance (screenshots, tests); the desktop no longer decides.
    void setAppearance(Appearance appearance);

    /// A colour given as 0xRRGGBB for each appearance.
    static QColor dynamic(Appearance appearance, unsigned light, unsigned dark, double alpha = 1.0);

    QColor bg() const { return dynamic(appearance_, 0xF1F2EC, 0x0D0E0C); }
    QColor surface() const { return dynamic(appearance_, 0xFFFFFF, 0x181A16); }
    QColor fg() const { return dynamic(appearance_, 0x0D0E0C, 0xF1F3EC); }
    QColor fgMuted() const { return dynamic(appearance_, 0x5C6157, 0x8E948A); }
    QColor line() const { return dynamic(appearance_, 0x000000, 0xFFFFFF, 0.09); }
    QColor accent() const { return dynamic(appearance_, 0x0D0E0C, 0xD3F35B); }
    QColor onAccent() const { return dynamic(appearance_, 0xD3F35B, 0x0D0E0C); }
    QColor danger() const { return dynamic(appearance_, 0xB42318, 0xFF6B5B); }

signals:
    void appearanceChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(Appearance appearance);
    Appearance desktopAppearance() const;

    Appearance appearance_ = Appearance::light;
    bool fixed_ = false;
    struct Desktop;
    std::unique_ptr<Desktop> desktop_;
};

/// The six text styles of the interface.
enum class TextKind { number, button, body, small, wordmark, label };

std::optional<TextKind> textKind(std::string_view name);

namespace Typeface {

/// The font of a text style: IBM Plex Sans, Mono or Sans Arabic at the
/// style's size and weight, with capitals and letter spacing for labels
/// outside Arabic. Phone numbers keep the Latin monospaced face everywhere.
QFont font(TextKind kind, bool arabic);

/// Makes the embedded IBM Plex faces available; false when one is missing
/// (the desktop's substitute is used then).
bool loadFonts();

}  // namespace Typeface

/// What the views ask of the theme: fonts by style name, for the interface
/// language in effect, and whether the desktop wants animations.
class Theme final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool arabic READ arabic NOTIFY arabicChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(QString pasteKeys READ pasteKeys CONSTANT)
public:
    explicit Theme(QObject* parent = nullptr);
    ~Theme() override;

    bool arabic() const { return arabic_; }
    void setArabic(bool arabic);
    bool reduceMotion() const { return reduceMotion_; }
    void setReduceMotion(bool reduce);

    /// The desktop's paste keys as it writes them ("Ctrl+V"), for hints.
    static QString pasteKeys();

    /// `kind` is a TextKind's name; an unknown name reads as body text.
    Q_INVOKABLE QFont type(const QString& kind) const;

signals:
    void arabicChanged();
    void reduceMotionChanged();

private:
    bool desktopReducesMotion() const;

    bool arabic_ = false;
    bool reduceMotion_ = false;
    struct Desktop;
    std::unique_ptr<Desktop> desktop_;
};
