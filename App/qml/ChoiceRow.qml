// One number of "Which number?".
import QtQuick
import QtQuick.Layouts
import Tovu

PanelButton {
    id: row
    required property var number
    ringRadius: 10
    implicitHeight: 40
    implicitWidth: contentItem.implicitWidth + leftPadding + rightPadding
    leftPadding: 12
    rightPadding: 12
    background: Rectangle {
        radius: 10
        color: row.hovered ? Colours.line : Colours.surface
    }
    contentItem: RowLayout {
        spacing: 8
        Text {
            Layout.fillWidth: true
            // Isolated, so that the digits keep their order in Arabic.
            text: "\u2066%1\u2069".arg(row.number.display)
            font: Theme.number
            color: Colours.fg
            elide: Text.ElideRight
        }
        Text {
            visible: row.number.kind !== "other"
            text: row.number.kind === "mobile"
                  //: The kind of a phone number found in the text: a mobile phone
                  ? qsTranslate("tovu", "Mobile")
                  //: The kind of a phone number found in the text: a fixed line
                  : qsTranslate("tovu", "Landline")
            font: Theme.small
            color: Colours.fgMuted
        }
        Arrow { pointSize: 11; color: Colours.fgMuted }
    }
    Accessible.name: row.number.display
    Accessible.description: qsTranslate("tovu", "Opens the chat in WhatsApp")
}
