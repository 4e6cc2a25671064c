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
    //: Spoken name of the switch between the Number and the Messages section
    Accessible.name: qsTranslate("tovu", "Sections")

    // A tab button: the only kind whose page-tab role Qt 6.4 keeps once a
    // screen reader is on (it sets every other button's role back).
    component Segment: T.TabButton {
        id: segment
        required property string section
        required property string title
        required property string symbol
        required property string hint
        property bool selected
        objectName: "section-" + segment.section
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        Layout.preferredHeight: 28
        focusPolicy: Qt.TabFocus
        // The selection is the model's: a click asks for it, never toggles.
        checkable: false
        checked: segment.selected
        FocusRing {
            control: segment
            colour: segment.selected ? Colours.onAccent : Colours.fg
        }
        background: Rectangle {
            radius: 8
            color: segment.selected ? Colours.accent : "transparent"
        }
        contentItem: Item {
            RowLayout {
                anchors.centerIn: parent
                spacing: 6
                Symbol {
                    name: segment.symbol
                    size: 13
                    weight: "semibold"
                    color: segment.selected ? Colours.onAccent : Colours.fgMuted
                }
                Text {
                    text: segment.title
                    font: Theme.button
                    color: segment.selected ? Colours.onAccent : Colours.fgMuted
                }
            }
        }
        Accessible.role: Accessible.PageTab
        Accessible.name: segment.title
        Accessible.description: segment.hint
        Accessible.selectable: true
        Accessible.selected: segment.selected
        // A tab a screen reader reaches is one it can press, as a click would.
        Accessible.onPressAction: segment.clicked()
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: 3
        spacing: 4
        Segment {
            id: number
            section: "number"
            //: Tab of the panel: the section where a phone number is typed or pasted
            title: qsTranslate("tovu", "Number")
            symbol: "hash"
            //: Spoken description of the Number tab
            hint: qsTranslate("tovu", "Type or paste a phone number and open its chat")
            selected: picker.selection === number.section
            onClicked: if (!number.selected) picker.picked(number.section)
        }
        Segment {
            id: messages
            section: "messages"
            //: Tab of the panel: the section with the ready-made and the own messages
            title: qsTranslate("tovu", "Messages")
            symbol: "message-square-text"
            //: Spoken description of the Messages tab
            hint: qsTranslate("tovu", "Ready-made messages to send through WhatsApp")
            selected: picker.selection === messages.section
            onClicked: if (!messages.selected) picker.picked(messages.section)
        }
    }
}
