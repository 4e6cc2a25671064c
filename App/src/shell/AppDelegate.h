#pragma once

#include "models/MessagesModel.h"
#include "models/PanelModel.h"
#include "platform/AutostartLogin.h"
#include "platform/GioWorkspace.h"
#include "platform/SearchProviders.h"
#include "platform/SessionSignals.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClipboard.h"
#include "platform/TerminationSignals.h"
#include "services/AppLanguageState.h"
#include "services/LoginItem.h"
#include "services/PowerOffWindow.h"
#include "services/SearchAnswers.h"
#include "shell/StatusController.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>

/// The running tray application: builds the object graph, answers every
/// quit request through the quit guard, shows the panel on reopen and keeps
/// the power-off window.
class AppDelegate final : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(QObject* parent = nullptr);
    ~AppDelegate() override;

    /// `atLogin`: started with the session, when the tray may still be on
    /// its way.
    void launch(bool atLogin = false);
    /// A termination request; `event` and `reason` as four-character codes
    /// when it came with them. Quits or cancels.
    void requestQuit(std::optional<std::uint32_t> event, std::optional<std::uint32_t> reason);
    void reopen();
    void willPowerOff();
    /// A message list handed over by `tovu messages import` (its stored
    /// JSON): why it could not be taken, or nothing.
    QString takeMessages(const QString& json);
    /// What another start asked for; why it could not be done, or nothing.
    QString handle(const InstanceRequest& request);

    StatusController* status() const { return status_.get(); }
    PanelModel* panel() const { return panel_.get(); }
    bool poweringOff() const { return powerOff_.isOpen(); }

private:
    void openLink(const QString& link);
    void publishSearch();

    std::shared_ptr<SettingsDefaults> settings_;
    AutostartLogin autostart_;
    GioWorkspace workspace_;
    std::unique_ptr<SystemClipboard> clipboard_;
    std::unique_ptr<AppLanguageState> language_;
    std::unique_ptr<LoginItem> loginItem_;
    std::unique_ptr<MessagesModel> messages_;
    std::unique_ptr<PanelModel> panel_;
    std::unique_ptr<StatusController> status_;
    std::unique_ptr<SearchAnswers> search_;
    std::unique_ptr<SearchProviders> providers_;
    std::unique_ptr<SessionSignals> session_;
    std::unique_ptr<TerminationSignals> termination_;
    PowerOffWindow powerOff_;
    bool explicitQuit_ = false;
};
