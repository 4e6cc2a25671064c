// The Linux adapters against the real thing: a settings file, an autostart
// entry, QClipboard, URL handlers registered in a temporary XDG folder, and
// two real tovu processes.
#include "Fakes.h"
#include "platform/AutostartLogin.h"
#include "platform/Settings.h"
#include "platform/SystemClipboard.h"
#include "platform/TerminationSignals.h"
#include "services/LoginItem.h"
#include "services/PowerOffWindow.h"

#include <MacKit/MessageBook.h>
#include <PhoneKit/messages/TemplateTexts.h>
#include <PhoneKit/stores/TemplateStore.h>

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

// GLib names a struct member "signals", which Qt defines as a keyword.
#undef signals
#include <gio/gdesktopappinfo.h>
#define signals Q_SIGNALS

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

namespace {

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    if (executable) file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

unsigned modeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777U : 0U;
}

std::string readInAnotherProcess(const QString& file, const char* key) {
    QProcess reader;
    reader.start(QCoreApplication::applicationFilePath(), {"--read-settings", file, key});
    reader.waitForFinished();
    return reader.readAllStandardOutput().toStdString();
}

// A temporary desktop: its own XDG folders, and handler applications that
// write the URL they were given to a log.
struct Desktop {
    QTemporaryDir root;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    Desktop() {
        for (const char* name : {"config", "data/applications", "runtime"}) QDir(root.path()).mkpath(name);
        QFile::setPermissions(root.path() + "/runtime",
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert("HOME", root.path());
        environment.insert("XDG_CONFIG_HOME", root.path() + "/config");
        environment.insert("XDG_DATA_HOME", root.path() + "/data");
        environment.insert("XDG_DATA_DIRS", root.path() + "/none");  // no system handlers
        environment.insert("XDG_RUNTIME_DIR", root.path() + "/runtime");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
        environment.remove("DISPLAY");
        environment.insert("TZ", "Asia/Riyadh");
    }

    QString log(const QString& handler) const { return root.path() + "/" + handler + ".log"; }

    void registerHandler(const QString& handler, const QString& mimeType) {
        const QString script = root.path() + "/" + handler + ".sh";
        writeFile(script, ("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log(handler) + "'\n").toUtf8(), true);
        writeFile(root.path() + "/data/applications/" + handler + ".desktop",
                  ("[Desktop Entry]\nType=Application\nName=" + handler + "\nExec=" + script +
                   " %u\nMimeType=" + mimeType + ";\nNoDisplay=true\n")
                      .toUtf8());
        QFile list(root.path() + "/config/mimeapps.list");
        const bool fresh = !list.exists();
        list.open(QIODevice::Append);
        if (fresh) list.write("[Default Applications]\n");
        list.write((mimeType + "=" + handler + ".desktop\n").toUtf8());
    }

    // Under a bound on its memory, so that a command that reads without
    // limit fails here rather than taking the machine.
    int run(const QStringList& arguments, QString* out = nullptr, QString* err = nullptr) const {
        QProcess process;
        process.setProcessEnvironment(environment);
#ifndef __SANITIZE_ADDRESS__  // which reserves terabytes of address space
        process.setChildProcessModifier([] {
            const rlimit bound{1024UL << 20, 1024UL << 20};
            ::setrlimit(RLIMIT_AS, &bound);
        });
#endif
        process.start(TOVU_EXECUTABLE, arguments);
        if (!process.waitForFinished(20000)) return -1;
        if (out) *out = QString::fromUtf8(process.readAllStandardOutput());
        if (err) *err = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }

    std::unique_ptr<QProcess> start() const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(TOVU_EXECUTABLE, {});
        process->waitForStarted();
        return process;
    }

    QString socket() const { return root.path() + "/runtime/tovu.socket"; }
};

}  // namespace

TEST(SettingsDefaults, KeepsTypesAcrossProcesses) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/tovu.conf";
    {
        SettingsDefaults settings(file);
        settings.setValue("templates", PhoneKit::DefaultsDomain::Blob{"[{\"id\":\"a\"}]"});
        settings.setValue("languageChoice", std::string("ar"));
        settings.setValue("withComma", std::string("a, b"));
        settings.setValue("loginItemDefaultApplied", true);
        settings.setValue("gone", std::string("x"));
        settings.removeValue("gone");
    }
    EXPECT_EQ(readInAnotherProcess(file, "templates"), "bytes:[{\"id\":\"a\"}]");
    EXPECT_EQ(readInAnotherProcess(file, "languageChoice"), "text:ar");
    EXPECT_EQ(readInAnotherProcess(file, "withComma"), "text:a, b");
    EXPECT_EQ(readInAnotherProcess(file, "loginItemDefaultApplied"), "bool:true");
    EXPECT_EQ(readInAnotherProcess(file, "gone"), "absent");

    // The message list survives a language switch in a new process: the store
    // reads the bytes as written.
    SettingsDefaults reopened(file);
    EXPECT_FALSE(reopened.wasUnreadable());
    EXPECT_EQ(reopened.data("templates"), "[{\"id\":\"a\"}]");
    EXPECT_EQ(reopened.string("templates"), std::nullopt);
}

TEST(SettingsDefaults, AnUnreadableFileIsKeptAside) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/tovu.conf";
    const QByteArray broken = "[General]\nthis line has no equals sign\ntemplates=@ByteArray([])\n";
    writeFile(file, broken);
    auto settings = std::make_shared<SettingsDefaults>(file);
    EXPECT_TRUE(settings->wasUnreadable());
    EXPECT_TRUE(settings->keptCopy().startsWith(file + ".unreadable-")) << settings->keptCopy().toStdString();
    EXPECT_EQ(readAll(settings->keptCopy()).toUtf8(), broken);

    // What still reads is used (here the user's empty list), and the copy
    // aside keeps everything the file held.
    MacKit::MessageBook book(PhoneKit::TemplateStore(settings), "en");
    EXPECT_TRUE(book.messages().empty());
    EXPECT_EQ(readAll(settings->keptCopy()).toUtf8(), broken);

    // The same damage found again is kept once; other damage beside it.
    writeFile(file, broken);
    EXPECT_EQ(SettingsDefaults(file).keptCopy(), settings->keptCopy());
    writeFile(file, broken + "another line without an equals sign\n");
    const SettingsDefaults again(file);
    EXPECT_NE(again.keptCopy(), settings->keptCopy());
    EXPECT_EQ(readAll(again.keptCopy()).toUtf8(), broken + "another line without an equals sign\n");
    EXPECT_EQ(readAll(settings->keptCopy()).toUtf8(), broken);

    // Neither a FIFO nor a folder in the file's place is read or written over.
    for (const char* kind : {"fifo", "folder"}) {
        const QString odd = dir.path() + "/" + kind + ".conf";
        if (std::string_view(kind) == "fifo") {
            ASSERT_EQ(::mkfifo(QFile::encodeName(odd).constData(), 0600), 0);
        } else {
            QDir().mkpath(odd);
        }
        SettingsDefaults blocked(odd);
        blocked.setValue("languageChoice", std::string("ar"));
        EXPECT_FALSE(blocked.saveError().isEmpty()) << kind;
        EXPECT_EQ(blocked.string("languageChoice"), "ar");  // kept in memory
    }

    SettingsDefaults healthy(dir.path() + "/other.conf");
    EXPECT_FALSE(healthy.wasUnreadable());
}

TEST(AutostartLogin, EntryInTheAutostartFolder) {
    AutostartLogin login("/opt/tovu dir/bin/tovu");
    PhoneKit::InMemoryDefaults defaults;
    LoginItem item(defaults, login);
    EXPECT_FALSE(item.isOn());
    EXPECT_FALSE(item.set(false));  // never registered: off, and the flag is written
    EXPECT_TRUE(defaults.boolean("loginItemDefaultApplied"));
    EXPECT_TRUE(item.set(true));
    EXPECT_TRUE(AutostartLogin::entryPath().endsWith("/autostart/app.tovu.tovu.desktop"));
    const QString entry = readAll(AutostartLogin::entryPath());

    // What desktops write into it to switch it off.
    for (const QByteArray off : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        writeFile(AutostartLogin::entryPath(),
                  QString(entry).replace("X-GNOME-Autostart-enabled=true\n", "").toUtf8() + off);
        EXPECT_FALSE(item.isOn()) << off.constData();
    }
    EXPECT_FALSE(item.set(false));
    EXPECT_FALSE(QFile::exists(AutostartLogin::entryPath()));
    item.applyDefault();  // the website build opens at login only when asked
    EXPECT_FALSE(item.isOn());
}

TEST(AutostartLogin, TheEntryStartsTovuWhereverItLives) {
    QTemporaryDir dir;
    // Each name needs one of the entry's layers of quoting.
    for (const QString name : {"tovu", "100% tovu", "to\"vu's", "$HOME `x`", "back\\slash", "tab\tand %u"}) {
        SCOPED_TRACE(name.toStdString());
        const QString program = dir.path() + "/" + name + "/tovu";
        const QString marker = dir.path() + "/started";
        QFile::remove(marker);
        // Written aside and renamed, so the marker is whole once it exists.
        writeFile(program,
                  "#!/bin/sh\nprintf '%s %s' \"$0\" \"$*\" >\"" + marker.toUtf8() + ".part\" && mv \"" +
                      marker.toUtf8() + ".part\" \"" + marker.toUtf8() + "\"\n",
                  true);
        ASSERT_TRUE(AutostartLogin(program).registerItem());

        // As the desktop reads and starts it at login.
        GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(QFile::encodeName(AutostartLogin::entryPath()));
        ASSERT_NE(info, nullptr) << readAll(AutostartLogin::entryPath()).toStdString();  // TryExec found it
        GError* error = nullptr;
        EXPECT_TRUE(g_app_info_launch(G_APP_INFO(info), nullptr, nullptr, &error)) << (error ? error->message : "");
        g_clear_error(&error);
        g_object_unref(info);
        eventually([&] { return QFile::exists(marker); });
        EXPECT_EQ(readAll(marker), program + " --login");
    }
    // Moved away: the entry starts nothing.
    QFile::remove(dir.path() + "/tovu/tovu");
    AutostartLogin(dir.path() + "/tovu/tovu").registerItem();
    EXPECT_EQ(g_desktop_app_info_new_from_filename(QFile::encodeName(AutostartLogin::entryPath())), nullptr);
    AutostartLogin().unregisterItem();
}

TEST(AutostartLogin, TakesOverTheEntryOfEarlierVersions) {
    ASSERT_TRUE(AutostartLogin().unregisterItem());
    const QString earlier = QFileInfo(AutostartLogin::entryPath()).absolutePath() + "/tovu.desktop";
    for (const bool hidden : {false, true}) {
        writeFile(earlier, QByteArray("[Desktop Entry]\nType=Application\nName=tovu\nExec=\"/usr/bin/tovu\"\n") +
                               (hidden ? "Hidden=true\n" : ""));
        const AutostartLogin login("/usr/bin/tovu");
        EXPECT_FALSE(QFile::exists(earlier));
        EXPECT_EQ(login.status(), hidden ? LoginService::Status::notRegistered : LoginService::Status::enabled);
        // It starts tovu as a login start now, and keeps what else it held.
        const QString entry = readAll(AutostartLogin::entryPath());
        EXPECT_TRUE(entry.contains("Exec=\"/usr/bin/tovu\" --login\n")) << entry.toStdString();
        EXPECT_EQ(entry.contains("Hidden=true"), hidden);
        EXPECT_TRUE(AutostartLogin().unregisterItem());
    }
    // An Exec line of the user's own stays as it is.
    writeFile(AutostartLogin::entryPath(),
              "[Desktop Entry]\nType=Application\nName=tovu\nExec=sh -c \"sleep 9; tovu\"\n");
    AutostartLogin("/usr/bin/tovu");
    EXPECT_TRUE(readAll(AutostartLogin::entryPath()).contains("Exec=sh -c \"sleep 9; tovu\"\n"));
    EXPECT_TRUE(AutostartLogin().unregisterItem());
}

TEST(SystemClipboard, CountsChangesAndReadsText) {
    SystemClipboard clipboard;
    const auto read = [&] {
        std::optional<std::optional<std::string>> answer;
        clipboard.readText([&](std::optional<std::string> text) { answer = std::move(text); });
        EXPECT_FALSE(answer) << "answered inside the call";
        EXPECT_TRUE(eventually([&] { return answer.has_value(); }));
        return answer.value_or(std::nullopt);
    };
    const long before = clipboard.changeCount();
    QGuiApplication::clipboard()->setText("call 0501234567");
    ASSERT_TRUE(eventually([&] { return clipboard.changeCount() > before; }));
    EXPECT_EQ(read(), "call 0501234567");
    EXPECT_EQ(clipboard.access(), MacKit::ClipboardAccess::allowed);
    QGuiApplication::clipboard()->clear();
    const auto cleared = read();
    EXPECT_TRUE(!cleared || cleared->empty());
}

// A main thread too busy to take SIGTERM (a long load, a call that hangs)
// does not keep tovu alive past the grace time.
TEST(TerminationSignals, ABusyMainThreadStillEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const TerminationSignals termination;
            ::raise(SIGTERM);
            ::sleep(TerminationSignals::graceSeconds + 5);  // never back to the event loop
            std::_Exit(0);
        },
        testing::KilledBySignal(SIGALRM), "");
}

TEST(PowerOffWindow, LastsThreeMinutesAfterTheLastAnnouncement) {
    std::chrono::nanoseconds now{0};
    PowerOffWindow window([&] { return now; });
    EXPECT_FALSE(window.isOpen());
    window.announce();
    now = std::chrono::seconds(100);
    window.announce();  // a second announcement restarts the window
    now = std::chrono::seconds(279);
    EXPECT_TRUE(window.isOpen());
    now = std::chrono::seconds(280);
    EXPECT_FALSE(window.isOpen());
    EXPECT_GT(PowerOffWindow::bootTime().count(), 0);
}

// `tovu open` on a desktop with the handlers of each row registered: what
// it says, and the one link each handler was given.
TEST(ChatOpening, TheDeepLinkElseTheWebLinkGoesToItsHandler) {
    const struct {
        QStringList handlers;  // of whatsapp:, of https:
        QStringList arguments;
        int exitCode;
        QString out, whatsapp, browser;
    } cases[] = {
        {{"x-scheme-handler/whatsapp", "x-scheme-handler/https"},
         {"open", "--region", "SA", "0501234567"},
         0,
         "Opened a chat with +966 50 123 4567\n",
         "whatsapp://send?phone=966501234567\n",
         ""},
        {{"x-scheme-handler/https"}, {"open", "+44 7400 123456"}, 0, "", "", "https://wa.me/447400123456\n"},
        {{}, {"open", "0501234567"}, 4, "", "", ""},  // nothing handles either link
        {{"x-scheme-handler/whatsapp"},
         {"open", "0501234567 0551234567"},
         3,
         "Which number?\n  +966 50 123 4567\n  +966 55 123 4567\n",
         "",
         ""},
        {{"x-scheme-handler/whatsapp"}, {"open", "hello"}, 1, "No phone number found. Paste or type one.\n", "", ""},
        {{"x-scheme-handler/whatsapp"}, {"open", "--region", "XX", "0501234567"}, 2, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        Desktop desktop;
        for (const QString& type : c.handlers) desktop.registerHandler(type.section('/', 1), type);
        QString out;
        EXPECT_EQ(desktop.run(c.arguments, &out), c.exitCode);
        if (!c.out.isEmpty()) {
            EXPECT_EQ(out, c.out);
        }
        for (const auto& [handler, link] : {std::pair("whatsapp", c.whatsapp), std::pair("https", c.browser)}) {
            if (!link.isEmpty()) {
                EXPECT_TRUE(eventually([&] { return QFile::exists(desktop.log(handler)); }));
            }
            EXPECT_EQ(readAll(desktop.log(handler)), link) << handler;
        }
    }
}

// Whatever sits where QSettings keeps its lock (a folder, a dangling link,
// a lock another process holds), tovu comes up, saves, and ends on SIGTERM.
TEST(SettingsDefaults, NoLockEverHoldsTovuUp) {
    const QByteArray list = R"([{"id":"mine","kind":"custom","text":"Mine\nall mine"}])";
    for (const char* obstacle : {"folder", "dangling link", "held lock"}) {
        SCOPED_TRACE(obstacle);
        Desktop desktop;
        desktop.environment.insert("QT_LOGGING_RULES", "app.tovu.app.info=true");
        const QString settings = desktop.root.path() + "/config/tovu/tovu.conf";
        QDir().mkpath(QFileInfo(settings).absolutePath());
        const QString lock = settings + ".lock";
        QLockFile held(lock);
        if (std::string_view(obstacle) == "folder") QDir().mkpath(lock);
        if (std::string_view(obstacle) == "dangling link") QFile::link(desktop.root.path() + "/gone", lock);
        if (std::string_view(obstacle) == "held lock") {
            ASSERT_TRUE(held.tryLock());
        }

        auto app = desktop.start();
        QByteArray log;
        ASSERT_TRUE(eventually([&] {
            log += app->readAllStandardError();
            return log.contains("panel shown");
        })) << log.toStdString();
        writeFile(desktop.root.path() + "/list.json", list);
        QString out;
        EXPECT_EQ(desktop.run({"messages", "import", desktop.root.path() + "/list.json"}, &out), 0);
        EXPECT_TRUE(out.contains("into the running tovu")) << out.toStdString();
        EXPECT_EQ(SettingsDefaults(settings).data("templates"), list.toStdString());
        ::kill(static_cast<pid_t>(app->processId()), SIGTERM);
        EXPECT_TRUE(app->waitForFinished(2000));
    }
}

// A file cut short anywhere (a crash, a sync tool, a full disk): the next
// start has the user's list, or keeps the file as it was found.
TEST(SettingsDefaults, EveryCutKeepsTheListOrTheFile) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/tovu.conf";
    const std::vector<PhoneKit::MessageTemplate> mine = {
        {"iban", PhoneKit::MessageTemplate::Kind::personal, "رقم الآيبان\nSA03 8000 0000 6080 1016 7519"},
        {"A1", PhoneKit::MessageTemplate::Kind::custom, "On my way \"soon\"; 10, 20"},
        {"B2", PhoneKit::MessageTemplate::Kind::custom, "Call me back"},
    };
    {
        auto settings = std::make_shared<SettingsDefaults>(file);
        settings->setValue("languageChoice", std::string("ar"));
        PhoneKit::TemplateStore(settings).save(mine);
    }
    const QByteArray whole = readAll(file).toUtf8();
    ASSERT_GT(whole.size(), 100);
    int salvaged = 0;
    for (qsizetype cut = 1; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        QTemporaryDir home;
        const QString damaged = home.path() + "/tovu.conf";
        writeFile(damaged, whole.left(cut));
        auto settings = std::make_shared<SettingsDefaults>(damaged);
        // A file that does not end its last line was cut, even where
        // nothing of the list is lost.
        if (!whole.left(cut).endsWith('\n')) {
            EXPECT_TRUE(settings->wasUnreadable());
        }
        const MacKit::MessageBook book(PhoneKit::TemplateStore(settings), "en");
        if (book.messages() == mine) continue;
        ASSERT_TRUE(settings->wasUnreadable());
        EXPECT_EQ(readAll(settings->keptCopy()).toUtf8(), whole.left(cut));
        salvaged += book.messages().size() > 1 && book.messages()[1].id == "A1";
    }
    EXPECT_GT(salvaged, 0);  // whole messages of a cut list are kept, not replaced by the defaults

    // Five bytes short: every message is whole, and all of them are kept.
    writeFile(file, whole.left(whole.size() - 5));
    auto settings = std::make_shared<SettingsDefaults>(file);
    EXPECT_EQ(MacKit::MessageBook(PhoneKit::TemplateStore(settings), "en").messages(), mine);
}

// What the command line does with the list: it reads without writing, and
// an import is checked whole before anything changes.
TEST(MessagesCommand, ListsExportsAndImportsOnlyWholeLists) {
    Desktop desktop;
    const QString settings = desktop.root.path() + "/config/tovu/tovu.conf";
    QString out;
    ASSERT_EQ(desktop.run({"messages"}, &out), 0);
    EXPECT_TRUE(out.startsWith("Congratulations on your baby boy")) << out.toStdString();
    EXPECT_TRUE(out.contains("My IBAN\tpersonal\n")) << out.toStdString();
    EXPECT_FALSE(QFile::exists(settings));  // listing writes nothing

    // The messages' own language, chosen here as in the Messages section: the
    // untouched texts move, and the choice holds for the next listing.
    const auto title = [](const char* language, const char* id) {
        const std::string text = PhoneKit::TemplateTexts::all().at(language).at(id);
        return QString::fromStdString(text.substr(0, text.find('\n')));
    };
    ASSERT_EQ(desktop.run({"messages", "--language", "fr-CA"}, &out), 0);
    EXPECT_TRUE(out.startsWith(title("fr", "baby_boy") + "\tstarter\n")) << out.toStdString();
    ASSERT_EQ(desktop.run({"messages"}, &out), 0);
    EXPECT_TRUE(out.contains(title("fr", "iban") + "\tpersonal\n")) << out.toStdString();
    EXPECT_EQ(SettingsDefaults(settings).string("messagesLanguage"), "fr");

    const QString list = desktop.root.path() + "/list.json";
    writeFile(list, R"([{"id":"x","kind":"custom","text":"Hello there"}])");
    EXPECT_EQ(desktop.run({"messages", "import", list}, &out), 0);
    EXPECT_EQ(modeOf(settings), 0600U);  // the IBAN and the address are the user's alone
    EXPECT_EQ(modeOf(QFileInfo(settings).path()), 0700U);
    const QByteArray before = readAll(settings).toUtf8();
    for (const QByteArray& bad :
         {QByteArray("[{\"id\":\"x\",\"kind\":\"custom\"}]"), QByteArray("[{\"id\": \"cut"), QByteArray("{}")}) {
        writeFile(list, bad);
        EXPECT_EQ(desktop.run({"messages", "import", list}), 2) << bad.toStdString();
    }
    EXPECT_EQ(desktop.run({"messages", "import", desktop.root.path() + "/missing.json"}), 1);
    EXPECT_EQ(readAll(settings).toUtf8(), before);  // nothing changed

    ASSERT_EQ(desktop.run({"messages", "--json"}, &out), 0);
    EXPECT_EQ(out, "[{\"id\":\"x\",\"kind\":\"custom\",\"text\":\"Hello there\"}]\n");
    EXPECT_EQ(desktop.run({"messages", "export", desktop.root.path() + "/out.json"}), 0);
    EXPECT_EQ(readAll(desktop.root.path() + "/out.json"), out);
    EXPECT_EQ(desktop.run({"messages", "export", desktop.root.path() + "/no/such/folder/out.json"}), 1);
    EXPECT_EQ(desktop.run({"messages", "--bogus"}), 2);

    // A running tovu (it holds the lock) that takes the connection and hangs
    // up: the import says so and writes nothing behind its back.
    QProcess hangUp;
    hangUp.start("python3", {"-c",
                             "import fcntl,socket,sys\n"
                             "lock=open(sys.argv[2],'w'); fcntl.flock(lock, fcntl.LOCK_EX)\n"
                             "s=socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(); print(flush=True)\n"
                             "while True: s.accept()[0].close()\n",
                             desktop.socket(), desktop.root.path() + "/runtime/tovu.lock"});
    ASSERT_TRUE(hangUp.waitForReadyRead(5000));
    writeFile(list, R"([{"id":"y","kind":"custom","text":"Not this one"}])");
    const QString kept = readAll(settings);
    EXPECT_EQ(desktop.run({"messages", "import", list}, &out), 1);
    EXPECT_EQ(readAll(settings), kept);
    hangUp.kill();
    hangUp.waitForFinished();
}

// Hostile lists, on each way in: the command with no tovu running (it
// writes the file), the command beside a running tovu, and a frame sent
// straight to the running tovu's socket (what the bus's import action also
// reaches). Each is refused with its reason, and the stored list stays.
TEST(MessagesCommand, RefusesHostileListsOnEveryWayIn) {
    const auto message = [](const std::string& id, const std::string& kind, const std::string& text) {
        return "{\"id\":\"" + id + "\",\"kind\":\"" + kind + "\",\"text\":\"" + text + "\"}";
    };
    const auto listOf = [&](std::size_t count, std::size_t length) {
        std::string json = "[";
        for (std::size_t i = 0; i < count; ++i)
            json += (i ? "," : "") + message(std::to_string(i), "custom", std::string(length, 'x'));
        return json + "]";
    };
    const struct {
        const char* what;
        std::string bytes;  // empty: /dev/zero
        const char* reason;
    } cases[] = {
        {"over the count", listOf(PhoneKit::TemplateLimits::messages + 1, 1), "2,001 messages"},
        {"over the length", listOf(1, PhoneKit::TemplateLimits::characters + 1), "longer than 65,536 characters"},
        {"over the size", listOf(120, 45000), "larger than 4 MiB"},
        {"endless", "", "larger than 4 MiB"},
        {"a repeated id", "[" + message("a", "custom", "One") + "," + message("a", "custom", "Two") + "]",
         "message 2 has the id of message 1"},
        {"an empty id", "[" + message("", "custom", "Hi") + "]", "message 1 has no id"},
        {"an own message without text", "[" + message("a", "custom", " ") + "]", "message 1 has no text"},
        {"bytes after a NUL", "[" + message("a", "custom", "Hi") + std::string("]\0[]", 4), "nothing after it"},
    };
    Desktop desktop;
    const QString settings = desktop.root.path() + "/config/tovu/tovu.conf";
    const QString list = desktop.root.path() + "/list.json";
    // The defaults, unfilled personal slots and all, go out and come back in.
    ASSERT_EQ(desktop.run({"messages", "export", list}), 0);
    ASSERT_EQ(desktop.run({"messages", "import", list}), 0);
    QByteArray stored = readAll(settings).toUtf8();
    std::unique_ptr<QProcess> tray;
    for (const char* way : {"the command", "the command beside tovu", "tovu's socket"}) {
        if (!tray && std::string_view(way) != "the command") {
            tray = desktop.start();
            ASSERT_TRUE(eventually([&] { return QFile::exists(desktop.socket()); }));
            ASSERT_EQ(desktop.run({"--show"}), 0);  // answered once it is up, and done writing its start
            stored = readAll(settings).toUtf8();
        }
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(way) + ": " + c.what);
            QString err;
            if (std::string_view(way) != "tovu's socket") {
                writeFile(list, QByteArray::fromStdString(c.bytes));
                EXPECT_EQ(desktop.run({"messages", "import", c.bytes.empty() ? "/dev/zero" : list}, nullptr, &err), 2);
            } else if (!c.bytes.empty()) {
                QLocalSocket socket;
                socket.connectToServer(desktop.socket());
                ASSERT_TRUE(socket.waitForConnected(3000));
                const QByteArray frame = QJsonDocument(QJsonObject{{"argument", QString::fromStdString(c.bytes)}})
                                             .toJson(QJsonDocument::Compact);
                socket.write("import " + QByteArray::number(frame.size()) + "\n" + frame);
                while (!err.contains('\n') && socket.waitForReadyRead(10000))
                    err += QString::fromUtf8(socket.readAll());
            }
            if (!c.bytes.empty() || std::string_view(way) != "tovu's socket") {
                EXPECT_TRUE(err.contains(c.reason)) << err.toStdString();
            }
            EXPECT_EQ(readAll(settings).toUtf8(), stored);
        }
    }
    ::kill(static_cast<pid_t>(tray->processId()), SIGTERM);
    EXPECT_TRUE(tray->waitForFinished(5000));
}

// Where the file is not as tovu left it: a link a dotfile manager made stays
// a link; a file too large to be tovu's is set aside by name, not copied;
// relative XDG folders are ignored, as the base-directory rules ask.
TEST(SettingsDefaults, LinksHugeFilesAndRelativeFolders) {
    Desktop desktop;
    const QString config = desktop.root.path() + "/config/tovu";
    QDir().mkpath(config);
    QDir().mkpath(desktop.root.path() + "/dotfiles");
    const QString target = desktop.root.path() + "/dotfiles/tovu.conf";
    ASSERT_TRUE(QFile::link("../../dotfiles/tovu.conf", config + "/tovu.conf"));
    const QString list = desktop.root.path() + "/list.json";
    writeFile(list, R"([{"id":"x","kind":"custom","text":"Linked"}])");
    ASSERT_EQ(desktop.run({"messages", "import", list}), 0);
    ASSERT_EQ(desktop.run({"messages", "import", list}), 0);  // a second save, over the first
    EXPECT_TRUE(QFileInfo(config + "/tovu.conf").isSymLink());
    EXPECT_TRUE(readAll(target).contains("Linked"));

    QFile::remove(config + "/tovu.conf");
    {
        QFile huge(config + "/tovu.conf");
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64(1) << 30));  // sparse: a gigabyte that costs no disk
    }
    QString out, err;
    EXPECT_EQ(desktop.run({"messages"}, &out, &err), 0);
    EXPECT_TRUE(out.contains("My IBAN")) << out.toStdString();
    const QStringList aside = QDir(config).entryList({"tovu.conf.too-large-*"});
    ASSERT_EQ(aside.size(), 1) << err.toStdString();
    EXPECT_EQ(QFileInfo(config + "/" + aside.front()).size(), qint64(1) << 30);
    EXPECT_TRUE(err.contains(aside.front())) << err.toStdString();  // the user is told where it went

    // Relative XDG folders: the settings go to ~/.config, never to ./relative.
    Desktop relative;
    relative.environment.insert("XDG_CONFIG_HOME", "relative");
    relative.environment.insert("XDG_RUNTIME_DIR", "relative-run");
    QProcess process;
    process.setWorkingDirectory(relative.root.path());
    process.setProcessEnvironment(relative.environment);
    process.start(TOVU_EXECUTABLE, {"messages", "import", list});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(relative.root.path() + "/.config/tovu/tovu.conf"));
    EXPECT_FALSE(QFile::exists(relative.root.path() + "/relative"));
    EXPECT_FALSE(QFile::exists(relative.root.path() + "/relative-run"));
}
