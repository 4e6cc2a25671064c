#pragma once

#include "models/MessagesModel.h"
#include "platform/Services.h"
#include "services/AppLanguageState.h"
#include "services/LoginItem.h"

#include <PhoneKit/numbers/PhoneExtractor.h>
#include <PhoneKit/numbers/Region.h>

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>
#include <vector>

/// The state machine of the panel: its section, the number field, the paste
/// offer, the numbers to choose from, the notice and the login switch.
/// Every property notifies only on a real change.
class PanelModel final : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the application makes it")
    Q_PROPERTY(Section section READ section WRITE setSection NOTIFY sectionChanged)
    // The views' name of the section, "number" or "messages" (QML enums
    // cannot be lower case).
    Q_PROPERTY(QString sectionName READ sectionName WRITE setSectionName NOTIFY sectionChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool offersPaste READ offersPaste NOTIFY offersPasteChanged)
    Q_PROPERTY(QVariantList choices READ choiceRows NOTIFY choicesChanged)
    Q_PROPERTY(QString noticeText READ noticeText NOTIFY noticeChanged)
    // After a chat that did not open: its web link, to copy and open by hand.
    Q_PROPERTY(QString chatLink READ chatLink NOTIFY noticeChanged)
    Q_PROPERTY(bool linkCopied READ linkCopied NOTIFY linkCopiedChanged)
    Q_PROPERTY(qint64 openCount READ openCount NOTIFY openCountChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE requestLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(bool submitAfterPaste READ submitAfterPaste WRITE setSubmitAfterPaste)
    // The interface language as chosen: "system", "ar" or "en".
    Q_PROPERTY(QString languageChoice READ languageChoice NOTIFY languageChoiceChanged)
public:
    enum class Section { number, messages };
    Q_ENUM(Section)
    enum class Notice { noNumber, couldNotOpen };

    using RegionSource = std::function<PhoneKit::Region()>;

    PanelModel(
        LoginItem& loginItem, MessagesModel& messages, ClipboardService& clipboard, WorkspaceService& workspace,
        AppLanguageState& language, RegionSource currentRegion = [] { return PhoneKit::Region::current(); },
        QObject* parent = nullptr);

    Section section() const { return section_; }
    void setSection(Section section);
    QString sectionName() const { return section_ == Section::messages ? "messages" : "number"; }
    /// Any other name is the number section.
    void setSectionName(const QString& name) { setSection(name == "messages" ? Section::messages : Section::number); }
    QString text() const { return text_; }
    void setText(const QString& text);
    bool offersPaste() const { return offersPaste_; }
    const std::vector<PhoneKit::PhoneNumber>& choices() const { return choices_; }
    std::optional<Notice> notice() const { return notice_; }
    QString noticeText() const;
    QString chatLink() const;
    bool linkCopied() const { return linkCopied_; }
    /// Puts `chatLink` on the clipboard.
    Q_INVOKABLE void copyChatLink();
    qint64 openCount() const { return openCount_; }
    bool launchAtLogin() const { return launchAtLogin_; }
    /// The switch: asks the login item and shows what it reports.
    void requestLaunchAtLogin(bool on);
    bool submitAfterPaste() const { return submitAfterPaste_; }
    void setSubmitAfterPaste(bool on) { submitAfterPaste_ = on; }
    MessagesModel& messages() const { return messages_; }

    /// Before the panel shows: a fresh start, without the last notice.
    Q_INVOKABLE void panelWillOpen();
    /// Once the panel is on screen with the focus: the copied number, if
    /// there is a new one, fills the field when the clipboard answers. A
    /// Wayland compositor shows the clipboard only to the focused window, and
    /// a slow clipboard owner then delays the prefill, never the panel.
    void prefillFromClipboard();
    /// The next opening reads the clipboard even when it was read already.
    void consultClipboardAgain() { lastPrefilledChange_.reset(); }
    bool refreshLaunchAtLogin();
    Q_INVOKABLE void submit();
    void open(const PhoneKit::PhoneNumber& number);
    Q_INVOKABLE void openChoice(int index);
    void setLanguage(MacKit::LanguageChoice choice);
    QString languageChoice() const;
    /// The More menu's choice, by its raw value; anything else changes nothing.
    Q_INVOKABLE void chooseLanguage(const QString& choice);
    /// The More menu's Quit.
    Q_INVOKABLE void quitApplication() { quit(); }

    std::function<void()> close = [] {};
    std::function<void()> quit = [] {};
    std::function<void()> languageChanged = [] {};

signals:
    void sectionChanged();
    void textChanged();
    void offersPasteChanged();
    void choicesChanged();
    void noticeChanged();
    void openCountChanged();
    void launchAtLoginChanged();
    void languageChoiceChanged();
    void linkCopiedChanged();

private:
    void setOffersPaste(bool on);
    void setChoices(std::vector<PhoneKit::PhoneNumber> choices);
    void setNotice(std::optional<Notice> notice);
    void setLinkCopied(bool copied);
    void setLaunchAtLogin(bool on);
    void textDidChange();
    QVariantList choiceRows() const;

    Section section_ = Section::number;
    MessagesModel& messages_;
    QString text_;
    bool offersPaste_ = false;
    std::vector<PhoneKit::PhoneNumber> choices_;
    std::optional<Notice> notice_;
    std::optional<PhoneKit::PhoneNumber> notOpened_;  // the chat of the couldNotOpen notice
    bool linkCopied_ = false;
    qint64 openCount_ = 0;
    bool launchAtLogin_ = false;
    LoginItem& loginItem_;
    ClipboardService& clipboard_;
    WorkspaceService& workspace_;
    AppLanguageState& language_;
    RegionSource currentRegion_;
    std::optional<long> lastPrefilledChange_;
    bool submitAfterPaste_ = false;
};
