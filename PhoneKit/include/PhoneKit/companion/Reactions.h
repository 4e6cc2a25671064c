#pragma once

#include "PhoneKit/support/Date.h"
#include "PhoneKit/support/Files.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

/// One saved reaction medium of the companion app: an image, a GIF or a
/// short video, stored in a vault folder beside its index.
struct Reaction {
    enum class Kind { image, gif, video };

    std::string id;  ///< upper-case UUID
    Kind kind = Kind::image;
    std::string fileName;  ///< id, ".", lower-case extension
    Date created;
    std::int64_t useCount = 0;
    std::optional<Date> lastUsed;
    std::optional<double> duration;  ///< seconds, for videos

    friend bool operator==(const Reaction&, const Reaction&) = default;
};

inline constexpr std::array<Reaction::Kind, 3> allReactionKinds = {Reaction::Kind::image, Reaction::Kind::gif,
                                                                   Reaction::Kind::video};
std::string_view toString(Reaction::Kind kind);
std::optional<Reaction::Kind> reactionKindFromString(std::string_view raw);
std::ostream& operator<<(std::ostream& out, const Reaction& reaction);

/// The index file: a JSON array of reactions, dates as seconds since
/// 2001-01-01 00:00:00 UTC, absent optionals left out.
std::string encodeReactions(const std::vector<Reaction>& reactions);
/// Nothing when any element breaks the format, or a date is out of range.
std::optional<std::vector<Reaction>> decodeReactions(std::string_view json);

namespace ReactionOrder {
/// Most used first; among equals the newer first; ties keep their order.
std::vector<Reaction> sorted(std::vector<Reaction> reactions);
}  // namespace ReactionOrder

/// Media types of reactions. Type identifiers are the system's content
/// types (MIME types, from shared-mime-info); the common uniform type
/// identifiers ("public.png", "com.compuserve.gif", "public.movie", …) are
/// accepted as aliases.
namespace ReactionMedia {
/// gif before video before image, over all the known identifiers given.
std::optional<Reaction::Kind> kind(const std::vector<std::string>& typeIdentifiers);
/// The type's preferred file-name extension ("png"); "bin" when unknown.
std::string fileExtension(std::string_view typeIdentifier);
/// The content type of a file name's extension; "application/octet-stream"
/// when there is none.
std::string pasteboardType(std::string_view fileName);
/// "m:ss" or "h:mm:ss", at least one second; "--:--" for a length that is
/// not a finite number of seconds within 64 bits.
std::string durationText(double seconds);
}  // namespace ReactionMedia

/// A folder of reaction media with its index "reactions.json". Every call
/// reads the index afresh and writes it whole, atomically. Entries whose
/// file name or id cannot name a plain file inside the folder are never
/// read, written, moved or removed on disk.
class ReactionVault {
public:
    static constexpr std::string_view indexName = "reactions.json";
    /// Where an index that does not read is kept before it is replaced.
    static constexpr std::string_view unreadableIndexName = "reactions.json.unreadable";

    explicit ReactionVault(std::filesystem::path folder) : folder_(std::move(folder)) {}
    /// $XDG_DATA_HOME/<group>/Reactions, shared by the programs of a group;
    /// the app's own vault when the group cannot name a folder.
    static ReactionVault shared(std::string_view appGroup);
    /// $XDG_DATA_HOME/tovu/Reactions.
    static ReactionVault appOwn();

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path thumbnails() const { return folder_ / "Thumbnails"; }
    std::optional<std::filesystem::path> url(const Reaction& reaction) const;
    std::optional<std::filesystem::path> thumbnailURL(const Reaction& reaction) const;

    std::vector<Reaction> load() const;
    FileResult<Reaction> add(std::string_view data, Reaction::Kind kind, std::string_view fileExtension,
                             std::optional<double> duration, Date now) const;
    /// Copies the file at `source`; its extension names the copy ("mov" when
    /// it has none).
    FileResult<Reaction> add(const std::filesystem::path& source, Reaction::Kind kind, std::optional<double> duration,
                             Date now) const;
    void remove(const Reaction& reaction) const;
    void markUsed(const Reaction& reaction, Date date) const;
    /// Moves another vault's reactions, media files first, into this one.
    void takeOver(const ReactionVault& old) const;

private:
    std::filesystem::path index() const { return folder_ / std::string(indexName); }
    void save(const std::vector<Reaction>& reactions) const;
    FileResult<Reaction> added(Reaction reaction) const;

    std::filesystem::path folder_;
};

}  // namespace PhoneKit
