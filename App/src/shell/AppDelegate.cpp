#include "shell/AppDelegate.h"

#include "platform/Log.h"
#include "services/AppFlavour.h"

#include <MacKit/QuitGuard.h>

#include <PhoneKit/links/URL.h>
#include <PhoneKit/numbers/PhoneExtractor.h>

#include <QApplication>
#include <QLocale>

#include <chrono>

AppDelegate::AppDelegate(QObject* parent) : QObject(parent) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::launch(bool atLogin) {
    settings_ = std::make_shared<SettingsDefaults>();
    // A write that failed leaves the file as it was; the user hears of it.
    settings_->saveFailed = [this](const QString& reason) {
        if (status_) status_->reportSaveFailure(reason);
    };
    clipboard_ = std::make_unique<SystemClipboard>();
    language_ = std::make_unique<AppLanguageState>(*settings_, QLocale::system().uiLanguages());
    session_ = std::make_unique<SessionSignals>();
    connect(session_.get(), &SessionSignals::poweringOff, this, &AppDelegate::willPowerOff);
    termination_ = std::make_unique<TerminationSignals>();
    // The session or another program is ending us: a quit event whose
    // reason is the end of the session.
    connect(termination_.get(), &TerminationSignals::terminationRequested, this,
            [this] { requestQuit(MacKit::QuitGuard::quitEvent(), MacKit::QuitGuard::code("logo")); });

    loginItem_ = std::make_unique<LoginItem>(*settings_, autostart_);
    loginItem_->applyDefault();
    messages_ =
        std::make_unique<MessagesModel>(PhoneKit::TemplateStore(settings_), language_->id(), *settings_, workspace_);
    panel_ = std::make_unique<PanelModel>(*loginItem_, *messages_, *clipboard_, workspace_, *language_);
    status_ = std::make_unique<StatusController>(*panel_, *language_, [this] {
        explicitQuit_ = true;
        requestQuit(std::nullopt, std::nullopt);
    });
    status_->quitShortcut = [this] { requestQuit(std::nullopt, std::nullopt); };
    publishSearch();
    // A save that failed while the graph was built (seeding the list, say).
    if (!settings_->saveError().isEmpty()) status_->reportSaveFailure(settings_->saveError());
    if (settings_->wasUnreadable()) status_->reportKeptSettings(settings_->keptCopy());
    // Without a tray the panel is the application's window. At login the
    // panel (plasmashell, an XFCE panel) may take half a minute to come, and
    // a window that flashes up meanwhile would greet every login.
    using namespace std::chrono_literals;
    status_->showPanelUnlessTray(atLogin ? 30s : 3s);
}

void AppDelegate::publishSearch() {
    search_ = std::make_unique<SearchAnswers>(workspace_, *language_, [this] {
        return SearchAnswers::Messages{&messages_->book().messages(), messages_->book().languageID()};
    });
    // A chat that did not open: the number in the panel, whose notice says so
    // when the user tries again.
    connect(search_.get(), &SearchAnswers::chatNotOpened, this, [this](const QString& number) {
        reopen();
        panel_->setText(number);
    });
    providers_ = std::make_unique<SearchProviders>(
        SearchProviders::Answers{[this](const QString& query) { return search_->query(query); },
                                 [this](const QString& id) { search_->activate(id); },
                                 [this](const QString& query) {
                                     reopen();
                                     panel_->setText(query);
                                 }});
    Log::searchProviders(providers_->publish(false), false);
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

QString AppDelegate::takeMessages(const QString& json) {
    // The bus passes lists of any size: one too large is refused before it
    // is even converted, let alone parsed.
    // (Its UTF-8 has at least as many bytes as it has UTF-16 units.)
    if (std::size_t(json.size()) > PhoneKit::TemplateLimits::bytes)
        return QString::fromStdString(PhoneKit::listTooLarge());
    const QByteArray bytes = json.toUtf8();
    auto checked = PhoneKit::checkedTemplates(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!checked.problem.empty()) return QString::fromStdString(checked.problem);
    if (!messages_) return QStringLiteral("not ready");
    messages_->replaceMessages(std::move(checked.messages));
    return settings_->saveError();
}

QString AppDelegate::handle(const InstanceRequest& request) {
    if (request.action == "import") return takeMessages(request.argument);
    if (request.action == "messagesLanguage") {
        if (!messages_) return QStringLiteral("not ready");
        if (!messages_->chooseLanguage(request.argument))
            return QStringLiteral("no messages in %1").arg(request.argument);
        return settings_->saveError();
    }
    if (!status_) return QStringLiteral("not ready");
    // On Wayland the compositor gives the panel the focus for the token of
    // the start that asked; Qt hands the variable over when it activates.
    if (!request.token.isEmpty() && QGuiApplication::platformName() == QLatin1String("wayland")) {
        qputenv("XDG_ACTIVATION_TOKEN", request.token.toUtf8());
    }
    if (request.action == "start") {
        // Another start at login (a restored session beside the autostart
        // entry): this tovu is already up, and nobody asked for the panel.
    } else if (request.action == "activate" || request.action == "show") {
        reopen();
    } else if (request.action == "clipboard") {
        panel_->consultClipboardAgain();
        reopen();
    } else if (request.action == "open") {
        // At "Which number?" or with the notice; one number opens its chat.
        reopen();
        panel_->setText(request.argument);
        panel_->submit();
    } else if (request.action == "uri") {
        openLink(request.argument);
    } else {
        return QStringLiteral("unknown action %1").arg(request.action);
    }
    return {};
}

void AppDelegate::openLink(const QString& link) {
    // tel:+966-50-123-4567;ext=12: the number in the field, the caret on it,
    // so the user sees whose chat Return opens before it opens.
    if (const auto number = MacKit::TelLink::number(link.toStdString())) {
        reopen();
        panel_->setText(QString::fromStdString(*number));
        return;
    }
    const auto url = PhoneKit::URL::parse(link.toStdString());
    if (url && PhoneKit::LaunchDecision::isWidgetTap(*url)) {
        handle({QStringLiteral("clipboard")});
        return;
    }
    Log::linkIgnored(link);
}

void AppDelegate::willPowerOff() {
    Log::willPowerOff();
    powerOff_.announce();
}
