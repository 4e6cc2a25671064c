#include "models/MessagesModel.h"

#include "services/ChatOpening.h"
#include "services/LanguageID.h"

#include <PhoneKit/messages/AppLanguage.h>
#include <PhoneKit/support/Text.h>

#include <algorithm>

int MessageRows::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

QVariant MessageRows::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const Row& row = rows_[std::size_t(index.row())];
    switch (role) {
        case idRole: return row.id;
        case kindRole: return row.kind;
        case titleRole: return row.title;
        case previewRole: return row.preview;
        case needsFillingRole: return row.needsFilling;
        default: return {};
    }
}

QHash<int, QByteArray> MessageRows::roleNames() const {
    return {{idRole, "messageId"},
            {kindRole, "kind"},
            {titleRole, "title"},
            {previewRole, "preview"},
            {needsFillingRole, "needsFilling"}};
}

bool MessageRows::update(std::vector<Row> rows) {
    // One edit, deletion or addition touches one stretch of the list: what
    // lies before and after it stays, and its delegates with it.
    const auto oldSize = rows_.size(), newSize = rows.size();
    std::size_t head = 0;
    while (head < std::min(oldSize, newSize) && rows_[head] == rows[head]) ++head;
    std::size_t tail = 0;
    while (tail < std::min(oldSize, newSize) - head && rows_[oldSize - 1 - tail] == rows[newSize - 1 - tail]) ++tail;
    const std::size_t oldMiddle = oldSize - head - tail, newMiddle = newSize - head - tail;
    const std::size_t changed = std::min(oldMiddle, newMiddle);
    std::copy_n(std::make_move_iterator(rows.begin() + std::ptrdiff_t(head)), changed,
                rows_.begin() + std::ptrdiff_t(head));
    if (changed > 0) emit dataChanged(index(int(head)), index(int(head + changed - 1)));
    const std::size_t from = head + changed;
    if (oldMiddle > newMiddle) {
        beginRemoveRows({}, int(from), int(head + oldMiddle - 1));
        rows_.erase(rows_.begin() + std::ptrdiff_t(from), rows_.begin() + std::ptrdiff_t(head + oldMiddle));
        endRemoveRows();
    } else if (newMiddle > oldMiddle) {
        beginInsertRows({}, int(from), int(head + newMiddle - 1));
        rows_.insert(rows_.begin() + std::ptrdiff_t(from), std::make_move_iterator(rows.begin() + std::ptrdiff_t(from)),
                     std::make_move_iterator(rows.begin() + std::ptrdiff_t(head + newMiddle)));
        endInsertRows();
    }
    return oldMiddle + newMiddle > 0;
}

MessagesModel::MessagesModel(PhoneKit::TemplateStore store, const std::string& interfaceID,
                             PhoneKit::DefaultsDomain& defaults, WorkspaceService& workspace, QObject* parent)
    : QObject(parent),
      book_(MacKit::MessageBook::opened(std::move(store), defaults.string(LanguageID::messagesKey),
                                        LanguageID::messagesAtStart(defaults, interfaceID))),
      defaults_(defaults),
      workspace_(workspace) {
    rows_.update(rowsOfBook());
    defaults_.setValue(LanguageID::messagesKey, book_.languageID());
}

QVariantList MessagesModel::languages() {
    QVariantList languages;
    for (const PhoneKit::AppLanguage& language : PhoneKit::AppLanguage::all()) {
        languages.append(QVariantMap{{"id", QString::fromStdString(language.id)},
                                     {"name", QString::fromStdString(language.nativeName)}});
    }
    return languages;
}

void MessagesModel::setDraft(const QString& draft) {
    if (draft == draft_) return;
    draft_ = draft;
    emit draftChanged();
}

bool MessagesModel::draftTooLong() const { return !PhoneKit::fitsInMessage(draft_.toStdString()); }

bool MessagesModel::listFull() const {
    return isEditingNew() && book_.messages().size() >= PhoneKit::TemplateLimits::messages;
}

bool MessagesModel::canSave() const { return editing_ && book_.accepts(draft_.toStdString(), editing_->existing); }

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
    change();
    if (rows_.update(rowsOfBook())) emit messagesChanged();
}

void MessagesModel::saveDraft() {
    if (!canSave()) return;
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
    moveTo(languageID);
    defaults_.removeValue(LanguageID::messagesChosenKey);  // the messages follow the interface again
}

bool MessagesModel::chooseLanguage(const QString& languageID) {
    const std::string id = languageID.toStdString();
    const auto& languages = PhoneKit::AppLanguage::all();
    if (std::none_of(languages.begin(), languages.end(), [&](const PhoneKit::AppLanguage& l) { return l.id == id; }))
        return false;
    moveTo(id);
    defaults_.setValue(LanguageID::messagesChosenKey, true);
    return true;
}

void MessagesModel::moveTo(const std::string& languageID) {
    endEditing();
    const bool moved = languageID != book_.languageID();
    changeList([&] { book_.switchLanguage(languageID); });
    defaults_.setValue(LanguageID::messagesKey, languageID);
    if (moved) emit languageIDChanged();
}

std::vector<MessageRows::Row> MessagesModel::rowsOfBook() const {
    std::vector<MessageRows::Row> rows;
    rows.reserve(book_.messages().size());
    for (const auto& message : book_.messages()) {
        rows.push_back({QString::fromStdString(message.id),
                        QString::fromStdString(std::string(PhoneKit::toString(message.kind))),
                        QString::fromStdString(book_.title(message)), QString::fromStdString(message.preview()),
                        book_.needsFilling(message)});
    }
    return rows;
}
