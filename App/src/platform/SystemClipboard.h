#pragma once

#include "platform/Services.h"

#include <QObject>

/// QClipboard. Linux has no per-application clipboard permission, so the
/// access is always `allowed`; the change count is raised on every change.
class SystemClipboard final : public QObject, public ClipboardService {
    Q_OBJECT
public:
    explicit SystemClipboard(QObject* parent = nullptr);
    long changeCount() const override { return changes_; }
    std::optional<std::string> text() const override;
    MacKit::ClipboardAccess access() const override { return MacKit::ClipboardAccess::allowed; }
    void detectNumber(std::function<void(std::optional<bool>, std::string)> answer) override;

private:
    long changes_ = 0;
};
