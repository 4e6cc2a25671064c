#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>

/// What the views ask of the application around them. The window's owner
/// connects to these; the views know nothing of trays and menus.
class PanelShell : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the panel's window makes its shell")
public:
    using QObject::QObject;

signals:
    void closeRequested();
    /// Ctrl+Q in the panel: a quit request without an event.
    void quitRequested();
};
