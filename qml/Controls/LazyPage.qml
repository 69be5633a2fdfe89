import QtQuick 2.15
import QtQuick.Controls 2.15

// A page of a PageView that is made the first time it comes into sight, not before the window's
// first frame, and kept from then on. It comes into sight when it is its view's current page and
// the view itself is in sight; wanted makes it out of sight, for work of its own that cannot
// wait. The page is the component; it takes the page's size.
Loader {
    default property Component page
    property bool wanted: false
    readonly property Item first_focus: item && item.first_focus !== undefined ? item.first_focus
                                                                              : null
    // Whether the window is complete: the stored settings that choose its first page are read at
    // the end of its creation, and no page is made before.
    property bool created: false
    readonly property bool needed: created
                                   && (wanted || SwipeView.isCurrentItem && SwipeView.view.in_sight)

    sourceComponent: page
    active: false
    onNeededChanged: if (needed) active = true
    Component.onCompleted: created = true
}
