// The primary button: ink on lime in the dark, lime on ink in the light.
import QtQuick
import Tovu

FlatButton {
    id: signal
    focusPolicy: Qt.StrongFocus
    tint: Colours.onAccent
    ringColour: Colours.onAccent
    ringRadius: 12
    opacity: !enabled ? 0.4 : (down ? 0.8 : 1.0)
    scale: enabled && down ? 0.98 : 1.0
    Behavior on scale {
        enabled: !Theme.reduceMotion
        NumberAnimation { duration: 150; easing.type: Easing.OutCubic }
    }
    Behavior on opacity {
        enabled: !Theme.reduceMotion
        NumberAnimation { duration: 150; easing.type: Easing.OutCubic }
    }
    background: Rectangle {
        radius: 12
        color: Colours.accent
    }
}
