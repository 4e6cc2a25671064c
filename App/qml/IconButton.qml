// A square button of one symbol that shows a shade under the pointer.
import QtQuick
import QtQuick.Layouts
import Tovu

PanelButton {
    id: button
    property string symbol
    property color tint: Colours.fgMuted
    property bool mirrorSymbol: false
    property real side: 28

    Layout.preferredWidth: side
    Layout.preferredHeight: side
    background: Rectangle {
        radius: 8
        color: button.hovered || button.down ? Colours.line : "transparent"
    }
    contentItem: Item {
        Symbol {
            anchors.centerIn: parent
            name: button.symbol
            size: 16
            weight: "semibold"
            color: button.tint
            mirror: button.mirrorSymbol
        }
    }
}
