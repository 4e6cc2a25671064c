// The focus ring of a button: drawn only for a focus the keyboard gave, in
// the text colour of what the button is drawn on, so that it stands out at
// 3:1 or more in both appearances.
import QtQuick
import QtQuick.Templates as T
import Tovu

Rectangle {
    id: ring
    required property T.AbstractButton control
    // Inside the button's edge by this much, or outside it when negative
    // (for buttons whose content runs to their edge).
    property real inset: 2
    property real outerRadius: 8
    property color colour: Colours.fg

    // On whole pixels, so that all four sides are as crisp at scale 1.
    x: Math.round(ring.inset)
    y: Math.round(ring.inset)
    width: Math.round(ring.control.width - 2 * ring.inset)
    height: Math.round(ring.control.height - 2 * ring.inset)
    z: 1
    radius: Math.max(0, ring.outerRadius - ring.inset)
    color: "transparent"
    border.color: ring.colour
    border.width: 2
    visible: ring.control.visualFocus
    Accessible.ignored: true
}
