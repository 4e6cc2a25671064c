#pragma once

#include "platform/SearchProviders.h"
#include "platform/Services.h"

#include <MacKit/DesktopSearch.h>
#include <PhoneKit/messages/Templates.h>

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class AppLanguageState;

/// The desktop's search answered as the panel would: the chats of the
/// numbers in the query, read for the current region, and the ready-made
/// messages it names, opened as the panel and the Messages section open
/// them. Nothing of a query is logged.
class SearchAnswers final : public QObject {
    Q_OBJECT
public:
    /// The message list and the language it is in, as they are now.
    struct Messages {
        const std::vector<PhoneKit::MessageTemplate>* list;
        std::string languageID;
    };

    SearchAnswers(WorkspaceService& workspace, const AppLanguageState& language, std::function<Messages()> messages,
                  QObject* parent = nullptr);

    QList<SearchProviders::Result> query(const QString& query) const;
    void activate(const QString& id);

signals:
    /// A number's chat did not open; `number` as the panel shows it.
    void chatNotOpened(const QString& number);

private:
    WorkspaceService& workspace_;
    const AppLanguageState& language_;
    std::function<Messages()> messages_;
    mutable MacKit::DesktopSearch::Titles titles_;
};
