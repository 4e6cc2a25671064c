#include "services/SearchAnswers.h"

#include "platform/Log.h"
#include "services/AppLanguageState.h"
#include "services/ChatOpening.h"

#include <MacKit/DesktopSearch.h>
#include <MacKit/MessageBook.h>

SearchAnswers::SearchAnswers(WorkspaceService& workspace, const AppLanguageState& language,
                             std::function<Messages()> messages, QObject* parent)
    : QObject(parent), workspace_(workspace), language_(language), messages_(std::move(messages)) {}

QList<SearchProviders::Result> SearchAnswers::query(const QString& query) const {
    const Messages messages = messages_();
    const QByteArray text = query.toUtf8();
    QList<SearchProviders::Result> results;
    for (const auto& answer :
         MacKit::DesktopSearch::answers(std::string_view(text.constData(), std::size_t(text.size())),
                                        PhoneKit::Region::current(), *messages.list, messages.languageID, titles_)) {
        const QString shown = QString::fromStdString(answer.shown);
        if (answer.kind == MacKit::DesktopSearch::Answer::Case::chat) {
            // The number keeps its own direction inside an Arabic sentence.
            //: A result in the desktop's search (GNOME, KRunner); %1 is a phone number such as +966 50 123 4567
            const QString name = language_.text(QT_TRANSLATE_NOOP("tovu", "Open chat with %1"))
                                     .arg(QStringLiteral("\u2066") + shown + QStringLiteral("\u2069"));
            results.append({QString::fromStdString(answer.id), name, {}, true});
        } else {
            results.append({QString::fromStdString(answer.id), shown, QString::fromStdString(answer.detail), false});
        }
    }
    return results;
}

void SearchAnswers::activate(const QString& id) {
    const Messages messages = messages_();
    const QByteArray bytes = id.toUtf8();
    const auto target = MacKit::DesktopSearch::target(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                                      PhoneKit::Region::current(), *messages.list, messages.languageID);
    if (target.chat) {
        if (!ChatOpening::openChat(workspace_, *target.chat)) {
            Log::searchNotOpened();
            emit chatNotOpened(QString::fromStdString(target.chat->display()));
        }
    } else if (target.message) {
        const bool opened = ChatOpening::openFirst(
            workspace_, MacKit::MessageBook::sendCandidates(*target.message, messages.languageID,
                                                            ChatOpening::whatsAppInstalled(workspace_)));
        if (!opened) Log::searchNotOpened();
    }
}
