#include "shell/StatusController.h"

#include "platform/DBusMenu.h"
#include "platform/Log.h"
#include "platform/StatusNotifierItem.h"
#include "platform/XEmbedTray.h"
#include "views/MenuBarIcon.h"
#include "views/PanelWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

StatusController::StatusController(PanelModel& model, AppLanguageState& language, std::function<void()> quit,
                                   QObject* parent)
    : QObject(parent), model_(model), language_(language), quit_(std::move(quit)) {
    // The clipboard is read once the panel has the focus, or after a short
    // wait for a window manager that never gives it.
    prefillWait_.setSingleShot(true);
    prefillWait_.setInterval(400);
    connect(&prefillWait_, &QTimer::timeout, this, &StatusController::prefill);

    model_.close = [self = QPointer<StatusController>(this)] {
        if (self) self->closePanel();
    };
    model_.quit = [self = QPointer<StatusController>(this)] {
        if (!self) return;
        self->closePanel();
        self->quit_();
    };
    model_.messages().close = [self = QPointer<StatusController>(this)] {
        if (self) self->closePanel();
    };
    model_.languageChanged = [self = QPointer<StatusController>(this)] {
        if (self) self->relabel();
    };

    buildMenu(statusMenu_);
    connect(statusMenu_.menu.get(), &QMenu::aboutToShow, this, &StatusController::closePanel);

    // Qt's icon only for XEmbed, on X11; our own item on X11 and Wayland.
    // Offscreen (the tests) there is no tray to look for.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        xembed_ = std::make_unique<XEmbedTray>();
        connect(xembed_.get(), &XEmbedTray::appeared, this, [this] {
            // Qt's icon docks into a tray that is there when it is shown.
            if (tray_) {
                tray_->hide();
                tray_->show();
            }
            updateTrays();
        });
    }
    if (platform == QLatin1String("xcb") || platform == QLatin1String("wayland")) {
        dbusMenu_ = std::make_unique<DBusMenu>(*statusMenu_.menu);
        item_ = std::make_unique<StatusNotifierItem>(QStringLiteral("tovu"));
        QList<QImage> sizes;
        for (int size : {16, 22, 24, 32, 48, 64}) sizes.append(MenuBarIcon::image(size));
        item_->setIcon(sizes);
        item_->setMenu(*dbusMenu_);
        connect(item_.get(), &StatusNotifierItem::activated, this, &StatusController::onItemActivated);
        connect(item_.get(), &StatusNotifierItem::secondaryActivated, this, &StatusController::onItemActivated);
        connect(item_.get(), &StatusNotifierItem::contextMenuRequested, this, [this](QPoint at) {
            if (!at.isNull()) anchor_ = at;
            statusMenu_.menu->popup(at.isNull() ? QCursor::pos() : at);
        });
        connect(item_.get(), &StatusNotifierItem::changed, this, &StatusController::updateTrays);
    }
    relabel();
    updateTrays();
    // The panel's views cost more to build than all the rest of the start:
    // they are built once the icon is up, well before anyone can click it.
    QTimer::singleShot(250, this, &StatusController::warmUp);
}

StatusController::~StatusController() = default;

PanelWindow& StatusController::panelWindow() {
    if (panel_) return *panel_;
    panel_ = std::make_unique<PanelWindow>(model_, language_);
    connect(&panel_->shell(), &PanelShell::closeRequested, this, &StatusController::closePanel);
    connect(&panel_->shell(), &PanelShell::quitRequested, this, [this] { quitShortcut(); });
    connect(panel_.get(), &QWindow::activeChanged, this, [this] {
        if (panel_->isActive()) {
            activeSinceShown_ = true;
            // Also when the focus comes after the wait: a Wayland compositor
            // offers the clipboard only then. The model consults each copy once.
            prefill();
            return;
        }
        // A focus change that began before this opening arrives late: only
        // the loss of a focus this opening had closes the panel. Our own
        // menus take the focus while they are open: keep the panel then.
        // The window of a desktop without a tray stays.
        if (!popup_ || !activeSinceShown_ || !panel_->isVisible() || QApplication::activePopupWidget()) return;
        closedByFocusLoss_.start();
        closePanel();
    });
    return *panel_;
}

void StatusController::warmUp() {
    PanelWindow& panel = panelWindow();
    // Drawn once where nobody sees it, so that the scene graph, the glyphs
    // and the symbols are ready for the first click. Not on Wayland: there
    // the software renderer then takes the first frame of the new surface
    // for drawn already and paints only what changed since, on black.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) panel.grabWindow();
}

void StatusController::onTrayActivated(int reason) {
    Log::iconClicked(static_cast<unsigned long>(reason), isPanelShown());
    // The second of two quick clicks arrives as a double click: it is a
    // click all the same (close what the first one opened, say).
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) return;
    // Ctrl+click is the one-button mouse's right click.
    if (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) {
        closePanel();
        statusMenu_.menu->popup(QCursor::pos());
        return;
    }
    iconClicked();
}

void StatusController::onItemActivated(QPoint at) {
    Log::iconClicked(QSystemTrayIcon::Trigger, isPanelShown());
    if (!at.isNull()) anchor_ = at;
    iconClicked();
}

void StatusController::iconClicked() {
    if (closedByFocusLoss_.isValid() && closedByFocusLoss_.elapsed() < 300) return;
    togglePanel();
}

void StatusController::createTray() {
    tray_ = std::make_unique<QSystemTrayIcon>(MenuBarIcon::icon());
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { onTrayActivated(int(reason)); });
    tray_->setContextMenu(statusMenu_.menu.get());
    tray_->setToolTip(toolTip());
    tray_->show();
}

void StatusController::updateTrays() {
    if (item_ && item_->isShown()) {
        tray_.reset();  // one icon, never two
    } else if (!tray_ && xembed_ && !(item_ && item_->isWatcherPresent())) {
        // Qt chooses between D-Bus and XEmbed once, at its first tray icon:
        // made while no watcher is on the bus, it is XEmbed for good, and
        // never a second item beside ours.
        createTray();
    }
    const QString protocol = trayProtocol();
    if (protocol != reportedProtocol_) {
        reportedProtocol_ = protocol;
        Log::trayInUse(protocol);
    }
    // A tray came: the window gives way to the icon.
    if (hasTray() && !popup_) closePanel();
}

bool StatusController::hasTray() const { return trayProtocol() != QLatin1String("none"); }

QString StatusController::trayProtocol() const {
    if (item_ && item_->isShown()) return QStringLiteral("StatusNotifierItem");
    if (tray_ && xembed_ && xembed_->isPresent()) return QStringLiteral("XEmbed");
    return QStringLiteral("none");
}

void StatusController::showPanelUnlessTray(std::chrono::milliseconds wait) {
    if (hasTray()) return;
    if (!xembed_ && !item_) {
        showPanel();
        return;
    }
    QTimer::singleShot(wait, this, [this] {
        if (!hasTray() && !isPanelShown()) showPanel();
    });
}

void StatusController::buildMenu(Menu& menu) {
    menu.menu = std::make_unique<QMenu>();
    // The first item: for the trays that show the menu on any click, the one
    // way to the panel.
    menu.open = menu.menu->addAction(QString());
    connect(menu.open, &QAction::triggered, this, &StatusController::showPanel);
    menu.login = menu.menu->addAction(QString());
    menu.login->setCheckable(true);
    connect(menu.login, &QAction::triggered, this, [this, login = menu.login](bool on) {
        model_.requestLaunchAtLogin(on);
        login->setChecked(model_.launchAtLogin());  // what the system reports
    });
    menu.language = menu.menu->addMenu(QString());
    auto* group = new QActionGroup(menu.language);
    for (MacKit::LanguageChoice choice : MacKit::allLanguageChoices) {
        QAction* action = menu.language->addAction(QString());
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice] { model_.setLanguage(choice); });
        menu.languages.append(action);
    }
    menu.menu->addSeparator();
    menu.quit = menu.menu->addAction(QString());
    connect(menu.quit, &QAction::triggered, this, [this] { model_.quit(); });
    connect(menu.menu.get(), &QMenu::aboutToShow, this, [this, &menu] {
        model_.refreshLaunchAtLogin();
        relabel(menu);
    });
}

void StatusController::relabel(Menu& menu) {
    //: First item of the tray's menu: opens the panel
    menu.open->setText(language_.text(QT_TRANSLATE_NOOP("tovu", "Open tovu")));
    //: A setting in the menu, ticked or not: tovu opens when the user logs in
    menu.login->setText(language_.text(QT_TRANSLATE_NOOP("tovu", "Open at login")));
    menu.login->setChecked(model_.launchAtLogin());
    //: Submenu in which the interface language is chosen
    menu.language->setTitle(language_.text(QT_TRANSLATE_NOOP("tovu", "Language")));
    // Each language is named in itself, isolated so that it keeps its own
    // direction among items of the other; "System" follows the interface.
    //: In the Language menu: follow the language of the system
    const QString names[] = {language_.text(QT_TRANSLATE_NOOP("tovu", "System")), QStringLiteral("\u2068العربية\u2069"),
                             QStringLiteral("\u2068English\u2069")};
    for (int i = 0; i < menu.languages.size(); ++i) {
        menu.languages[i]->setText(names[i]);
        menu.languages[i]->setChecked(MacKit::allLanguageChoices[std::size_t(i)] == language_.choice());
    }
    menu.quit->setText(language_.text(QT_TRANSLATE_NOOP("tovu", "Quit tovu")));
}

void StatusController::relabel() {
    // The menus, their submenus and any dialog take the direction of the
    // interface language from the application, at a start as at a switch.
    QGuiApplication::setLayoutDirection(language_.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    relabel(statusMenu_);
    if (dbusMenu_) dbusMenu_->setLayoutDirection(QGuiApplication::layoutDirection());
    if (tray_) tray_->setToolTip(toolTip());
    if (item_) item_->setToolTip(toolTip());
}

QString StatusController::toolTip() const {
    return language_.text(QT_TRANSLATE_NOOP("tovu", "tovu: open a WhatsApp chat"));
}

void StatusController::reportSaveFailure(const QString& reason) {
    if (reason == reportedFailure_) return;
    reportedFailure_ = reason;
    warn(language_
             .text(QT_TRANSLATE_NOOP("tovu",
                                     "Could not save your messages (%1). Your changes are kept until tovu quits."))
             .arg(reason));
}

void StatusController::reportKeptSettings(const QString& keptAs) {
    //: The settings file was cut short or too large; %1 is where it is kept, as it was found
    warn(language_.text(QT_TRANSLATE_NOOP("tovu", "Your settings could not be read whole. The file is kept as %1."))
             .arg(QChar(0x2066) + keptAs + QChar(0x2069)));
}

void StatusController::warn(const QString& text) {
    if (trayProtocol() == QLatin1String("XEmbed")) {
        tray_->showMessage(QStringLiteral("tovu"), text, QSystemTrayIcon::Warning);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("tovu"), text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

bool StatusController::isPanelShown() const { return panel_ && panel_->isVisible(); }

void StatusController::placePanel() {
    // The popup while a tray holds the icon, else the window; the kind is
    // settled at each opening, as the tray may have come or gone since.
    const bool popup = hasTray();
    if (popup != popup_) {
        panel_->setFlags(popup ? Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint : Qt::Window);
        popup_ = popup;
    }
    if (!popup) return;
    // Under the icon when an XEmbed tray tells where it is; next to the
    // point of the last click a StatusNotifierItem tray reported; else the
    // pointer (which likely just clicked) stands in.
    const QRect icon = tray_ ? tray_->geometry() : QRect();
    const bool reported = !icon.isValid();
    const QRect anchor = reported ? QRect(anchor_.value_or(QCursor::pos()), QSize(1, 1)) : icon;
    const QSize size = panel_->size();
    QPoint at(anchor.center().x() - size.width() / 2, anchor.bottom() + 4);
    const QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        // A tray at the bottom of the screen: the panel opens upwards (for a
        // reported click: one in the lower half).
        if (reported ? anchor.center().y() > area.center().y() : at.y() + size.height() > area.bottom()) {
            at.setY(anchor.top() - 4 - size.height());
        }
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    }
    panel_->setPosition(at);
}

void StatusController::showPanel() {
    panelWindow();
    model_.panelWillOpen();
    activeSinceShown_ = false;
    placePanel();
    prefillWait_.start();
    panel_->show();
    panel_->raise();
    panel_->requestActivate();
    Log::panelShown(QGuiApplication::applicationState() == Qt::ApplicationActive);
    if (panel_->isActive()) prefill();
}

void StatusController::prefill() {
    prefillWait_.stop();
    if (isPanelShown()) model_.prefillFromClipboard();
}

void StatusController::closePanel() {
    if (!isPanelShown()) return;
    panel_->hide();
    Log::panelClosed();
}

void StatusController::togglePanel() { isPanelShown() ? closePanel() : showPanel(); }
