#pragma once

// Fakes for what a test cannot drive for real: a clipboard whose access the
// system restricts, a workspace that refuses links, a login service that
// keeps the item waiting for approval.

#include "models/MessagesModel.h"
#include "models/PanelModel.h"
#include "platform/Services.h"
#include "views/PanelWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QQuickWindow>
#include <QThread>
#include <QTimer>

#include <vector>

/// Waits up to five seconds for `done`, letting the event loop run.
template <typename Done>
bool eventually(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000) return false;
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return true;
}

class FakeClipboard final : public ClipboardService {
public:
    long changeCount() const override { return changes; }
    void readText(std::function<void(std::optional<std::string>)> answer) override {
        QTimer::singleShot(0, [answer, result = content] { answer(result); });
    }
    MacKit::ClipboardAccess access() const override { return accessState; }
    void detectNumber(std::function<void(std::optional<bool>, std::string)> answer) override {
        ++detections;
        QTimer::singleShot(0, [answer, result = detection] { answer(result, result ? "" : "detector failed"); });
    }
    void writeText(const std::string& text) override { copy(text); }
    void copy(std::optional<std::string> text) {
        content = std::move(text);
        ++changes;
    }
    /// A number copied where the system tells that one is there but asks
    /// before it hands the text over: the panel offers to paste it.
    void copyBehindPermission(std::string text) {
        accessState = MacKit::ClipboardAccess::ask;
        detection = true;
        copy(std::move(text));
    }

    long changes = 0;
    std::optional<std::string> content;
    MacKit::ClipboardAccess accessState = MacKit::ClipboardAccess::allowed;
    std::optional<bool> detection = false;
    int detections = 0;
};

class FakeWorkspace final : public WorkspaceService {
public:
    bool hasHandler(const PhoneKit::URL& url) const override { return url.scheme() == "whatsapp" && installed; }
    bool open(const PhoneKit::URL& url) override {
        opened.push_back(url.string());
        return url.scheme() == "whatsapp" ? acceptsApp : acceptsWeb;
    }

    bool installed = true;
    bool acceptsApp = true;
    bool acceptsWeb = true;
    std::vector<std::string> opened;
};

class FakeLogin final : public LoginService {
public:
    bool registerItem() override {
        state = refuses ? Status::notRegistered : onRegister;
        return !refuses;
    }
    bool unregisterItem() override {
        state = Status::notRegistered;
        return true;
    }
    Status status() const override { return state; }

    Status state = Status::notRegistered;
    Status onRegister = Status::enabled;
    bool refuses = false;
};

/// Runs the main thread's queued work (the prefill's answer, say).
inline void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

/// A frame of the window once its layout settled: a layout is redone when a
/// frame is drawn, and the window then takes the new size.
inline QImage settledImage(QQuickWindow& window) {
    QImage image;
    for (int i = 0; i < 5; ++i) {
        settle();
        image = window.grabWindow();
        settle();
        if (image.size() == window.size() * window.devicePixelRatio()) break;
    }
    return image;
}

/// The panel's models as the application builds them, over the fakes and
/// in-memory settings, in the home region (SA).
struct PanelRig {
    std::shared_ptr<PhoneKit::InMemoryDefaults> defaults = std::make_shared<PhoneKit::InMemoryDefaults>();
    FakeClipboard clipboard;
    FakeWorkspace workspace;
    FakeLogin login;
    LoginItem loginItem{*defaults, login};
    AppLanguageState language;
    MessagesModel messages{PhoneKit::TemplateStore(defaults), language.id(), *defaults, workspace};
    PanelModel model{loginItem, messages, clipboard, workspace, language, [] { return PhoneKit::Region::home(); }};
    int closes = 0, languageChanges = 0;

    explicit PanelRig(QStringList languages = {"en-US"}) : language(*defaults, std::move(languages)) {
        // What the shell is asked to close, by either section.
        model.close = messages.close = [this] { ++closes; };
        model.languageChanged = [this] { ++languageChanges; };
    }
    void open() {
        model.panelWillOpen();
        model.prefillFromClipboard();
        settle();
    }
};

/// The panel's real views over the rig, in their window (not yet shown),
/// counting what the views ask of the shell.
struct PanelOnScreen {
    PanelRig rig;
    PanelWindow window{rig.model, rig.language};
    int closes = 0, quits = 0;

    explicit PanelOnScreen(QStringList languages = {"en-US"}) : rig(std::move(languages)) {
        window.theme().setReduceMotion(true);  // every frame shows a settled state
        QObject::connect(&window.shell(), &PanelShell::closeRequested, [this] { ++closes; });
        QObject::connect(&window.shell(), &PanelShell::quitRequested, [this] { ++quits; });
    }
};
