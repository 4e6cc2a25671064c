// DBusMenu on a real, private dbus-daemon, read and clicked as a tray would,
// with the menu's own QActions changed underneath.
#include "Fakes.h"
#include "platform/DBusMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>

#include <functional>
#include <optional>

namespace {

struct Node {
    int id = 0;
    QVariantMap properties;
    QList<Node> children;
    QString label() const { return properties.value("label", properties.value("type")).toString(); }
};

Node node(const QDBusArgument& argument) {
    Node node;
    argument.beginStructure();
    argument >> node.id >> node.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        node.children.append(::node(child.variant().value<QDBusArgument>()));
    }
    argument.endArray();
    argument.endStructure();
    return node;
}

QStringList labels(const Node& parent) {
    QStringList labels;
    for (const Node& child : parent.children) labels << child.label();
    return labels;
}

// The D-Bus signals the menu sends.
class Signals final : public QObject {
    Q_OBJECT
public:
    QList<QDBusMessage> received;
public slots:
    void record(const QDBusMessage& message) { received.append(message); }
};

// A menu as tovu's: a plain item with a mnemonic, a checkmark, a submenu of
// radio items, a separator and a disabled item, on a private bus of its own.
struct MenuRig {
    QProcess daemon;
    QMenu menu;
    QAction* open = menu.addAction("&Open tovu");
    QAction* tick = menu.addAction("snake_case");
    QMenu* sub = menu.addMenu("Language");
    QActionGroup group{sub};
    QAction* first = sub->addAction("First");
    QAction* second = sub->addAction("Second");
    QAction* separator = menu.addSeparator();
    QAction* off = menu.addAction("Off");
    DBusMenu exported{menu};
    std::optional<QDBusConnection> served;
    std::optional<QDBusConnection> client;
    QString service;
    Signals heard;

    MenuRig() {
        tick->setCheckable(true);
        for (QAction* action : {first, second}) {
            action->setCheckable(true);
            group.addAction(action);
        }
        first->setChecked(true);
        off->setEnabled(false);
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!daemon.waitForReadyRead(10000)) return;
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        static int count = 0;
        ++count;
        served = QDBusConnection::connectToBus(address, QString("dbusmenu-served-%1").arg(count));
        client = QDBusConnection::connectToBus(address, QString("dbusmenu-client-%1").arg(count));
        if (!served->isConnected() || !client->isConnected() || !exported.publish(*served, "/MenuBar")) {
            served.reset();
            return;
        }
        service = served->baseService();
        for (const char* name : {"LayoutUpdated", "ItemsPropertiesUpdated"}) {
            client->connect(service, "/MenuBar", "com.canonical.dbusmenu", name, &heard, SLOT(record(QDBusMessage)));
        }
        client->connect(service, "/MenuBar", "org.freedesktop.DBus.Properties", "PropertiesChanged", &heard,
                        SLOT(record(QDBusMessage)));
    }
    ~MenuRig() {
        if (client) QDBusConnection::disconnectFromBus(client->name());
        if (served) QDBusConnection::disconnectFromBus(served->name());
        daemon.terminate();
        daemon.waitForFinished();
    }

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, "/MenuBar", interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = client->asyncCall(message);
        eventually([&] { return pending.isFinished(); });
        return pending.reply();
    }
    QDBusMessage call(const QString& method, const QVariantList& arguments) {
        return call("com.canonical.dbusmenu", method, arguments);
    }
    Node layout() {
        const QDBusMessage reply = call("GetLayout", {0, -1, QStringList()});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2) return {};
        return node(reply.arguments()[1].value<QDBusArgument>());
    }
    QVariant property(const QString& name) {
        const QDBusMessage reply =
            call("org.freedesktop.DBus.Properties", "Get", {QString("com.canonical.dbusmenu"), name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    void click(int id) { call("Event", {id, QString("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u}); }
};

TEST(DBusMenu, LaysTheMenuOutAsTheTrayDrawsIt) {
    MenuRig rig;
    ASSERT_TRUE(rig.served.has_value());
    EXPECT_EQ(rig.property("Version").toUInt(), 3u);
    EXPECT_EQ(rig.property("Status").toString(), "normal");
    const Node root = rig.layout();
    EXPECT_EQ(root.id, 0);
    // "&" marks Qt's mnemonic and "_" dbusmenu's: each is translated.
    ASSERT_EQ(labels(root), QStringList({"_Open tovu", "snake__case", "Language", "separator", "Off"}));
    const struct {
        int row;
        const char* property;
        QVariant value;
    } expected[] = {
        {0, "enabled", true},     {1, "toggle-type", "checkmark"},
        {1, "toggle-state", 0},   {2, "children-display", "submenu"},
        {3, "type", "separator"}, {4, "enabled", false},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(std::string("row ") + std::to_string(e.row) + " " + e.property);
        EXPECT_EQ(root.children[e.row].properties.value(e.property), e.value);
    }
    EXPECT_FALSE(root.children[0].properties.contains("toggle-type"));
    const Node language = root.children[2];
    ASSERT_EQ(labels(language), QStringList({"First", "Second"}));
    EXPECT_EQ(language.children[0].properties.value("toggle-state"), 1);
    EXPECT_EQ(language.children[1].properties.value("toggle-state"), 0);

    EXPECT_EQ(rig.call("GetLayout", {9999, -1, QStringList()}).type(), QDBusMessage::ErrorMessage);
    // One property alone.
    const int openId = root.children[0].id;
    EXPECT_EQ(rig.call("GetProperty", {openId, QString("label")}).arguments().value(0).value<QDBusVariant>().variant(),
              "_Open tovu");
}

TEST(DBusMenu, ChangesToTheActionsReachTheTray) {
    MenuRig rig;
    ASSERT_TRUE(rig.served.has_value());
    const Node root = rig.layout();
    ASSERT_EQ(root.children.size(), 5);
    const int subId = root.children[2].id;
    const struct {
        const char* what;
        std::function<void()> change;
        const char* signal;
        std::function<bool(const Node&)> after;
    } changes[] = {
        {"a new label", [&] { rig.open->setText("Open it"); }, "ItemsPropertiesUpdated",
         [](const Node& n) { return n.children[0].label() == "Open it"; }},
        {"a tick", [&] { rig.tick->setChecked(true); }, "ItemsPropertiesUpdated",
         [](const Node& n) { return n.children[1].properties.value("toggle-state") == 1; }},
        {"another radio item", [&] { rig.second->setChecked(true); }, "ItemsPropertiesUpdated",
         [](const Node& n) { return n.children[2].children[1].properties.value("toggle-state") == 1; }},
        {"a disabled item", [&] { rig.open->setEnabled(false); }, "ItemsPropertiesUpdated",
         [](const Node& n) { return n.children[0].properties.value("enabled") == false; }},
        {"an item more", [&] { rig.menu.addAction("Added"); }, "LayoutUpdated",
         [](const Node& n) { return labels(n).size() == 6 && labels(n).last() == "Added"; }},
        {"an item less in the submenu", [&] { rig.sub->removeAction(rig.first); }, "LayoutUpdated",
         [](const Node& n) { return labels(n.children[2]) == QStringList({"Second"}); }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        rig.heard.received.clear();
        c.change();
        ASSERT_TRUE(eventually([&] { return !rig.heard.received.isEmpty(); }));
        const QDBusMessage& signal = rig.heard.received.first();
        EXPECT_EQ(signal.member(), c.signal);
        if (signal.member() == "LayoutUpdated") {
            // The revision grows, and the parent is the menu that changed.
            const int parent = signal.arguments().value(1).toInt();
            EXPECT_EQ(parent, std::string(c.what).find("submenu") != std::string::npos ? subId : 0);
            EXPECT_EQ(signal.arguments().value(0).toUInt(),
                      rig.call("GetLayout", {0, 0, QStringList()}).arguments().value(0).toUInt());
        }
        EXPECT_TRUE(c.after(rig.layout()));
    }

    // The direction of the interface, announced as a property change.
    rig.heard.received.clear();
    rig.exported.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(rig.property("TextDirection").toString(), "rtl");
    ASSERT_TRUE(eventually([&] { return !rig.heard.received.isEmpty(); }));
    EXPECT_EQ(rig.heard.received.first().arguments().value(0).toString(), "com.canonical.dbusmenu");
}

TEST(DBusMenu, AClickTriggersTheActionAndOpeningAsksTheMenu) {
    MenuRig rig;
    ASSERT_TRUE(rig.served.has_value());
    const Node root = rig.layout();
    ASSERT_EQ(root.children.size(), 5);
    QSignalSpy opened(rig.open, &QAction::triggered);
    QSignalSpy disabled(rig.off, &QAction::triggered);
    QSignalSpy ticked(rig.tick, &QAction::toggled);
    QSignalSpy aboutToShow(&rig.menu, &QMenu::aboutToShow);
    QSignalSpy subAboutToShow(rig.sub, &QMenu::aboutToShow);

    EXPECT_EQ(rig.call("AboutToShow", {0}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(aboutToShow.count(), 1);
    rig.call("AboutToShowGroup", {QVariant::fromValue(QList<int>{root.children[2].id})});
    EXPECT_EQ(subAboutToShow.count(), 1);

    // A disabled item does nothing; the clicks are handled in order, so
    // once the next one has been, the disabled one has had its chance.
    rig.click(root.children[4].id);
    rig.click(root.children[0].id);
    ASSERT_TRUE(eventually([&] { return opened.count() == 1; }));
    EXPECT_EQ(disabled.count(), 0);
    rig.click(root.children[1].id);
    ASSERT_TRUE(eventually([&] { return ticked.count() == 1; }));
    EXPECT_TRUE(rig.tick->isChecked());
    EXPECT_EQ(rig.call("Event", {4242, QString("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u}).type(),
              QDBusMessage::ErrorMessage);
}

}  // namespace

#include "DBusMenuTests.moc"
