import QtQuick 2.15
import QtTest 1.2
import VelquinTest 1.0
import "../common"

// The about page, the first page of a first start.
WindowTest {
    name: "About"

    readonly property string product_url: "https://tarvek.example/velquin-plus"

    function initTestCase() {
        create_window({ first_run: true })
    }

    function cleanupTestCase() {
        destroy_window()
    }

    function init() {
        UrlSink.clear()
        show_page("swipeview_main", 1)
    }

    function cleanup() {
        if (test_settings.value("lang") !== "en") {
            window.set_language("en")
            tryVerify(function () { return test_settings.value("lang") === "en" })
        }
    }

    // Some point of the description over the link, or over plain text.
    function point_in_description(over_link) {
        const description = child("about_description")
        for (let y = 2; y < description.contentHeight; y += 4) {
            for (let x = 2; x < description.width; x += 6) {
                if ((description.linkAt(x, y) !== "") === over_link)
                    return Qt.point(x, y)
            }
        }
        fail("no point " + (over_link ? "over" : "off") + " the link")
    }

    function test_first_start_shows_about_and_continue_leaves() {
        compare(child("swipeview_main").currentIndex, 1)
        mouseClick(child("about_continue"))
        compare(child("swipeview_main").currentIndex, 0)
    }

    function test_link_names_the_product_page() {
        const text = child("about_description").text
        verify(text.indexOf("<style>a:link { color: lightblue; }</style>") === 0, text)
        verify(text.indexOf("<a href=\"" + product_url + "\">tarvek.example/velquin-plus</a>") > 0, text)
    }

    function test_link_opens_in_the_browser_data() {
        return [
            { tag: "English", lang: "en" },
            { tag: "Spanish", lang: "es" },
            { tag: "French", lang: "fr" }
        ]
    }

    function test_link_opens_in_the_browser(data) {
        window.set_language(data.lang)
        const description = child("about_description")
        const on_link = point_in_description(true)
        compare(description.linkAt(on_link.x, on_link.y), product_url)
        mouseClick(description, on_link.x, on_link.y)
        tryCompare(UrlSink, "count", 1)
        compare(UrlSink.last_url, product_url)

        const off_link = point_in_description(false)
        mouseClick(description, off_link.x, off_link.y)
        wait(50)
        compare(UrlSink.count, 1)
    }

    function test_pointing_hand_only_over_the_link() {
        const description = child("about_description")
        const cursor_area = child("about_link_cursor")
        const on_link = point_in_description(true)
        const off_link = point_in_description(false)
        mouseMove(description, off_link.x, off_link.y)
        compare(cursor_area.cursorShape, Qt.ArrowCursor)
        mouseMove(description, on_link.x, on_link.y)
        tryCompare(cursor_area, "cursorShape", Qt.PointingHandCursor)
        mouseMove(description, off_link.x, off_link.y)
        tryCompare(cursor_area, "cursorShape", Qt.ArrowCursor)
    }
}
