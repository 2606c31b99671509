#pragma once

#include "MaterialTableModel.h"

// The list of currently open materials: a row for every material whose
// window is open, added when it opens and gone when its window closes or the
// material is deleted. Its Delete and Cut are those of the material list.
class OpenMaterialsModel : public MaterialTableModel {
    Q_OBJECT
public:
    OpenMaterialsModel(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                       MaterialClipboard& clipboard, QObject* parent = nullptr);

    // A material's window opened; a material already listed is not listed
    // twice.
    void opened(const MaterialRecord& material);
    // Its window closed.
    void closed(const MaterialRecord& material);
    bool isOpen(const QString& materialId, const QString& baseId) const;
};
