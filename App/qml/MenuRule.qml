// The line between groups of a PanelMenu's entries.
import QtQuick
import QtQuick.Templates as T
import Tovu

T.MenuSeparator {
    id: rule
    implicitWidth: rule.implicitContentWidth + rule.leftPadding + rule.rightPadding
    implicitHeight: rule.implicitContentHeight + rule.topPadding + rule.bottomPadding
    contentItem: Rectangle {
        implicitHeight: 1
        color: Colours.line
    }
    topPadding: 3
    bottomPadding: 3
    leftPadding: 6
    rightPadding: 6
}
