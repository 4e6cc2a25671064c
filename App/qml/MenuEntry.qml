// One entry of a PanelMenu; a checkable one shows a check mark when chosen.
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Tovu

T.MenuItem {
    id: entry
    implicitWidth: Math.max(160, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: 28
    leftPadding: 10
    rightPadding: 10
    contentItem: RowLayout {
        spacing: 8
        Text {
            Layout.fillWidth: true
            text: entry.text
            font: Theme.body
            color: entry.enabled ? Colours.fg : Colours.fgMuted
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: Text.AlignLeft  // mirrored in Arabic
        }
        Symbol {
            visible: entry.checked
            name: "check"
            size: 14
            weight: "semibold"
            color: Colours.accent
        }
    }
    background: Rectangle {
        radius: 6
        color: entry.highlighted ? Colours.line : "transparent"
    }
    Accessible.name: entry.text
}
