import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import Velquin 1.0
import "Controls"
import "Controls/Focus.js" as Focus
import "SwitchOptions.js" as SwitchOptions

// The editor of one switch. Only what the user does (a row picked in a list, a button or box
// toggled) writes the switch into the window's config and asks for it to be sent (edited), and
// only when it changes what the switch does; opening a switch writes nothing.
ColumnLayout {
    id: switch_configuration

    property int switch_index: -1
    readonly property Item last_item: filler

    // The modifier bits as the user last left them on the keyboard panel.
    property int last_keybd_modifiers: 0

    readonly property bool small_captions: config.use_joystick || settings.show_generic_iface
    readonly property var key_tables: ({ keybd: keybd_codes, cctrl: cctrl_codes })
    readonly property var iface_button_list: [mouse_button, keybd_button, cctrl_button,
                                              joyst_button, gener_button]
    // The chosen interface, or the first one while none is.
    readonly property Item first_focus: iface_buttons.checkedButton ? iface_buttons.checkedButton
                                                                    : mouse_button

    signal back_requested
    signal edited

    function current_entry() {
        return config.sw_simplified_config[switch_index]
    }

    // What the panel of an interface button shows, as an entry; null while its list has no row.
    function shown_entry(button) {
        const index = button.list.currentIndex
        if (index < 0)
            return null
        const entry = SwitchOptions.entry_of(button.iface, index, key_tables)
        if (button === keybd_button)
            entry.param2 = modifier_boxes.bits()
        return entry
    }

    // Writes what the chosen interface's panel shows into the switch, unless the switch does that
    // already. The generic interface keeps the switch's release mode.
    function write_shown() {
        const button = iface_buttons.checkedButton
        const entry = button && switch_index >= 0 ? shown_entry(button) : null
        if (entry === null)
            return
        const mode = button.release ? button.release.mode : -1
        const stored = current_entry()
        if (SwitchOptions.same_option(stored, entry, key_tables)
                && (mode < 0 || config.sw_simplified_release_mode[switch_index] === mode))
            return
        stored.iface = entry.iface
        stored.action = entry.action
        stored.param1 = entry.param1
        stored.param2 = entry.param2
        if (mode >= 0)
            config.sw_simplified_release_mode[switch_index] = mode
        edited()
    }

    // Shows row index of an interface's list. The release option means something else for a
    // movement: a button after a movement starts as released automatically, a movement after a
    // button (or a double click) as stopping when released.
    function show_row(button, index) {
        button.list.currentIndex = index
        if (index < 0 || !button.release)
            return
        const entry = current_entry()
        const was_movement = SwitchOptions.is_movement_action(entry.iface, entry.action)
        const movement = SwitchOptions.is_movement(button.iface, index, key_tables)
        if (movement && !was_movement)
            button.release.select_mode(Config.ReleaseMode.Manual)
        else if (!movement && was_movement
                 && !SwitchOptions.releases_by_itself(button.iface, index))
            button.release.select_mode(Config.ReleaseMode.Automatic)
    }

    // Shows the switch as stored, and remembers it on its interface, so that picking another
    // interface and this one again gives back exactly what was stored. An entry that matches no
    // row shows none.
    function load_switch() {
        if (switch_index < 0)
            return
        const entry = current_entry()
        const mode = config.sw_simplified_release_mode[switch_index]
        for (const button of iface_button_list)
            button.checked = button.iface === entry.iface
        const button = iface_buttons.checkedButton
        if (!button)
            return
        const row = SwitchOptions.row_of(entry, key_tables)
        button.list.currentIndex = row
        if (row >= 0)
            button.last_action_index = row
        if (button.release) {
            button.release.select_mode(mode)
            button.last_release_mode = mode
        }
        if (button === keybd_button) {
            modifier_boxes.set_bits(entry.param2)
            last_keybd_modifiers = modifier_boxes.bits()
        }
    }

    // The user picked an interface: its panel shows what was last chosen on it.
    function pick_iface(button) {
        show_row(button, button.last_action_index)
        if (button.release)
            button.release.select_shown(button.last_release_mode)
        if (button === keybd_button)
            modifier_boxes.set_bits(last_keybd_modifiers)
        write_shown()
    }

    function pick_row(button, index) {
        show_row(button, index)
        button.last_action_index = index
        write_shown()
    }

    function pick_release(button, mode) {
        button.last_release_mode = mode
        write_shown()
    }

    function pick_modifiers() {
        last_keybd_modifiers = modifier_boxes.bits()
        write_shown()
    }

    // For the inline components, which do not see the imported scripts (Qt 5.15).
    function step_in_group(button, group, step) {
        return Focus.step_in_group(button, group, step)
    }

    function option_texts(iface) {
        return SwitchOptions.options(iface, key_tables).map(function (option, index) {
            return SwitchOptions.text(iface, index, key_tables)
        })
    }

    function is_movement(iface, index) {
        return SwitchOptions.is_movement(iface, index, key_tables)
    }

    spacing: 20

    onSwitch_indexChanged: load_switch()
    // The page is made on its first visit with its switch already chosen, and its lists look
    // values up only once they are complete.
    Component.onCompleted: load_switch()

    RowLayout {
        Layout.fillWidth: true
        spacing: 0

        Label {
            objectName: "switch_title"
            text: qsTr("Switch") + " "
            // The symbol beside it stands for the number.
            Accessible.role: Accessible.Heading
            Accessible.name: qsTranslate("Accessibility", "Switch %1")
                             .arg(Math.max(switch_configuration.switch_index, 0) + 1)
            color: Theme.text
            font.family: "Nunito"
            font.pixelSize: 26
        }

        Image {
            objectName: "switch_symbol"
            Layout.preferredWidth: 32
            Layout.preferredHeight: 32
            source: "qrc:/img/sw_" + (Math.max(switch_configuration.switch_index, 0) + 1) + ".png"
            sourceSize.width: 64
            sourceSize.height: 64
            fillMode: Image.PreserveAspectFit
            mipmap: true
        }

        Item {
            Layout.fillWidth: true
        }

        RoundButton {
            objectName: "switch_back"
            visible: device.config_ready
            Layout.preferredWidth: 64
            Layout.preferredHeight: 64
            Material.elevation: 0
            display: AbstractButton.IconOnly
            icon.source: "qrc:/img/back.png"
            icon.width: 36
            icon.height: 36
            onClicked: switch_configuration.back_requested()
            Accessible.name: qsTranslate("Accessibility", "Back")

            FocusRing {}
        }
    }

    Card {
        Layout.fillWidth: true
        // The column's height rather than its implicit height, which a layout on a page out of
        // sight works out anew when read, inside this binding.
        Layout.preferredHeight: card_column.height + 50

        ColumnLayout {
            id: card_column
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.leftMargin: 10
            anchors.rightMargin: 10
            anchors.topMargin: 20
            spacing: 20

            Label {
                objectName: "reading_notice"
                visible: !device.config_ready
                text: qsTr("Reading") + "..."
                color: Theme.hint
                font.family: "Open Sans"
                font.pixelSize: 16
            }

            Label {
                Layout.leftMargin: 10
                Layout.rightMargin: 10
                text: qsTr("Action type")
                color: Theme.text
                font.family: "Open Sans"
                font.pixelSize: 22
            }

            Separator {
                Layout.leftMargin: 10
                Layout.rightMargin: 10
            }

            RowLayout {
                id: iface_row
                Layout.fillWidth: true
                Layout.preferredHeight: 90
                spacing: 10

                ButtonGroup {
                    id: iface_buttons
                    // At most one interface; the page may also clear them all.
                    exclusive: true
                }

                IfaceButton {
                    id: mouse_button
                    objectName: "iface_mouse"
                    iface: ConfigSwitch.Iface.Mouse
                    text: qsTr("Mouse")
                    img_source: "qrc:/img/iface_mouse.png"
                    list: mouse_list
                    release: mouse_release
                }

                IfaceButton {
                    id: keybd_button
                    objectName: "iface_keybd"
                    iface: ConfigSwitch.Iface.Keybd
                    text: qsTr("Keyboard")
                    img_source: "qrc:/img/iface_keybd.png"
                    list: keybd_list
                    release: keybd_release
                }

                IfaceButton {
                    id: cctrl_button
                    objectName: "iface_cctrl"
                    iface: ConfigSwitch.Iface.Cctrl
                    text: switch_configuration.small_captions ? qsTr("Multim.") : qsTr("Multimedia")
                    Accessible.name: qsTr("Multimedia")
                    img_source: "qrc:/img/iface_cctrl.png"
                    list: cctrl_list
                    release: cctrl_release
                }

                IfaceButton {
                    id: joyst_button
                    objectName: "iface_joyst"
                    visible: config.use_joystick
                    iface: ConfigSwitch.Iface.Joyst
                    text: qsTr("Joystick")
                    img_source: "qrc:/img/iface_joyst.png"
                    list: joyst_list
                    release: joyst_release
                }

                IfaceButton {
                    id: gener_button
                    objectName: "iface_gener"
                    visible: settings.show_generic_iface
                    iface: ConfigSwitch.Iface.Gener
                    text: qsTr("Generic")
                    img_source: "qrc:/img/iface_gener.png"
                    list: gener_list
                }
            }
        }
    }

    ColumnLayout {
        objectName: "mouse_panel"
        visible: mouse_button.checked
        Layout.fillWidth: true
        spacing: 10

        ActionList {
            id: mouse_list
            objectName: "mouse_list"
            label: qsTranslate("Accessibility", "Mouse action")
            model: OptionModel {
                iface: ConfigSwitch.Iface.Mouse
            }
            onActivated: function (index) { switch_configuration.pick_row(mouse_button, index) }
        }

        ReleaseOptions {
            id: mouse_release
            objectName: "mouse_release"
            visible: !SwitchOptions.releases_by_itself(ConfigSwitch.Iface.Mouse,
                                                       mouse_list.currentIndex)
            kind: "mouse"
            movement: switch_configuration.is_movement(ConfigSwitch.Iface.Mouse,
                                                       mouse_list.currentIndex)
            onPicked: function (mode) { switch_configuration.pick_release(mouse_button, mode) }
        }
    }

    ColumnLayout {
        objectName: "keybd_panel"
        visible: keybd_button.checked
        Layout.fillWidth: true
        spacing: 10

        ActionList {
            id: keybd_list
            objectName: "keybd_list"
            label: qsTranslate("Accessibility", "Key")
            model: keybd_codes
            textRole: "name"
            onActivated: function (index) { switch_configuration.pick_row(keybd_button, index) }
        }

        ColumnLayout {
            id: modifier_boxes

            // Three in the first row, the rest in the second.
            readonly property var boxes: {
                const rows = [first_boxes, second_boxes]
                return rows.reduce(function (all, row) {
                    for (let i = 0; i < row.count; ++i)
                        all.push(row.itemAt(i))
                    return all
                }, [])
            }

            function set_bits(bits) {
                for (const box of boxes)
                    box.checked = (bits & box.bit) !== 0
            }

            function bits() {
                let checked = 0
                for (const box of boxes) {
                    if (box.checked)
                        checked |= box.bit
                }
                return checked
            }

            Layout.topMargin: 18
            spacing: 5

            Label {
                text: qsTr("Modifiers") + ":"
                color: Theme.text
                font.family: "Nunito"
                font.pixelSize: 20
            }

            RowLayout {
                spacing: 10

                Repeater {
                    id: first_boxes
                    model: SwitchOptions.modifier_keys().slice(0, 3)
                    delegate: ModifierBox {}
                }
            }

            RowLayout {
                spacing: 10

                Repeater {
                    id: second_boxes
                    model: SwitchOptions.modifier_keys().slice(3)
                    delegate: ModifierBox {}
                }
            }
        }

        ReleaseOptions {
            id: keybd_release
            objectName: "keybd_release"
            kind: "key"
            onPicked: function (mode) { switch_configuration.pick_release(keybd_button, mode) }
        }
    }

    ColumnLayout {
        objectName: "cctrl_panel"
        visible: cctrl_button.checked
        Layout.fillWidth: true
        spacing: 10

        ActionList {
            id: cctrl_list
            objectName: "cctrl_list"
            label: qsTranslate("Accessibility", "Multimedia key")
            model: cctrl_codes
            textRole: "name"
            onActivated: function (index) { switch_configuration.pick_row(cctrl_button, index) }
        }

        ReleaseOptions {
            id: cctrl_release
            objectName: "cctrl_release"
            kind: "key"
            onPicked: function (mode) { switch_configuration.pick_release(cctrl_button, mode) }
        }
    }

    ColumnLayout {
        objectName: "joyst_panel"
        visible: joyst_button.checked
        Layout.fillWidth: true
        spacing: 10

        ActionList {
            id: joyst_list
            objectName: "joyst_list"
            label: qsTranslate("Accessibility", "Joystick action")
            model: OptionModel {
                iface: ConfigSwitch.Iface.Joyst
            }
            onActivated: function (index) { switch_configuration.pick_row(joyst_button, index) }
        }

        ReleaseOptions {
            id: joyst_release
            objectName: "joyst_release"
            kind: "joyst"
            movement: switch_configuration.is_movement(ConfigSwitch.Iface.Joyst,
                                                       joyst_list.currentIndex)
            onPicked: function (mode) { switch_configuration.pick_release(joyst_button, mode) }
        }
    }

    ColumnLayout {
        objectName: "gener_panel"
        visible: gener_button.checked
        Layout.fillWidth: true
        spacing: 10

        ActionList {
            id: gener_list
            objectName: "gener_list"
            label: qsTranslate("Accessibility", "Event")
            visible: settings.show_generic_iface
            model: OptionModel {
                iface: ConfigSwitch.Iface.Gener
            }
            onActivated: function (index) { switch_configuration.pick_row(gener_button, index) }
        }
    }

    Item {
        id: filler
        Layout.fillHeight: true
    }

    // An interface: its button, its panel's list and release options (none for the generic one),
    // and what the user last chose there, which comes back when the interface is picked again.
    component IfaceButton: ImageTextRadioButton {
        property int iface
        property Item list
        property Item release: null
        property int last_action_index: 0
        property int last_release_mode: Config.ReleaseMode.Automatic

        Layout.fillWidth: true
        Layout.fillHeight: true
        // Equal preferred widths share the row equally.
        Layout.preferredWidth: 1
        ButtonGroup.group: iface_buttons
        font_size: switch_configuration.small_captions ? 12 : 16
        onToggled: if (checked) switch_configuration.pick_iface(this)
    }

    // An interface's options as a list model. A language change rewrites the texts in place, so
    // that the list keeps its row.
    component OptionModel: ListModel {
        id: option_model

        property int iface
        readonly property var texts: switch_configuration.option_texts(iface)

        function show_texts() {
            for (var i = 0; i < texts.length; ++i) {
                if (i < count)
                    setProperty(i, "text", texts[i])
                else
                    append({ text: texts[i] })
            }
        }

        onTextsChanged: show_texts()
        Component.onCompleted: show_texts()
    }

    // The rows' names are read again on every evaluation, so the shown text follows a language
    // change; the combo box keeps its own copy of the text otherwise.
    component ActionList: CardComboBox {
        Layout.fillWidth: true
        Layout.preferredHeight: 80
        textRole: "text"
        displayText: currentIndex < 0 ? "" : model.get(currentIndex)[textRole]
    }

    component ModifierBox: CheckBox {
        required property var modelData
        readonly property int bit: modelData.bit

        objectName: "modifier_" + modelData.name
        text: qsTranslate("SwitchConfiguration", modelData.text)
        font.family: "Open Sans"
        font.pixelSize: 14
        onToggled: switch_configuration.pick_modifiers()

        FocusRing {}
    }

    component ReleaseHint: Label {
        Layout.fillWidth: true
        Layout.leftMargin: 10
        Layout.rightMargin: 10
        Layout.bottomMargin: 10
        color: Theme.hint
        font.family: "Open Sans"
        font.pixelSize: 15
        wrapMode: Text.WordWrap
        // Its option reads it as its description.
        Accessible.ignored: true
    }

    component ReleaseRadio: RadioButton {
        id: radio

        property int mode
        property string hint

        font.family: "Open Sans"
        font.pixelSize: 16
        Accessible.description: hint
        // The arrow keys move through the options, choosing as they go.
        Keys.onUpPressed: function (event) {
            event.accepted = switch_configuration.step_in_group(radio, ButtonGroup.group, -1)
        }
        Keys.onLeftPressed: function (event) {
            event.accepted = switch_configuration.step_in_group(radio, ButtonGroup.group, -1)
        }
        Keys.onDownPressed: function (event) {
            event.accepted = switch_configuration.step_in_group(radio, ButtonGroup.group, 1)
        }
        Keys.onRightPressed: function (event) {
            event.accepted = switch_configuration.step_in_group(radio, ButtonGroup.group, 1)
        }

        FocusRing {}
    }

    // The three release options of one panel. kind is "mouse", "joyst" or "key"; movement selects
    // the wording of a movement, for which releasing automatically means nothing.
    component ReleaseOptions: ColumnLayout {
        id: options

        property string kind
        property bool movement: false
        readonly property bool for_keys: kind === "key"
        // -1 while no option is selected.
        readonly property int mode: release_group.checkedButton ? release_group.checkedButton.mode
                                                                : -1

        signal picked(int mode)

        // Manual, Alternate, anything else Automatic.
        function select_mode(mode) {
            if (mode === Config.ReleaseMode.Manual)
                manual.checked = true
            else if (mode === Config.ReleaseMode.Alternate)
                alternate.checked = true
            else
                automatic.checked = true
        }

        // Selects the option of mode only while it is shown (visible counts the whole panel).
        function select_shown(mode) {
            // Qt 5.15 rejects let and const in an inline component's functions as redeclared.
            for (var i = 0; i < release_group.buttons.length; ++i) {
                if (release_group.buttons[i].visible && release_group.buttons[i].mode === mode)
                    release_group.buttons[i].checked = true
            }
        }

        Layout.fillWidth: true
        spacing: 0

        ButtonGroup {
            id: release_group
        }

        ReleaseRadio {
            id: automatic
            objectName: options.objectName + "_automatic"
            visible: !options.movement
            mode: Config.ReleaseMode.Automatic
            ButtonGroup.group: release_group
            text: qsTr("Release automatically")
            hint: automatic_hint.text
            onToggled: if (checked) options.picked(mode)
        }
        ReleaseHint {
            id: automatic_hint
            visible: !options.movement
            text: options.for_keys
                  ? qsTr("When you activate the switch, the key will be pressed and released automatically.")
                  : qsTr("When you activate the switch, the button will be pressed and released automatically.")
        }

        ReleaseRadio {
            id: manual
            objectName: options.objectName + "_manual"
            mode: Config.ReleaseMode.Manual
            ButtonGroup.group: release_group
            text: options.movement ? qsTr("Stop when released") : qsTr("Release manually")
            hint: manual_hint.text
            onToggled: if (checked) options.picked(mode)
        }
        ReleaseHint {
            id: manual_hint
            text: options.for_keys
                  ? qsTr("The key will remain pressed until you release the switch.")
                  : !options.movement
                    ? qsTr("The button will remain pressed until you release the switch.")
                    : options.kind === "mouse"
                      ? qsTr("The mouse pointer will keep moving until you release the switch.")
                      : qsTr("The joystick will keep moving until you release the switch.")
        }

        ReleaseRadio {
            id: alternate
            objectName: options.objectName + "_alternate"
            mode: Config.ReleaseMode.Alternate
            ButtonGroup.group: release_group
            text: options.movement ? qsTr("Alternate move/stop") : qsTr("Alternate press/release")
            hint: alternate_hint.text
            onToggled: if (checked) options.picked(mode)
        }
        ReleaseHint {
            id: alternate_hint
            text: options.for_keys
                  ? qsTr("The first activation of the switch will keep the key pressed, and the next one will release it.")
                  : !options.movement
                    ? qsTr("The first activation of the switch will keep the button pressed, and the next one will release it.")
                    : options.kind === "mouse"
                      ? qsTr("The first activation of the switch will make the pointer start moving, and the next one will stop it.")
                      : qsTr("The first activation of the switch will make the joystick start moving, and the next one will stop it.")
        }
    }
}
