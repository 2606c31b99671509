#include "MaterialPanes.h"

#include "store/RecycleBinModel.h"
#include "store/TreeService.h"

MaterialPanes::MaterialPanes(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                             Prompter& prompter, const ProgramPaths& paths,
                             MaterialClipboard& clipboard, QObject* parent)
    : QObject(parent), m_creator(store, base, prompter),
      m_list(store, base, prompter, clipboard, this),
      m_open(store, base, prompter, clipboard, this), m_dock(paths, store, base, prompter, this),
      m_properties(store, base, prompter, this) {
    // A material deleted from one list leaves the others and the dock.
    connect(&m_list, &MaterialTableModel::materialDeleted, &m_open,
            &MaterialTableModel::forgetMaterial);
    connect(&m_open, &MaterialTableModel::materialDeleted, &m_list,
            &MaterialListModel::forgetMaterial);
    for (MaterialTableModel* model :
         {static_cast<MaterialTableModel*>(&m_list), static_cast<MaterialTableModel*>(&m_open)})
        connect(model, &MaterialTableModel::materialDeleted, &m_dock,
                &DockStationModel::forgetMaterial);

    connect(&m_properties, &MaterialProperties::materialRenamed, &m_list,
            &MaterialTableModel::updateMaterial);
    connect(&m_properties, &MaterialProperties::materialRenamed, &m_open,
            &MaterialTableModel::updateMaterial);
    connect(&m_properties, &MaterialProperties::materialRenamed, &m_dock,
            &DockStationModel::updateMaterial);

    connect(&m_list, &MaterialListModel::materialUpdated, &m_open,
            &MaterialTableModel::updateMaterial);
    connect(&m_list, &MaterialListModel::materialUpdated, this,
            [this](const MaterialRecord& material) {
                if (m_properties.hasMaterial() &&
                    m_properties.material().MinuItemID == material.MinuItemID &&
                    m_properties.material().KnowledgeBaseID == material.KnowledgeBaseID)
                    m_properties.show(material);
            });
}

void MaterialPanes::connectTree(TreeService& tree) {
    connect(&tree, &TreeService::itemRenamed, &m_list, &MaterialTableModel::refreshPaths);
    connect(&tree, &TreeService::itemRenamed, &m_open, &MaterialTableModel::refreshPaths);
    connect(&tree, &TreeService::itemRenamed, &m_dock, &DockStationModel::refreshPaths);
    for (MaterialTableModel* model :
         {static_cast<MaterialTableModel*>(&m_list), static_cast<MaterialTableModel*>(&m_open)}) {
        connect(&tree, &TreeService::itemRecoded, model, &MaterialTableModel::recodeItem);
        connect(&tree, &TreeService::materialsOfItemMoved, model,
                &MaterialTableModel::moveMaterialsOfItem);
        connect(&tree, &TreeService::materialMoved, model, &MaterialTableModel::moveMaterial);
        // Only one thing is ever cut: a material cut here replaces a cut item.
        connect(model, &MaterialTableModel::materialCut, &tree,
                [&tree] { tree.cutMaterialsOf({}); });
    }
}

void MaterialPanes::connectRecycleBin(RecycleBinModel& bin) {
    connect(&m_list, &MaterialTableModel::materialRecycled, &bin, &RecycleBinModel::addRow);
    connect(&m_open, &MaterialTableModel::materialRecycled, &bin, &RecycleBinModel::addRow);
    connect(&bin, &RecycleBinModel::materialRestored, &m_list, &MaterialListModel::restoreMaterial);
    connect(&bin, &RecycleBinModel::materialCleared, &m_list, &MaterialListModel::clearMaterial);
}

std::optional<MaterialRecord> MaterialPanes::createMaterial(const QString& code,
                                                            const QString& name,
                                                            const QString& typeText,
                                                            bool openAfterwards) {
    std::optional<MaterialRecord> material = m_creator.Create(code, name, typeText, openAfterwards);
    if (material) {
        m_list.appendMaterial(*material);
        m_properties.show(*material);
    }
    return material;
}

bool MaterialPanes::dockMaterial(const MaterialRecord& material) {
    return m_dock.add(material, m_open.isOpen(material.MinuItemID, material.KnowledgeBaseID));
}

void MaterialPanes::forgetBase(int baseId) {
    const QString id = QString::number(baseId);
    m_list.forgetBase(id);
    m_open.forgetBase(id);
    m_dock.forgetBase(id);
}
