#pragma once

#include "store/MaterialRecord.h"

#include <functional>
#include <optional>

class QTreeView;

// Right after the first-run setup the user has seen nothing of the program
// but the copied default base. Instead of an empty window they get its first
// minor item selected, that item's materials listed and the first of them
// (the quick-start note) open.
namespace FirstStart {

struct Actions {
    // Lists the item's materials in the material pane; the first of them.
    std::function<std::optional<MaterialRecord>(const QString& code)> listMaterials;
    std::function<bool(const MaterialRecord& material)> open;
};

// The tree view shows a CategoryTreeModel. True when a material was opened.
bool ShowWelcome(QTreeView* tree, const Actions& actions);

} // namespace FirstStart
