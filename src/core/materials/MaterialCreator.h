#pragma once

#include "store/MaterialRecord.h"

#include <QString>
#include <optional>

class KnowledgeStore;
class Prompter;
struct CurrentKnowledgeBase;

// The logic of the new-material dialog: which item may take a material, the
// checks of the name and the description type, and the creation itself (the
// folder, the description file, the row). The dialog only collects the
// inputs and stays open whenever a creation returns nothing.
class MaterialCreator {
public:
    MaterialCreator(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter);

    // The new-material command: only a minor item takes materials.
    bool CheckTarget(const QString& code);
    // The dialog's line "资料目录：".
    QString TargetPath(const QString& code);
    // The check box "自动打开资料描述信息" starts as it was at the last
    // successful creation, checked the first time.
    bool openAfterwards() const { return m_openAfterwards; }

    // The dialog's OK: the material with all twelve fields, or nothing after
    // a message. A creation that fails takes back the folders and the file it
    // made itself, and touches nothing that was there before it.
    std::optional<MaterialRecord> Create(const QString& code, const QString& nameText,
                                         const QString& typeText, bool openAfterwards = true);

    // A web capture saves its pages into the new material's folder: the
    // folder, made again when it went missing meanwhile; empty after a
    // message when it cannot be.
    QString CaptureFolder(const MaterialRecord& material);

private:
    bool targetExists(const QString& code);

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    bool m_openAfterwards = true;
};
