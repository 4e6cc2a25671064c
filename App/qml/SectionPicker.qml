// The switch between the two sections.
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Tovu

Rectangle {
    id: picker
    required property string selection
    signal picked(string section)
    implicitHeight: 28 + 6
    radius: 11
    color: Colours.surface
    border.color: Colours.line
    border.width: 1
    Accessible.role: Accessible.PageTabList

    RowLayout {
        anchors.fill: parent
        anchors.margins: 3
        spacing: 4
        Repeater {
            model: [
                { section: "number", title: qsTranslate("tovu", "Number"), symbol: "hash" },
                { section: "messages", title: qsTranslate("tovu", "Messages"), symbol: "message-square-text" }
            ]
            delegate: T.Button {
                id: segment
                required property var modelData
                readonly property bool selected: picker.selection === modelData.section
                objectName: "section-" + modelData.section
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                Layout.preferredHeight: 28
                focusPolicy: Qt.TabFocus
                background: Rectangle {
                    radius: 8
                    color: segment.selected ? Colours.accent : "transparent"
                    border.color: Colours.fgMuted
                    border.width: segment.visualFocus ? 1.5 : 0
                }
                contentItem: Item {
                    RowLayout {
                        anchors.centerIn: parent
                        spacing: 6
                        Symbol {
                            name: segment.modelData.symbol
                            size: 13
                            weight: "semibold"
                            color: segment.selected ? Colours.onAccent : Colours.fgMuted
                        }
                        Text {
                            text: segment.modelData.title
                            font: Theme.type("button")
                            color: segment.selected ? Colours.onAccent : Colours.fgMuted
                        }
                    }
                }
                onClicked: if (!selected) picker.picked(modelData.section)
                Accessible.role: Accessible.PageTab
                Accessible.name: modelData.title
                Accessible.selected: selected
            }
        }
    }
}
