// A button drawn as its symbol and label alone, sized by its content; the
// other buttons of the panel build on it.
import QtQuick
import QtQuick.Layouts
import Tovu

PanelButton {
    id: button
    property string symbol: ""
    property color tint: Colours.fg
    property font labelFont: Theme.button
    // Whether the label may wrap when the button is given less than its width.
    property bool wraps: false

    implicitWidth: Math.max(implicitBackgroundWidth, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight, implicitContentHeight + topPadding + bottomPadding)
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
            Layout.fillWidth: button.wraps
            text: button.text
            font: button.labelFont
            color: button.tint
            wrapMode: button.wraps ? Text.Wrap : Text.NoWrap
        }
    }
}
