#include "PhoneKit/support/Files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace PhoneKit::Files {

namespace fs = std::filesystem;

fs::path userDataDirectory() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && fs::path(data).is_absolute()) return data;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / ".local" / "share";
}

void ignoreRelativeXdgPaths() {
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
        if (const char* value = std::getenv(name); value && !fs::path(value).is_absolute()) ::unsetenv(name);
    }
    for (const char* name : {"XDG_CONFIG_DIRS", "XDG_DATA_DIRS"}) {
        const char* value = std::getenv(name);
        if (!value) continue;
        std::string kept;
        for (std::string_view rest = value; !rest.empty();) {
            const auto colon = rest.find(':');
            const std::string_view entry = rest.substr(0, colon);
            if (fs::path(entry).is_absolute()) kept.append(kept.empty() ? "" : ":").append(entry);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        if (kept.empty()) {
            ::unsetenv(name);
        } else {
            ::setenv(name, kept.c_str(), 1);
        }
    }
}

std::optional<fs::path> plainFileIn(const fs::path& folder, std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return folder / fs::path(std::string(name));
}

std::string lastComponent(std::string_view name) {
    while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
    const auto slash = name.rfind('/');
    return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

std::error_code writeAtomically(const fs::path& path, std::string_view bytes) {
    std::string temporary = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return {errno, std::generic_category()};
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return std::error_code(error, std::generic_category());
    };
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        if (n == 0) return fail(EIO);
        written += static_cast<std::size_t>(n);
    }
    // mkstemp gives 0600: the user's files stay the user's.
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        ::unlink(temporary.c_str());
        return {errno, std::generic_category()};
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return {error, std::generic_category()};
    }
    // The rename itself is on the disk only once the folder is. The new file
    // is in place by now, so a folder that cannot be flushed is no failure.
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return {};
}

bool readPieces(std::istream& in, const std::function<void(std::string_view)>& take) {
    char chunk[1 << 16];
    errno = 0;
    // read() turns the stream buffer's exceptions into badbit; an
    // istreambuf_iterator would let a failed read escape as one.
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) take({chunk, static_cast<std::size_t>(in.gcount())});
    return !in.bad();
}

std::optional<std::string> readStream(std::istream& in) {
    std::string bytes;
    if (!readPieces(in, [&](std::string_view piece) { bytes.append(piece); })) return std::nullopt;
    return bytes;
}

std::optional<std::string> readRegularFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(path, error))) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return readStream(file);
}

}  // namespace PhoneKit::Files
