#pragma once

#include <QObject>

/// The system is powering off: logind's PrepareForShutdown(true) on the
/// system bus. A missing bus is no error; the signal just never comes.
///
/// The session manager's request to save is no such sign: Qt makes the same
/// request of a checkpoint ("save the session now") as of a logout, and does
/// not say which. A logout ends tovu by the manager's Die, which Qt obeys
/// without asking, or by SIGTERM, whose quit request names the logout.
class SessionSignals final : public QObject {
    Q_OBJECT
public:
    explicit SessionSignals(QObject* parent = nullptr);

signals:
    void poweringOff();

private slots:
    void prepareForShutdown(bool starting);
};
