#include "MaterialPanes.h"

#include "store/RecycleBinModel.h"
#include "store/TreeService.h"

MaterialPanes::MaterialPanes(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                             Prompter& prompter, const ProgramPaths& paths,
                             MaterialClipboard& clipboard, QObject* parent)
    : QObject(parent), m_service(store, base, prompter, paths, clipboard, this),
      m_list(store, base, prompter, clipboard, this),
      m_open(store, base, prompter, clipboard, this), m_dock(store, base, prompter, this),
      m_properties(m_service, base, this) {
    // A new material joins the end of the list and shows its properties.
    connect(&m_service, &MaterialService::materialCreated, &m_list,
            &MaterialListModel::appendMaterial);
    connect(&m_service, &MaterialService::materialCreated, &m_properties,
            [this](const MaterialRecord& material) { m_properties.show(material); });

    for (MaterialTableModel* model :
         {static_cast<MaterialTableModel*>(&m_list), static_cast<MaterialTableModel*>(&m_open)}) {
        connect(&m_service, &MaterialService::materialMoved, model,
                &MaterialTableModel::moveMaterial);
        connect(&m_service, &MaterialService::materialRenamed, model,
                &MaterialTableModel::updateMaterial);
        connect(&m_service, &MaterialService::descriptionChanged, model,
                &MaterialTableModel::updateMaterial);
        connect(&m_service, &MaterialService::materialRecycled, model,
                &MaterialTableModel::forgetMaterial);
    }
    connect(&m_service, &MaterialService::dockStationChanged, &m_dock,
            &DockStationModel::showEntries);
    connect(&m_service, &MaterialService::docked, &m_dock, &DockStationModel::markOpenWhenDocked);
    connect(&m_service, &MaterialService::materialRenamed, &m_dock,
            &DockStationModel::updateMaterial);

    connect(&m_service, &MaterialService::materialRenamed, &m_properties,
            &MaterialProperties::updateName);
    connect(&m_service, &MaterialService::descriptionChanged, &m_properties,
            &MaterialProperties::showAgain);
    connect(&m_service, &MaterialService::keywordsChanged, &m_properties,
            &MaterialProperties::updateKeywords);
}

void MaterialPanes::connectTree(TreeService& tree) {
    connect(&tree, &TreeService::itemRenamed, &m_list, &MaterialTableModel::refreshPaths);
    connect(&tree, &TreeService::itemRenamed, &m_open, &MaterialTableModel::refreshPaths);
    connect(&tree, &TreeService::itemRenamed, &m_dock, &DockStationModel::refreshPaths);
    // A material pasted in the tree moved as one moved by the service does.
    connect(&tree, &TreeService::materialMoved, &m_service, &MaterialService::materialMoved);
    for (MaterialTableModel* model :
         {static_cast<MaterialTableModel*>(&m_list), static_cast<MaterialTableModel*>(&m_open)}) {
        connect(&tree, &TreeService::itemRecoded, model, &MaterialTableModel::recodeItem);
        connect(&tree, &TreeService::materialsOfItemMoved, model,
                &MaterialTableModel::moveMaterialsOfItem);
        // Only one thing is ever cut: a material cut here replaces a cut item.
        connect(model, &MaterialTableModel::materialCut, &tree,
                [&tree] { tree.cutMaterialsOf({}); });
    }
}

void MaterialPanes::connectRecycleBin(RecycleBinModel& bin) {
    connect(&m_service, &MaterialService::materialRecycled, &bin,
            [&bin](const MaterialRecord&, const RecycleRow& row) { bin.addRow(row); });
    connect(&bin, &RecycleBinModel::materialRestored, &m_list, &MaterialListModel::restoreMaterial);
    connect(&bin, &RecycleBinModel::materialCleared, &m_list, &MaterialListModel::clearMaterial);
}

bool MaterialPanes::dockMaterial(const MaterialRecord& material) {
    return m_service.dock(material, m_open.isOpen(material.MinuItemID, material.KnowledgeBaseID));
}

void MaterialPanes::forgetBase(int baseId) {
    const QString id = QString::number(baseId);
    m_list.forgetBase(id);
    m_open.forgetBase(id);
    m_service.undockBase(baseId);
}
