// A menu in the panel's own look: its surface, outline and corners, in
// the light and the dark scheme alike. Kept inside the panel.
import QtQuick
import QtQuick.Templates as T
import Tovu

T.Menu {
    id: menu
    // Inside the panel: nothing of it may hang off the window.
    margins: 4
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
}
