#include "PhoneKit/companion/Reactions.h"

#include "PhoneKit/support/RawValues.h"
#include "PhoneKit/support/UUID.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>

namespace PhoneKit {

namespace fs = std::filesystem;

namespace {

// Apple's reference date, 2001-01-01 00:00:00 UTC, is the index's epoch.
constexpr std::chrono::seconds kReferenceEpoch{978'307'200};
// Dates a system clock can hold: about ±292 years around 1970 (counted from
// 1970, not from the index's epoch).
constexpr double kLargestSeconds = 9.0e9;

double secondsSinceReference(Date date) {
    return std::chrono::duration<double>(date.time_since_epoch() - kReferenceEpoch).count();
}

std::optional<Date> dateFrom(const nlohmann::json& value) {
    if (!value.is_number()) return std::nullopt;
    const double seconds = value.get<double>();
    const double sinceUnix = seconds + double(kReferenceEpoch.count());
    if (!std::isfinite(seconds) || std::abs(sinceUnix) > kLargestSeconds) return std::nullopt;
    return Date(std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(sinceUnix)));
}

const std::string* stringMember(const nlohmann::json& object, const char* key) {
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? &found->get_ref<const std::string&>() : nullptr;
}

}  // namespace

std::string_view toString(Reaction::Kind kind) {
    switch (kind) {
        case Reaction::Kind::image: return "image";
        case Reaction::Kind::gif: return "gif";
        case Reaction::Kind::video: return "video";
    }
    return {};
}

std::optional<Reaction::Kind> reactionKindFromString(std::string_view raw) {
    return fromRawValue(allReactionKinds, raw);
}

std::ostream& operator<<(std::ostream& out, const Reaction& reaction) {
    return out << toString(reaction.kind) << " " << reaction.fileName << " used " << reaction.useCount;
}

std::string encodeReactions(const std::vector<Reaction>& reactions) {
    auto array = nlohmann::ordered_json::array();
    for (const Reaction& r : reactions) {
        nlohmann::ordered_json object = {{"id", r.id},
                                         {"kind", toString(r.kind)},
                                         {"fileName", r.fileName},
                                         {"created", secondsSinceReference(r.created)},
                                         {"useCount", r.useCount}};
        if (r.lastUsed) object["lastUsed"] = secondsSinceReference(*r.lastUsed);
        // JSON has no NaN or infinity: such a length is left out, not written as null.
        if (r.duration && std::isfinite(*r.duration)) object["duration"] = *r.duration;
        array.push_back(std::move(object));
    }
    return array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::optional<std::vector<Reaction>> decodeReactions(std::string_view json) {
    const auto array = nlohmann::json::parse(json, nullptr, false);
    if (!array.is_array()) return std::nullopt;
    std::vector<Reaction> reactions;
    for (const auto& element : array) {
        if (!element.is_object()) return std::nullopt;
        const std::string* id = stringMember(element, "id");
        const std::string* kind = stringMember(element, "kind");
        const std::string* fileName = stringMember(element, "fileName");
        const auto created = element.find("created");
        const auto useCount = element.find("useCount");
        if (!id || !kind || !fileName || created == element.end() || useCount == element.end()) return std::nullopt;
        Reaction reaction;
        reaction.id = *id;
        reaction.fileName = *fileName;
        const auto parsedKind = reactionKindFromString(*kind);
        const auto createdDate = dateFrom(*created);
        if (!parsedKind || !createdDate) return std::nullopt;
        reaction.kind = *parsedKind;
        reaction.created = *createdDate;
        if (useCount->is_number_integer() && !useCount->is_number_unsigned()) {
            reaction.useCount = useCount->get<std::int64_t>();
        } else if (useCount->is_number_unsigned() && useCount->get<std::uint64_t>() <= INT64_MAX) {
            reaction.useCount = static_cast<std::int64_t>(useCount->get<std::uint64_t>());
        } else {
            return std::nullopt;
        }
        if (const auto lastUsed = element.find("lastUsed"); lastUsed != element.end()) {
            reaction.lastUsed = dateFrom(*lastUsed);
            if (!reaction.lastUsed) return std::nullopt;
        }
        if (const auto duration = element.find("duration"); duration != element.end()) {
            if (!duration->is_number()) return std::nullopt;
            reaction.duration = duration->get<double>();
        }
        reactions.push_back(std::move(reaction));
    }
    return reactions;
}

std::vector<Reaction> ReactionOrder::sorted(std::vector<Reaction> reactions) {
    std::stable_sort(reactions.begin(), reactions.end(), [](const Reaction& a, const Reaction& b) {
        if (a.useCount != b.useCount) return a.useCount > b.useCount;
        return a.created > b.created;
    });
    return reactions;
}

namespace ReactionMedia {

namespace {

// The uniform type identifiers other platforms hand over, as content types.
constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
    {"public.png", "image/png"},
    {"public.jpeg", "image/jpeg"},
    {"public.heic", "image/heic"},
    {"public.heif", "image/heif"},
    {"public.tiff", "image/tiff"},
    {"com.microsoft.bmp", "image/bmp"},
    {"org.webmproject.webp", "image/webp"},
    {"com.compuserve.gif", "image/gif"},
    {"public.image", "image/*"},
    {"public.movie", "video/*"},
    {"public.video", "video/*"},
    {"public.mpeg-4", "video/mp4"},
    {"com.apple.quicktime-movie", "video/quicktime"},
    {"public.avi", "video/x-msvideo"},
    {"public.mp3", "audio/mpeg"},
    {"public.plain-text", "text/plain"},
    {"public.data", "application/octet-stream"},
};

std::string contentType(std::string_view identifier) {
    for (const auto& [uti, mime] : kAliases) {
        if (uti == identifier) return std::string(mime);
    }
    return std::string(identifier);
}

struct GFreeString {
    void operator()(gchar* text) const { g_free(text); }
};

// The registered name of a content type, aliases resolved; nothing when
// shared-mime-info does not know it. Wildcards ("image/*") stand for their
// media type.
std::optional<std::string> knownType(const std::string& type) {
    if (type.size() > 2 && type.ends_with("/*")) return type;
    GList* registered = g_content_types_get_registered();
    std::optional<std::string> known;
    for (GList* item = registered; item != nullptr; item = item->next) {
        const auto* name = static_cast<const gchar*>(item->data);
        // An alias ("image/jpg") and its type are each a subtype of the other.
        if (!known && g_content_type_is_a(type.c_str(), name) && g_content_type_is_a(name, type.c_str())) known = name;
    }
    g_list_free_full(registered, g_free);
    return known;
}

}  // namespace

std::optional<Reaction::Kind> kind(const std::vector<std::string>& typeIdentifiers) {
    std::vector<std::string> types;
    for (const std::string& identifier : typeIdentifiers) {
        if (auto type = knownType(contentType(identifier))) types.push_back(std::move(*type));
    }
    auto any = [&](const char* super) {
        return std::any_of(types.begin(), types.end(),
                           [&](const std::string& t) { return g_content_type_is_a(t.c_str(), super); });
    };
    // A GIF is an image too, so it is asked for first.
    if (any("image/gif")) return Reaction::Kind::gif;
    if (any("video/*")) return Reaction::Kind::video;
    if (any("image/*")) return Reaction::Kind::image;
    return std::nullopt;
}

std::string fileExtension(std::string_view typeIdentifier) {
    const auto type = knownType(contentType(typeIdentifier));
    if (!type || type->ends_with("/*")) return "bin";
    // Where shared-mime-info's first suffix is not the one people use.
    if (*type == "video/quicktime") return "mov";
    // The first glob of the type's definition is its preferred suffix, as
    // shared-mime-info orders them (globs2 does not keep that order).
    for (const gchar* const* dir = g_content_type_get_mime_dirs(); dir && *dir; ++dir) {
        std::ifstream definition(fs::path(*dir) / (*type + ".xml"));
        std::string line;
        while (std::getline(definition, line)) {
            const auto at = line.find("<glob pattern=\"*.");
            if (at == std::string::npos) continue;
            const auto start = at + 17, end = line.find('"', start);
            const std::string suffix = line.substr(start, end - start);
            if (end != std::string::npos && !suffix.empty() && suffix.find_first_of("*?[]") == std::string::npos) {
                return suffix;
            }
        }
    }
    return "bin";
}

std::string pasteboardType(std::string_view fileName) {
    const std::string name(fileName);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size()) return "application/octet-stream";
    gboolean uncertain = FALSE;
    std::unique_ptr<gchar, GFreeString> type(
        g_content_type_guess(("file." + name.substr(dot + 1)).c_str(), nullptr, 0, &uncertain));
    if (!type || uncertain || !g_content_type_is_a(type.get(), "application/octet-stream")) {
        return "application/octet-stream";
    }
    return type.get();
}

std::string durationText(double seconds) {
    if (!std::isfinite(seconds) || std::abs(seconds) >= 9.2e18) return "--:--";
    const auto s = static_cast<long long>(std::round(seconds));  // halves away from zero
    const long long t = std::max(s, 1LL);
    char text[64];
    if (s >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", t / 3600, (t / 60) % 60, t % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", (t / 60) % 60, t % 60);
    }
    return text;
}

}  // namespace ReactionMedia

ReactionVault ReactionVault::shared(std::string_view appGroup) {
    if (const auto container = Files::plainFileIn(Files::userDataDirectory(), appGroup)) {
        return ReactionVault(*container / "Reactions");
    }
    return appOwn();
}

ReactionVault ReactionVault::appOwn() { return ReactionVault(Files::userDataDirectory() / "tovu" / "Reactions"); }

std::optional<fs::path> ReactionVault::url(const Reaction& reaction) const {
    return Files::plainFileIn(folder_, Files::lastComponent(reaction.fileName));
}

std::optional<fs::path> ReactionVault::thumbnailURL(const Reaction& reaction) const {
    if (!Files::plainFileIn(folder_, reaction.id)) return std::nullopt;
    return Files::plainFileIn(thumbnails(), reaction.id + ".jpg");
}

std::vector<Reaction> ReactionVault::load() const {
    const auto bytes = Files::readRegularFile(index());
    if (!bytes) return {};
    return decodeReactions(*bytes).value_or(std::vector<Reaction>{});
}

void ReactionVault::save(const std::vector<Reaction>& reactions) const {
    std::error_code ignored;
    fs::create_directories(folder_, ignored);
    // An index that is there but does not read may list reactions a newer
    // version wrote: move it aside rather than over-write it.
    const fs::path path = index();
    if (fs::exists(fs::symlink_status(path, ignored))) {
        const auto bytes = Files::readRegularFile(path);
        if (!bytes || !decodeReactions(*bytes)) {
            // Beside earlier copies, never over one; and when it cannot be
            // moved aside, it is not written over either.
            bool movedAside = false;
            for (int n = 1; n < 1000 && !movedAside; ++n) {
                const fs::path aside =
                    folder_ / (std::string(unreadableIndexName) + (n == 1 ? "" : "." + std::to_string(n)));
                movedAside = ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0;
                if (!movedAside && errno != EEXIST) return;
            }
            if (!movedAside) return;
        }
    }
    Files::writeAtomically(path, encodeReactions(reactions));
}

FileResult<Reaction> ReactionVault::added(Reaction reaction) const {
    std::vector<Reaction> reactions = load();
    reactions.push_back(reaction);
    save(reactions);
    return reaction;
}

namespace {

// The same directory, however spelled ("a/./b", "a/b/", a symbolic link).
bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code errorA, errorB;
    const fs::path ca = fs::weakly_canonical(a, errorA), cb = fs::weakly_canonical(b, errorB);
    if (errorA || errorB)
        return fs::absolute(a, errorA).lexically_normal() == fs::absolute(b, errorB).lexically_normal();
    return ca == cb;
}

Reaction newReaction(Reaction::Kind kind, std::string extension, std::optional<double> duration, Date now) {
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    Reaction reaction;
    reaction.id = UUID::random();
    reaction.kind = kind;
    reaction.fileName = reaction.id + "." + extension;
    reaction.created = now;
    reaction.duration = duration;
    return reaction;
}

}  // namespace

FileResult<Reaction> ReactionVault::add(std::string_view data, Reaction::Kind kind, std::string_view fileExtension,
                                        std::optional<double> duration, Date now) const {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) return error;
    Reaction reaction = newReaction(kind, std::string(fileExtension), duration, now);
    // The extension must not carry the file out of its name.
    const auto path = Files::plainFileIn(folder_, reaction.fileName);
    if (!path) return std::make_error_code(std::errc::invalid_argument);
    if (auto failure = Files::writeAtomically(*path, data)) return failure;
    return added(std::move(reaction));
}

FileResult<Reaction> ReactionVault::add(const fs::path& source, Reaction::Kind kind, std::optional<double> duration,
                                        Date now) const {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) return error;
    // "clip." has an extension of its own, an empty one: a movie all the same.
    std::string extension = source.has_extension() ? source.extension().string().substr(1) : "";
    if (extension.empty()) extension = "mov";
    Reaction reaction = newReaction(kind, extension, duration, now);
    const auto path = Files::plainFileIn(folder_, reaction.fileName);
    if (!path) return std::make_error_code(std::errc::invalid_argument);
    fs::copy_file(source, *path, error);
    if (error) return error;
    return added(std::move(reaction));
}

void ReactionVault::remove(const Reaction& reaction) const {
    std::error_code ignored;
    if (const auto media = url(reaction)) fs::remove(*media, ignored);
    // A thumbnails folder that is a link points out of the vault: nothing
    // there is the vault's to delete.
    if (const auto thumbnail = thumbnailURL(reaction);
        thumbnail && fs::is_directory(fs::symlink_status(thumbnails()))) {
        fs::remove(*thumbnail, ignored);
    }
    std::vector<Reaction> reactions = load();
    std::erase_if(reactions, [&](const Reaction& r) { return r.id == reaction.id; });
    save(reactions);
}

void ReactionVault::markUsed(const Reaction& reaction, Date date) const {
    std::vector<Reaction> reactions = load();
    const auto entry =
        std::find_if(reactions.begin(), reactions.end(), [&](const Reaction& r) { return r.id == reaction.id; });
    if (entry == reactions.end()) return;
    if (entry->useCount < INT64_MAX) ++entry->useCount;  // a count at the top stays there
    entry->lastUsed = date;
    save(reactions);
}

void ReactionVault::takeOver(const ReactionVault& old) const {
    std::error_code ignored;
    if (sameFolder(folder_, old.folder_)) return;
    const std::vector<Reaction> theirs = old.load();
    if (theirs.empty()) return;
    fs::create_directories(folder_, ignored);
    std::vector<Reaction> moved, kept;
    for (const Reaction& reaction : theirs) {
        const auto from = old.url(reaction), to = url(reaction);
        std::error_code error;
        // A file of the same name in this vault is never replaced: the
        // reaction stays in the old one.
        if (from && to && fs::is_regular_file(fs::symlink_status(*from, error)) &&
            !fs::exists(fs::symlink_status(*to, ignored))) {
            fs::rename(*from, *to, error);
            if (error == std::errc::cross_device_link) {
                error.clear();
                fs::copy_file(*from, *to, error);
                if (!error) fs::remove(*from, ignored);
            }
        } else {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
        }
        (error ? kept : moved).push_back(reaction);
    }
    std::vector<Reaction> ours = load();
    ours.insert(ours.end(), moved.begin(), moved.end());
    save(ours);
    old.save(kept);
}

}  // namespace PhoneKit
