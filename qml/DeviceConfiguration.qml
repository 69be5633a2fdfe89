import QtQuick 2.15
import QtQuick.Layouts 1.15

// Placeholder until the screen is written.
ColumnLayout {
    readonly property Item last_item: filler

    Item {
        id: filler
        Layout.fillHeight: true
    }
}
