#pragma once

#include <QString>

// A small tmpfs mounted on a folder, which a test fills and then remounts
// read-only: the one way to make a place a superuser cannot write, since
// root ignores file modes. Unmounted when it goes.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const QString& folder);
    ~ReadOnlyMount();
    ReadOnlyMount(const ReadOnlyMount&) = delete;
    ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;

    // Why the folder could not be mounted (no privilege, no tmpfs), or empty.
    const QString& failure() const { return m_failure; }
    bool makeReadOnly();

private:
    QString m_folder;
    QString m_failure;
    bool m_mounted = false;
};
