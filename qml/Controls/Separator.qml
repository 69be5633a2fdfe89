import QtQuick 2.15
import QtQuick.Layouts 1.15
import Velquin 1.0

// A one-pixel line across a layout, or down it when vertical.
Rectangle {
    property bool vertical: false

    Layout.fillWidth: !vertical
    Layout.fillHeight: vertical
    Layout.preferredWidth: vertical ? 1 : -1
    Layout.preferredHeight: vertical ? -1 : 1
    color: Theme.separator
}
