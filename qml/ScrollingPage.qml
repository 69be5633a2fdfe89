import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import "Controls/Focus.js" as Focus

// A vertically scrolling area for one page. The page is its only child and names the item that
// closes its column as `last_item`; the scrollable height ends 20 below that item.
Flickable {
    id: scrolling_page

    default property alias page_data: holder.data
    readonly property Item page: holder.children.length > 0 ? holder.children[0] : null
    readonly property real margin: Window.width * 0.025
    readonly property Item first_focus: page && page.first_focus !== undefined ? page.first_focus
                                                                              : null

    // Keeps the control that the keyboard reaches in sight, with some room around it.
    function show_focused() {
        const item = Window.activeFocusItem
        if (!visible || !item || !Focus.inside(item, holder))
            return
        const room = 40
        const top = item.mapToItem(contentItem, 0, 0).y
        const bottom = top + item.height
        if (top - room < contentY)
            contentY = Math.max(0, top - room)
        else if (bottom + room > contentY + height)
            contentY = Math.max(0, Math.min(contentHeight - height, bottom + room - height))
    }

    contentWidth: width
    contentHeight: page && page.last_item ? page.last_item.y + 20 : height
    flickableDirection: Flickable.VerticalFlick
    boundsBehavior: Flickable.StopAtBounds
    clip: true

    ScrollBar.vertical: ScrollBar {
        visible: Qt.platform.os !== "android" && Qt.platform.os !== "ios"
        Accessible.name: qsTranslate("Accessibility", "Vertical")
    }

    Connections {
        target: scrolling_page.Window.window

        function onActiveFocusItemChanged() {
            scrolling_page.show_focused()
        }
    }

    Item {
        id: holder
        x: scrolling_page.margin
        y: scrolling_page.margin
        width: scrolling_page.width - 2 * scrolling_page.margin
        height: scrolling_page.height - 2 * scrolling_page.margin
    }
}
