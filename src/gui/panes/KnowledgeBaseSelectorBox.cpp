#include "KnowledgeBaseSelectorBox.h"

#include "bases/KnowledgeBaseSelector.h"

#include <QSignalBlocker>

KnowledgeBaseSelectorBox::KnowledgeBaseSelectorBox(const KnowledgeBaseSelector& selector,
                                                   QWidget* parent)
    : QComboBox(parent), m_selector(selector) {
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    // activated, not currentIndexChanged: refresh() must not start a switch,
    // and a pick of the shown entry must.
    connect(this, &QComboBox::activated, this,
            [this](int index) { Q_EMIT entryPicked(itemText(index)); });
    refresh();
}

void KnowledgeBaseSelectorBox::refresh() {
    const QSignalBlocker blocker(this);
    clear();
    addItems(m_selector.entries());
    for (int i = 0; i < count(); ++i) {
        const QString why = m_selector.unavailableText(itemText(i));
        if (why.isEmpty())
            continue;
        setItemData(i, why, Qt::ToolTipRole);
        setItemData(i, palette().color(QPalette::Disabled, QPalette::Text), Qt::ForegroundRole);
    }
    // A cancelled or failed switch leaves the chosen text as it was, so the
    // box falls back to the base the user is really looking at.
    setCurrentIndex(findText(m_selector.chosenText(), Qt::MatchExactly));
}

void KnowledgeBaseSelectorBox::showPopup() {
    if (m_beforePopup) {
        m_beforePopup();
        refresh();
    }
    QComboBox::showPopup();
}
