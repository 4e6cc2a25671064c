#include "views/MenuBarIcon.h"

#include "views/Symbols.h"

#include <QPainter>

namespace MenuBarIcon {

QColor lime() { return QColor::fromRgb(211, 243, 91); }
QColor ink() { return QColor::fromRgb(13, 14, 12); }

QImage image(int diameter, qreal scale) {
    const int pixels = qMax(1, qRound(diameter * scale));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(0, 0, diameter, diameter);
    QColor outline = ink();
    outline.setAlphaF(0.28f);
    painter.setPen(QPen(outline, 0.75));
    painter.setBrush(lime());
    painter.drawEllipse(bounds.adjusted(0.5, 0.5, -0.5, -0.5));
    // A glyph of 0.56 of the disc's size; its arrow fills about 0.8 of that.
    const qreal side = diameter * 0.56 * 0.8;
    const QImage arrow =
        Symbols::draw("arrow-up-right", QSize(qRound(side * scale), qRound(side * scale)), ink(), Symbols::heavy);
    const QRectF box(bounds.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    painter.drawImage(box, arrow);
    return image;
}

QIcon icon() {
    QIcon icon;
    for (int diameter : {16, 18, 22, 24, 32, 48, 64}) {
        for (qreal scale : {1.0, 2.0}) icon.addPixmap(QPixmap::fromImage(image(diameter, scale)));
    }
    return icon;
}

}  // namespace MenuBarIcon
