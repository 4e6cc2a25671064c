#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace PhoneKit {

/// Whole values of bytes under string keys: what the message store writes to.
class SharedValues {
public:
    virtual ~SharedValues() = default;
    /// The bytes under `key`, or nothing (never stored, or unreadable).
    virtual std::optional<std::string> data(std::string_view key) const = 0;
    /// Stores `bytes` under `key`; nothing removes the key. Failures are
    /// silent: the store is a cache of the user's list, not its only copy in
    /// memory.
    virtual void set(const std::optional<std::string>& bytes, std::string_view key) = 0;
};

/// A user-defaults domain: typed values under keys, bytes apart from text
/// apart from booleans, as the platform's preference stores keep them.
class DefaultsDomain {
public:
    struct Blob {
        std::string bytes;
        friend bool operator==(const Blob&, const Blob&) = default;
    };
    using Value = std::variant<Blob, std::string, bool>;

    virtual ~DefaultsDomain() = default;
    virtual std::optional<Value> value(std::string_view key) const = 0;
    virtual void setValue(std::string_view key, Value value) = 0;
    virtual void removeValue(std::string_view key) = 0;

    /// Typed reads: a value of another type reads as nothing (or false).
    std::optional<std::string> data(std::string_view key) const;
    std::optional<std::string> string(std::string_view key) const;
    bool boolean(std::string_view key) const;
};

/// A domain that lives in memory only: for tests and for a session with no
/// settings file.
class InMemoryDefaults final : public DefaultsDomain {
public:
    std::optional<Value> value(std::string_view key) const override;
    void setValue(std::string_view key, Value value) override;
    void removeValue(std::string_view key) override;

private:
    std::map<std::string, Value, std::less<>> values_;
};

/// Shared values kept as byte blobs in a defaults domain.
class DefaultsValues final : public SharedValues {
public:
    explicit DefaultsValues(std::shared_ptr<DefaultsDomain> defaults);
    std::optional<std::string> data(std::string_view key) const override;
    void set(const std::optional<std::string>& bytes, std::string_view key) override;

private:
    std::shared_ptr<DefaultsDomain> defaults_;
};

}  // namespace PhoneKit
