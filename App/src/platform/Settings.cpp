#include "platform/Settings.h"

#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// QSettings guards its writes with "<file>.lock". A process killed in the
// instant between creating that file and writing its owner into it leaves a
// lock Qt cannot read, and every later write then waits 30 seconds for it to
// go stale, on the interface thread. A live holder always has the file
// flock()ed, so a lock nobody holds is abandoned and can go.
void removeAbandonedLock(const QString& settingsPath) {
    const QByteArray lock = QFile::encodeName(settingsPath + ".lock");
    const int fd = ::open(lock.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(lock.constData());
    ::close(fd);
}

QString keyOf(std::string_view key) { return QString::fromUtf8(key.data(), qsizetype(key.size())); }
}  // namespace

QString SettingsDefaults::standardPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/tovu/tovu.conf";
}

SettingsDefaults::SettingsDefaults(const QString& path) {
    removeAbandonedLock(path);
    settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
    settings_->allKeys();  // the file is read lazily; read it now to learn its status
    if (settings_->status() != QSettings::NoError && QFile::exists(path)) {
        // Keep what the user had before defaults are written over it.
        unreadable_ = true;
        QFile::remove(path + ".unreadable");
        QFile::copy(path, path + ".unreadable");
    }
}

std::optional<PhoneKit::DefaultsDomain::Value> SettingsDefaults::value(std::string_view key) const {
    const QVariant stored = settings_->value(keyOf(key));
    switch (stored.typeId()) {
        case QMetaType::UnknownType: return std::nullopt;
        case QMetaType::QByteArray: {
            const QByteArray bytes = stored.toByteArray();
            return Blob{bytes.toStdString()};
        }
        case QMetaType::Bool: return stored.toBool();
        case QMetaType::QString: {
            const QString text = stored.toString();
            if (text == QLatin1String("true") || text == QLatin1String("false")) return text == QLatin1String("true");
            return text.toStdString();
        }
        default: return std::nullopt;  // lists and other types tovu never writes
    }
}

void SettingsDefaults::setValue(std::string_view key, Value value) {
    QVariant stored;
    if (const auto* blob = std::get_if<Blob>(&value)) {
        stored = QByteArray(blob->bytes.data(), qsizetype(blob->bytes.size()));
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        stored = QString::fromStdString(*text);
    } else {
        stored = std::get<bool>(value);
    }
    settings_->setValue(keyOf(key), stored);
    settings_->sync();
}

void SettingsDefaults::removeValue(std::string_view key) {
    settings_->remove(keyOf(key));
    settings_->sync();
}
