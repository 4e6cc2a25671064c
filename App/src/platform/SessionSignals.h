#pragma once

#include <QObject>

/// The session is ending: logind's PrepareForShutdown(true) on the system
/// bus, or the session manager asking to save before logging out. A missing
/// bus is no error; the signal just never comes.
class SessionSignals final : public QObject {
    Q_OBJECT
public:
    explicit SessionSignals(QObject* parent = nullptr);

signals:
    void poweringOff();

private slots:
    void prepareForShutdown(bool starting);
};
