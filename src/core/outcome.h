#pragma once

// What a file or settings operation gives back: success, or the reason it
// failed, worded for the user and ending in the system's own reason.

#include <QString>

class [[nodiscard]] Outcome {
public:
    static Outcome success() { return Outcome(); }
    static Outcome failure(const QString &message)
    {
        Q_ASSERT(!message.isEmpty());
        Outcome outcome;
        outcome.m_message = message;
        return outcome;
    }

    bool ok() const { return m_message.isEmpty(); }
    const QString &message() const { return m_message; }

private:
    Outcome() = default;
    QString m_message; // empty on success
};
