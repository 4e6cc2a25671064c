// The desktop's edit menu for a text field, on a right click in it, the
// menu key or Shift+F10. Placed inside the field it serves.
import QtQuick
import QtQuick.Templates as T
import Tovu

Item {
    id: edit
    // A TextInput or a TextEdit: they share these operations but no type.
    required property var target
    anchors.fill: parent

    component Entry: T.MenuItem {
        id: entry
        implicitWidth: Math.max(160, implicitContentWidth + leftPadding + rightPadding)
        implicitHeight: 28
        leftPadding: 10
        rightPadding: 10
        contentItem: Text {
            text: entry.text
            font: Theme.body
            color: entry.enabled ? Colours.fg : Colours.fgMuted
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: Text.AlignLeft  // mirrored in Arabic
        }
        background: Rectangle {
            radius: 6
            color: entry.highlighted ? Colours.line : "transparent"
        }
        Accessible.name: entry.text
    }

    function openAt(x: real, y: real) {
        edit.target.forceActiveFocus()
        menu.popup(edit, x, y)
    }

    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: point => edit.openAt(point.position.x, point.position.y)
    }
    Shortcut {
        sequences: ["Menu", "Shift+F10"]
        enabled: edit.target.activeFocus
        onActivated: edit.openAt(edit.target.cursorRectangle.x, edit.target.cursorRectangle.y
                                 + edit.target.cursorRectangle.height)
    }

    T.Menu {
        id: menu
        objectName: "editMenu"
        // Inside the panel: nothing of it may hang off the window.
        margins: 4
        // The keyboard goes back to the field, whatever closed the menu.
        onClosed: edit.target.forceActiveFocus()
        padding: 4
        implicitWidth: Math.max(implicitBackgroundWidth, contentWidth + leftPadding + rightPadding)
        implicitHeight: contentHeight + topPadding + bottomPadding
        contentItem: ListView {
            implicitHeight: contentHeight
            implicitWidth: contentItem.childrenRect.width
            model: menu.contentModel
            interactive: false
            currentIndex: menu.currentIndex
        }
        background: Rectangle {
            radius: 10
            color: Colours.surface
            border.color: Colours.outline
            border.width: 1
        }
        Entry {
            objectName: "undo"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Undo")
            enabled: edit.target.canUndo
            onTriggered: edit.target.undo()
        }
        Entry {
            objectName: "redo"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Redo")
            enabled: edit.target.canRedo
            onTriggered: edit.target.redo()
        }
        T.MenuSeparator {
            contentItem: Rectangle { implicitHeight: 1; color: Colours.line }
            topPadding: 4
            bottomPadding: 4
        }
        Entry {
            objectName: "cut"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Cut")
            enabled: edit.target.selectedText !== ""
            onTriggered: edit.target.cut()
        }
        Entry {
            objectName: "copy"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Copy")
            enabled: edit.target.selectedText !== ""
            onTriggered: edit.target.copy()
        }
        Entry {
            objectName: "paste"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Paste")
            enabled: edit.target.canPaste
            onTriggered: edit.target.paste()
        }
        Entry {
            objectName: "selectAll"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Select All")
            enabled: edit.target.length > 0
            onTriggered: edit.target.selectAll()
        }
    }
}
