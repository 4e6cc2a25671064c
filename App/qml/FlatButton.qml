// A button drawn as its symbol and label alone, sized by its content; the
// other buttons of the panel build on it.
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Tovu

T.Button {
    id: button
    property string symbol: ""
    property color tint: Colours.fg
    property font labelFont: Theme.button

    implicitWidth: Math.max(implicitBackgroundWidth, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight, implicitContentHeight + topPadding + bottomPadding)
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    contentItem: RowLayout {
        spacing: 6
        Symbol {
            visible: button.symbol !== ""
            name: button.symbol
            size: 14
            weight: "semibold"
            color: button.tint
        }
        Text {
            text: button.text
            font: button.labelFont
            color: button.tint
        }
    }
}
