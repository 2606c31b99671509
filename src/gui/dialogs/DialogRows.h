#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

// Rows the knowledge-base dialogs share, so they look and answer alike.
namespace DialogRows {

// The edit with a "浏览..." button that picks a folder into it.
QHBoxLayout* folderRow(QDialog* dialog, QLineEdit* edit, const QString& browseTitle);
// The same for an existing file matching `filter`.
QHBoxLayout* fileRow(QDialog* dialog, QLineEdit* edit, const QString& browseTitle,
                     const QString& filter);
// "确定" and "取消" added to `layout`, wired to accept and reject; the OK button.
QPushButton* okCancel(QDialog* dialog, QBoxLayout* layout);

} // namespace DialogRows
