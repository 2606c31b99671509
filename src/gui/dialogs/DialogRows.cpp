#include "DialogRows.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace DialogRows {

namespace {

QHBoxLayout* rowWith(QDialog* dialog, QLineEdit* edit, const std::function<QString()>& browse) {
    auto* button = new QPushButton(QStringLiteral("浏览..."), dialog);
    QObject::connect(button, &QPushButton::clicked, edit, [edit, browse] {
        const QString chosen = browse();
        if (!chosen.isEmpty())
            edit->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    return row;
}

} // namespace

QHBoxLayout* folderRow(QDialog* dialog, QLineEdit* edit, const QString& browseTitle) {
    return rowWith(dialog, edit, [=] {
        return QFileDialog::getExistingDirectory(dialog, browseTitle, edit->text());
    });
}

QHBoxLayout* fileRow(QDialog* dialog, QLineEdit* edit, const QString& browseTitle,
                     const QString& filter) {
    return rowWith(dialog, edit, [=] {
        return QFileDialog::getOpenFileName(dialog, browseTitle, edit->text(), filter);
    });
}

QPushButton* okCancel(QDialog* dialog, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return ok;
}

} // namespace DialogRows
