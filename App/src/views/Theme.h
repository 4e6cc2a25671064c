#pragma once

#include "platform/DesktopAppearance.h"

#include <QtQml/qqmlregistration.h>
#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

class QJSEngine;
class QQmlEngine;

/// The panel's eight colours, each with a light and a dark value. The
/// appearance follows the desktop (GNOME's colour scheme, else the
/// lightness of Qt's window colour) until it is set explicitly.
class Palette final : public QObject {
    Q_OBJECT
    // "Colours": Qt Quick has a Palette type of its own, which would win.
    QML_NAMED_ELEMENT(Colours)
    QML_SINGLETON
    Q_PROPERTY(bool dark READ isDark NOTIFY appearanceChanged)
    Q_PROPERTY(QColor bg READ bg NOTIFY appearanceChanged)
    Q_PROPERTY(QColor surface READ surface NOTIFY appearanceChanged)
    Q_PROPERTY(QColor fg READ fg NOTIFY appearanceChanged)
    Q_PROPERTY(QColor fgMuted READ fgMuted NOTIFY appearanceChanged)
    Q_PROPERTY(QColor line READ line NOTIFY appearanceChanged)
    Q_PROPERTY(QColor outline READ outline NOTIFY appearanceChanged)
    Q_PROPERTY(QColor accent READ accent NOTIFY appearanceChanged)
    Q_PROPERTY(QColor onAccent READ onAccent NOTIFY appearanceChanged)
    Q_PROPERTY(QColor danger READ danger NOTIFY appearanceChanged)
public:
    enum class Appearance { light, dark };

    explicit Palette(const DesktopAppearance& desktop, QObject* parent = nullptr);
    /// The palette of the engine's window.
    static Palette* create(QQmlEngine* engine, QJSEngine*);

    bool isDark() const { return appearance_ == Appearance::dark; }
    /// Fixes the appearance (screenshots, tests); the desktop no longer decides.
    void setAppearance(Appearance appearance);

    /// A colour given as 0xRRGGBB for each appearance.
    static QColor dynamic(Appearance appearance, unsigned light, unsigned dark, double alpha = 1.0);

    QColor bg() const { return dynamic(appearance_, 0xF1F2EC, 0x0D0E0C); }
    QColor surface() const { return dynamic(appearance_, 0xFFFFFF, 0x181A16); }
    QColor fg() const { return dynamic(appearance_, 0x0D0E0C, 0xF1F3EC); }
    // Dark: lighter than 8E948A, which reads at 4.35:1 on a hovered row.
    QColor fgMuted() const { return dynamic(appearance_, 0x5C6157, 0x989E94); }
    QColor line() const { return dynamic(appearance_, 0x000000, 0xFFFFFF, 0.09); }
    /// The panel's edge: it must stand out from any window under the panel,
    /// a white one included, which `line` does not.
    QColor outline() const {
        return dynamic(appearance_, 0x000000, 0xFFFFFF, appearance_ == Appearance::dark ? 0.2 : 0.25);
    }
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

    const DesktopAppearance& desktop_;
    Appearance appearance_ = Appearance::light;
    bool fixed_ = false;
};

/// The six text styles of the interface.
enum class TextKind { number, button, body, small, wordmark, label };

namespace Typeface {

/// The font of a text style: IBM Plex Sans, Mono or Sans Arabic at the
/// style's size and weight, with capitals and letter spacing for labels
/// outside Arabic. Phone numbers keep the Latin monospaced face everywhere.
QFont font(TextKind kind, bool arabic);

/// Makes the embedded IBM Plex faces available; false when one is missing
/// (the desktop's substitute is used then).
bool loadFonts();

}  // namespace Typeface

/// What the views ask of the theme: the font of each text style for the
/// interface language in effect (each notifies when the language changes),
/// and whether the desktop wants animations. A language switch reaches the
/// views only through `setLanguage`, which has the styles in place before it
/// announces the new language.
class Theme final : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool arabic READ arabic NOTIFY arabicChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(QString pasteKeys READ pasteKeys CONSTANT)
    Q_PROPERTY(QFont number READ number NOTIFY arabicChanged)
    Q_PROPERTY(QFont button READ button NOTIFY arabicChanged)
    Q_PROPERTY(QFont body READ body NOTIFY arabicChanged)
    Q_PROPERTY(QFont small READ small NOTIFY arabicChanged)
    Q_PROPERTY(QFont wordmark READ wordmark NOTIFY arabicChanged)
    Q_PROPERTY(QFont label READ label NOTIFY arabicChanged)
public:
    explicit Theme(const DesktopAppearance& desktop, QObject* parent = nullptr);
    /// The theme of the engine's window.
    static Theme* create(QQmlEngine* engine, QJSEngine*);

    bool arabic() const { return arabic_; }
    /// The interface language changed (or was first set): the styles follow
    /// first, then `languageChanged` tells the views to rebuild.
    void setLanguage(bool arabic);
    bool reduceMotion() const { return reduceMotion_; }
    void setReduceMotion(bool reduce);

    /// The desktop's paste keys as it writes them ("Ctrl+V"), for hints.
    static QString pasteKeys();
    /// A language's name as this desktop can draw it: its own name
    /// (`nativeName`), or its English one ("Japanese") where no font has
    /// the letters of its script, rather than a row of empty boxes.
    Q_INVOKABLE static QString languageName(const QString& id, const QString& nativeName);

    QFont font(TextKind kind) const;
    QFont number() const { return font(TextKind::number); }
    QFont button() const { return font(TextKind::button); }
    QFont body() const { return font(TextKind::body); }
    QFont small() const { return font(TextKind::small); }
    QFont wordmark() const { return font(TextKind::wordmark); }
    QFont label() const { return font(TextKind::label); }

signals:
    void arabicChanged();
    void languageChanged();
    void reduceMotionChanged();

private:
    bool desktopReducesMotion() const;

    const DesktopAppearance& desktop_;
    bool arabic_ = false;
    bool reduceMotion_ = false;
};
