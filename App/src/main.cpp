#include "cli/Diagnose.h"
#include "cli/MessagesCommand.h"
#include "cli/NumbersCommand.h"
#include "cli/OpenCommand.h"
#include "platform/GioWorkspace.h"
#include "platform/SingleInstance.h"
#include "shell/AppDelegate.h"

#include <QApplication>
#include <QQuickWindow>
#include <QThread>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

void printUsage(std::ostream& out) {
    out << "tovu: open a WhatsApp chat\n\nusage:\n"
        << "  tovu [--show | --clipboard | tel:NUMBER | tovu://clipboard]\n"
           "      Start the tray application, or show the panel of the running one;\n"
           "      --clipboard also fills it from the clipboard, a tel: link with its number.\n"
        << NumbersCommand::usage() << OpenCommand::usage() << MessagesCommand::usage()
        << "  tovu --diagnose | --help | --version\n";
}

bool hasDisplay() { return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM"); }

// The desktop hands a start its activation token; the running tovu needs it
// to be given the focus.
QString activationToken() {
    const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
    if (!token || !*token) token = std::getenv("DESKTOP_STARTUP_ID");
    return token ? QString::fromLocal8Bit(token) : QString();
}

int runApplication(int argc, char** argv, InstanceRequest request) {
    // Qt would abort without a display; say so plainly instead.
    if (!hasDisplay()) {
        std::cerr << "tovu: no graphical session here (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "In a terminal, use 'tovu numbers TEXT' or 'tovu open TEXT'.\n";
        return 1;
    }
    // The panel is small and mostly still: Qt Quick's software renderer draws
    // it in a few milliseconds without loading a GPU driver, which would cost
    // more memory than all the rest of tovu. QT_QUICK_BACKEND still decides.
    if (!std::getenv("QT_QUICK_BACKEND")) QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QApplication::setApplicationName("tovu");
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
    delegate.launch();
    if (request.action != "activate") delegate.handle(request);
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) return runApplication(argc, argv, {});
    std::ios::sync_with_stdio(false);
    const std::string& command = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "--help" || command == "-h") {
        printUsage(std::cout);
        return 0;
    }
    if (command == "--version") {
        std::cout << "tovu " << TOVU_VERSION << '\n';
        return 0;
    }
    if (command == "--show") return runApplication(argc, argv, {QStringLiteral("show")});
    if (command == "--clipboard") return runApplication(argc, argv, {QStringLiteral("clipboard")});
    // What the desktop runs for the links tovu handles.
    if (command.starts_with("tel:") || command.starts_with("tovu:")) {
        return runApplication(argc, argv, {QStringLiteral("uri"), QString::fromStdString(command)});
    }
    // The session manager restarts programs with its own arguments; Qt's.
    if (command == "-session" || command == "-platform" || command == "-style" || command == "-display") {
        return runApplication(argc, argv, {});
    }
    if (command == "numbers") return NumbersCommand::run(rest, std::cin, std::cout, std::cerr);
    if (command == "open") {
        GioWorkspace workspace;
        // With a display, the panel shows what a terminal would list.
        OpenCommand::InPanel inPanel;
        if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) {  // a screen someone looks at
            inPanel = [argc, argv](const std::string& text) {
                return runApplication(argc, argv, {QStringLiteral("open"), QString::fromStdString(text)});
            };
        }
        return OpenCommand::run(rest, workspace, std::cout, std::cerr, inPanel);
    }
    if (command == "messages") return MessagesCommand::run(rest, std::cin, std::cout, std::cerr);
    if (command == "--diagnose") return Diagnose::run(std::cout);
    std::cerr << "tovu: unknown command \"" << command << "\"\n\n";
    printUsage(std::cerr);
    return 2;
}
