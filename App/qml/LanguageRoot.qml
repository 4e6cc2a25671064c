// The root of the panel: the interface language's direction for everything
// below, and a new view tree whenever the language changes, so that no
// text, font or layout of the old language survives.
import QtQuick
import Tovu

Item {
    id: root
    required property var panel
    required property var messages
    required property var language
    required property var shell

    // The window takes the panel's own size.
    width: loader.item ? loader.item.implicitWidth : 340
    height: loader.item ? loader.item.implicitHeight : 0
    LayoutMirroring.enabled: language.rightToLeft
    LayoutMirroring.childrenInherit: true

    Component {
        id: panelView
        PanelView {
            panel: root.panel
            messages: root.messages
            shell: root.shell
        }
    }
    Loader {
        id: loader
        anchors.fill: parent
        sourceComponent: panelView
        focus: true
    }
    Connections {
        target: root.language
        function onChoiceChanged() {
            loader.sourceComponent = null
            loader.sourceComponent = panelView
        }
    }
}
