#include "AddressBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

AddressBox::AddressBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("addressBox700"));
    setEditable(true);
    // The list holds the typed addresses, kept by the profile, not whatever
    // Enter was pressed on.
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(40);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this,
            [this](int index) { Q_EMIT addressChosen(itemText(index)); });
}

void AddressBox::setEntries(const QStringList& addresses) {
    const QSignalBlocker blocker(this);
    const QString text = currentText();
    clear();
    addItems(addresses);
    setCurrentIndex(-1);
    setEditText(text);
}

QStringList AddressBox::entries() const {
    QStringList addresses;
    for (int i = 0; i < count(); ++i)
        addresses << itemText(i);
    return addresses;
}

void AddressBox::keyPressEvent(QKeyEvent* event) {
    // The box has the focus and hands keys to its edit field itself, so
    // Enter is taken here, before the box would add the text to its list.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT enterPressed(lineEdit()->text(), event->modifiers());
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
