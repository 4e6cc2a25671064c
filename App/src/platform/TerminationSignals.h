#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

/// SIGTERM and SIGINT, the session or another program ending us, as a Qt
/// signal on the main thread. One instance a process.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};
