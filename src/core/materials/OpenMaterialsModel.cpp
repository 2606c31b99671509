#include "OpenMaterialsModel.h"

OpenMaterialsModel::OpenMaterialsModel(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                       Prompter& prompter, MaterialClipboard& clipboard,
                                       QObject* parent)
    : MaterialTableModel(store, base, prompter, clipboard, QStringLiteral("详细描述文件名"),
                         parent) {}

void OpenMaterialsModel::opened(const MaterialRecord& material) {
    if (!isOpen(material.MinuItemID, material.KnowledgeBaseID))
        appendRow(material);
}

void OpenMaterialsModel::closed(const MaterialRecord& material) {
    forgetMaterial(material);
}

bool OpenMaterialsModel::isOpen(const QString& materialId, const QString& baseId) const {
    return rowOf(materialId, baseId) >= 0;
}
