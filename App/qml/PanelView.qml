// The panel under the tray icon: header, section switch, and the Number
// section or the messages.
pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Templates as T
import Tovu

Rectangle {
    id: view
    required property PanelModel panel
    required property MessagesModel messages
    required property PanelShell shell

    readonly property bool isEmpty: view.panel.text.trim() === ""
    readonly property bool onNumber: view.panel.sectionName === "number"
    onOnNumberChanged: view.buildMessagesOnce()
    function buildMessagesOnce() {
        if (!view.onNumber && messagesSection.status === Loader.Null)
            messagesSection.setSource("MessagesView.qml", { messages: view.messages });
    }

    implicitWidth: 340
    implicitHeight: column.implicitHeight + 32
    color: Colours.bg
    // A hairline edge, so that the panel stands apart from any window under it.
    border.color: Colours.outline
    border.width: 1

    // Each opening, and each switch to it, puts the caret in the field.
    function refocus() {
        if (view.onNumber)
            field.forceActiveFocus()
        else
            view.forceActiveFocus()
    }
    Component.onCompleted: {
        view.buildMessagesOnce();
        view.refocus();
    }
    Connections {
        target: view.panel
        function onOpenCountChanged() { view.refocus() }
        function onSectionChanged() { view.refocus() }
    }
    // Return and Enter press the focused button, as Space does: buttons
    // leave those keys to their parents, and the text field hands them on
    // after it took them as its own.
    Keys.onPressed: event => {
        const button = view.Window.activeFocusItem as T.AbstractButton
        if (button && (event.key === Qt.Key_Return || event.key === Qt.Key_Enter) && !event.isAutoRepeat) {
            event.accepted = true
            button.clicked()
        }
    }

    Shortcut {
        sequence: "Escape"
        onActivated: {
            if (!view.onNumber && view.messages.isEditing)
                view.messages.endEditing()
            else
                view.shell.closeRequested()
        }
    }
    // Spelled out: not every desktop's key scheme names keys to close or quit.
    Shortcut { sequence: "Ctrl+W"; onActivated: view.shell.closeRequested() }
    Shortcut { sequence: "Ctrl+Q"; onActivated: view.shell.quitRequested() }

    ColumnLayout {
        id: column
        x: 16
        y: 16
        width: view.width - 32
        spacing: 12

        RowLayout {
            spacing: 8
            Rectangle {
                Layout.preferredWidth: 20
                Layout.preferredHeight: 20
                radius: 6
                color: Colours.accent
                Accessible.ignored: true
                Arrow {
                    anchors.centerIn: parent
                    pointSize: 10
                    weight: "heavy"
                    color: Colours.onAccent
                }
            }
            Text {
                //: The name of the application at the top of the panel; keep it in Latin letters
                text: qsTranslate("tovu", "tovu")
                font: Theme.wordmark
                color: Colours.fg
            }
            Item { Layout.fillWidth: true }
            IconButton {
                id: more
                objectName: "more"
                symbol: "ellipsis"
                // From the button, its trailing edge on the button's.
                onClicked: moreMenu.popup(more, more.mirrored ? 0 : more.width - moreMenu.width, more.height + 4)
                //: Button with three dots and its tool tip: opens the menu with the language and quit
                Accessible.name: qsTranslate("tovu", "More")
                //: Spoken description of the More button
                Accessible.description: qsTranslate("tovu", "Open at login, language and quitting")
                ToolTip.text: more.Accessible.name
                ToolTip.visible: more.hovered
                ToolTip.delay: 600
                Accessible.role: Accessible.ButtonMenu
                // The tray's menu, in the panel's own look and direction.
                PanelMenu {
                    id: moreMenu
                    objectName: "moreMenu"
                    onClosed: more.forceActiveFocus()
                    MenuEntry {
                        objectName: "openAtLogin"
                        text: qsTranslate("tovu", "Open at login")
                        checkable: true
                        checked: view.panel.launchAtLogin
                        onTriggered: view.panel.launchAtLogin = !view.panel.launchAtLogin
                    }
                    MenuRule {}
                    Repeater {
                        // Each language in itself, isolated so that it keeps its
                        // own direction among items of the other.
                        model: [{"choice": "system", "name": qsTranslate("tovu", "System")},
                                {"choice": "ar", "name": "\u2068العربية\u2069"},
                                {"choice": "en", "name": "\u2068English\u2069"}]
                        MenuEntry {
                            required property var modelData
                            objectName: "interface-" + modelData.choice
                            text: modelData.name
                            checkable: true
                            checked: view.panel.languageChoice === modelData.choice
                            onTriggered: view.panel.chooseLanguage(modelData.choice)
                        }
                    }
                    MenuRule {}
                    MenuEntry {
                        objectName: "quit"
                        text: qsTranslate("tovu", "Quit tovu")
                        onTriggered: view.panel.quitApplication()
                    }
                }
            }
        }

        SectionPicker {
            Layout.fillWidth: true
            selection: view.panel.sectionName
            onPicked: section => view.panel.sectionName = section
        }

        // The Number section.
        Rectangle {
            visible: view.onNumber
            Layout.fillWidth: true
            Layout.preferredHeight: 46
            radius: 12
            color: Colours.surface
            border.color: field.activeFocus ? Colours.accent : Colours.line
            border.width: field.activeFocus ? 2 : 1  // whole pixels: even on every side at scale 1
            RowLayout {
                anchors.fill: parent
                anchors.leftMargin: 12
                anchors.rightMargin: 12
                spacing: 8
                T.TextField {
                    id: field
                    objectName: "number"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    verticalAlignment: TextInput.AlignVCenter
                    // Set, so that a mirrored layout mirrors it: the caret of an
                    // empty field then starts on the right in Arabic.
                    horizontalAlignment: TextInput.AlignLeft
                    font: Theme.number
                    color: Colours.fg
                    selectionColor: Colours.accent
                    selectedTextColor: Colours.onAccent
                    // The template control draws no placeholder of its own.
                    Text {
                        anchors.fill: parent
                        // Clear of the caret, which stands at the start.
                        anchors.leftMargin: 3
                        verticalAlignment: Text.AlignVCenter
                        visible: field.length === 0 && field.preeditText === ""
                        text: field.placeholderText
                        // The field's own size, so nothing moves when typing
                        // starts; its face unless Arabic, which the Latin
                        // monospace has no letters for.
                        font.family: Theme.arabic ? Theme.body.family : Theme.number.family
                        font.weight: Theme.arabic ? Theme.body.weight : Theme.number.weight
                        font.pixelSize: Theme.number.pixelSize
                        elide: Text.ElideRight
                        color: Colours.fgMuted
                        Accessible.ignored: true
                    }
                    // Also what a screen reader gives as the field's description.
                    placeholderText: qsTranslate("tovu", "Paste a number")
                    selectByMouse: true
                    text: view.panel.text
                    onTextChanged: if (text !== view.panel.text) view.panel.text = text
                    onAccepted: view.panel.submit()
                    // Down from the field goes into "Which number?".
                    Keys.onDownPressed: event => {
                        if (choices.shown)
                            choices.focusRow(0)
                        else
                            event.accepted = false
                    }
                    Accessible.name: qsTranslate("tovu", "Phone number")
                    EditMenu { target: field }
                }
                PanelButton {
                    id: clear
                    objectName: "clear"
                    visible: !view.isEmpty
                    // The field keeps the keyboard; Escape or a select-all and
                    // Delete empty it as well.
                    focusPolicy: Qt.NoFocus
                    Layout.preferredWidth: 20
                    Layout.preferredHeight: 20
                    // A filled disc, as search fields draw their clear button.
                    contentItem: Item {
                        Rectangle {
                            anchors.centerIn: parent
                            width: 18
                            height: 18
                            radius: 9
                            color: clear.hovered ? Colours.fg : Colours.fgMuted
                            Symbol {
                                anchors.centerIn: parent
                                name: "x"
                                size: 12
                                weight: "bold"
                                color: Colours.surface
                            }
                        }
                    }
                    onClicked: view.panel.text = ""
                    //: Button in the number field: empties the field
                    Accessible.name: qsTranslate("tovu", "Clear")
                    //: Spoken description of the Clear button in the number field
                    Accessible.description: qsTranslate("tovu", "Empties the number field")
                }
            }
        }

        PanelButton {
            id: pasteButton
            objectName: "pasteCopied"
            readonly property bool shown: view.onNumber && view.panel.offersPaste && view.isEmpty
            // Kept while it fades out; out of reach meanwhile.
            visible: opacity > 0
            enabled: shown
            opacity: shown ? 1 : 0
            FadeBehavior on opacity {}
            Layout.fillWidth: true
            Layout.preferredHeight: 36
            leftPadding: 12
            rightPadding: 12
            ringRadius: 10
            text: qsTranslate("tovu", "Open the copied number")
            Accessible.description: qsTranslate("tovu", "Opens the chat in WhatsApp")
            background: Rectangle {
                radius: 10
                color: Colours.surface
                Canvas {
                    // The dashed outline of an offer, not of a control.
                    anchors.fill: parent
                    property color stroke: Colours.accent
                    onStrokeChanged: requestPaint()
                    onPaint: {
                        const context = getContext("2d")
                        context.reset()
                        context.strokeStyle = stroke
                        context.globalAlpha = 0.5
                        context.lineWidth = 1
                        context.setLineDash([4, 3])
                        context.lineDashOffset = 0
                        context.beginPath()
                        context.roundedRect(0.5, 0.5, width - 1, height - 1, 10, 10)
                        context.stroke()
                    }
                }
            }
            contentItem: RowLayout {
                spacing: 8
                Symbol { name: "clipboard"; size: 14; weight: "semibold"; color: Colours.fg }
                Text {
                    text: pasteButton.text
                    font: Theme.body
                    color: Colours.fg
                }
                Item { Layout.fillWidth: true }
                Text {
                    objectName: "pasteKeys"
                    text: "\u2066%1\u2069".arg(Theme.pasteKeys)
                    font: Theme.small
                    color: Colours.fgMuted
                }
            }
            onClicked: {
                view.panel.text = ""
                view.panel.submitAfterPaste = true
                field.forceActiveFocus()
                field.paste()
            }
        }

        NoticeRow {
            objectName: "notice"
            readonly property bool shown: view.onNumber && view.panel.noticeText !== ""
            visible: opacity > 0
            opacity: shown ? 1 : 0
            FadeBehavior on opacity {}
            Layout.fillWidth: true
            // The last notice stays written while it fades out.
            Binding on text {
                when: view.panel.noticeText !== ""
                value: view.panel.noticeText
                restoreMode: Binding.RestoreNone
            }
            Accessible.role: Accessible.AlertMessage
            Accessible.name: view.panel.noticeText
            // WhatsApp did not open: its web link, to open by hand or send on.
            FlatButton {
                objectName: "copyLink"
                visible: view.panel.chatLink !== ""
                symbol: view.panel.linkCopied ? "check" : "copy"
                text: view.panel.linkCopied
                      //: Beside "Could not open WhatsApp." once the chat's web link is on the clipboard
                      ? qsTranslate("tovu", "Link copied")
                      //: Beside "Could not open WhatsApp.": puts the chat's web link (wa.me) on the clipboard
                      : qsTranslate("tovu", "Copy link")
                labelFont: Theme.small
                tint: Colours.fg
                ringInset: -3
                onClicked: view.panel.copyChatLink()
                //: Spoken description of the Copy link button
                Accessible.description: qsTranslate("tovu", "Puts the chat's web link on the clipboard, to open it in a browser")
            }
        }

        ColumnLayout {
            id: choices
            objectName: "choices"
            readonly property bool shown: view.onNumber && view.panel.choices.length > 0
            // Up from the first row is the field again; past the last, the last.
            function focusRow(index: int) {
                if (index < 0)
                    field.forceActiveFocus(Qt.BacktabFocusReason)
                else if (index < rows.count)
                    rows.itemAt(index).forceActiveFocus(Qt.TabFocusReason)
            }
            visible: opacity > 0
            enabled: shown
            opacity: shown ? 1 : 0
            FadeBehavior on opacity {}
            Layout.fillWidth: true
            spacing: 6
            Text {
                text: qsTranslate("tovu", "Which number?")
                font: Theme.label
                color: Colours.fgMuted
            }
            Repeater {
                id: rows
                // The last numbers stay listed while the list fades out.
                Binding on model {
                    when: view.panel.choices.length > 0
                    value: view.panel.choices
                    restoreMode: Binding.RestoreNone
                }
                delegate: ChoiceRow {
                    id: choice
                    required property int index
                    required property var modelData
                    number: choice.modelData
                    objectName: "choice-" + choice.modelData.digits
                    Layout.fillWidth: true
                    onClicked: view.panel.openChoice(choice.index)
                    Keys.onDownPressed: choices.focusRow(choice.index + 1)
                    Keys.onUpPressed: choices.focusRow(choice.index - 1)
                    // A focused row that goes with its list (the text changed)
                    // would leave the focus on nothing: the field takes it.
                    onActiveFocusChanged: if (!choice.activeFocus && !choices.shown) field.forceActiveFocus()
                }
            }
        }

        SignalButtonStyle {
            id: open
            objectName: "open"
            visible: view.onNumber
            enabled: !view.isEmpty
            Layout.fillWidth: true
            Layout.preferredHeight: 40
            leftPadding: 14
            rightPadding: 14
            text: qsTranslate("tovu", "Open chat")
            Accessible.description: qsTranslate("tovu", "Opens the chat in WhatsApp")
            contentItem: RowLayout {
                Text {
                    text: open.text
                    font: open.labelFont
                    color: open.tint
                }
                Item { Layout.fillWidth: true }
                Arrow { pointSize: 13; color: open.tint }
            }
            onClicked: view.panel.submit()
        }

        // Built at the first visit, kept from then on: most openings of the
        // panel never go there, and the tray stays lighter until one does.
        Loader {
            id: messagesSection
            visible: !view.onNumber
            Layout.fillWidth: true
        }
    }
}
