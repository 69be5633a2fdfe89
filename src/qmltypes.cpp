#include "qmltypes.h"

#include "config.h"
#include "configswitch.h"

#include <QtQml>

void register_qml_types()
{
    constexpr const char* uri = "Velquin";
    constexpr int major = 1;
    constexpr int minor = 0;

    // The order of the registrations is the module's: Device, Translate, Config, ConfigSwitch.

    // Device: DeviceHid, described by Device's meta-object (added with the device link).

    // Translate (added with the application shell).

    qmlRegisterType<Config>(uri, major, minor, "Config");
    // Only for its enumerations (ConfigSwitch.Iface.Mouse, ...); entries belong to their Config.
    qmlRegisterUncreatableMetaObject(ConfigSwitch::staticMetaObject, uri, major, minor,
                                     "ConfigSwitch", "Cannot create in QML");
}
