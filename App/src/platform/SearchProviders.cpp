#include "platform/SearchProviders.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>

namespace {

const QString kShellPath = QStringLiteral("/app/tovu/tovu/SearchProvider");
const QString kRunnerPath = QStringLiteral("/app/tovu/tovu/KRunner");
const QString kIcon = QStringLiteral("app.tovu.tovu");
// KRunner's match types.
constexpr int kExactMatch = 100;
constexpr int kPossibleMatch = 30;

}  // namespace

const QString SearchProviders::busName = QStringLiteral("app.tovu.tovu.SearchProvider");

QDBusArgument& operator<<(QDBusArgument& argument, const RunnerMatch& match) {
    argument.beginStructure();
    argument << match.id << match.text << match.icon << match.type << match.relevance << match.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerMatch& match) {
    argument.beginStructure();
    argument >> match.id >> match.text >> match.icon >> match.type >> match.relevance >> match.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const RunnerAction& action) {
    argument.beginStructure();
    argument << action.id << action.text << action.icon;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerAction& action) {
    argument.beginStructure();
    argument >> action.id >> action.text >> action.icon;
    argument.endStructure();
    return argument;
}

SearchProviders::SearchProviders(Answers answers, QObject* parent) : QObject(parent), answers_(std::move(answers)) {
    qDBusRegisterMetaType<QList<QVariantMap>>();
    qDBusRegisterMetaType<RunnerMatch>();
    qDBusRegisterMetaType<QList<RunnerMatch>>();
    qDBusRegisterMetaType<RunnerAction>();
    qDBusRegisterMetaType<QList<RunnerAction>>();
}

SearchProviders::~SearchProviders() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!shell_) return;
    bus.unregisterObject(kShellPath);
    bus.unregisterObject(kRunnerPath);
}

bool SearchProviders::publish(bool yielding) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    shell_ = std::make_unique<ShellSearchProvider>(*this);
    runner_ = std::make_unique<KRunnerProvider>(*this);
    if (!bus.registerObject(kShellPath, shell_.get(), QDBusConnection::ExportAllSlots) ||
        !bus.registerObject(kRunnerPath, runner_.get(), QDBusConnection::ExportAllSlots)) {
        return false;
    }
    connect(bus.interface(), &QDBusConnectionInterface::serviceUnregistered, this, [this](const QString& name) {
        if (name == busName) emit nameLost();
    });
    // The running tovu takes the name from a provider the bus started; that
    // one gives it up, and is never handed it back.
    const auto reply = yielding
                           ? bus.interface()->registerService(busName, QDBusConnectionInterface::DontQueueService,
                                                              QDBusConnectionInterface::AllowReplacement)
                           : bus.interface()->registerService(busName, QDBusConnectionInterface::ReplaceExistingService,
                                                              QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

QList<SearchProviders::Result> SearchProviders::query(const QString& query) {
    emit used();
    last_ = answers_.query(query);
    return last_;
}

void SearchProviders::activate(const QString& id) {
    emit used();
    answers_.activate(id);
}

void SearchProviders::launch(const QString& query) {
    emit used();
    answers_.launch(query);
}

QList<SearchProviders::Result> SearchProviders::known(const QStringList& ids) const {
    QList<Result> found;
    for (const QString& id : ids) {
        for (const Result& result : last_) {
            if (result.id == id) found.append(result);
        }
    }
    return found;
}

QStringList ShellSearchProvider::GetInitialResultSet(const QStringList& terms) {
    QStringList ids;
    for (const auto& result : providers_.query(terms.join(' '))) ids.append(result.id);
    return ids;
}

QStringList ShellSearchProvider::GetSubsearchResultSet(const QStringList&, const QStringList& terms) {
    // Narrowing the earlier results would miss a number the new letters complete.
    return GetInitialResultSet(terms);
}

QList<QVariantMap> ShellSearchProvider::GetResultMetas(const QStringList& identifiers) {
    QList<QVariantMap> metas;
    for (const auto& result : providers_.known(identifiers)) {
        metas.append({{"id", result.id}, {"name", result.name}, {"gicon", kIcon}, {"description", result.description}});
    }
    return metas;
}

void ShellSearchProvider::ActivateResult(const QString& identifier, const QStringList&, uint) {
    providers_.activate(identifier);
}

void ShellSearchProvider::LaunchSearch(const QStringList& terms, uint) { providers_.launch(terms.join(' ')); }

QList<RunnerAction> KRunnerProvider::Actions() { return {}; }

QList<RunnerMatch> KRunnerProvider::Match(const QString& query) {
    QList<RunnerMatch> matches;
    for (const auto& result : providers_.query(query)) {
        QVariantMap properties;
        if (!result.description.isEmpty()) properties.insert(QStringLiteral("subtext"), result.description);
        matches.append({result.id, result.name, kIcon, result.exact ? kExactMatch : kPossibleMatch,
                        result.exact ? 1.0 : 0.5, properties});
    }
    return matches;
}

void KRunnerProvider::Run(const QString& matchId, const QString&) { providers_.activate(matchId); }
