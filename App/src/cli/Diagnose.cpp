#include "cli/Diagnose.h"

#include "platform/AutostartLogin.h"
#include "platform/DisplayServer.h"
#include "platform/GioWorkspace.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "platform/StatusNotifierItem.h"
#include "platform/XEmbedTray.h"
#include "services/AppFlavour.h"
#include "services/AppLanguageState.h"
#include "services/ChatOpening.h"

#include <MacKit/PanelLogic.h>

#include <PhoneKit/support/SystemTimeZone.h>

#include <QApplication>
#include <QLocale>

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
    // The tray tovu would use, by the same order of preference.
    const bool wayland = QGuiApplication::platformName() == QLatin1String("wayland");
    const bool statusNotifier = display.reachable && StatusNotifierItem::trayOnSessionBus();
    const bool xembed = !statusNotifier && XEmbedTray().isPresent();
    const char* tray = statusNotifier ? "StatusNotifierItem" : xembed ? "XEmbed" : "none (the panel opens as a window)";
    const char* placement = wayland          ? "where the compositor puts it"
                            : statusNotifier ? "next to the point the tray reports"
                            : xembed         ? "under the tray icon"
                                             : "a window placed by the window manager";

    out << "display server: " << display.kindName();
    if (display.kind != DisplayServer::Kind::none) out << " (" << display.variable << '=' << display.name << ')';
    if (!display.reachable) {
        out << (display.why.empty() ? "" : ", unreachable: ") << display.why << "; checked offscreen";
    }
    out << '\n'
        << "qt platform: " << QGuiApplication::platformName().toStdString() << '\n'
        << "tray: " << tray << '\n'
        << "prefill: "
        << (wayland ? "yes, once the panel has the focus (Wayland shows the clipboard to the focused window only)"
                    : "yes")
        << '\n'
        << "placement: " << placement << '\n'
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
