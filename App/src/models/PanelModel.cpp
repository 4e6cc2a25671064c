#include "models/PanelModel.h"

#include "services/ChatOpening.h"
#include "services/Clipboard.h"

#include <PhoneKit/support/Text.h>

#include <QPointer>
#include <QVariantMap>

using PhoneKit::PhoneNumber;

PanelModel::PanelModel(LoginItem& loginItem, MessagesModel& messages, ClipboardService& clipboard,
                       WorkspaceService& workspace, AppLanguageState& language, RegionSource currentRegion,
                       QObject* parent)
    : QObject(parent),
      messages_(messages),
      launchAtLogin_(loginItem.isOn()),
      loginItem_(loginItem),
      clipboard_(clipboard),
      workspace_(workspace),
      language_(language),
      currentRegion_(std::move(currentRegion)) {
    // A notice shown is said again in the new language.
    connect(&language_, &AppLanguageState::choiceChanged, this, [this] {
        if (notice_) emit noticeChanged();
    });
}

void PanelModel::setSection(Section section) {
    if (section == section_) return;
    section_ = section;
    emit sectionChanged();
}

void PanelModel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    emit textChanged();
    textDidChange();
}

void PanelModel::textDidChange() {
    setNotice(std::nullopt);
    setChoices({});
    if (!text_.isEmpty()) setOffersPaste(false);
    if (submitAfterPaste_ && !text_.isEmpty()) {
        submitAfterPaste_ = false;
        submit();
    }
}

void PanelModel::setOffersPaste(bool on) {
    if (on == offersPaste_) return;
    offersPaste_ = on;
    emit offersPasteChanged();
}

void PanelModel::setChoices(std::vector<PhoneNumber> choices) {
    if (choices == choices_) return;
    choices_ = std::move(choices);
    emit choicesChanged();
}

void PanelModel::setNotice(std::optional<Notice> notice) {
    if (notice != Notice::couldNotOpen) notOpened_.reset();
    setLinkCopied(false);
    if (notice == notice_) return;
    notice_ = notice;
    emit noticeChanged();
}

void PanelModel::setLinkCopied(bool copied) {
    if (copied == linkCopied_) return;
    linkCopied_ = copied;
    emit linkCopiedChanged();
}

QString PanelModel::chatLink() const {
    return notOpened_ ? QString::fromStdString(MacKit::ChatLink::url(*notOpened_, false).string()) : QString();
}

void PanelModel::copyChatLink() {
    if (!notOpened_) return;
    clipboard_.writeText(chatLink().toStdString());
    setLinkCopied(true);
}

QString PanelModel::noticeText() const {
    if (!notice_) return {};
    return language_.text(*notice_ == Notice::noNumber
                              ? QT_TRANSLATE_NOOP("tovu", "No phone number found. Paste or type one.")
                              : QT_TRANSLATE_NOOP("tovu", "Could not open WhatsApp."));
}

void PanelModel::setLaunchAtLogin(bool on) {
    if (on == launchAtLogin_) return;
    launchAtLogin_ = on;
    emit launchAtLoginChanged();
}

void PanelModel::requestLaunchAtLogin(bool on) { setLaunchAtLogin(loginItem_.set(on)); }

bool PanelModel::refreshLaunchAtLogin() {
    setLaunchAtLogin(loginItem_.isOn());
    return launchAtLogin_;
}

void PanelModel::panelWillOpen() {
    ++openCount_;
    emit openCountChanged();
    messages_.setCouldNotOpen(false);
    refreshLaunchAtLogin();
    setNotice(std::nullopt);
    setOffersPaste(false);
    submitAfterPaste_ = false;
}

void PanelModel::prefillFromClipboard() {
    // A clipboard content is consulted once, on the first opening after it
    // was copied.
    const long change = clipboard_.changeCount();
    if (lastPrefilledChange_ == change) return;
    lastPrefilledChange_ = change;

    Clipboard::onOpen(clipboard_, [self = QPointer<PanelModel>(this)](Clipboard::OnOpen answer) {
        if (!self) return;
        using MacKit::ClipboardPolicy::Action;
        // The field is read only now: the user may have typed meanwhile.
        const std::string field = self->text_.toStdString();
        if (answer.action == Action::read) {
            const auto clipboard = answer.text ? std::optional<std::string_view>(*answer.text) : std::nullopt;
            if (auto prefill = MacKit::Prefill::text(field, clipboard, self->currentRegion_())) {
                self->setText(QString::fromStdString(*prefill));
            }
        } else if (answer.action == Action::offerPaste) {
            self->setOffersPaste(PhoneKit::Text::isBlank(field));
        }
    });
}

void PanelModel::submit() {
    using Case = PhoneKit::LaunchDecision::Action::Case;
    auto action = PhoneKit::LaunchDecision::action(text_.toStdString(), currentRegion_());
    switch (action.kind) {
        case Case::open: open(action.numbers.front()); break;
        case Case::choose:
            setNotice(std::nullopt);
            setChoices(std::move(action.numbers));
            break;
        case Case::nothingFound:
            setChoices({});
            setNotice(Notice::noNumber);
            break;
    }
}

void PanelModel::open(const PhoneNumber& number) {
    if (!ChatOpening::openChat(workspace_, number)) {
        // Text and choices stay for another try, and the link to open by hand.
        const bool again = notice_ == Notice::couldNotOpen;
        notOpened_ = number;
        setNotice(Notice::couldNotOpen);
        if (again) emit noticeChanged();  // another number's link
        return;
    }
    setText({});
    close();
}

void PanelModel::openChoice(int index) {
    if (index >= 0 && std::size_t(index) < choices_.size()) open(PhoneNumber(choices_[std::size_t(index)]));
}

void PanelModel::setLanguage(MacKit::LanguageChoice choice) {
    if (choice == language_.choice()) return;
    language_.set(choice);
    messages_.switchLanguage(language_.id());
    emit languageChoiceChanged();
    languageChanged();
}

QString PanelModel::languageChoice() const { return QString::fromUtf8(MacKit::toString(language_.choice()).data()); }

void PanelModel::chooseLanguage(const QString& choice) {
    if (const auto known = MacKit::languageChoiceFromString(choice.toStdString())) setLanguage(*known);
}

QVariantList PanelModel::choiceRows() const {
    QVariantList rows;
    for (const PhoneNumber& number : choices_) {
        rows.append(QVariantMap{{"digits", QString::fromStdString(number.digits)},
                                {"display", QString::fromStdString(number.display())},
                                {"kind", QString::fromStdString(std::string(PhoneKit::toString(number.kind)))}});
    }
    return rows;
}
