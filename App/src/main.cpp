#include "cli/Diagnose.h"
#include "cli/MessagesCommand.h"
#include "cli/NumbersCommand.h"
#include "cli/OpenCommand.h"
#include "platform/GioWorkspace.h"
#include "platform/SingleInstance.h"
#include "shell/AppDelegate.h"

#include <QApplication>
#include <QQuickWindow>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

void printUsage(std::ostream& out) {
    out << "tovu: open a WhatsApp chat\n\nusage:\n"
        << "  tovu\n      Start the tray application, or show the panel of the running one.\n"
        << NumbersCommand::usage() << OpenCommand::usage() << MessagesCommand::usage()
        << "  tovu --diagnose | --help | --version\n";
}

int runApplication(int argc, char** argv) {
    // Qt would abort without a display; say so plainly instead.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
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

    if (SingleInstance::askRunningToShow()) return 0;  // the running one reopens
    SingleInstance instance;
    AppDelegate delegate;
    QObject::connect(&instance, &SingleInstance::showRequested, &delegate, &AppDelegate::reopen);
    instance.takeMessages = [&delegate](const QByteArray& json) { return delegate.takeMessages(json); };
    if (!instance.listen()) qWarning("tovu: cannot listen on %s", qUtf8Printable(SingleInstance::socketName()));
    delegate.launch();
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) return runApplication(argc, argv);
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
    if (command == "numbers") return NumbersCommand::run(rest, std::cin, std::cout, std::cerr);
    if (command == "open") {
        GioWorkspace workspace;
        return OpenCommand::run(rest, workspace, std::cout, std::cerr);
    }
    if (command == "messages") return MessagesCommand::run(rest, std::cin, std::cout, std::cerr);
    if (command == "--diagnose") return Diagnose::run(std::cout);
    std::cerr << "tovu: unknown command \"" << command << "\"\n\n";
    printUsage(std::cerr);
    return 2;
}
