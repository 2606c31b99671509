#include "QueryBox.h"

#include "search/QueryHistory.h"

#include <QLineEdit>
#include <QSignalBlocker>

QueryBox::QueryBox(QueryHistory& history, QWidget* parent) : QComboBox(parent), m_history(history) {
    setObjectName(QStringLiteral("queryBox"));
    setEditable(true);
    // Entries come only from confirmed searches, never from Enter here.
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(18);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lineEdit()->setPlaceholderText(QStringLiteral("查找内容"));
    connect(this, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_history.Show(text); });
    connect(lineEdit(), &QLineEdit::returnPressed, this, &QueryBox::searchRequested);
}

void QueryBox::refresh() {
    const QSignalBlocker blocker(this);
    clear();
    addItems(m_history.Entries());
    setCurrentIndex(int(m_history.Entries().indexOf(m_history.CurrentText())));
    setEditText(m_history.CurrentText());
}
