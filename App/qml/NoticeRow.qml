// A short warning under a control: an alert symbol and the text in red.
import QtQuick
import QtQuick.Layouts
import Tovu

RowLayout {
    id: notice
    property string text
    spacing: 6
    Symbol { name: "circle-alert"; size: 14; color: Colours.danger }
    Text {
        Layout.fillWidth: true
        text: notice.text
        font: Theme.small
        color: Colours.danger
        wrapMode: Text.Wrap
    }
}
