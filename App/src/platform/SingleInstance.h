#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

/// One tovu per user session: the first listens on a socket in
/// $XDG_RUNTIME_DIR (owner only); a later one asks it to show its panel.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    static QString socketName();

    /// Asks a running instance to show its panel; true when one answered.
    static bool askRunningToShow();
    /// Becomes the running instance. A socket left by a crashed instance (it
    /// refuses connections) is removed; a live one never is.
    bool listen();

signals:
    void showRequested();

private:
    QLocalServer server_;
};
