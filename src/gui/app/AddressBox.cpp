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
    lineEdit()->installEventFilter(this);
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

bool AddressBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT enterPressed(lineEdit()->text(), key->modifiers());
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}
