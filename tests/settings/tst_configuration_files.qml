import QtQuick 2.15
import QtTest 1.15
import VelquinTest 1.0

// The settings page's file actions on the real window and the virtual device.
WindowTest {
    name: "ConfigurationFiles"

    function overview_texts() {
        return [0, 1, 2, 3, 4, 5, 6, 7].map(function (i) { return child("switch_action_" + i).text })
    }

    function test_the_sheet_names_every_switch_data() {
        return [{ tag: "English", lang: "en" }, { tag: "Spanish", lang: "es" }]
    }

    function test_the_sheet_names_every_switch(data) {
        create_window()
        open_page("settings")
        window.set_language(data.lang)
        const sheet = UrlSink.scratch("sheet.pdf")
        child("configuration_files").print_to(sheet)
        tryCompare(UrlSink, "last_url", sheet.toString())
        const text = UrlSink.opened_pdf_text()
        for (const description of overview_texts())
            verify(text.indexOf(description.trim()) >= 0, description + " not in: " + text)
    }

    // Saving and printing stay offered once a configuration was read, also on a settings page first
    // made during a read or after the device has gone; loading needs the device there and read.
    function test_offered_actions_data() {
        return [{ tag: "during a read", unplug: false }, { tag: "device gone", unplug: true }]
    }

    function test_offered_actions(data) {
        create_window()
        sim.set_latency(20)
        if (data.unplug)
            sim.unplug()
        else
            device.read_config()
        tryCompare(device, "connected", !data.unplug)
        open_page("settings")
        for (const name of ["save", "print", "load"])
            compare(child("settings_" + name).visible, name !== "load", name)
        if (!data.unplug)
            wait_for_read()
        compare(child("settings_load").visible, !data.unplug, "load after the read")
    }

    function test_a_saved_setup_comes_back_after_a_factory_reset() {
        create_window()
        open_page("settings")
        const files = child("configuration_files")
        store_on_device([entry(2, 4, 0xE8, 0)]) // a key without a name
        files.save_to(UrlSink.scratch("unnamed.velquin"))
        store_on_device([entry(2, 1, 0x28, 0x01)]) // Ctrl+Return, held
        const saved = overview_texts()
        files.save_to(UrlSink.scratch("setup.velquin"))
        sim.reset_factory()
        device.read_config()
        wait_for_read()
        const writes = sim.writes_applied()

        files.load_from(UrlSink.scratch("unnamed.velquin"))
        tryVerify(function () { return /^Switch 1:/.test(child("files_notice").info_text) })
        const preview = child("files_preview")
        verify(!preview.visible)
        files.load_from(UrlSink.scratch("setup.velquin"))
        tryCompare(preview, "opened", true)
        compare(findChild(preview.contentItem, "files_preview_action_0").text, saved[0])
        flush_device()
        compare(sim.writes_applied(), writes)
        mouseClick(findChild(preview.contentItem, "dialog_yes"))
        tryVerify(function () { return !files.checking }) // read back after the write
        compare(sim.writes_applied(), writes + 1)
        compare(overview_texts(), saved)
    }
}
