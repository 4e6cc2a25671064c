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

    implicitHeight: section.messages.isEditing ? editor.implicitHeight : listColumn.implicitHeight

    // One message: its title (and preview) opens the editor, the arrow sends.
    component MessageRow: Rectangle {
        id: row
        required property int index
        required property string messageId
        required property string title
        required property string preview
        required property bool needsFilling
        required property MessagesModel messages
        readonly property bool unfilled: row.needsFilling
        readonly property bool holdsFocus: edit.activeFocus || send.activeFocus
        // Rows are made as they come into sight: the keyboard goes from row
        // to row by index, not by the order in which the rows were made.
        signal tabbed(int toIndex, bool toSend)
        signal focused()
        onHoldsFocusChanged: if (row.holdsFocus) row.focused()
        function focusPart(toSend: bool) {
            (toSend ? send : edit).forceActiveFocus(toSend ? Qt.BacktabFocusReason : Qt.TabFocusReason)
        }

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
            PanelButton {
                id: edit
                objectName: "edit-" + row.messageId
                Layout.fillWidth: true
                Layout.fillHeight: true
                // Around the text, in the row's margin, clear of the glyphs.
                ringInset: -5
                ringRadius: 6
                text: row.title
                contentItem: ColumnLayout {
                    spacing: 2
                    Text {
                        Layout.fillWidth: true
                        text: row.title
                        font: Theme.body
                        color: row.unfilled ? Colours.fgMuted : Colours.fg
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Text {
                        Layout.fillWidth: true
                        visible: text !== ""
                        text: row.unfilled ? qsTranslate("tovu", "Not filled in yet. Click to add.") : row.preview
                        font: Theme.small
                        color: Colours.fgMuted
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                }
                background: null
                onClicked: row.messages.editMessage(row.messageId)
                Keys.onTabPressed: send.forceActiveFocus(Qt.TabFocusReason)
                Keys.onBacktabPressed: row.tabbed(row.index - 1, true)
                //: Spoken hint of a message row: activating the row opens the message in the editor
                Accessible.description: qsTranslate("tovu", "Edit", "row hint")
            }
            PanelButton {
                id: send
                objectName: "send-" + row.messageId
                Layout.preferredWidth: 30
                Layout.preferredHeight: 30
                ringColour: row.unfilled ? Colours.fg : Colours.onAccent
                background: Rectangle {
                    radius: 8
                    color: row.unfilled ? Colours.line : Colours.accent
                }
                contentItem: Item {
                    Arrow {
                        anchors.centerIn: parent
                        pointSize: 12
                        color: row.unfilled ? Colours.fgMuted : Colours.onAccent
                    }
                }
                onClicked: row.messages.sendMessage(row.messageId)
                Keys.onTabPressed: row.tabbed(row.index + 1, false)
                Keys.onBacktabPressed: edit.forceActiveFocus(Qt.BacktabFocusReason)
                //: The arrow button of a message row and its tool tip: sends the message through WhatsApp
                text: qsTranslate("tovu", "Send")
                // Spoken with the message it sends: a list of arrows all named
                // alike says nothing.
                //: Spoken name of a message's send arrow; %1 is the message's title
                Accessible.name: qsTranslate("tovu", "Send: %1").arg(row.title)
                Accessible.description: qsTranslate("tovu", "The arrow opens WhatsApp, which asks which chat.")
                ToolTip.text: send.text
                ToolTip.visible: send.hovered
                ToolTip.delay: 600
            }
        }
    }

    ColumnLayout {
        id: listColumn
        // The list and the editor take turns, each fading in and out.
        opacity: section.messages.isEditing ? 0 : 1
        visible: opacity > 0
        enabled: !section.messages.isEditing
        FadeBehavior on opacity {}
        width: section.width
        spacing: 10

        // Rows are made as they scroll into sight and reused: a list of
        // thousands costs what the few rows in sight cost.
        ListView {
            id: list
            objectName: "messageList"
            Layout.fillWidth: true
            Layout.preferredHeight: 300
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            spacing: 6
            // Two screenfuls made ahead and behind: the next row is there for
            // the keyboard, and a short list is made whole.
            cacheBuffer: 600
            model: section.messages.rows
            delegate: MessageRow {
                id: delegate
                width: list.width
                messages: section.messages
                onFocused: list.positionViewAtIndex(delegate.index, ListView.Contain)
                onTabbed: (toIndex, toSend) => list.moveFocus(toIndex, toSend)
                Connections {
                    target: list
                    function onFocusWanted(toIndex: int, toSend: bool) {
                        if (toIndex === delegate.index)
                            delegate.focusPart(toSend)
                    }
                }
            }
            signal focusWanted(int toIndex, bool toSend)
            // Past the first row the keyboard leaves for what comes before
            // the list, past the last for the New Message button.
            function moveFocus(toIndex: int, toSend: bool) {
                if (toIndex < 0) {
                    list.nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
                } else if (toIndex >= list.count) {
                    add.forceActiveFocus(Qt.TabFocusReason)
                } else {
                    list.positionViewAtIndex(toIndex, ListView.Contain)
                    list.focusWanted(toIndex, toSend)
                }
            }
            ScrollBar.vertical: ScrollBar {
                policy: ScrollBar.AsNeeded
                Accessible.name: list.Accessible.name
            }
            Accessible.role: Accessible.List
            //: Spoken name of the list of messages
            Accessible.name: qsTranslate("tovu", "Messages")
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
                    border.color: Colours.line
                    border.width: 1
                }
                ringRadius: 10
                onClicked: section.messages.startNew()
                Keys.onBacktabPressed: event => {
                    if (list.count > 0)
                        list.moveFocus(list.count - 1, true)
                    else
                        event.accepted = false
                }
                //: Spoken description of the New Message button
                Accessible.description: qsTranslate("tovu", "Opens the editor for a message of your own")
            }
            Item { Layout.fillWidth: true }
            FlatButton {
                id: restore
                objectName: "restore"
                text: qsTranslate("tovu", "Restore Ready-Made Messages")
                visible: section.messages.missingCount > 0
                // It takes what the row leaves it and wraps there, rather than
                // pushing the row past the panel's margin.
                Layout.fillWidth: true
                Layout.maximumWidth: implicitWidth
                wraps: true
                ringInset: -3
                labelFont: Theme.small
                tint: restore.hovered ? Colours.fg : Colours.fgMuted
                onClicked: section.messages.restoreMissing()
                //: Spoken description of the Restore Ready-Made Messages button
                Accessible.description: qsTranslate("tovu", "Puts the ready-made messages you deleted back at the end of the list")
            }
            // The ready-made texts may be in another language than the
            // interface: a greeting for family in Riyadh, another for Lyon.
            FlatButton {
                id: language
                objectName: "messagesLanguage"
                text: {
                    const chosen = section.messages.languages.find(l => l.id === section.messages.languageID)
                    return chosen ? Theme.languageName(chosen.id, chosen.name) : section.messages.languageID
                }
                symbol: "languages"
                ringInset: -3
                labelFont: Theme.small
                tint: language.hovered ? Colours.fg : Colours.fgMuted
                onClicked: languageMenu.popup(language, language.mirrored ? 0 : language.width - languageMenu.width,
                                              language.height)
                Accessible.role: Accessible.ButtonMenu
                //: Spoken description of the button that picks the language of the ready-made messages
                Accessible.description: qsTranslate("tovu", "Language of the ready-made messages")
                PanelMenu {
                    id: languageMenu
                    objectName: "messagesLanguageMenu"
                    onClosed: language.forceActiveFocus()
                    Repeater {
                        model: section.messages.languages
                        MenuEntry {
                            required property var modelData
                            objectName: "language-" + modelData.id
                            text: Theme.languageName(modelData.id, modelData.name)
                            checkable: true
                            checked: modelData.id === section.messages.languageID
                            onTriggered: section.messages.chooseLanguage(modelData.id)
                        }
                    }
                }
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
        opacity: section.messages.isEditing ? 1 : 0
        visible: opacity > 0
        enabled: section.messages.isEditing
        FadeBehavior on opacity {}
        width: section.width
        spacing: 10
        onEnabledChanged: {
            if (!enabled)
                return
            box.forceActiveFocus()
            // The proposed text of a slot ends in a line break: write after it.
            box.cursorPosition = box.length
        }

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
                //: Spoken description of the Back button of the editor
                Accessible.description: qsTranslate("tovu", "Back to the list, without saving")
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
            border.width: box.activeFocus ? 2 : 1  // whole pixels: even on every side at scale 1
            ScrollView {
                id: boxView
                anchors.fill: parent
                anchors.margins: 10
                // Named after what they scroll, like every control here.
                ScrollBar.vertical: ScrollBar {
                    parent: boxView
                    x: boxView.mirrored ? 0 : boxView.width - width
                    y: boxView.topPadding
                    height: boxView.availableHeight
                    active: boxView.ScrollBar.horizontal.active
                    Accessible.name: box.Accessible.name
                }
                ScrollBar.horizontal: ScrollBar {
                    parent: boxView
                    x: boxView.leftPadding
                    y: boxView.height - height
                    width: boxView.availableWidth
                    active: boxView.ScrollBar.vertical.active
                    Accessible.name: box.Accessible.name
                }
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
                    // Also what a screen reader gives as the box's description.
                    placeholderText: qsTranslate("tovu", "Write your message")
                    Text {
                        // Drawn here: the template control has no placeholder.
                        x: box.leftPadding
                        y: box.topPadding
                        width: box.width - box.leftPadding - box.rightPadding
                        visible: box.length === 0 && box.preeditText === ""
                        text: box.placeholderText
                        font: Theme.body
                        color: Colours.fgMuted
                        wrapMode: Text.Wrap
                        Accessible.ignored: true
                    }
                    leftPadding: 5
                    rightPadding: 5
                    text: section.messages.draft
                    onTextChanged: if (text !== section.messages.draft) section.messages.draft = text
                    Keys.onPressed: event => {
                        if ((event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
                                && (event.modifiers & Qt.ControlModifier)) {
                            event.accepted = true
                            section.messages.saveDraft()
                        } else if (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab) {
                            // A tab has no place in a chat message: Tab and
                            // Shift+Tab (with Ctrl too, as GTK's text views take
                            // it) move on, as in a Qt text edit that changes focus.
                            event.accepted = true
                            const forward = event.key === Qt.Key_Tab && !(event.modifiers & Qt.ShiftModifier)
                            box.nextItemInFocusChain(forward).forceActiveFocus(
                                forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
                        }
                    }
                    //: Spoken name of the text box in which a message is written
                    Accessible.name: qsTranslate("tovu", "Message")
                    EditMenu { target: box }
                }
            }
        }

        NoticeRow {
            objectName: "draftProblem"
            Layout.fillWidth: true
            visible: section.messages.draftTooLong || section.messages.listFull
            //: Under the editor when the message cannot be saved; %1 is a number such as 65,536
            text: section.messages.draftTooLong
                  ? qsTranslate("tovu", "Too long to save: a message holds at most %1 characters.")
                        .arg("\u2066" + Number(section.messages.maximumCharacters).toLocaleString(Qt.locale("en_US"), "f", 0) + "\u2069")
                  : qsTranslate("tovu", "Your list is full: it holds at most %1 messages.")
                        .arg("\u2066" + Number(section.messages.maximumMessages).toLocaleString(Qt.locale("en_US"), "f", 0) + "\u2069")
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
                ringInset: -3
                visible: !section.messages.isEditingNew
                onClicked: section.messages.deleteEditing()
                //: Spoken description of the Delete button of the editor
                Accessible.description: qsTranslate("tovu", "Deletes this message from your list")
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
                //: Spoken description of the Save button of the editor
                Accessible.description: qsTranslate("tovu", "Saves the message in your list (Ctrl+Return)")
            }
        }
    }
}
