pragma Singleton
import QtQuick 2.15

// The colours that the screens share.
QtObject {
    // The window, and lists that sit on a card.
    readonly property color background: "#333344"
    // Cards, lists, the open menu and the settings page's buttons.
    readonly property color card: "#3f3f51"
    // Titles, options and icons.
    readonly property color text: "white"
    // Hints under options, and notices.
    readonly property color hint: "#aaffffff"
    // The device and version lines of the settings page.
    readonly property color info: "#ccffffff"
    // Secondary lines, as the release line of a switch in the overview.
    readonly property color secondary: "#aaa"
    readonly property color separator: "#888"
    // Clickable texts and links.
    readonly property color link: "lightblue"
}
