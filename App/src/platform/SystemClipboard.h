#pragma once

#include "platform/Services.h"

#include <QObject>

#include <memory>

/// QClipboard. Linux has no per-application clipboard permission, so the
/// access is always `allowed`; the change count is raised on every change.
/// On X11 the text is read on a connection of tovu's own that never blocks:
/// Qt's read waits up to five seconds for an owner that does not answer (a
/// program that hangs, or is stopped), with the whole app frozen meanwhile.
class SystemClipboard final : public QObject, public ClipboardService {
    Q_OBJECT
public:
    /// How long an owner has to hand the text over.
    static constexpr int readTimeoutMs = 1000;

    explicit SystemClipboard(QObject* parent = nullptr);
    ~SystemClipboard() override;
    long changeCount() const override { return changes_; }
    void readText(std::function<void(std::optional<std::string>)> answer) override;
    MacKit::ClipboardAccess access() const override { return MacKit::ClipboardAccess::allowed; }
    void detectNumber(std::function<void(std::optional<bool>, std::string)> answer) override;
    void writeText(const std::string& text) override;

private:
    class X11Selection;

    long changes_ = 0;
    std::unique_ptr<X11Selection> x11_;
};
