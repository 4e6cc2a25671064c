// The arrow of the actions that open a chat. It sits in the size of a
// glyph of `pointSize` points and points up and to the right in right-to-left
// layouts too (images are never mirrored).
import QtQuick

Symbol {
    property real pointSize: 13
    name: "arrow-up-right"
    weight: "bold"
    size: Math.round(pointSize * 0.8)
}
