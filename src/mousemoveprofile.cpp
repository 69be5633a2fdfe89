#include "mousemoveprofile.h"

#include <QtDebug>

MouseMoveProfile::MouseMoveProfile(QObject* parent) : QObject(parent)
{
    for (int i = 0; i < MAX_INTERVALS; ++i)
        speed.append(0);
}

void MouseMoveProfile::set_speed(const QList<quint8>& value)
{
    // Every reader takes exactly three speeds.
    if (value.size() != MAX_INTERVALS) {
        qWarning("MouseMoveProfile: ignored a list of %d speeds", int(value.size()));
        return;
    }
    if (speed != value)
        speed = value;
}
