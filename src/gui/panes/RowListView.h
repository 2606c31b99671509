#pragma once

#include <QString>
#include <initializer_list>

class QAbstractItemDelegate;
class QAbstractItemModel;
class QTreeView;

// The look the panes' row lists share: whole rows chosen one at a time,
// small icons, alternating colours, a context menu of the pane's own, and
// the given starting column widths.
void SetUpRowList(QTreeView* view, QAbstractItemModel* model, const QString& objectName,
                  QAbstractItemDelegate* delegate, std::initializer_list<int> widths);
