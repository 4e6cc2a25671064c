#include "cli/CommandLine.h"
#include "cli/Diagnose.h"
#include "cli/MessagesCommand.h"
#include "cli/NumbersCommand.h"
#include "cli/OpenCommand.h"
#include "platform/DisplayServer.h"
#include "platform/GioWorkspace.h"
#include "platform/Log.h"
#include "platform/SearchProviders.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "services/AppLanguageState.h"
#include "services/LanguageID.h"
#include "services/SearchAnswers.h"
#include "shell/AppDelegate.h"

#include <MacKit/MessageBook.h>

#include <PhoneKit/support/Files.h>

#include <QApplication>
#include <QLocale>
#include <QProcess>
#include <QQuickWindow>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Qt's and the session manager's options (a session restores tovu as
// "tovu -session ID"): QApplication takes them from argv itself.
constexpr CommandLine::Option kAppOptions[] = {
    {"show"},
    {"clipboard"},
    {"diagnose"},
    {"version", 'V'},
    {"verbose"},
    {"login"},
    {"search-provider"},
    {"session", 0, true, true},
    {"display", 0, true, true},
    {"platform", 0, true, true},
    {"platformpluginpath", 0, true, true},
    {"platformtheme", 0, true, true},
    {"plugin", 0, true, true},
    {"style", 0, true, true},
    {"stylesheet", 0, true, true},
    {"geometry", 0, true, true},
    {"name", 0, true, true},
    {"title", 0, true, true},
    {"qwindowgeometry", 0, true, true},
    {"qwindowicon", 0, true, true},
    {"qwindowtitle", 0, true, true},
    {"qmljsdebugger", 0, true, true},
    {"reverse", 0, false, true},
    {"nograb", 0, false, true},
    {"dograb", 0, false, true},
    {"sync", 0, false, true},
};

const std::string& usage() {
    static const std::string text =
        std::string(
            "  tovu [--show | --clipboard | tel:NUMBER | tovu://clipboard]\n"
            "      Start the tray application, or show the panel of the running one;\n"
            "      --clipboard also fills it from the clipboard, a tel: link with its number.\n"
            "      --login (the autostart entry's) waits longer for a tray that comes late.\n") +
        std::string(NumbersCommand::usage()) + std::string(OpenCommand::usage()) +
        std::string(MessagesCommand::usage()) +
        "  tovu --diagnose | --help | --version [--verbose]\n"
        "      What tovu finds on this desktop; this help; the version (and the notices\n"
        "      of what tovu is built with).\n"
        "\ntovu opens WhatsApp chats with phone numbers; tovu(1) tells more. Exit codes:\n"
        "0 done, 1 failed, 2 usage; tovu open: 3 several numbers, 4 WhatsApp not opened.\n";
    return text;
}

const CommandLine::Command& tovuCommand() {
    static const CommandLine::Command command{
        "tovu", "tovu [--show | --clipboard | tel:NUMBER | tovu://clipboard] | tovu numbers|open|messages ...",
        usage()};
    return command;
}

void printVersion(std::ostream& out, bool verbose) {
    out << CommandLine::kVersion << '\n';
    if (!verbose) return;
    out << "Copyright (c) 2026 the tovu developers; MIT License.\n"
           "Built with Qt "
        << QT_VERSION_STR << " (running " << qVersion()
        << ").\n"
           "Embeds the IBM Plex Sans, Sans Arabic and Mono fonts, Copyright (c) 2017 IBM Corp.,\n"
           "with Reserved Font Name \"Plex\", under the SIL Open Font License 1.1; and Lucide\n"
           "symbols, Copyright (c) Lucide Icons and Contributors, under the ISC License, some of\n"
           "them from Feather, Copyright (c) 2013-present Cole Bemis, under the MIT License.\n";
    // The installed tree keeps the licences whole beside the tovu command.
    const char* command = std::getenv("TOVU_COMMAND");
    std::error_code error;
    const auto copyright =
        std::filesystem::canonical(command ? command : "/proc/self/exe", error).parent_path().parent_path() /
        "share/doc/tovu/copyright";
    if (std::filesystem::is_regular_file(copyright, error))
        out << "The licences in full: " << copyright.string() << '\n';
}

// QT_QPA_PLATFORM=offscreen (or vnc, eglfs…) needs no desktop display.
bool needsDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform) return true;
    const std::string_view name = platform;
    return name.starts_with("xcb") || name.starts_with("wayland");
}

// Qt aborts, leaving a core file, when a display it was pointed at refuses
// it (an X server that rejects our cookie, say). While it connects, its one
// fatal message becomes tovu's own and exit 1.
QtMessageHandler qtMessages = nullptr;
void fatalIsExitOne(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) return qtMessages(type, context, message);  // Qt's own handler, never null
    const DisplayServer display = DisplayServer::find();
    std::cerr << "tovu: cannot open the display " << display.name << " (" << display.variable << ").\n";
    std::_Exit(1);
}

// The desktop hands a start its activation token; the running tovu needs it
// to be given the focus.
QString activationToken() {
    const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
    if (!token || !*token) token = std::getenv("DESKTOP_STARTUP_ID");
    return token ? QString::fromLocal8Bit(token) : QString();
}

/// `displayGiven`: -display or -platform on the command line, for Qt;
/// `atLogin`: the desktop started tovu with the session.
int runApplication(int argc, char** argv, InstanceRequest request, bool displayGiven = false, bool atLogin = false) {
    // Qt would abort without a display; say so plainly instead.
    if (!displayGiven && needsDisplay()) {
        const DisplayServer display = DisplayServer::find();
        if (display.kind == DisplayServer::Kind::none) {
            std::cerr << "tovu: no graphical session here (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                         "In a terminal, use 'tovu numbers TEXT' or 'tovu open TEXT'.\n";
            return 1;
        }
        if (!display.reachable) {
            std::cerr << "tovu: cannot reach the display " << display.name << " (" << display.variable
                      << "): " << display.why << ".\n";
            return 1;
        }
    }
    // The panel is small and mostly still: Qt Quick's software renderer draws
    // it in a few milliseconds without loading a GPU driver, which would cost
    // more memory than all the rest of tovu. QT_QUICK_BACKEND still decides.
    if (!std::getenv("QT_QUICK_BACKEND")) QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qtMessages = qInstallMessageHandler(fatalIsExitOne);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtMessages);
    QApplication::setApplicationName("tovu");
    // The Wayland app id: the desktop file's name, so that the shell shows
    // tovu's icon on its windows. (On X11 the class stays "tovu", which the
    // desktop file names as StartupWMClass.)
    QGuiApplication::setDesktopFileName(QStringLiteral("app.tovu.tovu"));
    QApplication::setOrganizationName("tovu");
    QApplication::setApplicationVersion(TOVU_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);  // closing the panel never ends tovu

    request.token = activationToken();
    SingleInstance instance;
    AppDelegate delegate;
    instance.handle = [&delegate](const InstanceRequest& r) { return delegate.handle(r); };
    // Ask the running one, or become it; a start that loses the race to
    // another asks that one.
    for (int attempt = 0;; ++attempt) {
        if (const auto answer = SingleInstance::hand(request)) {
            if (!answer->isEmpty()) std::cerr << "tovu: " << answer->toStdString() << '\n';
            return answer->isEmpty() ? 0 : 1;
        }
        if (instance.claim()) break;
        if (attempt == 50) {
            std::cerr << "tovu: cannot reach the running tovu, nor become it\n";
            return 1;
        }
        QThread::msleep(20);
    }
    delegate.launch(atLogin);
    if (request.action != "activate" && request.action != "start") delegate.handle(request);
    return app.exec();
}

// What the bus starts for a desktop search when no tovu runs: the search
// providers alone, with no icon and no window, reading the settings and
// writing nothing, until a while after the last search, or until a tovu
// that starts takes the providers over.
int runSearchProvider(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tovu");
    QCoreApplication::setOrganizationName("tovu");
    const auto settings =
        std::make_shared<SettingsDefaults>(SettingsDefaults::standardPath(), SettingsDefaults::Access::readOnly);
    const AppLanguageState language(*settings, QLocale::system().uiLanguages());
    const std::string messagesLanguage = LanguageID::messagesAtStart(*settings, language.id());
    const auto messages = MacKit::MessageBook::found(PhoneKit::TemplateStore(settings), messagesLanguage);
    GioWorkspace workspace;
    SearchAnswers search(workspace, language, [&] { return SearchAnswers::Messages{&messages, messagesLanguage}; });
    SearchProviders providers(
        {[&](const QString& query) { return search.query(query); }, [&](const QString& id) { search.activate(id); },
         // Asked for tovu itself: it comes up and takes the providers over.
         [](const QString&) { QProcess::startDetached(QCoreApplication::applicationFilePath(), {"--show"}); }});
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(15000);
    QObject::connect(&idle, &QTimer::timeout, &app, &QCoreApplication::quit);
    QObject::connect(&providers, &SearchProviders::used, &idle, qOverload<>(&QTimer::start));
    QObject::connect(&providers, &SearchProviders::nameLost, &app, &QCoreApplication::quit);
    const bool published = providers.publish(true);
    Log::searchProviders(published, true);
    if (!published) return 0;  // a running tovu answers
    idle.start();
    return QCoreApplication::exec();
}

int run(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::ios::sync_with_stdio(false);
    const std::string command = arguments.empty() ? std::string() : arguments.front();
    const std::vector<std::string> rest(arguments.begin() + !arguments.empty(), arguments.end());
    if (command == "numbers") return NumbersCommand::run(rest, std::cin, std::cout, std::cerr);
    if (command == "open") {
        GioWorkspace workspace;
        // With a display, the panel shows what a terminal would list.
        OpenCommand::InPanel inPanel;
        if (DisplayServer::find().reachable) {  // a screen someone looks at
            inPanel = [argc, argv](const std::string& text) {
                return runApplication(argc, argv, {QStringLiteral("open"), QString::fromStdString(text)});
            };
        }
        return OpenCommand::run(rest, workspace, std::cout, std::cerr, inPanel);
    }

    const CommandLine::Parsed parsed = CommandLine::parse(arguments, kAppOptions);
    const CommandLine::Command& tovu = tovuCommand();
    if (const auto code = CommandLine::answered(parsed, tovu, std::cout, std::cerr)) return *code;
    if (parsed.has("version")) {
        printVersion(std::cout, parsed.has("verbose"));
        return CommandLine::finish(std::cout, std::cerr, tovu.name, 0);
    }
    if (parsed.has("verbose")) return CommandLine::usageError(std::cerr, tovu, "--verbose goes with --version");
    if (parsed.has("search-provider")) return runSearchProvider(argc, argv);
    if (parsed.has("diagnose")) return CommandLine::finish(std::cout, std::cerr, tovu.name, Diagnose::run(std::cout));

    std::vector<InstanceRequest> requests;
    if (parsed.has("show")) requests.push_back({QStringLiteral("show")});
    if (parsed.has("clipboard")) requests.push_back({QStringLiteral("clipboard")});
    for (const std::string& operand : parsed.operands) {
        // What the desktop runs for the links tovu handles.
        if (operand.starts_with("tel:") || operand.starts_with("tovu:")) {
            requests.push_back({QStringLiteral("uri"), QString::fromStdString(operand)});
        } else if (operand == command) {
            return CommandLine::usageError(std::cerr, tovu, "unknown command \"" + operand + "\"");
        } else {
            return CommandLine::usageError(std::cerr, tovu, "unexpected argument " + operand);
        }
    }
    if (requests.size() > 1) {
        return CommandLine::usageError(std::cerr, tovu, "--show, --clipboard and a link go one at a time");
    }
    // The display Qt is told of is the one tovu's own connections (the
    // clipboard's) and the programs it starts (WhatsApp) use too.
    if (const auto display = parsed.value("display")) ::setenv("DISPLAY", display->c_str(), 1);
    // A start at login, or a session restoring tovu, where one already runs
    // leaves it be.
    const bool atLogin = parsed.has("login");
    if (requests.empty() && (atLogin || parsed.has("session"))) requests.push_back({QStringLiteral("start")});
    return runApplication(argc, argv, requests.empty() ? InstanceRequest{} : requests.front(),
                          parsed.has("display") || parsed.has("platform"), atLogin);
}

}  // namespace

int main(int argc, char** argv) {
    PhoneKit::Files::ignoreRelativeXdgPaths();  // before Qt, GIO and dconf read them
    // A failure is a message and exit 1, never an abort.
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "tovu: " << error.what() << '\n';
        return 1;
    }
}
