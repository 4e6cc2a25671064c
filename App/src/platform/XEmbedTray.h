#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

struct xcb_connection_t;

/// The X11 system tray (XEmbed: trayer, stalonetray, the trays of older
/// desktops): whether one is there, and word when one comes. Qt's tray icon
/// docks only into a tray that is there when it is shown; this tells its
/// owner when to show it again.
class XEmbedTray final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    /// Nothing on platforms other than X11: isPresent() stays false.
    explicit XEmbedTray(QObject* parent = nullptr);
    ~XEmbedTray() override;

    /// The platform is X11: a tray may come at any time.
    bool isAvailable() const { return connection_ != nullptr; }
    /// A tray owns the screen's tray selection now.
    bool isPresent() const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    /// A tray took the selection (the MANAGER message to the root window).
    void appeared();

private:
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t manager_ = 0;
    std::uint32_t selection_ = 0;
};
