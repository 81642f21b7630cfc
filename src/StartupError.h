#pragma once

#include <QString>

#include <stdexcept>

// An error of a start-up step, carrying the message shown to the player.
class StartupError : public std::runtime_error {
public:
    explicit StartupError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString& message() const { return m_message; }

private:
    QString m_message;
};
