// The arrow of the actions that open a chat. It sits in the size of a
// glyph of `pointSize` points and points up and to the right in right-to-left
// layouts too (images are never mirrored).
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Tovu

Symbol {
    name: "arrow-up-right"
    weight: "bold"
    property real pointSize: 13
    size: Math.round(pointSize * 0.8)
}
