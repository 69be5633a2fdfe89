import QtQuick 2.15
import QtQuick.Controls 2.15
import Qt.labs.platform 1.1 as Platform
import Velquin 1.0
import "Controls"
import "ConfigSwitchUtil.js" as ConfigSwitchUtil

// Keeps, restores and prints the switch set-up. A loaded file is shown first and written only when
// the user confirms; the device's configuration is then read back and compared with the file.
Item {
    id: files

    // The device as the settings page names it, and the language of the printed date.
    property string device_name
    property string language
    // Between writing a loaded file and the end of reading it back.
    property bool checking: false
    // A file to show for loading as soon as the device's configuration is read, once.
    property url file_to_load

    // The window's config changed and goes to the device.
    signal edited
    // The device pages should show: a loaded file was written.
    signal written

    function load_pending() {
        if (!device.config_ready || file_to_load.toString() === "")
            return
        const file = file_to_load
        file_to_load = ""
        load_from(file)
    }

    function ask_save() {
        save_dialog.open()
    }

    function ask_load() {
        load_dialog.open()
    }

    function ask_print() {
        print_dialog.open()
    }

    function save_to(file) {
        const error = config_file.save(file, config, device.config)
        notice.show(error === "" ? qsTr("The configuration is saved.") : error, "")
    }

    function load_from(file) {
        const result = config_file.load(file, loaded, ConfigSwitchUtil.describes)
        if (result.error !== undefined) {
            notice.show(result.error + " " + qsTr("Nothing was changed."),
                        qsTr("Choose another file"))
            return
        }
        preview.saved = result.saved ? result.saved.toLocaleString(Qt.locale(language),
                                                                   Locale.ShortFormat) : ""
        preview.device_name = result.device || ""
        preview.open()
    }

    function write_loaded() {
        config.copy_from(loaded)
        files.edited()
        checking = true
        device.read_config()
        files.written()
    }

    function check_read_back() {
        checking = false
        const difference = config_file.compare(loaded, device.config)
        if (difference === "")
            notice.show(qsTr("The device holds the configuration of the file: it was read back and checked."), "")
        else
            notice.show(qsTr("After writing, the device's configuration differs from the file.")
                        + " " + difference, "")
    }

    function sheet() {
        const rows = []
        for (let i = 0; i < config.N_SWITCHES; ++i) {
            const entry = config.sw_simplified_config[i]
            rows.push({
                text: ConfigSwitchUtil.switch_action_name(entry),
                release: ConfigSwitchUtil.release_mode_name(entry.iface, entry.action,
                                                            config.sw_simplified_release_mode[i])
            })
        }
        const pointers = [qsTranslate("DeviceConfiguration", "Constant speed (slow)"),
                          qsTranslate("DeviceConfiguration", "Constant speed (fast)"),
                          qsTranslate("DeviceConfiguration", "Accelerate"),
                          qsTranslate("DeviceConfiguration", "Accelerate, decelerate")]
        const wheels = [qsTranslate("DeviceConfiguration", "Slow"),
                        qsTranslate("DeviceConfiguration", "Medium"),
                        qsTranslate("DeviceConfiguration", "Fast")]
        return {
            title: qsTr("What each switch does"),
            subtitle: qsTr("Velquin Plus %1, printed on %2").arg(device_name)
                      .arg(new Date().toLocaleDateString(Qt.locale(language), Locale.LongFormat)),
            rows: rows,
            footer: [qsTranslate("DeviceConfiguration", "Pointer") + ": "
                     + (pointers[config.mouse_move_summary_profile] || ""),
                     qsTranslate("DeviceConfiguration", "Wheel") + ": "
                     + (wheels[config.mouse_move_summary_wheel_speed] || "")]
        }
    }

    function print_to(file) {
        const result = switch_sheet.write(file, sheet())
        if (result.error !== undefined)
            notice.show(result.error, "")
        else if (!Qt.openUrlExternally(result.file))
            notice.show(qsTr("The switch sheet is saved; no program was found to show it."), "")
    }

    onFile_to_loadChanged: load_pending()

    Connections {
        target: device

        function onConfig_ready_changed() {
            if (!device.config_ready)
                return
            if (files.checking)
                files.check_read_back()
            files.load_pending()
        }

        function onConnected_changed() {
            if (files.checking && !device.connected) {
                files.checking = false
                notice.show(qsTr("The device went away before its configuration could be checked."), "")
            }
        }
    }

    ConfigFile {
        id: config_file
    }

    SwitchSheet {
        id: switch_sheet
    }

    // The file's set-up, shown before anything is written.
    Config {
        id: loaded
        objectName: "files_loaded"
    }

    Platform.FileDialog {
        id: save_dialog
        title: qsTr("Save configuration")
        fileMode: Platform.FileDialog.SaveFile
        folder: Platform.StandardPaths.writableLocation(Platform.StandardPaths.DocumentsLocation)
        nameFilters: [qsTr("Velquin Plus configurations (*.velquin)")]
        defaultSuffix: "velquin"
        onAccepted: files.save_to(file)
    }

    Platform.FileDialog {
        id: load_dialog
        title: qsTr("Load configuration")
        fileMode: Platform.FileDialog.OpenFile
        folder: save_dialog.folder
        nameFilters: save_dialog.nameFilters
        onAccepted: files.load_from(file)
    }

    Platform.FileDialog {
        id: print_dialog
        title: qsTr("Print switch sheet")
        fileMode: Platform.FileDialog.SaveFile
        folder: save_dialog.folder
        nameFilters: [qsTr("PDF documents (*.pdf)")]
        defaultSuffix: "pdf"
        onAccepted: files.print_to(file)
    }

    YesCancelDialog {
        id: preview
        objectName: "files_preview"

        property string saved
        property string device_name

        parent: Overlay.overlay
        info_text: qsTr("Write this configuration to the device? It replaces what every switch does now.")
        yes_text: qsTr("Yes, write it to the device")
        onYes: files.write_loaded()

        Label {
            objectName: "files_preview_origin"
            visible: text !== ""
            width: parent.width
            leftPadding: 5
            bottomPadding: 10
            text: preview.saved === "" ? "" : qsTr("Saved on %1 from Velquin Plus %2")
                                              .arg(preview.saved).arg(preview.device_name)
            // The device name comes from the file.
            textFormat: Text.PlainText
            color: Theme.secondary
            font.family: "Open Sans"
            font.pixelSize: 14
            wrapMode: Text.WordWrap
        }

        Repeater {
            model: loaded.N_SWITCHES

            Row {
                id: preview_row

                required property int index

                // Reads the entry through the list in every evaluation: loading changes the same
                // entry objects silently and announces only the list.
                function entry() {
                    return loaded.sw_simplified_config[index]
                }

                function release(describe) {
                    return describe(entry().iface, entry().action,
                                    loaded.sw_simplified_release_mode[index])
                }

                objectName: "files_preview_row_" + index
                spacing: 10
                leftPadding: 5
                bottomPadding: 8
                Accessible.role: Accessible.ListItem
                Accessible.name: qsTranslate("Accessibility", "Switch %1").arg(index + 1) + ": "
                                 + action_label.text
                                 + (release_label.visible ? ", " + release_label.text : "")

                Image {
                    width: 24
                    height: 24
                    source: "qrc:/img/sw_" + (preview_row.index + 1) + ".png"
                    sourceSize.width: 48
                    sourceSize.height: 48
                    Accessible.ignored: true
                }

                Image {
                    readonly property string iface_id: ConfigSwitchUtil.iface_id(preview_row.entry().iface)
                    width: 24
                    height: 24
                    source: iface_id === "" ? "" : "qrc:/img/iface_" + iface_id + ".png"
                    sourceSize.width: 48
                    sourceSize.height: 48
                    Accessible.ignored: true
                }

                Column {
                    width: preview.width - 100

                    Label {
                        id: action_label
                        objectName: "files_preview_action_" + preview_row.index
                        width: parent.width
                        text: ConfigSwitchUtil.switch_action_name(preview_row.entry())
                        color: Theme.text
                        font.family: "Open Sans"
                        font.pixelSize: 15
                        wrapMode: Text.WordWrap
                        Accessible.ignored: true
                    }

                    Label {
                        id: release_label
                        width: parent.width
                        visible: preview_row.release(
                                     ConfigSwitchUtil.release_mode_show_in_device_config)
                        text: preview_row.release(ConfigSwitchUtil.release_mode_name)
                        color: Theme.secondary
                        font.family: "Open Sans"
                        font.pixelSize: 14
                        wrapMode: Text.WordWrap
                        Accessible.ignored: true
                    }
                }
            }
        }
    }

    // A result or a refusal; with an answer it offers the next step (another file).
    YesCancelDialog {
        id: notice
        objectName: "files_notice"

        function show(text, retry) {
            info_text = text
            yes_text = retry
            open()
        }

        parent: Overlay.overlay
        cancel_text: qsTr("OK")
        onYes: load_dialog.open()
    }
}
