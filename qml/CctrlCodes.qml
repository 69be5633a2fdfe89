import QtQuick 2.15

// Functions of the Consumer usage page (0x0C) that a switch can send, in the order the list shows
// them. Codes are 16-bit: a switch keeps the low byte in param1 and the high byte in param2.
ListModel {
    ListElement { code: 0xE9; name: qsTr("Volume up") }
    ListElement { code: 0xEA; name: qsTr("Volume down") }
    ListElement { code: 0xE2; name: qsTr("Mute") }
    ListElement { code: 0xB0; name: qsTr("Play") }
    ListElement { code: 0xB1; name: qsTr("Pause") }
    ListElement { code: 0xCD; name: qsTr("Play/Pause") }
    ListElement { code: 0xB7; name: qsTr("Stop") }
    ListElement { code: 0xB5; name: qsTr("Next track") }
    ListElement { code: 0xB6; name: qsTr("Previous track") }
    ListElement { code: 0xB2; name: qsTr("Record") }
    ListElement { code: 0xB3; name: qsTr("Fast forward") }
    ListElement { code: 0xB4; name: qsTr("Rewind") }
    ListElement { code: 0x41; name: qsTr("Menu pick") }
    ListElement { code: 0x42; name: qsTr("Menu up") }
    ListElement { code: 0x43; name: qsTr("Menu down") }
    ListElement { code: 0x44; name: qsTr("Menu left") }
    ListElement { code: 0x45; name: qsTr("Menu right") }
    ListElement { code: 0x46; name: qsTr("Menu escape") }
    ListElement { code: 0x47; name: qsTr("Menu value increase") }
    ListElement { code: 0x48; name: qsTr("Menu value decrease") }
    ListElement { code: 0x61; name: qsTr("Closed caption") }
    ListElement { code: 0x221; name: qsTr("Search") }
    ListElement { code: 0x223; name: qsTr("Home") }
    ListElement { code: 0x224; name: qsTr("Back") }
}
