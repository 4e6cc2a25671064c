#include "models/MessagesModel.h"

#include "services/ChatOpening.h"

#include <PhoneKit/support/Text.h>

#include <QVariantMap>

namespace {

// The book of the stored list, moved from the language it was last shown
// in to the current one.
MacKit::MessageBook openBook(PhoneKit::TemplateStore store, const std::string& languageID,
                             const PhoneKit::DefaultsDomain& defaults) {
    const auto shownIn = defaults.string(MessagesModel::languageKey);
    if (!shownIn || *shownIn == languageID) return MacKit::MessageBook(std::move(store), languageID);
    MacKit::MessageBook book(std::move(store), *shownIn);
    book.switchLanguage(languageID);
    return book;
}

}  // namespace

MessagesModel::MessagesModel(PhoneKit::TemplateStore store, const std::string& languageID,
                             PhoneKit::DefaultsDomain& defaults, WorkspaceService& workspace, QObject* parent)
    : QObject(parent),
      book_(openBook(std::move(store), languageID, defaults)),
      defaults_(defaults),
      workspace_(workspace) {
    defaults_.setValue(languageKey, languageID);
}

void MessagesModel::setDraft(const QString& draft) {
    if (draft == draft_) return;
    draft_ = draft;
    emit draftChanged();
}

bool MessagesModel::canSave() const { return !PhoneKit::Text::isBlank(draft_.toStdString()); }

void MessagesModel::setCouldNotOpen(bool value) {
    if (value == couldNotOpen_) return;
    couldNotOpen_ = value;
    emit couldNotOpenChanged();
}

void MessagesModel::setEditing(std::optional<Editing> editing) {
    if (editing == editing_) return;
    editing_ = std::move(editing);
    emit editingChanged();
}

void MessagesModel::startEditing(const PhoneKit::MessageTemplate& message) {
    setCouldNotOpen(false);
    setDraft(QString::fromStdString(book_.editorStart(message)));
    setEditing(Editing{message});
}

void MessagesModel::startNew() {
    setCouldNotOpen(false);
    setDraft({});
    setEditing(Editing{});
}

void MessagesModel::endEditing() {
    setEditing(std::nullopt);
    setDraft({});
}

void MessagesModel::changeList(const std::function<void()>& change) {
    // What the views see of the list; a change that leaves it as it was
    // (nothing to restore, an edit saved unchanged) notifies nothing.
    const QVariantList before = messageRows();
    change();
    if (messageRows() != before) emit messagesChanged();
}

void MessagesModel::saveDraft() {
    if (!editing_ || !canSave()) return;
    changeList([this] { book_.save(draft_.toStdString(), editing_->existing); });
    endEditing();
}

void MessagesModel::deleteEditing() {
    if (editing_ && editing_->existing) changeList([this] { book_.remove(*editing_->existing); });
    endEditing();
}

void MessagesModel::restoreMissing() {
    changeList([this] { book_.restoreMissing(); });
}

void MessagesModel::send(const PhoneKit::MessageTemplate& message) {
    const auto links = book_.sendCandidates(message, ChatOpening::whatsAppInstalled(workspace_));
    if (links.empty()) {  // an unfilled personal slot is filled in first, never sent
        startEditing(message);
        return;
    }
    const bool opened = ChatOpening::openFirst(workspace_, links);
    setCouldNotOpen(!opened);
    if (opened) close();
}

const PhoneKit::MessageTemplate* MessagesModel::find(const QString& id) const {
    const std::string wanted = id.toStdString();
    for (const auto& message : book_.messages()) {
        if (message.id == wanted) return &message;
    }
    return nullptr;
}

void MessagesModel::sendMessage(const QString& id) {
    if (const auto* message = find(id)) send(PhoneKit::MessageTemplate(*message));
}

void MessagesModel::editMessage(const QString& id) {
    if (const auto* message = find(id)) startEditing(PhoneKit::MessageTemplate(*message));
}

void MessagesModel::replaceMessages(std::vector<PhoneKit::MessageTemplate> messages) {
    endEditing();
    changeList([&] { book_.replaceAll(std::move(messages)); });
}

void MessagesModel::switchLanguage(const std::string& languageID) {
    endEditing();
    changeList([&] { book_.switchLanguage(languageID); });
    defaults_.setValue(languageKey, languageID);
}

QVariantList MessagesModel::messageRows() const {
    QVariantList rows;
    for (const auto& message : book_.messages()) {
        rows.append(QVariantMap{
            {"id", QString::fromStdString(message.id)},
            {"kind", QString::fromStdString(std::string(PhoneKit::toString(message.kind)))},
            {"title", QString::fromStdString(book_.title(message))},
            {"preview", QString::fromStdString(message.preview())},
            {"needsFilling", book_.needsFilling(message)},
        });
    }
    return rows;
}
