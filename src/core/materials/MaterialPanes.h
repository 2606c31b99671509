#pragma once

#include "DockStationModel.h"
#include "MaterialListModel.h"
#include "MaterialProperties.h"
#include "MaterialService.h"
#include "OpenMaterialsModel.h"

#include <QObject>

class RecycleBinModel;
class TreeService;

// The material side of the main window: the service that changes materials,
// and the views of them that follow its signals (the material list, the list
// of open materials, the dock station, the properties pane), connected to the
// tree and the recycle bin. The window and keepsake-cli each hold one.
class MaterialPanes : public QObject {
    Q_OBJECT
public:
    MaterialPanes(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                  const ProgramPaths& paths, MaterialClipboard& clipboard,
                  QObject* parent = nullptr);

    MaterialService& service() { return m_service; }
    MaterialCreator& creator() { return m_service.creator(); }
    MaterialListModel& list() { return m_list; }
    OpenMaterialsModel& openMaterials() { return m_open; }
    DockStationModel& dock() { return m_dock; }
    MaterialProperties& properties() { return m_properties; }

    // Renames, moves and pastes in the tree reach the lists; a material cut
    // in a list makes the tree forget what was cut there.
    void connectTree(TreeService& tree);
    // Deleted materials go to the recycle bin; restored ones come back to
    // the list.
    void connectRecycleBin(RecycleBinModel& bin);

    // "加入停靠站" of any list, with the icon telling whether it is open.
    bool dockMaterial(const MaterialRecord& material);
    // A base removed from the configuration: every list drops its materials.
    void forgetBase(int baseId);

private:
    MaterialService m_service;
    MaterialListModel m_list;
    OpenMaterialsModel m_open;
    DockStationModel m_dock;
    MaterialProperties m_properties;
};
