#include "PhoneKit/support/SystemTimeZone.h"

#include "PhoneKit/support/Text.h"

#include <dlfcn.h>
#include <unicode/ucal.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace PhoneKit {

namespace {

// A zone name as tzdata spells them ("America/Argentina/Buenos_Aires",
// "Etc/GMT+3", "EST5EDT"): no leading slash, no empty or dot part.
bool isZoneName(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.back() == '/' || name.find("//") != name.npos) return false;
    if (name.front() == '.' || name.find("/.") != name.npos) return false;
    for (const char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-' || c == '+' || c == '/';
        if (!ok) return false;
    }
    return true;
}

// tzdata installs each zone three times: plain, under posix/ (the same) and
// under right/ (with leap seconds); all three name the same place.
std::string withoutVariant(std::string_view name) {
    for (std::string_view variant : {"posix/", "right/"}) {
        if (name.starts_with(variant)) name.remove_prefix(variant.size());
    }
    return std::string(name);
}

// "/usr/share/zoneinfo/Asia/Dubai", "../usr/share/zoneinfo/posix/Asia/Dubai".
std::optional<std::string> zoneOfPath(std::string_view path) {
    constexpr std::string_view folder = "zoneinfo/";
    const auto at = path.rfind(folder);
    if (at == path.npos || (at > 0 && path[at - 1] != '/')) return std::nullopt;
    std::string name = withoutVariant(path.substr(at + folder.size()));
    if (!isZoneName(name)) return std::nullopt;
    return name;
}

std::optional<std::string> linkTarget(const std::filesystem::path& link) {
    std::error_code error;
    const auto target = std::filesystem::read_symlink(link, error);
    if (error) return std::nullopt;
    return target.string();
}

// TZ=":Asia/Dubai", "Asia/Dubai", "/usr/share/zoneinfo/Asia/Dubai", or a
// path to a link into zoneinfo. A POSIX rule ("<+04>-4") names no place.
std::optional<std::string> zoneOfVariable(std::string_view tz, const std::filesystem::path& root) {
    if (tz.starts_with(':')) tz.remove_prefix(1);
    if (tz.empty()) return std::string("UTC");  // glibc's reading of an empty TZ
    if (tz.front() != '/') {
        std::string name = withoutVariant(tz);
        if (isZoneName(name)) return name;
        return std::nullopt;
    }
    if (auto name = zoneOfPath(tz)) return name;
    const auto target = linkTarget(root / std::filesystem::path(tz).relative_path());
    return target ? zoneOfPath(*target) : std::nullopt;
}

std::optional<std::string> zoneOfTimezoneFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) return std::nullopt;
    std::string name = withoutVariant(Text::trimmed(line));
    if (!isZoneName(name)) return std::nullopt;
    return name;
}

#define TOVU_TEXT_OF(name) TOVU_TEXT_OF_EXPANDED(name)
#define TOVU_TEXT_OF_EXPANDED(name) #name

// ICU's guess from the zone files. Its library is opened only when the
// system names no zone itself, so that the one-shot command loads no ICU;
// the symbol carries ICU's version suffix, which the macro spells out.
std::string hostZoneOfICU() {
    void* library = ::dlopen("libicui18n.so." TOVU_TEXT_OF(U_ICU_VERSION_MAJOR_NUM), RTLD_LAZY | RTLD_LOCAL);
    if (!library) return {};
    const auto host =
        reinterpret_cast<decltype(&ucal_getHostTimeZone)>(::dlsym(library, TOVU_TEXT_OF(ucal_getHostTimeZone)));
    if (!host) return {};
    UChar id[128];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = host(id, 128, &status);
    if (U_FAILURE(status) || length <= 0 || length > 128) return {};
    std::string zone;
    for (int32_t i = 0; i < length; ++i) {
        if (id[i] > 0x7F) return {};  // zone names are ASCII
        zone += static_cast<char>(id[i]);
    }
    // ICU's name for "could not tell".
    return zone == "Etc/Unknown" ? std::string() : zone;
}

}  // namespace

SystemTimeZone SystemTimeZone::find(std::optional<std::string_view> tz, const std::filesystem::path& root) {
    if (tz) {
        if (auto name = zoneOfVariable(*tz, root)) return {std::move(*name), "TZ"};
    }
    if (const auto target = linkTarget(root / "etc/localtime")) {
        if (auto name = zoneOfPath(*target)) return {std::move(*name), "/etc/localtime"};
    }
    if (auto name = zoneOfTimezoneFile(root / "etc/timezone")) return {std::move(*name), "/etc/timezone"};
    return {hostZoneOfICU(), "ICU"};
}

SystemTimeZone SystemTimeZone::find() {
    const char* tz = std::getenv("TZ");
    return find(tz ? std::optional<std::string_view>(tz) : std::nullopt, "/");
}

}  // namespace PhoneKit
