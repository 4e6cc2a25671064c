// A line symbol in one colour; hidden from screen readers, since the
// control around it carries the label.
import QtQuick
import QtQuick.Layouts
import Tovu

Image {
    property string name
    property color color: Colours.fgMuted
    property string weight: "regular"
    property real size: 14
    width: size
    height: size
    Layout.preferredWidth: size
    Layout.preferredHeight: size
    sourceSize.width: size
    sourceSize.height: size
    source: name === "" ? "" : "image://symbol/" + name + "?weight=" + weight + "&color=" + encodeURIComponent(color.toString())
    fillMode: Image.PreserveAspectFit
    Accessible.ignored: true
}
