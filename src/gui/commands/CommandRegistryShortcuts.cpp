#include "CommandRegistry.h"

#include <QAction>

#include <algorithm>

namespace {

bool readable(const QList<QKeySequence>& keys) {
    for (const QKeySequence& key : keys) {
        if (key.isEmpty())
            return false;
        for (int i = 0; i < key.count(); ++i) {
            if (key[i].key() == Qt::Key_unknown)
                return false;
        }
    }
    return true;
}

} // namespace

QList<int> CommandRegistry::ids() const {
    QList<int> result;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->action)
            result.append(it.key());
    }
    std::sort(result.begin(), result.end());
    return result;
}

void CommandRegistry::keepDefaults(Entry& entry) {
    if (!entry.defaults)
        entry.defaults = entry.action->shortcuts();
}

QList<QKeySequence> CommandRegistry::defaultShortcuts(int id) const {
    const auto it = m_entries.constFind(id);
    if (it == m_entries.constEnd() || !it->action)
        return {};
    return it->defaults ? *it->defaults : it->action->shortcuts();
}

int CommandRegistry::commandWithShortcut(const QKeySequence& key, int except) const {
    for (const int id : ids()) {
        if (id != except && m_entries.value(id).action->shortcuts().contains(key))
            return id;
    }
    return 0;
}

void CommandRegistry::setShortcuts(int id, const QList<QKeySequence>& keys) {
    const auto found = m_entries.find(id);
    if (found == m_entries.end() || !found->action)
        return;
    keepDefaults(*found);
    const QList<QKeySequence> had = found->action->shortcuts();
    for (const QKeySequence& key : keys) {
        if (had.contains(key))
            continue;
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it.key() == id || !it->action || !it->action->shortcuts().contains(key))
                continue;
            keepDefaults(*it);
            QList<QKeySequence> rest = it->action->shortcuts();
            rest.removeAll(key);
            it->action->setShortcuts(rest);
        }
    }
    found->action->setShortcuts(keys);
}

void CommandRegistry::resetShortcuts() {
    for (Entry& entry : m_entries) {
        if (entry.action && entry.defaults)
            entry.action->setShortcuts(*entry.defaults);
    }
}

QByteArray CommandRegistry::saveShortcuts() const {
    QByteArray saved;
    for (const int id : ids()) {
        const Entry& entry = m_entries[id];
        const QList<QKeySequence> keys = entry.action->shortcuts();
        if (!entry.defaults || *entry.defaults == keys)
            continue;
        saved += QByteArray::number(id) + '=' +
                 QKeySequence::listToString(keys, QKeySequence::PortableText).toUtf8() + '\n';
    }
    return saved;
}

bool CommandRegistry::restoreShortcuts(const QByteArray& saved) {
    resetShortcuts();
    bool whole = true;
    for (const QByteArray& raw : saved.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf('=');
        bool isNumber = false;
        const int id = eq > 0 ? line.left(eq).trimmed().toInt(&isNumber) : 0;
        const QString text = QString::fromUtf8(line.mid(eq + 1)).trimmed();
        const QList<QKeySequence> keys =
            text.isEmpty() ? QList<QKeySequence>()
                           : QKeySequence::listFromString(text, QKeySequence::PortableText);
        if (!isNumber || !action(id) || !readable(keys)) {
            whole = false;
            continue;
        }
        setShortcuts(id, keys);
    }
    return whole;
}
