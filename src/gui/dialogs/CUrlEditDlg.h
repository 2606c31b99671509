#pragma once

#include <QDialog>
#include <QPoint>

class QLineEdit;
class QPushButton;

// The small window in which a kept web address is entered or changed: a
// title and an address. It has no caption, so it can be dragged by any point
// of its surface. It only collects the two texts; the pane that opened it
// decides on OK whether it closes.
class CUrlEditDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { New, Modify };

    CUrlEditDlg(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }
    void setFields(const QString& title, const QString& address);
    QString title() const;
    QString address() const;

    QLineEdit* titleEdit() const { return m_title; }
    QLineEdit* addressEdit() const { return m_address; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    void accept() override;

Q_SIGNALS:
    // OK was pressed with these texts; the dialog stays open until closed.
    void okRequested(const QString& title, const QString& address);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Mode m_mode;
    QLineEdit* m_title;
    QLineEdit* m_address;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPoint m_dragOffset;
};
