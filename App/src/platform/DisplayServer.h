#pragma once

#include <string>

/// The display server the environment points tovu at, and whether it
/// listens. Qt aborts the process when it cannot connect; looking first lets
/// tovu say so and exit 1, and --diagnose report it.
struct DisplayServer {
    enum class Kind { none, wayland, x11 };
    Kind kind = Kind::none;
    std::string variable;  ///< "WAYLAND_DISPLAY" or "DISPLAY"
    std::string name;      ///< its value: "wayland-0", ":0"
    bool reachable = false;
    std::string why;  ///< when not reachable, why not

    /// Wayland when WAYLAND_DISPLAY's compositor takes a connection (as Qt
    /// prefers it), else X11 when a server listens at DISPLAY, else the first of the two that is set, unreachable.
    static DisplayServer find();
    /// "Wayland", "X11" or "none".
    const char* kindName() const;
};
