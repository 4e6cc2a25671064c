#pragma once

#include <QDBusArgument>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>

/// tovu in the desktop's search: GNOME Shell's search provider
/// (org.gnome.Shell.SearchProvider2) and KRunner's D-Bus runner
/// (org.kde.krunner1), both under the bus name app.tovu.tovu.SearchProvider.
/// The running tovu holds the name; without one, the bus starts
/// `tovu --search-provider`, which gives the name up to a tovu that starts.
class SearchProviders final : public QObject {
    Q_OBJECT
public:
    struct Result {
        QString id, name, description;
        bool exact = false;  ///< what the query asked for, not only something it names
    };
    /// The results of a query; `activate` opens one by its id, `launch`
    /// shows tovu with the query (GNOME's "more results").
    struct Answers {
        std::function<QList<Result>(const QString& query)> query;
        std::function<void(const QString& id)> activate;
        std::function<void(const QString& query)> launch;
    };
    static const QString busName;

    explicit SearchProviders(Answers answers, QObject* parent = nullptr);
    ~SearchProviders() override;

    /// Puts both providers on the session bus. `yielding`: the name goes
    /// to a tovu that asks for it, and false comes back when one holds it
    /// already.
    bool publish(bool yielding);

    QList<Result> query(const QString& query);
    void activate(const QString& id);
    void launch(const QString& query);
    /// The metas of the last results with these ids.
    QList<Result> known(const QStringList& ids) const;

signals:
    /// Each call from the desktop: a provider started for the search alone
    /// ends a while after the last.
    void used();
    /// Another process (a tovu that started) has the name now.
    void nameLost();

private:
    Answers answers_;
    QList<Result> last_;
    std::unique_ptr<QObject> shell_, runner_;
};

/// One KRunner match: (id, text, icon, type, relevance, properties).
struct RunnerMatch {
    QString id, text, icon;
    int type = 0;
    double relevance = 0;
    QVariantMap properties;
};
/// One KRunner action: (id, text, icon).
struct RunnerAction {
    QString id, text, icon;
};
Q_DECLARE_METATYPE(RunnerMatch)
Q_DECLARE_METATYPE(RunnerAction)
QDBusArgument& operator<<(QDBusArgument& argument, const RunnerMatch& match);
const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerMatch& match);
QDBusArgument& operator<<(QDBusArgument& argument, const RunnerAction& action);
const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerAction& action);

/// org.gnome.Shell.SearchProvider2 over SearchProviders.
class ShellSearchProvider final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")
public:
    explicit ShellSearchProvider(SearchProviders& providers) : providers_(providers) {}

public slots:
    QStringList GetInitialResultSet(const QStringList& terms);
    QStringList GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms);
    QList<QVariantMap> GetResultMetas(const QStringList& identifiers);
    void ActivateResult(const QString& identifier, const QStringList& terms, uint timestamp);
    void LaunchSearch(const QStringList& terms, uint timestamp);

private:
    SearchProviders& providers_;
};

/// org.kde.krunner1 over SearchProviders.
class KRunnerProvider final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")
public:
    explicit KRunnerProvider(SearchProviders& providers) : providers_(providers) {}

public slots:
    QList<RunnerAction> Actions();
    QList<RunnerMatch> Match(const QString& query);
    void Run(const QString& matchId, const QString& actionId);

private:
    SearchProviders& providers_;
};
