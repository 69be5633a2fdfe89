import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import "Focus.js" as Focus

// A page view that only code moves. Pages out of sight are hidden, so that neither Tab nor
// assistive technology reaches them. A change of page moves the keyboard focus into the page that
// comes: back where the user left it on a return to a lower page, else to the page's first useful
// control (the page's own first_focus, when it has one).
SwipeView {
    id: view

    // The first useful control of the page shown; a view that is a page itself passes it on.
    readonly property Item first_focus: first_focus_of(currentItem)

    // Whether the view is on screen; a view inside a page of another view says when that page is
    // shown. Its LazyPages wait for it.
    property bool in_sight: true

    property int entered_index: -1
    // Whether focus that moved last was moved by the keyboard.
    property bool keyboard: false
    // Per page index, the control that last had the focus there.
    property var left_focus: []

    function first_focus_of(page) {
        if (!page)
            return null
        if (page.first_focus !== undefined && Focus.usable(page.first_focus))
            return page.first_focus
        // Else the first control of the page in Tab order.
        const next = page.nextItemInFocusChain(true)
        return next && Focus.inside(next, page) ? next : null
    }

    function page_index_of(item) {
        for (let i = 0; i < count; ++i) {
            if (Focus.inside(item, itemAt(i)))
                return i
        }
        return -1
    }

    function focus_moved(item) {
        if (!Focus.is_target(item))
            return
        keyboard = Focus.marked(item)
        const index = page_index_of(item)
        if (index >= 0)
            left_focus[index] = item
    }

    function enter_page(back, by_keyboard) {
        // A view out of sight leaves the focus alone.
        if (!visible)
            return
        const returning_to = back ? left_focus[currentIndex] : null
        if (!(Focus.usable(returning_to) && Focus.inside(returning_to, currentItem)
              && Focus.place(returning_to, by_keyboard)))
            Focus.place(first_focus_of(currentItem), by_keyboard)
    }

    interactive: false
    clip: true
    // Neither the view nor its list is a stop of its own for Tab.
    focusPolicy: Qt.NoFocus
    activeFocusOnTab: false

    onCurrentIndexChanged: {
        const back = currentIndex < entered_index
        entered_index = currentIndex
        // The control that moved the page may have been pressed by a key without a Tab before.
        focus_moved(Window.activeFocusItem)
        // Once the pages' visibility has followed the change; by then focus may have fallen back
        // to a focus scope on its own, so the way the user moves is taken now.
        Qt.callLater(enter_page, back, keyboard)
    }

    Component.onCompleted: {
        contentItem.activeFocusOnTab = false
        // The list's own invisible highlight would otherwise grow to the page's width at 400 px/s,
        // keeping the animation driver awake for a second after every resize with nothing to draw.
        contentItem.highlightResizeDuration = 0
        entered_index = currentIndex
        for (let i = 0; i < count; ++i) {
            const page = itemAt(i)
            const index = i
            // In sight: the page shown, and during a slide the page going away.
            page.visible = Qt.binding(function () {
                return view.currentIndex === index
                        || Math.abs(page.x - view.contentItem.contentX) < view.width - 0.5
            })
        }
    }

    Connections {
        target: view.Window.window

        function onActiveFocusItemChanged() {
            view.focus_moved(view.Window.activeFocusItem)
        }
    }
}
