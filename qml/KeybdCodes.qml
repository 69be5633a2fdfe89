import QtQuick 2.15

// Keys of the Keyboard/Keypad usage page (0x07) that a switch can send, in the order the key list
// shows them. Letters, digits, function keys and the four symbols a Spanish layout prints ("Ñ",
// "Ç", "+", "-") are the same in every language; the other names are translated.
ListModel {
    ListElement { code: 0x04; name: "A" }
    ListElement { code: 0x05; name: "B" }
    ListElement { code: 0x06; name: "C" }
    ListElement { code: 0x07; name: "D" }
    ListElement { code: 0x08; name: "E" }
    ListElement { code: 0x09; name: "F" }
    ListElement { code: 0x0A; name: "G" }
    ListElement { code: 0x0B; name: "H" }
    ListElement { code: 0x0C; name: "I" }
    ListElement { code: 0x0D; name: "J" }
    ListElement { code: 0x0E; name: "K" }
    ListElement { code: 0x0F; name: "L" }
    ListElement { code: 0x10; name: "M" }
    ListElement { code: 0x11; name: "N" }
    ListElement { code: 0x33; name: "Ñ" }
    ListElement { code: 0x12; name: "O" }
    ListElement { code: 0x13; name: "P" }
    ListElement { code: 0x14; name: "Q" }
    ListElement { code: 0x15; name: "R" }
    ListElement { code: 0x16; name: "S" }
    ListElement { code: 0x17; name: "T" }
    ListElement { code: 0x18; name: "U" }
    ListElement { code: 0x19; name: "V" }
    ListElement { code: 0x1A; name: "W" }
    ListElement { code: 0x1B; name: "X" }
    ListElement { code: 0x1C; name: "Y" }
    ListElement { code: 0x1D; name: "Z" }
    ListElement { code: 0x31; name: "Ç" }
    ListElement { code: 0x27; name: "0" }
    ListElement { code: 0x1E; name: "1" }
    ListElement { code: 0x1F; name: "2" }
    ListElement { code: 0x20; name: "3" }
    ListElement { code: 0x21; name: "4" }
    ListElement { code: 0x22; name: "5" }
    ListElement { code: 0x23; name: "6" }
    ListElement { code: 0x24; name: "7" }
    ListElement { code: 0x25; name: "8" }
    ListElement { code: 0x26; name: "9" }
    ListElement { code: 0x00; name: qsTr("(Empty)") }
    ListElement { code: 0x28; name: qsTr("Return") }
    ListElement { code: 0x2C; name: qsTr("Space") }
    ListElement { code: 0x3A; name: "F1" }
    ListElement { code: 0x3B; name: "F2" }
    ListElement { code: 0x3C; name: "F3" }
    ListElement { code: 0x3D; name: "F4" }
    ListElement { code: 0x3E; name: "F5" }
    ListElement { code: 0x3F; name: "F6" }
    ListElement { code: 0x40; name: "F7" }
    ListElement { code: 0x41; name: "F8" }
    ListElement { code: 0x42; name: "F9" }
    ListElement { code: 0x43; name: "F10" }
    ListElement { code: 0x44; name: "F11" }
    ListElement { code: 0x45; name: "F12" }
    ListElement { code: 0x30; name: "+" }
    ListElement { code: 0x36; name: qsTr("Comma") }
    ListElement { code: 0x37; name: qsTr("Period") }
    ListElement { code: 0x38; name: "-" }
    ListElement { code: 0x39; name: qsTr("Caps Lock") }
    ListElement { code: 0x29; name: qsTr("Esc") }
    ListElement { code: 0x2B; name: qsTr("Tab") }
    ListElement { code: 0x2A; name: qsTr("Backspace") }
    ListElement { code: 0x46; name: qsTr("Print Screen") }
    ListElement { code: 0x49; name: qsTr("Insert") }
    ListElement { code: 0x4A; name: qsTr("Home") }
    ListElement { code: 0x4E; name: qsTr("Page Down") }
    ListElement { code: 0x4B; name: qsTr("Page Up") }
    ListElement { code: 0x4C; name: qsTr("Delete") }
    ListElement { code: 0x4D; name: qsTr("End") }
    ListElement { code: 0x4F; name: qsTr("Arrow Right") }
    ListElement { code: 0x50; name: qsTr("Arrow Left") }
    ListElement { code: 0x51; name: qsTr("Arrow Down") }
    ListElement { code: 0x52; name: qsTr("Arrow Up") }
}
