#include "cli/Diagnose.h"

#include "platform/AutostartLogin.h"
#include "platform/DisplayServer.h"
#include "platform/GioWorkspace.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "services/AppFlavour.h"
#include "services/AppLanguageState.h"
#include "services/ChatOpening.h"

#include <MacKit/PanelLogic.h>

#include <PhoneKit/support/SystemTimeZone.h>

#include <QApplication>
#include <QLocale>
#include <QSystemTrayIcon>

#include <ostream>

int Diagnose::run(std::ostream& out) {
    // Whatever the display's state, the rest is worth telling: without one
    // that answers, the checks run offscreen.
    const DisplayServer display = DisplayServer::find();
    if (!display.reachable) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tovu";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    SettingsDefaults settings;
    AutostartLogin login;
    GioWorkspace workspace;
    AppLanguageState language(settings, QLocale::system().uiLanguages());
    const auto loginStatus = login.status();
    const PhoneKit::SystemTimeZone zone = PhoneKit::SystemTimeZone::find();
    const PhoneKit::Region region = PhoneKit::Region::current(zone.name);
    auto yes = [](bool value) { return value ? "yes" : "no"; };

    out << "display server: " << display.kindName();
    if (display.kind != DisplayServer::Kind::none) out << " (" << display.variable << '=' << display.name << ')';
    if (!display.reachable) {
        out << (display.why.empty() ? "" : ", unreachable: ") << display.why << "; checked offscreen";
    }
    out << '\n'
        << "qt platform: " << QGuiApplication::platformName().toStdString() << '\n'
        << "tray available: " << yes(display.reachable && QSystemTrayIcon::isSystemTrayAvailable()) << '\n'
        << "whatsapp handler: " << yes(ChatOpening::whatsAppInstalled(workspace)) << '\n'
        << "web link handler: " << yes(workspace.hasHandler(*PhoneKit::URL::parse("https://wa.me/"))) << '\n'
        << "clipboard access: " << MacKit::toString(MacKit::ClipboardAccess::allowed) << '\n'
        << "login item: " << (loginStatus == LoginService::Status::enabled ? "enabled" : "not registered") << " ("
        << AutostartLogin::entryPath().toStdString() << ")\n"
        << "settings file: " << settings.fileName().toStdString()
        << (settings.wasUnreadable() ? " (damaged; kept as " + settings.keptCopy().toStdString() + ")" : "") << '\n'
        << "language: " << MacKit::toString(language.choice()) << " -> " << language.id() << '\n'
        << "region: " << region.id << " (time zone " << (zone.name.empty() ? "unknown" : zone.name) << ", from "
        << zone.source << ")\n"
        << "flavour: " << MacKit::toString(appFlavour) << '\n'
        << "single instance: " << SingleInstance::arbiter().toStdString() << '\n';
    return 0;
}
