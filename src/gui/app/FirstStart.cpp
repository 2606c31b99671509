#include "FirstStart.h"

#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"

#include <QTreeView>

namespace FirstStart {

bool ShowWelcome(QTreeView* tree, const Actions& actions) {
    const QAbstractItemModel* model = tree->model();
    if (!model)
        return false;
    // Down the first branch to its minor item, the only level with materials.
    QModelIndex index = model->index(0, 0);
    while (index.isValid() && model->rowCount(index) > 0)
        index = model->index(0, 0, index);
    const QString code = CategoryTreeModel::codeOf(index);
    if (!CategoryCode::IsWellFormed(code) || !CategoryCode::IsMinor(code))
        return false;
    tree->setCurrentIndex(index);
    const std::optional<MaterialRecord> first = actions.listMaterials(code);
    return first && actions.open(*first);
}

} // namespace FirstStart
