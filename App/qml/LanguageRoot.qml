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
    required property PanelShell shell

    // The window takes the panel's own size.
    width: tree.count > 0 ? (tree.itemAt(0) as Item).implicitWidth : 340
    height: tree.count > 0 ? (tree.itemAt(0) as Item).implicitHeight : 0
    LayoutMirroring.enabled: Theme.arabic
    LayoutMirroring.childrenInherit: true

    // One view tree, made again from nothing on every language change.
    Repeater {
        id: tree
        model: 1
        delegate: PanelView {
            anchors.fill: parent
            panel: root.panel
            messages: root.messages
            shell: root.shell
        }
    }
    // The theme announces the language once its styles are those of the
    // new language: the new tree reads them, never the old ones.
    Connections {
        target: Theme
        function onLanguageChanged() {
            tree.model = 0
            tree.model = 1
        }
    }
}
