#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

/// The tray icon: a lime disc with a faint ink outline and a heavy arrow
/// pointing up and to the right, drawn for each size the tray asks for.
namespace MenuBarIcon {

QColor lime();
QColor ink();

/// `diameter` in device-independent pixels, drawn at `scale` device pixels
/// per pixel so that it stays sharp on high-density screens.
QImage image(int diameter, qreal scale = 1.0);

/// Every usual tray size at scales 1 and 2.
QIcon icon();

}  // namespace MenuBarIcon
