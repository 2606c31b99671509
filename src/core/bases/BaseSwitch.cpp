#include "BaseSwitch.h"

#include "materials/MaterialPanes.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"
#include "store/RecycleBinModel.h"

void BaseSwitch::applyTo(CategoryTreeModel& tree, RecycleBinModel& recycleBin,
                         MaterialPanes* materials) const {
    if (!clearsPanes())
        return;
    tree.clear();
    recycleBin.clear();
    if (materials) {
        materials->list().clearList();
        // Left showing, an old material's properties would be saved into the
        // new base's rows of the same id.
        materials->properties().clear();
    }
    if (!fillsPanes())
        return;
    tree.fill();
    // The new base's materials are listed at once, as at start-up.
    if (materials)
        materials->list().showMaterialsOf(CategoryCode::kWholeBase);
    recycleBin.load();
}
