// The library's own error: a label file that cannot be read, and the other
// failures a host must see as a message rather than as a crash.
#pragma once

#include <QString>
#include <stdexcept>

class EKvError : public std::runtime_error
{
public:
    explicit EKvError(const QString& Message)
        : std::runtime_error(Message.toStdString()), Msg(Message) {}
    const QString& Message() const { return Msg; }

private:
    QString Msg;
};
