#pragma once

#include <QComboBox>

class QueryHistory;

// The query box of the search toolbar: lists the confirmed queries and
// hands what the user types to the search dialog, which starts from it.
class QueryBox : public QComboBox {
    Q_OBJECT
public:
    QueryBox(QueryHistory& history, QWidget* parent = nullptr);

    // Shows the history again after the dialog has remembered a query.
    void refresh();

signals:
    // Enter in the box: search for what it holds.
    void searchRequested();

private:
    QueryHistory& m_history;
};
