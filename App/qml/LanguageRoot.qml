// The root of the panel: the interface language's direction for everything
// below, and a new view tree whenever the language changes, so that no
// text, font or layout of the old language survives.
pragma ComponentBehavior: Bound

import QtQuick
import Tovu

Item {
    id: root
    required property PanelModel panel
    required property MessagesModel messages
    required property AppLanguageState language
    required property PanelShell shell

    // The window takes the panel's own size.
    width: loader.item ? (loader.item as Item).implicitWidth : 340
    height: loader.item ? (loader.item as Item).implicitHeight : 0
    LayoutMirroring.enabled: root.language.rightToLeft
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
