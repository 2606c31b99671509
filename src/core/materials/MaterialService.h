#pragma once

#include "DockStationFile.h"
#include "MaterialCreator.h"
#include "store/MaterialRecord.h"
#include "store/RecycleRow.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>

class KnowledgeStore;
class MaterialClipboard;
class ProgramPaths;
class Prompter;
struct CurrentKnowledgeBase;

// Everything done to a material: creating it, filing it under another minor
// item, renaming it, sending it to the recycle bin, adding and deleting its
// description file, storing its keywords, docking and undocking it. Each
// writes through the store and the material helpers, tells the user of a
// failure, and announces what changed once it is stored, so that the lists,
// the dock station and the properties of the window and of keepsake-cli
// follow the signals and never each other.
class MaterialService : public QObject {
    Q_OBJECT
public:
    MaterialService(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                    const ProgramPaths& paths, MaterialClipboard& clipboard,
                    QObject* parent = nullptr);

    // The new-material dialog's checks, and its check box as last left.
    MaterialCreator& creator() { return m_creator; }

    // The new-material dialog's OK (MaterialCreator::Create); the caller
    // opens the material when asked to.
    std::optional<MaterialRecord> create(const QString& code, const QString& name,
                                         const QString& typeText, bool openAfterwards = true);
    // Files a material of the open base under another minor item; its
    // folder stays where it is.
    bool move(const MaterialRecord& material, const QString& toCode);

    // How a rename came out.
    enum class RenameResult {
        Renamed,   // stored and announced
        Unchanged, // the typed name cleans to the stored one, or to nothing
        OtherBase, // a material of another base: nothing of it is stored here
        TooLong,   // refused with a message
        Failed,    // the store refused it, after a message
    };
    Q_ENUM(RenameResult)
    // The typed name is cleaned as at creation: it may end up in the dock
    // station file and the lists, so the same rules hold.
    RenameResult rename(const MaterialRecord& material, const QString& typedName);

    // Delete: after the user's OK the material waits in the recycle bin
    // (MaterialRecycler), no longer in the clipboard nor on the dock station.
    bool recycle(const MaterialRecord& material);
    // The commands of DescriptionFiles, for a material of the open base.
    bool addDescription(const MaterialRecord& material, const QString& typeText);
    bool removeDescription(const MaterialRecord& material);

    // The keywords of a material of the open base, as the store keeps them;
    // nothing when they cannot be read.
    std::optional<QStringList> keywords(qint64 materialId);
    // Stores the edited keywords (KeywordMerge::Cleaned) in place of the
    // shown ones, writing only the difference, all or nothing. The keywords
    // now stored, or nothing after a message.
    std::optional<QStringList> setKeywords(qint64 materialId, const QStringList& shown,
                                           const QStringList& edited);

    // Reads the dock station file; a missing or unreadable one gives an
    // empty station.
    void loadDockStation();
    // Docks the material now, unless it is docked already (same id, same
    // base), which changes nothing. False only when the file could not be
    // written; the station keeps the entry for this run anyway.
    bool dock(const MaterialRecord& material, bool openInWindow);
    bool undock(const MaterialRecord& material);
    // A docked material that could not be opened leaves the station, after
    // a message saying why.
    bool undockUnopenable(const MaterialRecord& material);
    // A base removed from the configuration takes its entries with it.
    bool undockBase(int baseId);

Q_SIGNALS:
    void materialCreated(const MaterialRecord& material);
    // Filed under another minor, by move() or by a paste in the tree.
    void materialMoved(const MaterialRecord& material, const QString& fromCode);
    void materialRenamed(const MaterialRecord& material);
    // The description type and file name changed.
    void descriptionChanged(const MaterialRecord& material);
    void keywordsChanged(qint64 materialId, const QStringList& keywords);
    // Flagged deleted; the row is the recycle bin's new one.
    void materialRecycled(const MaterialRecord& material, const RecycleRow& row);
    // What the dock station holds after it was read or changed, changes
    // made by other processes included.
    void dockStationChanged(const QList<DockEntry>& entries);
    // Docked just now; the icon shows whether its window was open.
    void docked(const MaterialRecord& material, bool openInWindow);

private:
    bool announceDockStation(bool written);

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    MaterialClipboard& m_clipboard;
    MaterialCreator m_creator;
    DockStationFile m_dockStation;
};
