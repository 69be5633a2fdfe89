#include "device.h"

Device::Device(QObject* parent) : QObject(parent) {}

Device::~Device() = default;

void Device::set_problem(const QString& code, const QString& message)
{
    const bool code_changed = code != problem;
    const bool message_changed = message != problem_message;
    problem = code;
    problem_message = message;
    if (code_changed)
        emit problem_changed();
    if (message_changed)
        emit problem_message_changed();
}
