#pragma once

// The platform services the shell reaches through, each behind a small
// interface: the Linux adapters beside it, fakes in the tests, a macOS
// adapter later.

#include <MacKit/PanelLogic.h>
#include <PhoneKit/links/URL.h>

#include <functional>
#include <optional>
#include <string>

/// The system clipboard.
class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    /// Changes whenever the clipboard's content changes.
    virtual long changeCount() const = 0;
    /// Reads the plain text on the clipboard without ever blocking the app:
    /// the answer arrives later on the main thread, nothing when there is no
    /// text or its owner did not hand it over in time.
    virtual void readText(std::function<void(std::optional<std::string>)> answer) = 0;
    /// How freely the system lets tovu read it.
    virtual MacKit::ClipboardAccess access() const = 0;
    /// Asks, without reading, whether the content looks like a number; the
    /// answer arrives later on the main thread: true or false, or nothing
    /// with a reason when the system could not tell.
    virtual void detectNumber(std::function<void(std::optional<bool>, std::string)> answer) = 0;
    /// Puts plain text on the clipboard.
    virtual void writeText(const std::string& text) = 0;
};

/// Handlers of URLs.
class WorkspaceService {
public:
    virtual ~WorkspaceService() = default;
    /// Whether some application would open `url` (its scheme's handler).
    virtual bool hasHandler(const PhoneKit::URL& url) const = 0;
    /// Hands `url` to its handler; true when the system accepted it.
    virtual bool open(const PhoneKit::URL& url) = 0;
};

/// The service that opens applications at login.
class LoginService {
public:
    enum class Status { notRegistered, enabled, requiresApproval, notFound };
    virtual ~LoginService() = default;
    virtual bool registerItem() = 0;
    virtual bool unregisterItem() = 0;
    virtual Status status() const = 0;
};
