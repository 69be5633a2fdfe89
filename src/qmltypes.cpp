#include "qmltypes.h"

#include "config.h"
#include "configfile.h"
#include "configswitch.h"
#include "device.h"
#include "deviceaccess.h"
#include "diagnostics.h"
#include "switchsheet.h"
#include "translate.h"

#include <QtQml>

void register_qml_types()
{
    constexpr const char* uri = "Velquin";
    constexpr int major = 1;
    constexpr int minor = 0;

    // The order of the registrations is the module's: Device, Translate, Config, ConfigSwitch.

    // Device and Translate only as the types of the context properties device and translate:
    // a Device made in QML would start the HID layer anew and drop the app's own registrations.
    // device is a DeviceHid, which has no meta-object of its own, so QML sees exactly Device's
    // properties, signals and invokables. Its config property carries a Config*.
    qRegisterMetaType<Config*>("Config*");
    qmlRegisterUncreatableType<Device>(uri, major, minor, "Device", "Cannot create in QML");
    qmlRegisterUncreatableType<Translate>(uri, major, minor, "Translate", "Cannot create in QML");

    qmlRegisterType<Config>(uri, major, minor, "Config");
    // Only for its enumerations (ConfigSwitch.Iface.Mouse, ...); entries belong to their Config.
    qmlRegisterUncreatableMetaObject(ConfigSwitch::staticMetaObject, uri, major, minor,
                                     "ConfigSwitch", "Cannot create in QML");

    // The screens' colours, from the resources.
    qmlRegisterSingletonType(QUrl(QStringLiteral("qrc:/qml/Theme.qml")), uri, major, minor,
                             "Theme");

    // Why the device cannot be reached, and what to send for help: created by the screens.
    qmlRegisterType<DeviceAccess>(uri, major, minor, "DeviceAccess");
    qmlRegisterType<Diagnostics>(uri, major, minor, "Diagnostics");

    // Keeping, restoring and printing a set-up (the settings page's file actions).
    qmlRegisterType<ConfigFile>(uri, major, minor, "ConfigFile");
    qmlRegisterType<SwitchSheet>(uri, major, minor, "SwitchSheet");
}
