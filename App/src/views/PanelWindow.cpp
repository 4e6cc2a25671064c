#include "views/PanelWindow.h"

#include "models/PanelModel.h"
#include "views/Symbols.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QtMath>

#include <mutex>

// The module's types, registered by code that Qt's tools generate.
void qml_register_types_Tovu();

namespace {

void registerTypes() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Called, so that the linker keeps the registration of a static library.
        qml_register_types_Tovu();
        // Our own look throughout; no desktop style is asked for.
        QQuickStyle::setStyle("Basic");
        Typeface::loadFonts();
    });
}

}  // namespace

PanelWindow::PanelWindow(PanelModel& model, AppLanguageState& language) {
    registerTypes();
    engine()->setProperty("tovuPalette", QVariant::fromValue(&palette_));
    engine()->setProperty("tovuTheme", QVariant::fromValue(&theme_));
    engine()->addImageProvider("symbol", new Symbols::Provider);

    theme_.setLanguage(language.isRightToLeft());
    connect(&language, &AppLanguageState::choiceChanged, this,
            [this, &language] { theme_.setLanguage(language.isRightToLeft()); });

    setTitle("tovu");
    setColor(palette_.bg());
    connect(&palette_, &Palette::appearanceChanged, this, [this] { setColor(palette_.bg()); });
    setResizeMode(QQuickView::SizeViewToRootObject);
    setInitialProperties({
        {"panel", QVariant::fromValue(&model)},
        {"messages", QVariant::fromValue(&model.messages())},
        {"shell", QVariant::fromValue(&shell_)},
    });
    setSource(QUrl("qrc:/Tovu/LanguageRoot.qml"));
    for (const QQmlError& error : QQuickView::errors()) errors_ += error.toString() + '\n';
    // A fixed width: tiling compositors (sway and its kin) float a window
    // whose width cannot change instead of tiling it across the workspace.
    // The height stays free, as the panel grows with what it shows.
    if (QQuickItem* root = rootObject()) {
        const int width = qCeil(root->width());
        setMinimumSize(QSize(width, 1));
        setMaximumSize(QSize(width, (1 << 24) - 1));  // Qt's own "no limit"
    }
}

// The views go before the palette and the theme their bindings read.
PanelWindow::~PanelWindow() { setSource({}); }
