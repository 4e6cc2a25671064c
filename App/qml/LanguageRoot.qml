// The root of the panel: the interface language's direction for everything
// below, and a new view tree whenever the language changes, so that no
// text, font or layout of the old language survives.
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

    Loader {
        id: loader
        anchors.fill: parent
        focus: true
        function build() {
            loader.source = ""
            loader.setSource("PanelView.qml", { panel: root.panel, messages: root.messages, shell: root.shell })
        }
        Component.onCompleted: loader.build()
    }
    Connections {
        target: root.language
        function onChoiceChanged() { loader.build() }
    }
}
