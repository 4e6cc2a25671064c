// The Messages section: the ready-made and the user's own messages, each
// with a send arrow, and the editor that takes the list's place.
pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Templates as T
import Tovu

Item {
    id: section
    required property MessagesModel messages

    implicitHeight: section.messages.isEditing ? editor.implicitHeight : list.implicitHeight

    // One message: its title (and preview) opens the editor, the arrow sends.
    component MessageRow: Rectangle {
        id: row
        required property var message
        required property MessagesModel messages
        readonly property bool unfilled: row.message.needsFilling

        implicitHeight: Math.max(edit.implicitContentHeight, 30) + 14
        radius: 10
        color: hover.hovered ? Colours.line : Colours.surface
        HoverHandler { id: hover }

        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 10
            anchors.rightMargin: 10
            anchors.topMargin: 7
            anchors.bottomMargin: 7
            spacing: 10
            T.Button {
                id: edit
                objectName: "edit-" + row.message.id
                Layout.fillWidth: true
                Layout.fillHeight: true
                focusPolicy: Qt.TabFocus
                contentItem: ColumnLayout {
                    spacing: 2
                    Text {
                        Layout.fillWidth: true
                        text: row.message.title
                        font: Theme.body
                        color: row.unfilled ? Colours.fgMuted : Colours.fg
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Text {
                        Layout.fillWidth: true
                        visible: text !== ""
                        text: row.unfilled ? qsTranslate("tovu", "Not filled in yet. Click to add.") : row.message.preview
                        font: Theme.small
                        color: Colours.fgMuted
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                }
                background: Rectangle {
                    color: "transparent"
                    radius: 6
                    border.color: Colours.fgMuted
                    border.width: edit.visualFocus ? 1 : 0
                }
                onClicked: row.messages.editMessage(row.message.id)
                Accessible.name: row.message.title
                //: Spoken hint of a message row: activating the row opens the message in the editor
                Accessible.description: qsTranslate("tovu", "Edit", "row hint")
            }
            T.Button {
                id: send
                objectName: "send-" + row.message.id
                Layout.preferredWidth: 30
                Layout.preferredHeight: 30
                focusPolicy: Qt.TabFocus
                background: Rectangle {
                    radius: 8
                    color: row.unfilled ? Colours.line : Colours.accent
                    border.color: Colours.fgMuted
                    border.width: send.visualFocus ? 1.5 : 0
                }
                contentItem: Item {
                    Arrow {
                        anchors.centerIn: parent
                        pointSize: 12
                        color: row.unfilled ? Colours.fgMuted : Colours.onAccent
                    }
                }
                onClicked: row.messages.sendMessage(row.message.id)
                //: The arrow button of a message row and its tool tip: sends the message through WhatsApp
                Accessible.name: qsTranslate("tovu", "Send")
                ToolTip.text: send.Accessible.name
                ToolTip.visible: send.hovered
                ToolTip.delay: 600
            }
        }
    }

    ColumnLayout {
        id: list
        visible: !section.messages.isEditing
        width: section.width
        spacing: 10

        ListView {
            objectName: "messageList"
            Layout.fillWidth: true
            Layout.preferredHeight: 300
            clip: true
            spacing: 6
            boundsBehavior: Flickable.StopAtBounds
            model: section.messages.messages
            delegate: MessageRow {
                id: delegate
                required property var modelData
                width: ListView.view.width
                message: delegate.modelData
                messages: section.messages
            }
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
            Accessible.role: Accessible.List
        }

        NoticeRow {
            visible: section.messages.couldNotOpen
            Layout.fillWidth: true
            text: qsTranslate("tovu", "Could not open WhatsApp.")
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            FlatButton {
                id: add
                objectName: "newMessage"
                text: qsTranslate("tovu", "New Message")
                symbol: "plus"
                Layout.preferredHeight: 32
                leftPadding: 12
                rightPadding: 12
                background: Rectangle {
                    radius: 10
                    color: add.hovered ? Colours.line : Colours.surface
                    border.color: add.visualFocus ? Colours.accent : Colours.line
                    border.width: 1
                }
                onClicked: section.messages.startNew()
            }
            Item { Layout.fillWidth: true }
            FlatButton {
                id: restore
                objectName: "restore"
                text: qsTranslate("tovu", "Restore Ready-Made Messages")
                visible: section.messages.missingCount > 0
                labelFont: Theme.small
                tint: restore.hovered ? Colours.fg : Colours.fgMuted
                onClicked: section.messages.restoreMissing()
            }
        }

        Text {
            Layout.fillWidth: true
            text: qsTranslate("tovu", "The arrow opens WhatsApp, which asks which chat.")
            font: Theme.small
            color: Colours.fgMuted
            wrapMode: Text.Wrap
        }
    }

    ColumnLayout {
        id: editor
        visible: section.messages.isEditing
        width: section.width
        spacing: 10
        onVisibleChanged: if (visible) box.forceActiveFocus()

        RowLayout {
            spacing: 6
            IconButton {
                id: back
                objectName: "back"
                side: 26
                symbol: "chevron-left"
                tint: Colours.fg
                // "Back" points to where the reading starts.
                mirrorSymbol: back.LayoutMirroring.enabled
                onClicked: section.messages.endEditing()
                //: Button that leaves the message editor for the list
                Accessible.name: qsTranslate("tovu", "Back")
            }
            Text {
                text: section.messages.isEditingNew ? qsTranslate("tovu", "New Message") : qsTranslate("tovu", "Edit Message")
                font: Theme.button
                color: Colours.fg
            }
            Item { Layout.fillWidth: true }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 170
            radius: 12
            color: Colours.surface
            border.color: box.activeFocus ? Colours.accent : Colours.line
            border.width: box.activeFocus ? 1.5 : 1
            ScrollView {
                anchors.fill: parent
                anchors.margins: 10
                T.TextArea {
                    id: box
                    objectName: "messageBox"
                    font: Theme.body
                    color: Colours.fg
                    selectionColor: Colours.accent
                    selectedTextColor: Colours.onAccent
                    wrapMode: TextEdit.Wrap
                    horizontalAlignment: TextEdit.AlignLeft  // mirrored in Arabic
                    selectByMouse: true
                    Text {
                        // Drawn here: the template control has no placeholder.
                        x: box.leftPadding
                        y: box.topPadding
                        width: box.width - box.leftPadding - box.rightPadding
                        visible: box.length === 0 && box.preeditText === ""
                        text: qsTranslate("tovu", "Write your message")
                        font: Theme.body
                        color: Colours.fgMuted
                        wrapMode: Text.Wrap
                        Accessible.ignored: true
                    }
                    leftPadding: 5
                    rightPadding: 5
                    text: section.messages.draft
                    onTextChanged: if (text !== section.messages.draft) section.messages.draft = text
                    // The proposed text of a slot ends in a line break: write after it.
                    onActiveFocusChanged: if (activeFocus) cursorPosition = length
                    Keys.onPressed: event => {
                        if ((event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
                                && (event.modifiers & Qt.ControlModifier)) {
                            event.accepted = true
                            section.messages.saveDraft()
                        }
                    }
                    //: Spoken name of the text box in which a message is written
                    Accessible.name: qsTranslate("tovu", "Message")
                }
            }
        }

        Text {
            Layout.fillWidth: true
            text: qsTranslate("tovu", "The first line is the title in your list. All of it goes into WhatsApp, ready for you to send.")
            font: Theme.small
            color: Colours.fgMuted
            wrapMode: Text.Wrap
        }

        RowLayout {
            Layout.fillWidth: true
            FlatButton {
                objectName: "deleteMessage"
                //: Button: deletes the message being edited
                text: qsTranslate("tovu", "Delete")
                symbol: "trash-2"
                tint: Colours.danger
                visible: !section.messages.isEditingNew
                onClicked: section.messages.deleteEditing()
            }
            Item { Layout.fillWidth: true }
            SignalButtonStyle {
                id: save
                objectName: "saveMessage"
                //: Button: saves the message being edited
                text: qsTranslate("tovu", "Save")
                enabled: section.messages.canSave
                Layout.preferredHeight: 32
                leftPadding: 18
                rightPadding: 18
                contentItem: Text {
                    text: save.text
                    font: save.labelFont
                    color: save.tint
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                onClicked: section.messages.saveDraft()
            }
        }
    }
}
