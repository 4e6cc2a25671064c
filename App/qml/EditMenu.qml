// The desktop's edit menu for a text field, on a right click in it, the
// menu key or Shift+F10. Placed inside the field it serves.
import QtQuick
import Tovu

Item {
    id: edit
    // A TextInput or a TextEdit: they share these operations but no type.
    required property var target
    anchors.fill: parent

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

    PanelMenu {
        id: menu
        objectName: "editMenu"
        // The keyboard goes back to the field, whatever closed the menu.
        onClosed: edit.target.forceActiveFocus()
        MenuEntry {
            objectName: "undo"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Undo")
            enabled: edit.target.canUndo
            onTriggered: edit.target.undo()
        }
        MenuEntry {
            objectName: "redo"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Redo")
            enabled: edit.target.canRedo
            onTriggered: edit.target.redo()
        }
        MenuRule {}
        MenuEntry {
            objectName: "cut"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Cut")
            enabled: edit.target.selectedText !== ""
            onTriggered: edit.target.cut()
        }
        MenuEntry {
            objectName: "copy"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Copy")
            enabled: edit.target.selectedText !== ""
            onTriggered: edit.target.copy()
        }
        MenuEntry {
            objectName: "paste"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Paste")
            enabled: edit.target.canPaste
            onTriggered: edit.target.paste()
        }
        MenuEntry {
            objectName: "selectAll"
            //: In the edit menu of a text field
            text: qsTranslate("tovu", "Select All")
            enabled: edit.target.length > 0
            onTriggered: edit.target.selectAll()
        }
    }
}
