#pragma once

#include <QObject>

// One switch action as the device stores it: an interface, an action of that interface and two
// parameters. The numeric values of every enumeration travel unchanged in the device's reports.
class ConfigSwitch : public QObject
{
    Q_OBJECT
    // The action enumerations share key names (Press, Release, ...), so QML must name them scoped.
    Q_CLASSINFO("RegisterEnumClassesUnscoped", "false")
    Q_PROPERTY(quint8 iface MEMBER iface WRITE set_iface NOTIFY iface_changed)
    Q_PROPERTY(quint8 action MEMBER action WRITE set_action NOTIFY action_changed)
    Q_PROPERTY(quint8 param1 MEMBER param1 WRITE set_param1 NOTIFY param1_changed)
    Q_PROPERTY(quint8 param2 MEMBER param2 WRITE set_param2 NOTIFY param2_changed)

public:
    enum class Iface { None = 0, Mouse = 1, Keybd = 2, Cctrl = 3, Joyst = 4, Gener = 5 };
    Q_ENUM(Iface)
    enum class MouseAction {
        Move = 1,
        Stop = 2,
        MoveStop = 3,
        Press = 4,
        Release = 5,
        PressRelease = 6,
        Click = 7,
        DoubleClick = 8
    };
    Q_ENUM(MouseAction)
    enum class KeybdAction { Press = 1, Release = 2, PressRelease = 3, Tap = 4 };
    Q_ENUM(KeybdAction)
    enum class CctrlAction { Press = 1, Release = 2, PressRelease = 3, Tap = 4 };
    Q_ENUM(CctrlAction)
    enum class JoystAction {
        SetPos = 1,
        Center = 2,
        SetPosCenter = 3,
        Press = 4,
        Release = 5,
        PressRelease = 6,
        Click = 7
    };
    Q_ENUM(JoystAction)
    enum class GenerAction { Send = 1 };
    Q_ENUM(GenerAction)
    enum class Axis { X = 0, Y = 1, Wheel = 2 };
    Q_ENUM(Axis)
    enum class Sign { Zero = 0, Positive = 1, Negative = 2 };
    Q_ENUM(Sign)

    explicit ConfigSwitch(QObject* parent = nullptr);

    // Setters emit only on a real change; bulk operations write the fields directly.
    void set_iface(quint8 value);
    void set_action(quint8 value);
    void set_param1(quint8 value);
    void set_param2(quint8 value);

    // Copies the four fields without emitting anything.
    void assign(const ConfigSwitch& other);
    void assign(quint8 iface_value, quint8 action_value, quint8 param1_value, quint8 param2_value);
    void clear() { assign(0, 0, 0, 0); }
    bool equals(const ConfigSwitch& other) const;

    quint8 iface = 0;
    quint8 action = 0;
    quint8 param1 = 0;
    quint8 param2 = 0;

signals:
    void iface_changed();
    void action_changed();
    void param1_changed();
    void param2_changed();
};
