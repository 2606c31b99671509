#include "OpenBaseFollowers.h"

#include "Workspace.h"
#include "materials/MaterialPanes.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"
#include "store/RecycleBinModel.h"

#include <QPointer>

namespace OpenBaseFollowers {

void follow(Workspace& workspace, CategoryTreeModel& tree, RecycleBinModel& recycleBin,
            MaterialPanes* materials) {
    QPointer<RecycleBinModel> bin(&recycleBin);
    QPointer<MaterialPanes> panes(materials);
    const auto empty = [&tree, bin, panes] {
        tree.clear();
        if (bin)
            bin->clear();
        if (panes) {
            panes->list().clearList();
            // Left showing, an old material's properties would be saved into
            // the new base's rows of the same id.
            panes->properties().clear();
        }
    };
    QObject::connect(&workspace, &Workspace::baseClosed, &tree, empty);
    QObject::connect(&workspace, &Workspace::baseOpened, &tree, [&tree, bin, panes, empty] {
        empty();
        tree.fill();
        if (panes)
            panes->list().showMaterialsOf(CategoryCode::kWholeBase);
        if (bin)
            bin->load();
    });
}

} // namespace OpenBaseFollowers
