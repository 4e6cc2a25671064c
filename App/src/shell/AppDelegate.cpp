#include "shell/AppDelegate.h"

#include "platform/Log.h"
#include "shell/AppFlavour.h"

#include <MacKit/QuitGuard.h>

#include <QApplication>
#include <QLocale>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// SIGTERM and SIGINT are written to a pipe; the event loop reads them.
// Nothing else happens inside the handler.
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

AppDelegate::AppDelegate(QObject* parent) : QObject(parent) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::launch() {
    settings_ = std::make_shared<SettingsDefaults>();
    clipboard_ = std::make_unique<SystemClipboard>();
    language_ = std::make_unique<AppLanguageState>(*settings_, QLocale::system().uiLanguages());
    session_ = std::make_unique<SessionSignals>();
    connect(session_.get(), &SessionSignals::poweringOff, this, &AppDelegate::willPowerOff);
    watchTerminationSignals();

    loginItem_ = std::make_unique<LoginItem>(*settings_, autostart_);
    loginItem_->applyDefault();
    messages_ = std::make_unique<MessagesModel>(PhoneKit::TemplateStore(settings_), language_->id(), *settings_,
                                                workspace_);
    panel_ = std::make_unique<PanelModel>(*loginItem_, *messages_, *clipboard_, workspace_, *language_);
    status_ = std::make_unique<StatusController>(*panel_, *language_, [this] {
        explicitQuit_ = true;
        requestQuit(std::nullopt, std::nullopt);
    });
    status_->quitShortcut = [this] { requestQuit(std::nullopt, std::nullopt); };
    // Without a tray the panel is the application's window.
    if (!status_->hasTray()) status_->showPanel();
}

void AppDelegate::requestQuit(std::optional<std::uint32_t> event, std::optional<std::uint32_t> reason) {
    const bool poweringOff = powerOff_.isOpen();
    const auto verdict = MacKit::QuitGuard::verdict(appFlavour, explicitQuit_, poweringOff, event, reason);
    const bool quit = verdict == MacKit::QuitGuard::Verdict::quit;
    Log::quitRequest(event.value_or(0), reason.value_or(0), explicitQuit_, poweringOff, quit);
    if (quit) {
        QCoreApplication::quit();
    } else if (status_) {
        status_->closePanel();
    }
}

void AppDelegate::reopen() {
    Log::reopen();
    if (status_) status_->showPanel();
}

void AppDelegate::willPowerOff() {
    Log::willPowerOff();
    powerOff_.announce();
}

void AppDelegate::watchTerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    signalNotifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(signalNotifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(signalPipe[0], &byte, 1) != 1) return;
        // The session or another program is ending us: a quit event whose
        // reason is the end of the session.
        requestQuit(MacKit::QuitGuard::quitEvent(), MacKit::QuitGuard::code("logo"));
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}
