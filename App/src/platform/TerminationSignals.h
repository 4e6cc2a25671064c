#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

/// SIGTERM and SIGINT, the session or another program ending us, as a Qt
/// signal on the main thread. One instance a process. A main thread that
/// does not take the signal within `graceSeconds` (busy, or stuck) does not
/// hold tovu up: the process ends then, as it would without a handler. Every
/// file tovu writes is replaced whole or not at all, so nothing is lost.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    static constexpr unsigned graceSeconds = 3;

    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};
