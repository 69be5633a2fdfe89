#include "configswitch.h"

ConfigSwitch::ConfigSwitch(QObject* parent) : QObject(parent) {}

void ConfigSwitch::set_iface(quint8 value)
{
    if (iface == value)
        return;
    iface = value;
    emit iface_changed();
}

void ConfigSwitch::set_action(quint8 value)
{
    if (action == value)
        return;
    action = value;
    emit action_changed();
}

void ConfigSwitch::set_param1(quint8 value)
{
    if (param1 == value)
        return;
    param1 = value;
    emit param1_changed();
}

void ConfigSwitch::set_param2(quint8 value)
{
    if (param2 == value)
        return;
    param2 = value;
    emit param2_changed();
}

void ConfigSwitch::assign(const ConfigSwitch& other)
{
    assign(other.iface, other.action, other.param1, other.param2);
}

void ConfigSwitch::assign(quint8 iface_value, quint8 action_value, quint8 param1_value,
                          quint8 param2_value)
{
    iface = iface_value;
    action = action_value;
    param1 = param1_value;
    param2 = param2_value;
}

bool ConfigSwitch::equals(const ConfigSwitch& other) const
{
    return iface == other.iface && action == other.action && param1 == other.param1 &&
           param2 == other.param2;
}
