#pragma once

#include <QColor>
#include <QImage>
#include <QQuickImageProvider>
#include <QString>

/// The interface's symbols: line icons embedded as SVG, drawn at the size
/// asked for in one colour, with a stroke weight. In QML they are
/// "image://symbol/NAME?color=%23RRGGBB&weight=W", W being regular,
/// semibold, bold or heavy.
namespace Symbols {

/// Stroke weights in the symbols' units, after the font weights they stand for.
inline constexpr double regular = 2.0;
inline constexpr double semibold = 2.2;
inline constexpr double bold = 2.6;
inline constexpr double heavy = 3.2;

/// An empty image when `name` is not an embedded symbol.
QImage draw(const QString& name, QSize pixels, const QColor& colour, double weight = regular);

class Provider final : public QQuickImageProvider {
public:
    Provider() : QQuickImageProvider(QQuickImageProvider::Image) {}
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

}  // namespace Symbols
