#include "views/Symbols.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QUrlQuery>

namespace Symbols {

namespace {

// The arrow stands in for a font glyph, which fills its box; the icon set
// draws it in the middle of a 24-unit box with a wide margin.
QByteArray viewBox(const QString& name) {
    return name == QLatin1String("arrow-up-right") ? QByteArrayLiteral("5 5 14 14") : QByteArrayLiteral("0 0 24 24");
}

}  // namespace

QImage draw(const QString& name, QSize pixels, const QColor& colour, double weight) {
    QFile file(":/symbols/" + name + ".svg");
    if (pixels.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    QByteArray svg = file.readAll();
    // The icons draw with currentColor and one stroke width on their root.
    svg.replace("currentColor", colour.name(QColor::HexRgb).toLatin1());
    svg.replace("stroke-width=\"2\"", "stroke-width=\"" + QByteArray::number(weight) + "\"");
    svg.replace("viewBox=\"0 0 24 24\"", "viewBox=\"" + viewBox(name) + "\"");
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setOpacity(colour.alphaF());
    renderer.render(&painter);
    return image;
}

QImage Provider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    const QString name = id.section('?', 0, 0);
    const QUrlQuery query(id.section('?', 1));
    QColor colour(query.queryItemValue("color", QUrl::FullyDecoded));
    if (!colour.isValid()) colour = Qt::black;
    const QString weightName = query.queryItemValue("weight");
    const double weight = weightName == "semibold" ? semibold
                          : weightName == "bold"   ? bold
                          : weightName == "heavy"  ? heavy
                                                   : regular;
    const QSize pixels = requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : QSize(24, 24);
    QImage image = draw(name, pixels, colour, weight);
    if (size) *size = image.size();
    return image;
}

}  // namespace Symbols
