// The panel under the tray icon: header, section switch, and the Number
// section or the messages.
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Templates as T
import Tovu

Rectangle {
    id: view
    required property var panel
    required property var messages
    required property var shell

    readonly property bool isEmpty: panel.text.trim() === ""
    readonly property bool onNumber: panel.sectionName === "number"

    implicitWidth: 340
    implicitHeight: column.implicitHeight + 32
    color: Colours.bg

    // Each opening, and each switch to it, puts the caret in the field.
    function refocus() {
        if (onNumber)
            field.forceActiveFocus()
        else
            view.forceActiveFocus()
    }
    Component.onCompleted: refocus()
    Connections {
        target: view.panel
        function onOpenCountChanged() { view.refocus() }
        function onSectionChanged() { view.refocus() }
    }

    Shortcut {
        sequence: "Escape"
        onActivated: {
            if (!view.onNumber && view.messages.isEditing)
                view.messages.endEditing()
            else
                view.shell.closePanel()
        }
    }
    // Spelled out: not every desktop's key scheme names keys to close or quit.
    Shortcut { sequence: "Ctrl+W"; onActivated: view.shell.closePanel() }
    Shortcut { sequence: "Ctrl+Q"; onActivated: view.shell.quitByShortcut() }

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
                text: qsTranslate("tovu", "tovu")
                font: Theme.type("wordmark")
                color: Colours.fg
            }
            Item { Layout.fillWidth: true }
            T.Button {
                id: more
                objectName: "more"
                Layout.preferredWidth: 28
                Layout.preferredHeight: 28
                focusPolicy: Qt.TabFocus
                hoverEnabled: true
                background: Rectangle {
                    radius: 8
                    color: more.hovered || more.down ? Colours.line : "transparent"
                }
                contentItem: Item {
                    Symbol {
                        anchors.centerIn: parent
                        name: "ellipsis"
                        size: 16
                        weight: "semibold"
                    }
                }
                onClicked: view.shell.showMoreMenu(more.mapToGlobal(0, more.height + 4))
                Accessible.name: qsTranslate("tovu", "More")
                ToolTip.text: Accessible.name
                ToolTip.visible: hovered
                ToolTip.delay: 600
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
            border.width: field.activeFocus ? 1.5 : 1
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
                    font: Theme.type("number")
                    color: Colours.fg
                    selectionColor: Colours.accent
                    selectedTextColor: Colours.onAccent
                    // The template control draws no placeholder of its own.
                    Text {
                        anchors.fill: parent
                        verticalAlignment: Text.AlignVCenter
                        visible: field.length === 0 && field.preeditText === ""
                        text: qsTranslate("tovu", "Paste a number")
                        // The field's own face; the Latin monospace has no Arabic letters.
                        font: Theme.type(Theme.arabic ? "body" : "number")
                        color: Colours.fgMuted
                        Accessible.ignored: true
                    }
                    selectByMouse: true
                    text: view.panel.text
                    onTextChanged: if (text !== view.panel.text) view.panel.text = text
                    onAccepted: view.panel.submit()
                    Accessible.name: qsTranslate("tovu", "Phone number")
                }
                T.Button {
                    objectName: "clear"
                    visible: !view.isEmpty
                    focusPolicy: Qt.NoFocus
                    Layout.preferredWidth: 20
                    Layout.preferredHeight: 20
                    contentItem: Symbol { name: "circle-x"; size: 18 }
                    onClicked: view.panel.text = ""
                    Accessible.name: qsTranslate("tovu", "Clear")
                }
            }
        }

        T.Button {
            id: pasteButton
            objectName: "pasteCopied"
            visible: view.onNumber && view.panel.offersPaste && view.isEmpty
            Layout.fillWidth: true
            Layout.preferredHeight: 36
            focusPolicy: Qt.TabFocus
            leftPadding: 12
            rightPadding: 12
            opacity: visible ? 1 : 0
            Behavior on opacity { enabled: !Theme.reduceMotion; NumberAnimation { duration: 200 } }
            background: Rectangle {
                radius: 10
                color: Colours.surface
                Canvas {
                    // The dashed outline of an offer, not of a control.
                    id: dashes
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
                    text: qsTranslate("tovu", "Open the copied number")
                    font: Theme.type("body")
                    color: Colours.fg
                }
                Item { Layout.fillWidth: true }
                Text {
                    objectName: "pasteKeys"
                    text: "\u2066" + Theme.pasteKeys + "\u2069"
                    font: Theme.type("small")
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

        RowLayout {
            objectName: "notice"
            visible: view.onNumber && view.panel.noticeText !== ""
            Layout.fillWidth: true
            spacing: 6
            opacity: visible ? 1 : 0
            Behavior on opacity { enabled: !Theme.reduceMotion; NumberAnimation { duration: 200 } }
            Accessible.role: Accessible.AlertMessage
            Accessible.name: view.panel.noticeText
            Symbol { name: "circle-alert"; size: 14; color: Colours.danger }
            Text {
                Layout.fillWidth: true
                text: view.panel.noticeText
                font: Theme.type("small")
                color: Colours.danger
                wrapMode: Text.Wrap
            }
        }

        ColumnLayout {
            objectName: "choices"
            visible: view.onNumber && view.panel.choices.length > 0
            Layout.fillWidth: true
            spacing: 6
            opacity: visible ? 1 : 0
            Behavior on opacity { enabled: !Theme.reduceMotion; NumberAnimation { duration: 200 } }
            Text {
                text: qsTranslate("tovu", "Which number?")
                font: Theme.type("label")
                color: Colours.fgMuted
            }
            Repeater {
                model: view.panel.choices
                delegate: ChoiceRow {
                    required property int index
                    required property var modelData
                    number: modelData
                    objectName: "choice-" + modelData.digits
                    Layout.fillWidth: true
                    onClicked: view.panel.openChoice(index)
                }
            }
        }

        SignalButtonStyle {
            objectName: "open"
            visible: view.onNumber
            enabled: !view.isEmpty
            Layout.fillWidth: true
            Layout.preferredHeight: 40
            leftPadding: 14
            rightPadding: 14
            contentItem: RowLayout {
                Text {
                    text: qsTranslate("tovu", "Open chat")
                    font: Theme.type("button")
                    color: Colours.onAccent
                }
                Item { Layout.fillWidth: true }
                Arrow { pointSize: 13; color: Colours.onAccent }
            }
            onClicked: view.panel.submit()
            Accessible.name: qsTranslate("tovu", "Open chat")
        }

        MessagesView {
            visible: !view.onNumber
            Layout.fillWidth: true
            messages: view.messages
        }
    }
}
