#pragma once

class CategoryTreeModel;
class MaterialPanes;
class RecycleBinModel;
class Workspace;

// Keeps what shows the open base's content in step with the workspace, in
// the window and on the command line alike: when the base closes, the tree
// (with its cut item), the recycle bin and, where there are any, the
// material list and the properties empty themselves; when a base opens,
// they empty and then the tree fills, the list shows every material of the
// base, and the recycle bin loads. `materials` may be null.
namespace OpenBaseFollowers {

void follow(Workspace& workspace, CategoryTreeModel& tree, RecycleBinModel& recycleBin,
            MaterialPanes* materials);

} // namespace OpenBaseFollowers
