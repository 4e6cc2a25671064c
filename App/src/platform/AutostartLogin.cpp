#include "platform/AutostartLogin.h"

#include <PhoneKit/support/Files.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <glib.h>

#include <memory>

namespace {

constexpr const char* kGroup = G_KEY_FILE_DESKTOP_GROUP;

using KeyFile = std::unique_ptr<GKeyFile, decltype(&g_key_file_free)>;

QString autostartFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart";
}

// The program as Exec has it: in double quotes, with " ` $ \ escaped, and
// % doubled so that no field code is read into the path; the key-file layer
// of escaping is GKeyFile's. GLib looks for the first word before it
// expands %%, so a path with a % is started through env.
QString execLine(QString path) {
    const bool percent = path.contains('%');
    path.replace('\\', "\\\\").replace('"', "\\\"").replace('`', "\\`").replace('$', "\\$").replace('%', "%%");
    return (percent ? "env \"" : "\"") + path + '"';
}

// What the entry runs: --login, so that tovu gives a tray that comes late
// with the session the time it needs.
QByteArray loginExecLine(const QString& path) { return (execLine(path) + " --login").toUtf8(); }

// Earlier versions named the entry tovu.desktop: it moves to its new name,
// with whatever the user or the desktop wrote into it (Hidden, disabled).
void takeOverEarlierEntry() {
    const QString earlier = autostartFolder() + "/tovu.desktop";
    if (QFileInfo::exists(earlier) && !QFileInfo::exists(AutostartLogin::entryPath())) {
        QFile::rename(earlier, AutostartLogin::entryPath());
    }
}

// Earlier versions started tovu at login with no argument, so it could not
// tell a login from any start: their entry gets --login, with everything
// else the user or the desktop wrote into it. An Exec line that is not
// exactly the one they wrote is the user's, and stays.
void addLoginArgument(const QString& executable) {
    const KeyFile entry(g_key_file_new(), g_key_file_free);
    const QByteArray path = QFile::encodeName(AutostartLogin::entryPath());
    const int flags = G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS;
    if (!g_key_file_load_from_file(entry.get(), path.constData(), GKeyFileFlags(flags), nullptr)) return;
    char* exec = g_key_file_get_string(entry.get(), kGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    const bool earlier = exec && QString::fromUtf8(exec) == execLine(executable);
    g_free(exec);
    if (!earlier) return;
    g_key_file_set_string(entry.get(), kGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, loginExecLine(executable).constData());
    g_key_file_save_to_file(entry.get(), path.constData(), nullptr);
}

}  // namespace

AutostartLogin::AutostartLogin(QString executable) : executable_(std::move(executable)) {
    // The tovu command that became this application (bin/tovu, not the
    // program in libexec), else this program.
    if (executable_.isEmpty()) executable_ = qEnvironmentVariable("TOVU_COMMAND");
    if (executable_.isEmpty()) executable_ = QCoreApplication::applicationFilePath();
    takeOverEarlierEntry();
    addLoginArgument(executable_);
}

QString AutostartLogin::entryPath() { return autostartFolder() + "/app.tovu.tovu.desktop"; }

bool AutostartLogin::registerItem() {
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    const KeyFile entry(g_key_file_new(), g_key_file_free);
    GKeyFile* file = entry.get();
    g_key_file_set_string(file, kGroup, G_KEY_FILE_DESKTOP_KEY_TYPE, G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    g_key_file_set_string(file, kGroup, G_KEY_FILE_DESKTOP_KEY_NAME, "tovu");
    g_key_file_set_string(file, kGroup, G_KEY_FILE_DESKTOP_KEY_COMMENT, "Open a WhatsApp chat with any phone number");
    g_key_file_set_string(file, kGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, loginExecLine(executable_).constData());
    // Once the program is gone (uninstalled, moved), the entry starts nothing.
    g_key_file_set_string(file, kGroup, G_KEY_FILE_DESKTOP_KEY_TRY_EXEC, executable_.toUtf8().constData());
    g_key_file_set_string(file, kGroup, G_KEY_FILE_DESKTOP_KEY_ICON, "app.tovu.tovu");
    g_key_file_set_boolean(file, kGroup, G_KEY_FILE_DESKTOP_KEY_TERMINAL, FALSE);
    g_key_file_set_boolean(file, kGroup, "X-GNOME-Autostart-enabled", TRUE);
    gsize length = 0;
    const std::unique_ptr<gchar, decltype(&g_free)> data(g_key_file_to_data(file, &length, nullptr), g_free);
    return !PhoneKit::Files::writeAtomically(path.toStdString(), std::string_view(data.get(), length));
}

bool AutostartLogin::unregisterItem() {
    const QString path = entryPath();
    return !QFile::exists(path) || QFile::remove(path);
}

LoginService::Status AutostartLogin::status() const {
    const KeyFile entry(g_key_file_new(), g_key_file_free);
    if (!g_key_file_load_from_file(entry.get(), QFile::encodeName(entryPath()).constData(), G_KEY_FILE_NONE, nullptr)) {
        return Status::notRegistered;
    }
    // A key that is missing or no boolean reads as FALSE, the defaults of both.
    const bool hidden = g_key_file_get_boolean(entry.get(), kGroup, G_KEY_FILE_DESKTOP_KEY_HIDDEN, nullptr);
    GError* error = nullptr;
    const bool enabled = g_key_file_get_boolean(entry.get(), kGroup, "X-GNOME-Autostart-enabled", &error);
    const bool disabled = !error && !enabled;
    g_clear_error(&error);
    return hidden || disabled ? Status::notRegistered : Status::enabled;
}
