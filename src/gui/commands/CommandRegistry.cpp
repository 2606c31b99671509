#include "CommandRegistry.h"

#include <QAction>
#include <QRegularExpression>

CommandRegistry::CommandRegistry(QObject* parent) : QObject(parent) {}

QString CommandRegistry::plainText(const QString& menuText) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    QString text = menuText.section(QLatin1Char('\t'), 0, 0);
    text.remove(mnemonic);
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

QAction* CommandRegistry::define(int id, const QString& text, const QKeySequence& key,
                                 Qt::ShortcutContext context) {
    Entry& e = m_entries[id];
    if (!e.action) {
        e.action = new QAction(text, this);
        e.action->setIconText(plainText(text));
        e.action->setData(id);
        if (!key.isEmpty())
            e.action->setShortcut(key);
        e.action->setShortcutContext(context);
        e.action->setEnabled(false);
        connect(e.action, &QAction::triggered, this, [this, id] { trigger(id); });
    }
    return e.action;
}

QAction* CommandRegistry::action(int id) const {
    const auto it = m_entries.constFind(id);
    return it == m_entries.constEnd() ? nullptr : it->action;
}

void CommandRegistry::setHandler(int id, Handler handler, Enabler enabled) {
    Entry& e = m_entries[id];
    e.handler = std::move(handler);
    e.enabled = std::move(enabled);
    if (e.action)
        e.action->setEnabled(isEnabled(id, e));
}

bool CommandRegistry::isEnabled(int id, const Entry& entry) const {
    return entry.handler && !m_blocked.contains(id) && (!m_gate || m_gate(id)) &&
           (!entry.enabled || entry.enabled());
}

void CommandRegistry::setGate(Gate gate) {
    m_gate = std::move(gate);
    updateEnabled();
}

bool CommandRegistry::trigger(int id) {
    const auto it = m_entries.constFind(id);
    if (it == m_entries.constEnd() || !isEnabled(id, *it))
        return false;
    const Handler handler = it->handler; // the handler may replace itself
    handler();
    updateEnabled();
    return true;
}

void CommandRegistry::updateEnabled() {
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->action)
            it->action->setEnabled(isEnabled(it.key(), *it));
    }
}

void CommandRegistry::setBlocked(const QSet<int>& ids) {
    m_blocked = ids;
    updateEnabled();
}
