#pragma once

#include <QLoggingCategory>

#include <cstdint>
#include <string_view>

Q_DECLARE_LOGGING_CATEGORY(tovuLog)

/// The shell's log lines, all in one place so that their words stay fixed.
/// They go to the systemd journal when Qt was built for it, else to stderr.
namespace Log {

void willPowerOff();
void reopen();
void quitRequest(std::uint32_t event, std::uint32_t reason, bool explicitQuit, bool poweringOff, bool quit);
void clipboardOnOpen(std::string_view access, bool looksLikeNumber, std::string_view action);
void clipboardCheckFailed(const QString& reason);
void iconClicked(unsigned long eventType, bool shown);
void panelShown(bool appActive);
void panelClosed();
void trayInUse(const QString& protocol);
void settingsUnreadable(const QString& reason);
void linkIgnored(const QString& link);
void settingsNotSaved(const QString& file, const QString& reason);
/// The desktop's search providers on the bus; `alone`: started for them,
/// with no tray. Never the queries.
void searchProviders(bool published, bool alone);
void searchNotOpened();
void linkNotOpened(const QString& scheme, const QString& reason);

}  // namespace Log
