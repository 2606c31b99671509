#pragma once

#include "MaterialCreator.h"
#include "store/MaterialRecord.h"
#include "store/RecycleRow.h"

#include <QObject>
#include <optional>

class KnowledgeStore;
class MaterialClipboard;
class Prompter;
struct CurrentKnowledgeBase;

// Everything done to a material: creating it, filing it under another minor
// item, sending it to the recycle bin, adding and deleting its description
// file. Each writes through the store and the material helpers, tells the
// user of a failure, and announces what changed only once it is stored, so
// that the lists and the properties of the window and of keepsake-cli
// follow the signals and never each other.
class MaterialService : public QObject {
    Q_OBJECT
public:
    MaterialService(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                    MaterialClipboard& clipboard, QObject* parent = nullptr);

    // The new-material dialog's checks, and its check box as last left.
    MaterialCreator& creator() { return m_creator; }

    // The new-material dialog's OK (MaterialCreator::Create); the caller
    // opens the material when asked to.
    std::optional<MaterialRecord> create(const QString& code, const QString& name,
                                         const QString& typeText, bool openAfterwards = true);
    // Files a material of the open base under another minor item; its
    // folder stays where it is.
    bool move(const MaterialRecord& material, const QString& toCode);
    // Delete: after the user's OK the material waits in the recycle bin
    // (MaterialRecycler), no longer in the clipboard.
    bool recycle(const MaterialRecord& material);
    // The commands of DescriptionFiles, for a material of the open base.
    bool addDescription(const MaterialRecord& material, const QString& typeText);
    bool removeDescription(const MaterialRecord& material);

Q_SIGNALS:
    void materialCreated(const MaterialRecord& material);
    // Filed under another minor, by move() or by a paste in the tree.
    void materialMoved(const MaterialRecord& material, const QString& fromCode);
    // The description type and file name changed.
    void descriptionChanged(const MaterialRecord& material);
    // Flagged deleted; the row is the recycle bin's new one.
    void materialRecycled(const MaterialRecord& material, const RecycleRow& row);

private:
    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    MaterialClipboard& m_clipboard;
    MaterialCreator m_creator;
};
