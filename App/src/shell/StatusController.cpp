#include "shell/StatusController.h"

#include "platform/Log.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

namespace {

// A lime disc with an ink outline: the full drawn icon comes with the views.
QIcon trayIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x0D, 0x0E, 0x0C), 64 * 0.06));
    painter.setBrush(QColor(0xD3, 0xF3, 0x5B));
    painter.drawEllipse(QRectF(4, 4, 56, 56));
    return QIcon(pixmap);
}

}  // namespace

StatusController::StatusController(PanelModel& model, AppLanguageState& language, std::function<void()> quit,
                                   QObject* parent)
    : QObject(parent), model_(model), language_(language), quit_(std::move(quit)) {
    panel_ = std::make_unique<QWidget>(nullptr, Qt::Window);
    panel_->setWindowTitle("tovu");
    auto* layout = new QVBoxLayout(panel_.get());
    auto* field = new QLineEdit(panel_.get());
    field->setObjectName("number");
    auto* openButton = new QPushButton(panel_.get());
    openButton->setObjectName("open");
    auto* notice = new QLabel(panel_.get());
    notice->setObjectName("notice");
    auto* choices = new QWidget(panel_.get());
    choices->setObjectName("choices");
    new QVBoxLayout(choices);
    layout->addWidget(field);
    layout->addWidget(openButton);
    layout->addWidget(notice);
    layout->addWidget(choices);

    connect(field, &QLineEdit::textEdited, &model_, &PanelModel::setText);
    connect(&model_, &PanelModel::textChanged, field, [this, field] {
        if (field->text() != model_.text()) field->setText(model_.text());
    });
    connect(field, &QLineEdit::returnPressed, &model_, &PanelModel::submit);
    connect(openButton, &QPushButton::clicked, &model_, &PanelModel::submit);
    connect(&model_, &PanelModel::noticeChanged, notice, [this, notice] { notice->setText(model_.noticeText()); });
    connect(&model_, &PanelModel::choicesChanged, this, &StatusController::rebuildChoices);
    connect(&model_, &PanelModel::openCountChanged, field, [field] { field->setFocus(); });

    for (const auto& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
        connect(new QShortcut(keys, panel_.get()), &QShortcut::activated, this, &StatusController::closePanel);
    }
    connect(new QShortcut(QKeySequence::Quit, panel_.get()), &QShortcut::activated, this, [this] { quitShortcut(); });

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

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_ = std::make_unique<QSystemTrayIcon>(trayIcon());
        connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            Log::iconClicked(static_cast<unsigned long>(reason), isPanelShown());
            if (reason == QSystemTrayIcon::Trigger) togglePanel();
        });
        buildMenu();
        tray_->setContextMenu(menu_.get());
        tray_->show();
    }
    relabel();
}

StatusController::~StatusController() = default;

void StatusController::buildMenu() {
    menu_ = std::make_unique<QMenu>();
    loginAction_ = menu_->addAction(QString());
    loginAction_->setCheckable(true);
    connect(loginAction_, &QAction::triggered, this, [this](bool on) {
        model_.requestLaunchAtLogin(on);
        loginAction_->setChecked(model_.launchAtLogin());  // what the system reports
    });
    languageMenu_ = menu_->addMenu(QString());
    auto* group = new QActionGroup(languageMenu_);
    for (MacKit::LanguageChoice choice : MacKit::allLanguageChoices) {
        QAction* action = languageMenu_->addAction(QString());
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice] { model_.setLanguage(choice); });
        languageActions_.append(action);
    }
    menu_->addSeparator();
    quitAction_ = menu_->addAction(QString());
    connect(quitAction_, &QAction::triggered, this, [this] { model_.quit(); });
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        closePanel();
        model_.refreshLaunchAtLogin();
        relabel();
    });
}

void StatusController::relabel() {
    panel_->findChild<QPushButton*>("open")->setText(language_.text("Open chat"));
    if (tray_) tray_->setToolTip(language_.text("tovu: open a WhatsApp chat"));
    if (!menu_) return;
    loginAction_->setText(language_.text("Open at login"));
    loginAction_->setChecked(model_.launchAtLogin());
    languageMenu_->setTitle(language_.text("Language"));
    // Each language is named in itself; "System" follows the interface.
    const QString names[] = {language_.text("System"), QStringLiteral("العربية"), QStringLiteral("English")};
    for (int i = 0; i < languageActions_.size(); ++i) {
        languageActions_[i]->setText(names[i]);
        languageActions_[i]->setChecked(MacKit::allLanguageChoices[std::size_t(i)] == language_.choice());
    }
    quitAction_->setText(language_.text("Quit tovu"));
}

void StatusController::rebuildChoices() {
    auto* box = panel_->findChild<QWidget*>("choices");
    while (QLayoutItem* item = box->layout()->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const auto rows = model_.choices();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* button = new QPushButton(QString::fromStdString(rows[i].display()), box);
        connect(button, &QPushButton::clicked, &model_, [this, i] { model_.openChoice(int(i)); });
        box->layout()->addWidget(button);
    }
}

bool StatusController::isPanelShown() const { return panel_->isVisible(); }

void StatusController::showPanel() {
    model_.panelWillOpen();
    if (hasTray()) {
        // Trays under StatusNotifierItem give no geometry: open at the pointer.
        panel_->adjustSize();
        const QRect icon = tray_->geometry();
        QPoint at = icon.isValid() ? icon.bottomLeft() : QCursor::pos();
        if (const QScreen* screen = QGuiApplication::screenAt(at)) {
            const QRect area = screen->availableGeometry();
            at.setX(std::max(area.left(), std::min(at.x(), area.right() - panel_->width())));
            at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - panel_->height())));
        }
        panel_->move(at);
    }
    panel_->show();
    panel_->raise();
    panel_->activateWindow();
    Log::panelShown(QGuiApplication::applicationState() == Qt::ApplicationActive);
}

void StatusController::closePanel() {
    if (!panel_->isVisible()) return;
    panel_->hide();
    Log::panelClosed();
}

void StatusController::togglePanel() { isPanelShown() ? closePanel() : showPanel(); }
