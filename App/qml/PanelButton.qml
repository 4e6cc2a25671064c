// What every button of the panel shares: a focus ring that stands out from
// what lies under it in both appearances (Return and Enter press it as
// Space does: PanelView sees to that for every button), and a spoken name.
import QtQuick
import QtQuick.Templates as T
import Tovu

T.Button {
    id: button
    property alias ringInset: ring.inset
    property alias ringRadius: ring.outerRadius
    property alias ringColour: ring.colour

    focusPolicy: Qt.TabFocus
    hoverEnabled: true

    FocusRing {
        id: ring
        control: button
    }

    Accessible.role: Accessible.Button
    Accessible.name: button.text
    Accessible.onPressAction: button.clicked()
}
