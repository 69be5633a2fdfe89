import QtQml 2.15
import "ConfigSwitchUtil.js" as ConfigSwitchUtil

// A device configuration in the overview's words, for the settings page and the diagnostics
// report. It holds its own key tables, which the library reads by name, so that it also works
// outside the window (the command-line report).
QtObject {
    property KeybdCodes keybd_codes: KeybdCodes {}
    property CctrlCodes cctrl_codes: CctrlCodes {}

    // The two identity bytes in upper-case hexadecimal, without leading zeros.
    function identity(config) {
        return Number(config.device_uid_h).toString(16).toUpperCase()
                + Number(config.device_uid_l).toString(16).toUpperCase()
    }

    // Major version in the top two bits, minor in the low six.
    function firmware(config) {
        return (config.fw_version >> 6) + "." + (config.fw_version & 0x3F)
    }

    // One line a switch, then the settings of all switches; plain text.
    function describe(config) {
        let lines = ["Identity: Velquin Plus - " + identity(config),
                     "Firmware: " + firmware(config)]
        for (let i = 0; i < config.N_SWITCHES; ++i) {
            const entry = config.sw_simplified_config[i]
            const release = ConfigSwitchUtil.release_mode_name(
                              entry.iface, entry.action, config.sw_simplified_release_mode[i])
            const parts = [ConfigSwitchUtil.iface_id(entry.iface),
                           ConfigSwitchUtil.switch_action_name(entry), release]
            lines.push("Switch " + (i + 1) + ": " + parts.filter(function (part) {
                return part !== ""
            }).join(", "))
        }
        lines.push("Joystick interface: " + (config.use_joystick ? "enabled" : "disabled"))
        lines.push("Pointer movement profile: " + config.mouse_move_summary_profile
                   + ", wheel speed: " + config.mouse_move_summary_wheel_speed)
        return lines.join("\n")
    }
}
