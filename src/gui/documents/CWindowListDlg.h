#pragma once

#include <QDialog>

class DocumentWindow;
class QListWidget;
class QMdiArea;
class QPushButton;

// "窗口": every open document when there are more than the window menu can
// list, to bring one forward, or to save or close several at once.
class CWindowListDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWindowListDlg(QMdiArea* area, QWidget* parent = nullptr);

    QListWidget* windowList() const { return m_list; }
    QPushButton* activateButton() const { return m_activate; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* closeButton() const { return m_close; }

private:
    void refresh();
    void updateButtons();
    QList<DocumentWindow*> selected() const;
    void activate();
    void saveSelected();
    void closeSelected();

    QMdiArea* m_area;
    QListWidget* m_list;
    QPushButton* m_activate;
    QPushButton* m_save;
    QPushButton* m_close;
};
