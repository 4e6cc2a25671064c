#include "platform/Log.h"

#include <PhoneKit/support/Text.h>

#include <string>

// The bundle identifier and the category "app".
Q_LOGGING_CATEGORY(tovuLog, "app.tovu.app", QtInfoMsg)

namespace Log {

namespace {
const char* flag(bool value) { return value ? "1" : "0"; }

// What a line carries from outside (a link, a path, a reason) is shown, not
// obeyed by a terminal, and one line stays a line of reasonable length.
std::string safe(const QString& text) { return PhoneKit::Text::shownSafely(text.toStdString(), 300); }
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
    qCCritical(tovuLog, "clipboard check failed: %s", safe(reason).c_str());
}

void iconClicked(unsigned long eventType, bool shown) {
    qCInfo(tovuLog, "icon clicked: event type %lu shown %s", eventType, flag(shown));
}

void panelShown(bool appActive) { qCInfo(tovuLog, "panel shown, app active %s", flag(appActive)); }

void panelClosed() { qCInfo(tovuLog, "panel closed"); }

void trayInUse(const QString& protocol) { qCInfo(tovuLog, "tray: %s", safe(protocol).c_str()); }

void linkIgnored(const QString& link) { qCInfo(tovuLog, "link ignored: %s", safe(link).c_str()); }

void searchProviders(bool published, bool alone) {
    qCInfo(tovuLog, "search providers %s%s", published ? "published" : "not published", alone ? " (alone)" : "");
}

void linkNotOpened(const QString& scheme, const QString& reason) {
    qCWarning(tovuLog, "%s: link not opened: %s", safe(scheme).c_str(), safe(reason).c_str());
}

void searchNotOpened() { qCWarning(tovuLog, "search: WhatsApp did not open"); }

void settingsUnreadable(const QString& reason) { qCWarning(tovuLog, "settings: %s", safe(reason).c_str()); }

void settingsNotSaved(const QString& file, const QString& reason) {
    qCCritical(tovuLog, "settings not saved to %s: %s", safe(file).c_str(), safe(reason).c_str());
}

}  // namespace Log
