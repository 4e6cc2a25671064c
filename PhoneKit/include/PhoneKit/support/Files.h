#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

namespace PhoneKit {

/// A value, or the file system's reason for not having one.
template <typename T>
class FileResult {
public:
    FileResult(T value) : state_(std::move(value)) {}     // NOLINT: implicit, like a return value
    FileResult(std::error_code error) : state_(error) {}  // NOLINT

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<T>(state_); }
    const T* operator->() const { return &value(); }
    std::error_code error() const { return ok() ? std::error_code() : std::get<std::error_code>(state_); }

private:
    std::variant<T, std::error_code> state_;
};

namespace Files {

/// $XDG_DATA_HOME, else ~/.local/share: where the user's own data lives
/// (the Application Support of other desktops).
std::filesystem::path userDataDirectory();

/// Clears every XDG base-directory variable of this process that holds a
/// relative path, and drops relative entries from the search lists, as the
/// base-directory rules ask: the defaults then apply, for tovu and for the
/// libraries it loads (GIO and dconf read the variables themselves), rather
/// than folders relative to wherever tovu was started. Call before those
/// libraries start.
void ignoreRelativeXdgPaths();

/// `folder`/`name` when `name` is a plain file name that stays inside the
/// folder: not empty, not "." or "..", no "/" and no NUL. Nothing otherwise.
std::optional<std::filesystem::path> plainFileIn(const std::filesystem::path& folder, std::string_view name);

/// The last path component of `name` ("a/b.png" → "b.png"), trailing
/// slashes ignored.
std::string lastComponent(std::string_view name);

/// Replaces `path` with `bytes` so that readers see the old or the new
/// content, never a part: a temporary file (0600) in the same folder, every
/// write checked, flushed to disk, renamed over the target, and the folder
/// flushed. On any failure the old file stays as it was and the reason is
/// returned. A symbolic link at `path` is replaced, never followed.
std::error_code writeAtomically(const std::filesystem::path& path, std::string_view bytes);

/// Hands everything left in `in` to `take`, a piece at a time; false on a
/// read error (a closed descriptor, a folder, EIO), with errno telling which.
bool readPieces(std::istream& in, const std::function<void(std::string_view)>& take);

/// Everything left in `in`; nothing on a read error, as for `readPieces`.
std::optional<std::string> readStream(std::istream& in);

/// The whole content of a regular file; nothing for a missing file, a
/// folder, a symbolic link or a read error.
std::optional<std::string> readRegularFile(const std::filesystem::path& path);

}  // namespace Files
}  // namespace PhoneKit
