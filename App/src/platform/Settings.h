#pragma once

#include <PhoneKit/stores/SharedValues.h>

#include <QString>

#include <functional>
#include <map>
#include <string>

/// The user's settings file (~/.config/tovu/tovu.conf) as PhoneKit's
/// defaults domain: read once, kept in memory, and written whole after each
/// real change. The file is the INI form that QSettings reads and writes, as
/// earlier versions wrote it; Qt's codec only ever works on private copies,
/// so a stuck lock or a FIFO at the real path cannot stall tovu, and a new
/// file replaces the old one only once every byte of it is on the disk.
/// Bytes are stored as byte arrays, text as strings and booleans as
/// booleans. INI files keep no type for booleans, so a stored "true" or
/// "false" reads back as a boolean; no text setting of tovu takes those values.
class SettingsDefaults final : public PhoneKit::DefaultsDomain {
public:
    /// `readOnly`: for a process that must leave the file be (one the
    /// desktop started to answer a search): a damaged file is neither
    /// copied nor set aside, and changes live in memory only.
    enum class Access { readWrite, readOnly };
    /// The standard file, or `path` (tests, other instances).
    explicit SettingsDefaults(const QString& path = standardPath(), Access access = Access::readWrite);
    static QString standardPath();

    std::optional<Value> value(std::string_view key) const override;
    void setValue(std::string_view key, Value value) override;
    void removeValue(std::string_view key) override;

    QString fileName() const { return path_; }
    /// Where the file was kept, as it was found, because some of it did not
    /// read (a file cut short, say: a copy) or it was too large to be tovu's
    /// (renamed aside); empty when it read whole. Never over an earlier one.
    QString keptCopy() const { return keptCopy_; }
    bool wasUnreadable() const { return !keptCopy_.isEmpty(); }
    /// Why the file could not be read, when it is there; such a file is
    /// never written over.
    QString unreadableReason() const { return unreadableReason_; }
    /// Why the last write failed; empty after one that worked. The file then
    /// holds what it held before, and the values live on in memory.
    QString saveError() const { return saveError_; }
    /// Told of every failed write, with its reason.
    std::function<void(const QString&)> saveFailed = [](const QString&) {};

    using Values = std::map<std::string, Value, std::less<>>;

private:
    void save();
    void setAside(const QString& why);

    QString path_;
    Access access_;
    Values values_;
    QString keptCopy_;
    // A file that exists but cannot be read is never written over: it may
    // hold the user's list.
    QString unreadableReason_;
    QString saveError_;
};
