#include "RowListView.h"

#include <QAbstractItemDelegate>
#include <QTreeView>

void SetUpRowList(QTreeView* view, QAbstractItemModel* model, const QString& objectName,
                  QAbstractItemDelegate* delegate, std::initializer_list<int> widths) {
    view->setObjectName(objectName);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setItemDelegate(delegate);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setIconSize(QSize(16, 16));
    int column = 0;
    for (int width : widths)
        view->setColumnWidth(column++, width);
}
