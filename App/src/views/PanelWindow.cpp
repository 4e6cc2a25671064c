#include "views/PanelWindow.h"

#include "models/PanelModel.h"
#include "views/Symbols.h"

#include <QQmlEngine>
#include <QQuickStyle>

#include <mutex>

namespace {

// The singletons are registered once per process and resolved per engine,
// so that each window (a test may make several) has its own palette.
template <typename T>
QObject* engineOwned(QQmlEngine* engine, const char* name) {
    auto* object = engine->property(name).value<T*>();
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    return object;
}

void registerTypes() {
    static std::once_flag once;
    std::call_once(once, [] {
        // "Colours": Qt Quick has a Palette type of its own, which would win.
        qmlRegisterSingletonType<Palette>("Tovu", 1, 0, "Colours", [](QQmlEngine* engine, QJSEngine*) {
            return engineOwned<Palette>(engine, "tovuPalette");
        });
        qmlRegisterSingletonType<Theme>("Tovu", 1, 0, "Theme", [](QQmlEngine* engine, QJSEngine*) {
            return engineOwned<Theme>(engine, "tovuTheme");
        });
        // Our own look throughout; no desktop style is asked for.
        QQuickStyle::setStyle("Basic");
        Typeface::loadFonts();
    });
}

}  // namespace

PanelWindow::PanelWindow(PanelModel& model, AppLanguageState& language, QObject* shell) {
    registerTypes();
    engine()->setProperty("tovuPalette", QVariant::fromValue(&palette_));
    engine()->setProperty("tovuTheme", QVariant::fromValue(&theme_));
    engine()->addImageProvider("symbol", new Symbols::Provider);

    theme_.setArabic(language.isRightToLeft());
    // Before the views rebuild themselves for the new language.
    connect(&language, &AppLanguageState::choiceChanged, this,
            [this, &language] { theme_.setArabic(language.isRightToLeft()); });

    setTitle("tovu");
    setColor(palette_.bg());
    connect(&palette_, &Palette::appearanceChanged, this, [this] { setColor(palette_.bg()); });
    setResizeMode(QQuickView::SizeViewToRootObject);
    setInitialProperties({
        {"panel", QVariant::fromValue(&model)},
        {"messages", QVariant::fromValue(&model.messages())},
        {"language", QVariant::fromValue(&language)},
        {"shell", QVariant::fromValue(shell)},
    });
    setSource(QUrl("qrc:/qml/LanguageRoot.qml"));
    for (const QQmlError& error : QQuickView::errors()) errors_ += error.toString() + '\n';
}

// The views go before the palette and the theme their bindings read.
PanelWindow::~PanelWindow() { setSource({}); }
