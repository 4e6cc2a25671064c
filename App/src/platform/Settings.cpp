#include "platform/Settings.h"

#include "platform/Log.h"

#include <PhoneKit/support/Files.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <PhoneKit/messages/Templates.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace {

using Value = PhoneKit::DefaultsDomain::Value;
using Blob = PhoneKit::DefaultsDomain::Blob;

QString reasonOf(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The most a settings file of tovu's can hold: the largest message list and
// a kept copy of an unreadable one, each of their bytes written as a four-
// byte escape at worst (Arabic text is), and room for the rest.
constexpr qint64 kMaximumFile = 8 * qint64(PhoneKit::TemplateLimits::bytes) + 1024 * 1024;

// The bytes of the file, without ever waiting on something that is not a
// regular file (a FIFO or a device would block a plain read), nor reading
// more than `limit` bytes of it: past that, nothing, and `tooLarge` set.
// Nothing with no reason: there is no file.
std::optional<QByteArray> readFile(const QString& path, QString& reason, qint64 limit = kMaximumFile,
                                   bool* tooLarge = nullptr) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) reason = reasonOf(errno);
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = QStringLiteral("not a regular file");
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes;
    char buffer[65536];
    // The size may grow while it is read: the limit holds for what is read.
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            reason = reasonOf(errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    ::close(fd);
    if (bytes.size() <= limit) return bytes;
    reason = QStringLiteral("larger than %1 MiB, too large to be tovu's").arg(limit / (1024 * 1024));
    if (tooLarge) *tooLarge = true;
    return std::nullopt;
}

// The first and the last line of every file written (QSettings writes keys
// in order: "!" sorts first, "~" last): the form, and a digest of all the
// values. A file cut at the end of a line has lost lines: its digest is
// gone or does not match. A file with neither line was written by an
// earlier version and is taken as it reads.
constexpr char kFormatKey[] = "!format";
constexpr char kDigestKey[] = "~digest";

QString digestOf(const SettingsDefaults::Values& values) {
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    const auto mix = [&hash](std::string_view bytes) {
        for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    };
    for (const auto& [key, value] : values) {
        mix(key);
        mix(std::string_view("\0", 1));
        mix(std::string(1, char('0' + value.index())));
        if (const auto* blob = std::get_if<Blob>(&value)) mix(blob->bytes);
        if (const auto* text = std::get_if<std::string>(&value)) mix(*text);
        if (const auto* flag = std::get_if<bool>(&value)) mix(*flag ? "1" : "0");
        mix(std::string_view("\0", 1));
    }
    return QString::number(hash, 16);
}

// QSettings' INI codec, on a private copy. A value it could not finish
// reading (a file cut short inside "@ByteArray(") comes back as text that
// starts with the marker; the bytes it held so far are kept as bytes, for
// the message store to salvage what it can.
struct Decoded {
    SettingsDefaults::Values values;
    bool whole = true;
};

std::optional<Value> valueOf(const QVariant& stored, bool& whole) {
    static const QLatin1String byteArray("@ByteArray("), variant("@Variant(");
    switch (stored.typeId()) {
        case QMetaType::QByteArray: return Blob{stored.toByteArray().toStdString()};
        case QMetaType::Bool: return stored.toBool();
        case QMetaType::QString: {
            const QString text = stored.toString();
            if (text.startsWith(byteArray)) {
                whole = false;
                return Blob{text.mid(byteArray.size()).toLatin1().toStdString()};
            }
            if (text.startsWith(variant)) {
                whole = false;
                return std::nullopt;
            }
            if (text == QLatin1String("true") || text == QLatin1String("false")) return text == QLatin1String("true");
            return text.toStdString();
        }
        default: return std::nullopt;  // lists and other types tovu never writes
    }
}

// The bytes as a file of this process alone, in memory: Qt's codec reads
// them there, and nothing is left on a disk if tovu is killed meanwhile.
struct MemoryFile {
    explicit MemoryFile(const QByteArray& bytes) : fd(::memfd_create("tovu.conf", MFD_CLOEXEC)) {
        for (qsizetype written = 0; fd >= 0 && written < bytes.size();) {
            const ssize_t n = ::write(fd, bytes.constData() + written, std::size_t(bytes.size() - written));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ::close(fd);
                fd = -1;
                break;
            }
            written += n;
        }
    }
    ~MemoryFile() {
        if (fd >= 0) ::close(fd);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(fd); }
    int fd;
};

std::optional<Decoded> decode(const QByteArray& bytes) {
    const MemoryFile copy(bytes);
    if (copy.fd < 0) return std::nullopt;
    const QSettings ini(copy.path(), QSettings::IniFormat);
    const QStringList keys = ini.allKeys();  // the file is read here, and only then has a status
    Decoded decoded;
    // QSettings ends every file it writes with a line break: a file without
    // one was cut short.
    decoded.whole = ini.status() == QSettings::NoError && (bytes.isEmpty() || bytes.endsWith('\n'));
    for (const QString& key : keys) {
        if (key == QLatin1String(kDigestKey) || key == QLatin1String(kFormatKey)) continue;
        if (auto value = valueOf(ini.value(key), decoded.whole)) decoded.values.emplace(key.toStdString(), *value);
    }
    // The last line of a file cut short holds a value cut short: text or a
    // flag is dropped; bytes are kept for the message store to salvage.
    if (!bytes.isEmpty() && !bytes.endsWith('\n')) {
        const QByteArray last = bytes.mid(bytes.lastIndexOf('\n') + 1);
        const auto cut = decoded.values.find(last.left(last.indexOf('=')).trimmed().toStdString());
        if (cut != decoded.values.end() && !std::holds_alternative<Blob>(cut->second)) decoded.values.erase(cut);
    }
    const bool checked = keys.contains(QLatin1String(kFormatKey)) || keys.contains(QLatin1String(kDigestKey));
    if (checked && ini.value(kDigestKey).toString() != digestOf(decoded.values)) decoded.whole = false;
    // Nothing read from something that is not empty: cut before its first key.
    if (keys.isEmpty() && !bytes.trimmed().isEmpty()) decoded.whole = false;
    return decoded;
}

QVariant variantOf(const Value& value) {
    if (const auto* blob = std::get_if<Blob>(&value))
        return QByteArray(blob->bytes.data(), qsizetype(blob->bytes.size()));
    if (const auto* text = std::get_if<std::string>(&value)) return QString::fromStdString(*text);
    return std::get<bool>(value);
}

std::optional<QByteArray> encode(const SettingsDefaults::Values& values) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) return std::nullopt;
    const QString draft = scratch.filePath("tovu.conf");
    {
        QSettings ini(draft, QSettings::IniFormat);
        for (const auto& [key, value] : values) ini.setValue(QString::fromStdString(key), variantOf(value));
        ini.setValue(kFormatKey, 2);
        ini.setValue(kDigestKey, digestOf(values));
        ini.sync();
        if (ini.status() != QSettings::NoError) return std::nullopt;
    }
    QString ignored;
    return readFile(draft, ignored);
}

// Keeps `bytes` beside the file under a name of its own: the moment it was
// found, and a number when that name is taken. Never over an earlier copy,
// and once only: a copy already holding these bytes is the one.
QString keepCopy(const QString& path, const QByteArray& bytes) {
    const QFileInfo file(path);
    for (const QFileInfo& earlier :
         QDir(file.absolutePath()).entryInfoList({file.fileName() + ".unreadable-*"}, QDir::Files | QDir::Hidden)) {
        QString ignored;
        if (earlier.size() == bytes.size() && readFile(earlier.filePath(), ignored) == bytes) {
            return earlier.filePath();
        }
    }
    const QString stem =
        path + ".unreadable-" + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    for (int attempt = 1; attempt < 1000; ++attempt) {
        QFile copy(attempt == 1 ? stem : stem + '-' + QString::number(attempt));
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            if (copy.exists()) continue;
            return {};
        }
        const bool written = copy.write(bytes) == bytes.size() && copy.flush() && ::fsync(copy.handle()) == 0;
        copy.close();
        if (written) return copy.fileName();
        copy.remove();
        return {};
    }
    return {};
}

// Where the file's content lives: a dotfile manager links ~/.config/tovu/
// tovu.conf to a file in its repository, and the link must stay a link. A
// dangling link names the file to make; a loop is left as it is.
std::filesystem::path linkTarget(const QString& path) {
    std::filesystem::path target = QFile::encodeName(path).toStdString();
    std::error_code error;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(target, error); ++hops) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

}  // namespace

QString SettingsDefaults::standardPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/tovu/tovu.conf";
}

SettingsDefaults::SettingsDefaults(const QString& path, Access access) : path_(path), access_(access) {
    QString reason;
    bool tooLarge = false;
    const auto bytes = readFile(path_, reason, kMaximumFile, &tooLarge);
    if (tooLarge && access_ == Access::readWrite) {
        setAside(reason);
        return;
    }
    if (!bytes) {
        if (!reason.isEmpty()) {
            unreadableReason_ = QStringLiteral("cannot read %1: %2").arg(path_, reason);
            Log::settingsUnreadable(unreadableReason_);
        }
        return;
    }
    const auto decoded = decode(*bytes);
    if (!decoded) {
        unreadableReason_ = QStringLiteral("cannot read %1: no private temporary folder").arg(path_);
        Log::settingsUnreadable(unreadableReason_);
        return;
    }
    values_ = decoded->values;
    if (access_ == Access::readOnly) return;
    // Earlier versions left the file readable by everyone.
    ::chmod(QFile::encodeName(path_).constData(), S_IRUSR | S_IWUSR);
    if (decoded->whole) return;
    // Keep what the user had, as it was, before anything is written over it.
    keptCopy_ = keepCopy(path_, *bytes);
    if (keptCopy_.isEmpty()) {
        unreadableReason_ = QStringLiteral("cannot keep a copy of the damaged %1").arg(path_);
        Log::settingsUnreadable(unreadableReason_);
    } else {
        Log::settingsUnreadable(QStringLiteral("%1 was damaged; it is kept as %2").arg(path_, keptCopy_));
    }
}

void SettingsDefaults::setAside(const QString& why) {
    // Renamed, not copied: a file of a gigabyte costs no second gigabyte.
    // tovu goes on with its defaults and writes a file of its own.
    const QString aside =
        path_ + ".too-large-" + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    if (::rename(QFile::encodeName(path_).constData(), QFile::encodeName(aside).constData()) != 0) {
        unreadableReason_ =
            QStringLiteral("cannot read %1: %2, and cannot set it aside: %3").arg(path_, why, reasonOf(errno));
        Log::settingsUnreadable(unreadableReason_);
        return;
    }
    keptCopy_ = aside;
    Log::settingsUnreadable(QStringLiteral("%1 is %2; it is kept as %3").arg(path_, why, aside));
}

std::optional<PhoneKit::DefaultsDomain::Value> SettingsDefaults::value(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void SettingsDefaults::setValue(std::string_view key, Value value) {
    const auto found = values_.find(key);
    if (found != values_.end() && found->second == value) return;  // nothing to write
    values_.insert_or_assign(std::string(key), std::move(value));
    save();
}

void SettingsDefaults::removeValue(std::string_view key) {
    const auto found = values_.find(key);
    if (found == values_.end()) return;
    values_.erase(found);
    save();
}

void SettingsDefaults::save() {
    if (access_ == Access::readOnly) return;
    const auto fail = [this](const QString& why) {
        saveError_ = why;
        Log::settingsNotSaved(path_, why);
        saveFailed(why);
    };
    if (!unreadableReason_.isEmpty()) return fail(unreadableReason_);
    const auto bytes = encode(values_);
    // The draft must read back as what is in memory: a draft cut short (a
    // full temporary folder) is found here, before it replaces anything.
    const auto check = bytes ? decode(*bytes) : std::nullopt;
    if (!check || !check->whole || check->values != values_) return fail(QStringLiteral("cannot write a draft"));
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) return fail(QStringLiteral("cannot make the folder %1").arg(folder));
    // The file holds the user's IBAN and address: the folder is the user's alone.
    ::chmod(QFile::encodeName(folder).constData(), S_IRWXU);
    if (const auto error = PhoneKit::Files::writeAtomically(linkTarget(path_), bytes->toStdString())) {
        return fail(QString::fromStdString(error.message()));
    }
    saveError_.clear();
}
