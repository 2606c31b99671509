#pragma once

#include <QString>

// How a switch of the open base ended: Cancelled (nothing changed), NotOpened
// (the old base is closed and none is open), Opened. What shows the base's
// content has followed the workspace's announcements already; the outcome is
// for the caller's own state (the selector's entry after a Cancel).
class BaseSwitch {
public:
    enum class Outcome { Cancelled, NotOpened, Opened };

    BaseSwitch() = default;
    BaseSwitch(Outcome outcome, const QString& entry) : m_outcome(outcome), m_entry(entry) {}

    Outcome outcome() const { return m_outcome; }
    // The selector entry the switch worked from.
    const QString& entry() const { return m_entry; }

private:
    Outcome m_outcome = Outcome::Cancelled;
    QString m_entry;
};
