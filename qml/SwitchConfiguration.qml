import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import Velquin 1.0
import "Controls"
import "Controls/Focus.js" as Focus

// The editor of one switch. Every change is written into the window's config and sent at once
// (edited).
//
// Changing a list writes the entry back, and that write reads the interface buttons and the
// release options, so the loading steps below keep their order. Selections made by the page itself
// (loading) are not user actions: only `toggled` of the buttons and boxes counts as one.
ColumnLayout {
    id: switch_configuration

    property int switch_index: -1
    readonly property Item last_item: filler

    // Choices remembered per interface for the whole run, so that switching the interface back and
    // forth brings the earlier choice back.
    property int last_mouse_action_index: 0
    property int last_mouse_release_mode: Config.ReleaseMode.Automatic
    property int last_keybd_action_index: 0
    property int last_keybd_release_mode: Config.ReleaseMode.Automatic
    property int last_keybd_modifiers: 0
    property int last_cctrl_action_index: 0
    property int last_cctrl_release_mode: Config.ReleaseMode.Automatic
    property int last_joyst_action_index: 0
    property int last_joyst_release_mode: Config.ReleaseMode.Automatic
    property int last_gener_action_index: 0

    readonly property bool small_captions: config.use_joystick || settings.show_generic_iface
    readonly property int first_mouse_movement_index: 6
    readonly property int double_click_index: 5
    readonly property int first_joyst_movement_index: 8
    // The chosen interface, or the first one while none is.
    readonly property Item first_focus: iface_buttons.checkedButton ? iface_buttons.checkedButton
                                                                    : mouse_button

    signal back_requested
    // The window's config changed and goes to the device.
    signal edited

    function current_entry() {
        return config.sw_simplified_config[switch_index]
    }

    // mode < 0 (no release option selected, or the generic interface) keeps the stored mode.
    function write_entry(iface, action, param1, param2, mode) {
        const entry = current_entry()
        entry.iface = iface
        entry.action = action
        entry.param1 = param1
        entry.param2 = param2
        if (mode >= 0)
            config.sw_simplified_release_mode[switch_index] = mode
        edited()
    }

    // The writers do nothing while their list has no selection: a stored value that matches no
    // option stays as it is until the user picks one.
    function set_mouse_action() {
        const index = mouse_list.currentIndex
        if (!mouse_button.checked || switch_index < 0 || index < 0)
            return
        const Axis = ConfigSwitch.Axis
        const Sign = ConfigSwitch.Sign
        const movements = [[Axis.Y, Sign.Negative], [Axis.Y, Sign.Positive],
                           [Axis.X, Sign.Negative], [Axis.X, Sign.Positive],
                           [Axis.Wheel, Sign.Positive], [Axis.Wheel, Sign.Negative]]
        const Mouse = ConfigSwitch.Iface.Mouse
        const mode = mouse_release.mode
        if (index < double_click_index) {
            write_entry(Mouse, ConfigSwitch.MouseAction.Click, index, 0, mode)
        } else if (index === double_click_index) {
            write_entry(Mouse, ConfigSwitch.MouseAction.DoubleClick, 0, 20, mode)
        } else {
            // The high nibble stays 0: sending fills in the profile or the wheel speed.
            const [axis, sign] = movements[index - first_mouse_movement_index]
            write_entry(Mouse, ConfigSwitch.MouseAction.Move, axis, sign, mode)
        }
    }

    function set_keybd_action() {
        const index = keybd_list.currentIndex
        if (!keybd_button.checked || switch_index < 0 || index < 0)
            return
        let modifiers = 0
        for (const box of modifier_boxes.boxes) {
            if (box.checked)
                modifiers |= box.bit
        }
        write_entry(ConfigSwitch.Iface.Keybd, ConfigSwitch.KeybdAction.Tap,
                    keybd_codes.get(index).code, modifiers, keybd_release.mode)
    }

    function set_cctrl_action() {
        const index = cctrl_list.currentIndex
        if (!cctrl_button.checked || switch_index < 0 || index < 0)
            return
        const code = cctrl_codes.get(index).code
        write_entry(ConfigSwitch.Iface.Cctrl, ConfigSwitch.CctrlAction.Tap, code & 0xFF,
                    code >> 8, cctrl_release.mode)
    }

    function set_joyst_action() {
        const index = joyst_list.currentIndex
        if (!joyst_button.checked || switch_index < 0 || index < 0)
            return
        const Axis = ConfigSwitch.Axis
        // -127 is stored as the byte 0x81.
        const movements = [[Axis.Y, 0x81], [Axis.Y, 0x7F], [Axis.X, 0x81], [Axis.X, 0x7F]]
        if (index < first_joyst_movement_index) {
            write_entry(ConfigSwitch.Iface.Joyst, ConfigSwitch.JoystAction.Click, index, 0,
                        joyst_release.mode)
        } else {
            const [axis, position] = movements[index - first_joyst_movement_index]
            write_entry(ConfigSwitch.Iface.Joyst, ConfigSwitch.JoystAction.SetPos, axis, position,
                        joyst_release.mode)
        }
    }

    function set_gener_action() {
        const index = gener_list.currentIndex
        if (!gener_button.checked || switch_index < 0 || index < 0)
            return
        write_entry(ConfigSwitch.Iface.Gener, ConfigSwitch.GenerAction.Send, index, 0, -1)
    }

    // -1 where the entry holds no mouse option (a button past 4, another axis, another action).
    function mouse_index(action, param1, param2) {
        const Axis = ConfigSwitch.Axis
        const positive = (param2 & 0x0F) === ConfigSwitch.Sign.Positive
        switch (action) {
        case ConfigSwitch.MouseAction.Click:
            return param1 < double_click_index ? param1 : -1
        case ConfigSwitch.MouseAction.DoubleClick:
            return double_click_index
        case ConfigSwitch.MouseAction.Move:
            if (param1 === Axis.X)
                return positive ? 9 : 8
            if (param1 === Axis.Y)
                return positive ? 7 : 6
            if (param1 === Axis.Wheel)
                return positive ? 10 : 11
            break
        }
        return -1
    }

    // -1 where the entry holds no joystick option (a button past 7, another axis, another action).
    function joyst_index(action, param1, param2) {
        const negative = (param2 & 0x80) !== 0
        switch (action) {
        case ConfigSwitch.JoystAction.Click:
            return param1 < first_joyst_movement_index ? param1 : -1
        case ConfigSwitch.JoystAction.SetPos:
            if (param1 === ConfigSwitch.Axis.X)
                return negative ? 10 : 11
            if (param1 === ConfigSwitch.Axis.Y)
                return negative ? 8 : 9
            break
        }
        return -1
    }

    function load_switch() {
        if (switch_index < 0)
            return
        // The list changes below may write the entry back, so work from the values as stored.
        const entry = current_entry()
        const [iface, action, param1, param2] = [entry.iface, entry.action, entry.param1,
                                                 entry.param2]
        const mode = config.sw_simplified_release_mode[switch_index]

        for (const button of [mouse_button, keybd_button, cctrl_button, joyst_button, gener_button])
            button.checked = button.iface === iface

        mouse_release.select_mode(mode)
        mouse_list.currentIndex = mouse_index(action, param1, param2)

        modifier_boxes.set_bits(param2)
        keybd_release.select_mode(mode)
        keybd_list.currentIndex = keybd_list.indexOfValue(param1)

        cctrl_release.select_mode(mode)
        cctrl_list.currentIndex = cctrl_list.indexOfValue((param2 << 8) | param1)

        joyst_release.select_mode(mode)
        joyst_list.currentIndex = joyst_index(action, param1, param2)

        gener_list.currentIndex = gener_list.indexOfValue(param1)
    }

    function mouse_list_changed() {
        const index = mouse_list.currentIndex
        if (!mouse_button.checked || switch_index < 0 || index < 0)
            return
        // A button after a movement starts as a click, a movement after a button as a hold. The
        // present action is compared as a bare number, whatever its interface.
        const action = current_entry().action
        if (index < double_click_index && action < ConfigSwitch.MouseAction.Press)
            mouse_release.select_mode(Config.ReleaseMode.Automatic)
        else if (index > double_click_index && action >= ConfigSwitch.MouseAction.Press)
            mouse_release.select_mode(Config.ReleaseMode.Manual)
        last_mouse_action_index = index
        set_mouse_action()
    }

    function joyst_list_changed() {
        const index = joyst_list.currentIndex
        if (!joyst_button.checked || switch_index < 0 || index < 0)
            return
        const action = current_entry().action
        if (index < first_joyst_movement_index && action === ConfigSwitch.JoystAction.SetPos)
            joyst_release.select_mode(Config.ReleaseMode.Automatic)
        else if (index >= first_joyst_movement_index && action !== ConfigSwitch.JoystAction.SetPos)
            joyst_release.select_mode(Config.ReleaseMode.Manual)
        last_joyst_action_index = index
        set_joyst_action()
    }

    function modifier_toggled(bit, checked) {
        if (keybd_button.checked) {
            if (checked)
                last_keybd_modifiers |= bit
            else
                last_keybd_modifiers &= ~bit
        }
        set_keybd_action()
    }

    function pick_mouse() {
        mouse_list.currentIndex = last_mouse_action_index
        mouse_release.select_shown(last_mouse_release_mode)
        set_mouse_action()
    }

    function pick_keybd() {
        keybd_list.currentIndex = last_keybd_action_index
        keybd_release.select_shown(last_keybd_release_mode)
        modifier_boxes.set_bits(last_keybd_modifiers)
        set_keybd_action()
    }

    function pick_cctrl() {
        cctrl_list.currentIndex = last_cctrl_action_index
        cctrl_release.select_shown(last_cctrl_release_mode)
        set_cctrl_action()
    }

    function pick_joyst() {
        joyst_list.currentIndex = last_joyst_action_index
        joyst_release.select_shown(last_joyst_release_mode)
        set_joyst_action()
    }

    // For the inline components, which do not see the imported script (Qt 5.15).
    function step_in_group(button, group, step) {
        return Focus.step_in_group(button, group, step)
    }

    function pick_gener() {
        gener_list.currentIndex = last_gener_action_index
        set_gener_action()
    }

    spacing: 20

    onSwitch_indexChanged: load_switch()

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
            color: "white"
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
                color: "#aaffffff"
                font.family: "Open Sans"
                font.pixelSize: 16
            }

            Label {
                Layout.leftMargin: 10
                Layout.rightMargin: 10
                text: qsTr("Action type")
                color: "white"
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
                    onToggled: if (checked) switch_configuration.pick_mouse()
                }

                IfaceButton {
                    id: keybd_button
                    objectName: "iface_keybd"
                    iface: ConfigSwitch.Iface.Keybd
                    text: qsTr("Keyboard")
                    img_source: "qrc:/img/iface_keybd.png"
                    onToggled: if (checked) switch_configuration.pick_keybd()
                }

                IfaceButton {
                    id: cctrl_button
                    objectName: "iface_cctrl"
                    iface: ConfigSwitch.Iface.Cctrl
                    text: switch_configuration.small_captions ? qsTr("Multim.") : qsTr("Multimedia")
                    Accessible.name: qsTr("Multimedia")
                    img_source: "qrc:/img/iface_cctrl.png"
                    onToggled: if (checked) switch_configuration.pick_cctrl()
                }

                IfaceButton {
                    id: joyst_button
                    objectName: "iface_joyst"
                    visible: config.use_joystick
                    iface: ConfigSwitch.Iface.Joyst
                    text: qsTr("Joystick")
                    img_source: "qrc:/img/iface_joyst.png"
                    onToggled: if (checked) switch_configuration.pick_joyst()
                }

                IfaceButton {
                    id: gener_button
                    objectName: "iface_gener"
                    visible: settings.show_generic_iface
                    iface: ConfigSwitch.Iface.Gener
                    text: qsTr("Generic")
                    img_source: "qrc:/img/iface_gener.png"
                    onToggled: if (checked) switch_configuration.pick_gener()
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
            textRole: "text"
            model: ListModel {
                ListElement { text: qsTr("Left button") }
                ListElement { text: qsTr("Right button") }
                ListElement { text: qsTr("Middle button") }
                ListElement { text: qsTr("Aux button 1") }
                ListElement { text: qsTr("Aux button 2") }
                ListElement { text: qsTr("Double click") }
                ListElement { text: qsTr("Move up") }
                ListElement { text: qsTr("Move down") }
                ListElement { text: qsTr("Move left") }
                ListElement { text: qsTr("Move right") }
                ListElement { text: qsTr("Wheel up") }
                ListElement { text: qsTr("Wheel down") }
            }
            onCurrentIndexChanged: switch_configuration.mouse_list_changed()
        }

        ReleaseOptions {
            id: mouse_release
            objectName: "mouse_release"
            // A double click presses and releases by itself.
            visible: mouse_list.currentIndex !== switch_configuration.double_click_index
            kind: "mouse"
            movement: mouse_list.currentIndex >= switch_configuration.first_mouse_movement_index
            onPicked: function (mode) {
                if (mouse_button.checked)
                    switch_configuration.last_mouse_release_mode = mode
                switch_configuration.set_mouse_action()
            }
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
            valueRole: "code"
            onCurrentIndexChanged: {
                if (keybd_button.checked && currentIndex >= 0)
                    switch_configuration.last_keybd_action_index = currentIndex
            }
            onCurrentValueChanged: {
                if (currentIndex >= 0)
                    switch_configuration.set_keybd_action()
            }
        }

        ColumnLayout {
            id: modifier_boxes

            readonly property var boxes: [ctrl_box, shift_box, alt_box, gui_box, altgr_box]

            function set_bits(bits) {
                for (const box of boxes)
                    box.checked = (bits & box.bit) !== 0
            }

            Layout.topMargin: 18
            spacing: 5

            Label {
                text: qsTr("Modifiers") + ":"
                color: "white"
                font.family: "Nunito"
                font.pixelSize: 20
            }

            RowLayout {
                spacing: 10

                ModifierBox {
                    id: ctrl_box
                    objectName: "modifier_ctrl"
                    text: qsTr("Ctrl")
                    bit: 0x01
                }
                ModifierBox {
                    id: shift_box
                    objectName: "modifier_shift"
                    text: qsTr("Shift")
                    bit: 0x02
                }
                ModifierBox {
                    id: alt_box
                    objectName: "modifier_alt"
                    text: qsTr("Alt")
                    bit: 0x04
                }
            }

            RowLayout {
                spacing: 10

                ModifierBox {
                    id: gui_box
                    objectName: "modifier_gui"
                    text: qsTr("GUI")
                    bit: 0x08
                }
                ModifierBox {
                    id: altgr_box
                    objectName: "modifier_altgr"
                    text: qsTr("AltGr")
                    bit: 0x40
                }
            }
        }

        ReleaseOptions {
            id: keybd_release
            objectName: "keybd_release"
            kind: "key"
            onPicked: function (mode) {
                if (keybd_button.checked)
                    switch_configuration.last_keybd_release_mode = mode
                switch_configuration.set_keybd_action()
            }
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
            valueRole: "code"
            onCurrentIndexChanged: {
                if (cctrl_button.checked && currentIndex >= 0)
                    switch_configuration.last_cctrl_action_index = currentIndex
            }
            onCurrentValueChanged: {
                if (currentIndex >= 0)
                    switch_configuration.set_cctrl_action()
            }
        }

        ReleaseOptions {
            id: cctrl_release
            objectName: "cctrl_release"
            kind: "key"
            onPicked: function (mode) {
                if (cctrl_button.checked)
                    switch_configuration.last_cctrl_release_mode = mode
                switch_configuration.set_cctrl_action()
            }
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
            textRole: "text"
            model: ListModel {
                ListElement { text: qsTr("Button 1") }
                ListElement { text: qsTr("Button 2") }
                ListElement { text: qsTr("Button 3") }
                ListElement { text: qsTr("Button 4") }
                ListElement { text: qsTr("Button 5") }
                ListElement { text: qsTr("Button 6") }
                ListElement { text: qsTr("Button 7") }
                ListElement { text: qsTr("Button 8") }
                ListElement { text: qsTr("Move up") }
                ListElement { text: qsTr("Move down") }
                ListElement { text: qsTr("Move left") }
                ListElement { text: qsTr("Move right") }
            }
            onCurrentIndexChanged: switch_configuration.joyst_list_changed()
        }

        ReleaseOptions {
            id: joyst_release
            objectName: "joyst_release"
            kind: "joyst"
            movement: joyst_list.currentIndex >= switch_configuration.first_joyst_movement_index
            onPicked: function (mode) {
                if (joyst_button.checked)
                    switch_configuration.last_joyst_release_mode = mode
                switch_configuration.set_joyst_action()
            }
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
            textRole: "text"
            valueRole: "value"
            model: ListModel {
                ListElement { text: qsTr("Event 1"); value: 0 }
                ListElement { text: qsTr("Event 2"); value: 1 }
                ListElement { text: qsTr("Event 3"); value: 2 }
                ListElement { text: qsTr("Event 4"); value: 3 }
                ListElement { text: qsTr("Event 5"); value: 4 }
                ListElement { text: qsTr("Event 6"); value: 5 }
                ListElement { text: qsTr("Event 7"); value: 6 }
                ListElement { text: qsTr("Event 8"); value: 7 }
            }
            onCurrentIndexChanged: {
                if (gener_button.checked && currentIndex >= 0)
                    switch_configuration.last_gener_action_index = currentIndex
            }
            onCurrentValueChanged: {
                if (currentIndex >= 0)
                    switch_configuration.set_gener_action()
            }
        }
    }

    Item {
        id: filler
        Layout.fillHeight: true
    }

    component Separator: Rectangle {
        Layout.fillWidth: true
        Layout.preferredHeight: 1
        color: "#888"
    }

    component IfaceButton: ImageTextRadioButton {
        property int iface

        Layout.fillWidth: true
        Layout.fillHeight: true
        // Equal preferred widths share the row equally.
        Layout.preferredWidth: 1
        ButtonGroup.group: iface_buttons
        font_size: switch_configuration.small_captions ? 12 : 16
    }

    // The rows' names are read again on every evaluation, so the shown text follows a language
    // change; the combo box keeps its own copy of the text otherwise.
    component ActionList: CardComboBox {
        Layout.fillWidth: true
        Layout.preferredHeight: 80
        displayText: currentIndex < 0 ? "" : model.get(currentIndex)[textRole]
    }

    component ModifierBox: CheckBox {
        property int bit

        font.family: "Open Sans"
        font.pixelSize: 14
        onToggled: switch_configuration.modifier_toggled(bit, checked)

        FocusRing {}
    }

    component ReleaseHint: Label {
        Layout.fillWidth: true
        Layout.leftMargin: 10
        Layout.rightMargin: 10
        Layout.bottomMargin: 10
        color: "#aaffffff"
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
