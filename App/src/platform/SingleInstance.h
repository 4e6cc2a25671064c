#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

#include <functional>
#include <optional>

/// One tovu per user session: the first listens on a socket in
/// $XDG_RUNTIME_DIR (owner only); a later one asks it to show its panel, or
/// hands it a message list to take.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    static QString socketName();

    /// Asks a running instance to show its panel; true when one was reached
    /// (a paused one shows it when it goes on).
    static bool askRunningToShow();
    /// Hands a message list (its stored JSON) to a running instance. Nothing
    /// when none runs; else its answer: empty when it took the list, or why
    /// it could not.
    static std::optional<QString> handToRunning(const QByteArray& messages);
    /// Becomes the running instance. A socket left by a crashed instance (it
    /// refuses connections) is removed; a live one never is.
    bool listen();

    /// Takes a list handed over; returns why it could not, or nothing.
    std::function<QString(const QByteArray&)> takeMessages = [](const QByteArray&) {
        return QStringLiteral("not ready");
    };

signals:
    void showRequested();

private:
    void answer(QLocalSocket* peer, QByteArray& received);

    QLocalServer server_;
};
