#include "platform/DisplayServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string_view>

namespace {

// Empty when a client could connect to the socket file; else the reason
// it could not. (A Wayland compositor takes a connection that leaves at
// once in its stride.)
std::string tryUnixSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return std::strerror(ENAMETOOLONG);
    std::memcpy(address.sun_path, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::strerror(errno);
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    const int error = errno;
    ::close(fd);
    return connected ? std::string() : std::strerror(error);
}

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

DisplayServer wayland(const std::string& name) {
    DisplayServer server{DisplayServer::Kind::wayland, "WAYLAND_DISPLAY", name, false, {}};
    std::string path = name;
    if (!name.starts_with('/')) {
        const auto runtime = environment("XDG_RUNTIME_DIR");
        if (!runtime) {
            server.why = "XDG_RUNTIME_DIR is not set";
            return server;
        }
        path = *runtime + "/" + name;
    }
    server.why = tryUnixSocket(path);
    server.reachable = server.why.empty();
    return server;
}

// Whether an X server listens at `path`, by its abstract or its file
// socket. Asked of the kernel's list of bound sockets, not by connecting:
// an X server whose only client leaves resets, and refuses the next client
// meanwhile (tovu's own, a moment later).
DisplayServer listening(DisplayServer server, const std::string& path) {
    std::ifstream sockets("/proc/net/unix");
    if (!sockets) {
        server.reachable = true;  // no list to read: Qt's own attempt will tell
        return server;
    }
    for (std::string line; std::getline(sockets, line);) {
        if (line.ends_with(" " + path) || line.ends_with(" @" + path)) {
            server.reachable = true;
            return server;
        }
    }
    server.why = "no X server listens there";
    return server;
}

// ":0", ":0.1", "unix:0" and "/tmp/.X11-unix/X0" are local sockets; a host
// name before the colon is TCP, which only Xlib's own attempt can judge.
DisplayServer x11(const std::string& name) {
    DisplayServer server{DisplayServer::Kind::x11, "DISPLAY", name, false, {}};
    std::string_view display = name;
    if (display.starts_with('/')) return listening(server, std::string(display));
    const auto colon = display.rfind(':');
    const std::string_view host = colon == display.npos ? display : display.substr(0, colon);
    if (colon == display.npos || (!host.empty() && host != "unix")) {
        server.reachable = colon != display.npos;
        if (!server.reachable) server.why = "not a display name";
        return server;
    }
    std::string_view number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != number.npos) {
        server.why = "not a display name";
        return server;
    }
    return listening(server, "/tmp/.X11-unix/X" + std::string(number));
}

}  // namespace

DisplayServer DisplayServer::find() {
    const auto waylandName = environment("WAYLAND_DISPLAY");
    const auto x11Name = environment("DISPLAY");
    std::optional<DisplayServer> first;
    if (waylandName) {
        DisplayServer server = wayland(*waylandName);
        if (server.reachable) return server;
        first = server;
    }
    if (x11Name) {
        DisplayServer server = x11(*x11Name);
        if (server.reachable || !first) return server;
    }
    return first.value_or(DisplayServer{});
}

const char* DisplayServer::kindName() const {
    switch (kind) {
        case Kind::wayland: return "Wayland";
        case Kind::x11: return "X11";
        case Kind::none: break;
    }
    return "none";
}
