#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace PhoneKit {

/// The IANA name of the zone the system's clocks run in, and where it was
/// read. Every part of tovu that needs the user's region asks here, so the
/// panel, the commands and --diagnose always agree.
struct SystemTimeZone {
    std::string name;    ///< e.g. "Asia/Dubai"; empty when nothing names one
    std::string source;  ///< "TZ", "/etc/localtime", "/etc/timezone" or "ICU"

    /// In this order: TZ (a zone name, or a path into a zoneinfo folder, with
    /// or without glibc's leading colon); the target of the /etc/localtime
    /// link, which is what glibc itself reads; /etc/timezone, which Debian
    /// keeps beside a copied /etc/localtime; then ICU's guess, which must
    /// compare a copied file with every zone and so may pick a twin (Helsinki
    /// and Mariehamn share their rules). `tz` stands for the variable (unset:
    /// nullopt); `root` for "/", so tests can lay out a system of their own.
    static SystemTimeZone find(std::optional<std::string_view> tz, const std::filesystem::path& root);
    /// The running system's: TZ from the environment, the real root.
    static SystemTimeZone find();
};

}  // namespace PhoneKit
