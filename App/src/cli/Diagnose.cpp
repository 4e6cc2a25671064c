#include "cli/Diagnose.h"

#include "platform/AutostartLogin.h"
#include "platform/GioWorkspace.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "services/AppFlavour.h"
#include "services/AppLanguageState.h"
#include "services/ChatOpening.h"

#include <MacKit/PanelLogic.h>

#include <QApplication>
#include <QLocale>
#include <QSystemTrayIcon>
#include <QTimeZone>

#include <cstdlib>
#include <ostream>

int Diagnose::run(std::ostream& out) {
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tovu";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    SettingsDefaults settings;
    AutostartLogin login;
    GioWorkspace workspace;
    AppLanguageState language(settings, QLocale::system().uiLanguages());
    const auto loginStatus = login.status();
    const QByteArray zone = QTimeZone::systemTimeZoneId();
    const PhoneKit::Region region = PhoneKit::Region::current(zone.toStdString());
    auto yes = [](bool value) { return value ? "yes" : "no"; };

    out << "display: " << (display ? "yes" : "none (checked offscreen)") << '\n'
        << "tray available: " << yes(display && QSystemTrayIcon::isSystemTrayAvailable()) << '\n'
        << "whatsapp handler: " << yes(ChatOpening::whatsAppInstalled(workspace)) << '\n'
        << "web link handler: " << yes(workspace.hasHandler(*PhoneKit::URL::parse("https://wa.me/"))) << '\n'
        << "clipboard access: " << MacKit::toString(MacKit::ClipboardAccess::allowed) << '\n'
        << "login item: " << (loginStatus == LoginService::Status::enabled ? "enabled" : "not registered") << " ("
        << AutostartLogin::entryPath().toStdString() << ")\n"
        << "settings file: " << settings.fileName().toStdString()
        << (settings.wasUnreadable() ? " (damaged; kept as " + settings.keptCopy().toStdString() + ")" : "") << '\n'
        << "language: " << MacKit::toString(language.choice()) << " -> " << language.id() << '\n'
        << "region: " << region.id << " (time zone " << zone.toStdString() << ")\n"
        << "flavour: " << MacKit::toString(appFlavour) << '\n'
        << "single instance: " << SingleInstance::arbiter().toStdString() << '\n';
    return 0;
}
