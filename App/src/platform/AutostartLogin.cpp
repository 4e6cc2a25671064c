#include "platform/AutostartLogin.h"

#include <PhoneKit/support/Files.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

AutostartLogin::AutostartLogin(QString executable)
    : executable_(executable.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(executable)) {}

QString AutostartLogin::entryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart/tovu.desktop";
}

bool AutostartLogin::registerItem() {
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    // Exec quoting of the desktop entry spec: the path in double quotes.
    QString exec = executable_;
    exec.replace('\\', "\\\\").replace('"', "\\\"").replace('`', "\\`").replace('$', "\\$");
    const QString entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=tovu\n"
        "Comment=Open a WhatsApp chat with any phone number\n"
        "Exec=\"" +
        exec +
        "\"\n"
        "Icon=app.tovu.tovu\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    return !PhoneKit::Files::writeAtomically(path.toStdString(), entry.toStdString());
}

bool AutostartLogin::unregisterItem() {
    const QString path = entryPath();
    return !QFile::exists(path) || QFile::remove(path);
}

LoginService::Status AutostartLogin::status() const {
    const QString path = entryPath();
    if (!QFileInfo(path).isFile()) return Status::notRegistered;
    QSettings entry(path, QSettings::IniFormat);
    entry.beginGroup("Desktop Entry");
    const bool hidden = entry.value("Hidden").toString() == "true" ||
                        entry.value("X-GNOME-Autostart-enabled", "true").toString() == "false";
    return hidden ? Status::notRegistered : Status::enabled;
}
