import QtQuick 2.15
import QtQuick.Controls 2.15
import "Focus.js" as Focus

// A text that acts as a link: reached by Tab, pressed with Space or Enter, and seen by assistive
// technology as a link named by its words (no markup, no leading bullet). Users add their own
// MouseArea and FocusRing.
Label {
    id: link_label

    // Focus that no key moved here goes unmarked (see Focus.place and Focus.came_by_tab).
    property bool quiet_focus: true

    signal activated

    function pressed_by_key() {
        quiet_focus = false
        activated()
    }

    activeFocusOnTab: true
    onActiveFocusChanged: if (activeFocus) quiet_focus = !Focus.came_by_tab(link_label)

    // A key that presses it shows the user works by keyboard: the focus mark shows from here on.
    Keys.onSpacePressed: pressed_by_key()
    Keys.onReturnPressed: pressed_by_key()
    Keys.onEnterPressed: pressed_by_key()

    Accessible.role: Accessible.Link
    Accessible.name: text.replace(/<style>.*<\/style>/, "").replace(/<[^>]*>/g, "").replace(/^· /, "")
    Accessible.onPressAction: activated()
}
