// How a part of the panel comes and goes: a short fade, none when the
// desktop asks for less motion.
import QtQuick
import Tovu

Behavior {
    enabled: !Theme.reduceMotion
    NumberAnimation { duration: 200 }
}
