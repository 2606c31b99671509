#pragma once

#include <QDateTime>
#include <QDialog>
#include <QStringList>

class QListWidget;

// "插入时间": the given time written in the Chinese short date formats, then
// the long date formats, then the time formats; the first is selected.
class CInsertTimeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInsertTimeDlg(const QDateTime& time, QWidget* parent = nullptr);

    static QStringList entries(const QDateTime& time);

    // The chosen entry; empty when none is chosen.
    QString chosenText() const;
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
};
