#pragma once

// What a file or settings operation gives back: success, or the reason it
// failed, worded for the user and ending in the system's own reason.

#include <QString>

class [[nodiscard]] Outcome {
public:
    static Outcome success() { return Outcome(); }
    // `reason` is the cause alone, where `message` is built around one, so
    // that a caller can word the sentence around it in the user's language.
    static Outcome failure(const QString &message, const QString &reason = QString())
    {
        Q_ASSERT(!message.isEmpty());
        Outcome outcome;
        outcome.m_message = message;
        outcome.m_reason = reason.isEmpty() ? message : reason;
        return outcome;
    }

    bool ok() const { return m_message.isEmpty(); }
    const QString &message() const { return m_message; }
    const QString &reason() const { return m_reason; }

private:
    Outcome() = default;
    QString m_message; // empty on success
    QString m_reason;
};
