#include "platform/Log.h"

// The bundle identifier and the category "app".
Q_LOGGING_CATEGORY(tovuLog, "app.tovu.app", QtInfoMsg)

namespace Log {

namespace {
const char* flag(bool value) { return value ? "1" : "0"; }
}  // namespace

void willPowerOff() { qCInfo(tovuLog, "will power off"); }

void reopen() { qCInfo(tovuLog, "reopen"); }

void quitRequest(std::uint32_t event, std::uint32_t reason, bool explicitQuit, bool poweringOff, bool quit) {
    qCInfo(tovuLog, "quit request: event %u reason %u explicit %s poweringOff %s -> %s", event, reason,
           flag(explicitQuit), flag(poweringOff), quit ? "quit" : "stay");
}

void clipboardOnOpen(std::string_view access, bool looksLikeNumber, std::string_view action) {
    qCInfo(tovuLog, "clipboard on open: access %.*s number %s -> %.*s", int(access.size()), access.data(),
           flag(looksLikeNumber), int(action.size()), action.data());
}

void clipboardCheckFailed(const QString& reason) {
    qCCritical(tovuLog, "clipboard check failed: %s", qUtf8Printable(reason));
}

void iconClicked(unsigned long eventType, bool shown) {
    qCInfo(tovuLog, "icon clicked: event type %lu shown %s", eventType, flag(shown));
}

void panelShown(bool appActive) { qCInfo(tovuLog, "panel shown, app active %s", flag(appActive)); }

void panelClosed() { qCInfo(tovuLog, "panel closed"); }

void trayInUse(const QString& protocol) { qCInfo(tovuLog, "tray: %s", qUtf8Printable(protocol)); }

void linkIgnored(const QString& link) { qCInfo(tovuLog, "link ignored: %s", qUtf8Printable(link)); }

void settingsUnreadable(const QString& reason) { qCWarning(tovuLog, "settings: %s", qUtf8Printable(reason)); }

void settingsNotSaved(const QString& file, const QString& reason) {
    qCCritical(tovuLog, "settings not saved to %s: %s", qUtf8Printable(file), qUtf8Printable(reason));
}

}  // namespace Log
