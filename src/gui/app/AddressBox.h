#pragma once

#include <QComboBox>

// The main window's address box: the address of the page shown, or what the
// user types, with the typed addresses in its list. Enter is reported with
// the keys held, as Ctrl and Shift change what a typed word means.
class AddressBox : public QComboBox {
    Q_OBJECT
public:
    explicit AddressBox(QWidget* parent = nullptr);

    // Fills the list, newest first, leaving the text in the box as it is.
    void setEntries(const QStringList& addresses);
    QStringList entries() const;

Q_SIGNALS:
    void enterPressed(const QString& text, Qt::KeyboardModifiers modifiers);
    // An entry of the list was chosen.
    void addressChosen(const QString& address);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
