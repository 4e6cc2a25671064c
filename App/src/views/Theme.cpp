#include "views/Theme.h"

#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLocale>
#include <QPalette>
#include <QQmlEngine>

namespace {

template <typename T>
T* engineOwned(QQmlEngine* engine, const char* name) {
    auto* object = engine->property(name).value<T*>();
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    return object;
}

}  // namespace

Palette::Palette(const DesktopAppearance& desktop, QObject* parent) : QObject(parent), desktop_(desktop) {
    connect(&desktop_, &DesktopAppearance::schemeChanged, this, [this] { follow(desktopAppearance()); });
    if (qApp) qApp->installEventFilter(this);
    appearance_ = desktopAppearance();
}

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
    if (const auto scheme = desktop_.preferredScheme()) {
        return *scheme == DesktopAppearance::Scheme::dark ? Appearance::dark : Appearance::light;
    }
    // KDE and others: a dark window colour means a dark theme.
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    return window.lightness() < 128 ? Appearance::dark : Appearance::light;
}

bool Palette::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) follow(desktopAppearance());
    return QObject::eventFilter(watched, event);
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

Theme::Theme(const DesktopAppearance& desktop, QObject* parent) : QObject(parent), desktop_(desktop) {
    connect(&desktop_, &DesktopAppearance::animationsChanged, this,
            [this] { setReduceMotion(desktopReducesMotion()); });
    reduceMotion_ = desktopReducesMotion();
}

void Theme::setLanguage(bool arabic) {
    if (arabic != arabic_) {
        arabic_ = arabic;
        emit arabicChanged();
    }
    emit languageChanged();
}

bool Theme::desktopReducesMotion() const { return !desktop_.animations().value_or(true); }

void Theme::setReduceMotion(bool reduce) {
    if (reduce == reduceMotion_) return;
    reduceMotion_ = reduce;
    emit reduceMotionChanged();
}

QString Theme::languageName(const QString& id, const QString& nativeName) {
    const QLocale locale(id);
    QFontDatabase::WritingSystem writing = QFontDatabase::Latin;
    switch (locale.script()) {
        case QLocale::SimplifiedHanScript: writing = QFontDatabase::SimplifiedChinese; break;
        case QLocale::JapaneseScript: writing = QFontDatabase::Japanese; break;
        case QLocale::KoreanScript: writing = QFontDatabase::Korean; break;
        case QLocale::ArabicScript: writing = QFontDatabase::Arabic; break;
        case QLocale::CyrillicScript: writing = QFontDatabase::Cyrillic; break;
        default: break;
    }
    if (!QFontDatabase::families(writing).isEmpty()) return nativeName;
    return QLocale::languageToString(locale.language());
}

QString Theme::pasteKeys() {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Paste);
    return keys.isEmpty() ? QStringLiteral("Ctrl+V") : keys.first().toString(QKeySequence::NativeText);
}

QFont Theme::font(TextKind kind) const { return Typeface::font(kind, arabic_); }

// The views' singletons are their window's own (a test may make several
// windows), handed to the engine by the window.
Palette* Palette::create(QQmlEngine* engine, QJSEngine*) { return engineOwned<Palette>(engine, "tovuPalette"); }

Theme* Theme::create(QQmlEngine* engine, QJSEngine*) { return engineOwned<Theme>(engine, "tovuTheme"); }
