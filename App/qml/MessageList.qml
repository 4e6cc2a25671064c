// The list of messages, which hands its model to its rows: a delegate sees
// nothing outside itself.
import QtQuick
import Tovu

ListView {
    required property MessagesModel messages
}
