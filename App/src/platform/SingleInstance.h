#pragma once

#include <QDBusContext>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QLocalSocket;

/// What a start asks of the running tovu: "activate" (show the panel),
/// "show", "clipboard" (show it and read the clipboard), "open" (a text for
/// the field), "uri" (a tel: or tovu: link), "import" (a message list's
/// JSON) or "messagesLanguage" (an id such as "fr"), with the activation
/// token the desktop gave the start.
struct InstanceRequest {
    // A constructor, not an aggregate: most requests name only their action.
    InstanceRequest(QString what = QStringLiteral("activate"), QString with = {}, QString from = {})
        : action(std::move(what)), argument(std::move(with)), token(std::move(from)) {}
    QString action;
    QString argument;
    QString token;
    /// When the start that asked stops waiting (ms on the boot's clock, which
    /// all processes share); 0 when the asker (the desktop) sets none. A
    /// request that comes later is refused: the asker was told it failed.
    qint64 answerBy = 0;
};

/// One tovu per user session. On the session bus it is the owner of the
/// well-known name app.tovu.tovu, exporting org.freedesktop.Application at
/// /app/tovu/tovu, as GApplication and KDE programs do: the bus decides who
/// owns the name, so starts racing at login make one instance. Without a
/// bus, an flock on a file in a private folder decides, and a socket beside
/// it, made only by the lock's holder, carries the requests.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    /// Hands `request` to the running instance. Nothing when none runs;
    /// else its answer: empty when done, or why not.
    static std::optional<QString> hand(const InstanceRequest& request);
    /// Becomes the running instance; false when another one is.
    bool claim();
    /// Where the lock and the socket live when there is no session bus.
    static QString privateFolder();
    /// What decides which start is tovu, in words.
    static QString arbiter();

    /// Carries out a request; returns why it could not, or nothing.
    std::function<QString(const InstanceRequest&)> handle = [](const InstanceRequest&) {
        return QStringLiteral("not ready");
    };

    /// `handle`, unless the asker has given up already.
    QString carryOut(const InstanceRequest& request);

private:
    void answer(QLocalSocket* peer, QByteArray& received);

    std::unique_ptr<QObject> bus_;
    QLocalServer server_;
    int lock_ = -1;
};

/// org.freedesktop.Application for the bus, over SingleInstance::handle.
class ApplicationInterface final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationInterface(SingleInstance& instance) : instance_(instance) {}

public slots:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameter, const QVariantMap& platformData);

private:
    void carryOut(const InstanceRequest& request);
    InstanceRequest requestOf(QString action, QString argument, const QVariantMap& platformData) const;

    SingleInstance& instance_;
};
