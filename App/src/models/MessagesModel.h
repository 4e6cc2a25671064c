#pragma once

#include "platform/Services.h"

#include <MacKit/MessageBook.h>

#include <QtQml/qqmlregistration.h>
#include <QAbstractListModel>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>
#include <vector>

/// The rows of the Messages list as a list view reads them: made lazily by
/// the view, and told of each row that came, went or changed rather than of
/// a new list, so a list of thousands stays as quick as one of thirteen.
class MessageRows : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the messages model makes it")
public:
    struct Row {
        QString id, kind, title, preview;
        bool needsFilling = false;
        friend bool operator==(const Row&, const Row&) = default;
    };
    enum Role { idRole = Qt::UserRole + 1, kindRole, titleRole, previewRole, needsFillingRole };

    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const std::vector<Row>& rows() const { return rows_; }
    /// Takes `rows`, telling the views only of the rows that differ; false
    /// when nothing did.
    bool update(std::vector<Row> rows);

private:
    std::vector<Row> rows_;
};

/// The Messages section: the list, the editor and the last send's failure.
class MessagesModel final : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the application makes it")
    Q_PROPERTY(MessageRows* rows READ rows CONSTANT)
    Q_PROPERTY(bool isEditing READ isEditing NOTIFY editingChanged)
    Q_PROPERTY(bool isEditingNew READ isEditingNew NOTIFY editingChanged)
    Q_PROPERTY(QString draft READ draft WRITE setDraft NOTIFY draftChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY draftChanged)
    // Why Save stays off although the draft has text: the editor says so.
    Q_PROPERTY(bool draftTooLong READ draftTooLong NOTIFY draftChanged)
    Q_PROPERTY(bool listFull READ listFull NOTIFY draftChanged)
    Q_PROPERTY(int maximumCharacters READ maximumCharacters CONSTANT)
    Q_PROPERTY(int maximumMessages READ maximumMessages CONSTANT)
    Q_PROPERTY(bool couldNotOpen READ couldNotOpen WRITE setCouldNotOpen NOTIFY couldNotOpenChanged)
    Q_PROPERTY(int missingCount READ missingCount NOTIFY messagesChanged)
    // The messages' own language, which may differ from the interface's.
    Q_PROPERTY(QString languageID READ languageID NOTIFY languageIDChanged)
    Q_PROPERTY(QVariantList languages READ languages CONSTANT)
public:
    /// What the editor is open on: a message as it was when editing began,
    /// or a message that does not exist yet (`existing` empty).
    struct Editing {
        std::optional<PhoneKit::MessageTemplate> existing;
        friend bool operator==(const Editing&, const Editing&) = default;
    };

    /// The messages in the language the user chose for them, or else in
    /// the interface's, `interfaceID`.
    MessagesModel(PhoneKit::TemplateStore store, const std::string& interfaceID, PhoneKit::DefaultsDomain& defaults,
                  WorkspaceService& workspace, QObject* parent = nullptr);

    const MacKit::MessageBook& book() const { return book_; }
    MessageRows* rows() { return &rows_; }
    bool isEditing() const { return editing_.has_value(); }
    bool isEditingNew() const { return editing_ && !editing_->existing; }
    QString draft() const { return draft_; }
    void setDraft(const QString& draft);
    bool canSave() const;
    bool draftTooLong() const;
    bool listFull() const;
    static int maximumCharacters() { return int(PhoneKit::TemplateLimits::characters); }
    static int maximumMessages() { return int(PhoneKit::TemplateLimits::messages); }
    bool couldNotOpen() const { return couldNotOpen_; }
    void setCouldNotOpen(bool value);
    int missingCount() const { return int(book_.missingCount()); }
    QString languageID() const { return QString::fromStdString(book_.languageID()); }
    /// Each language the messages come in: {id, name} in its own name.
    static QVariantList languages();

    void startEditing(const PhoneKit::MessageTemplate& message);
    Q_INVOKABLE void startNew();
    /// The editor's back button: the list again, the draft dropped.
    Q_INVOKABLE void endEditing();
    Q_INVOKABLE void saveDraft();
    Q_INVOKABLE void deleteEditing();
    Q_INVOKABLE void restoreMissing();
    void send(const PhoneKit::MessageTemplate& message);
    Q_INVOKABLE void sendMessage(const QString& id);
    Q_INVOKABLE void editMessage(const QString& id);
    /// The interface's language changed: the messages follow it.
    void switchLanguage(const std::string& languageID);
    /// The user chose a language for the messages; false for one they do
    /// not come in.
    Q_INVOKABLE bool chooseLanguage(const QString& languageID);
    /// An imported list in place of the current one; the editor closes.
    void replaceMessages(std::vector<PhoneKit::MessageTemplate> messages);

    /// Called after a message went to WhatsApp; the shell closes the panel.
    std::function<void()> close = [] {};

signals:
    void messagesChanged();
    void editingChanged();
    void draftChanged();
    void couldNotOpenChanged();
    void languageIDChanged();

private:
    std::vector<MessageRows::Row> rowsOfBook() const;
    void changeList(const std::function<void()>& change);
    void setEditing(std::optional<Editing> editing);
    void moveTo(const std::string& languageID);
    const PhoneKit::MessageTemplate* find(const QString& id) const;

    MacKit::MessageBook book_;
    MessageRows rows_;
    PhoneKit::DefaultsDomain& defaults_;
    WorkspaceService& workspace_;
    std::optional<Editing> editing_;
    QString draft_;
    bool couldNotOpen_ = false;
};
