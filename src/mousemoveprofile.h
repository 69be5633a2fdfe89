#pragma once

#include <QList>
#include <QObject>

// One pointer-movement profile. The device supplies the speeds; the application only stores them.
class MouseMoveProfile : public QObject
{
    Q_OBJECT
    Q_PROPERTY(quint8 n_intervals MEMBER n_intervals)
    Q_PROPERTY(QList<quint8> speed MEMBER speed WRITE set_speed)

public:
    static constexpr int MAX_INTERVALS = 3;

    explicit MouseMoveProfile(QObject* parent = nullptr);

    void set_speed(const QList<quint8>& value);

    quint8 n_intervals = MAX_INTERVALS;
    QList<quint8> speed;
};
