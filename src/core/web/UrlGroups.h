#pragma once

#include "UrlConfigFile.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

class Prompter;

// The web addresses the user keeps in named groups, for the navigation pane
// and keepsake-cli alike: what each group shows and every change with the
// checks that refuse it. A second window or keepsake-cli may change
// "UserUrlConfig.ini" at the same time, so each change is made under the
// file's lock to what the file holds then, ids included, and afterwards the
// lists are what the file holds: no process writes an older copy over
// another's entry, and no two processes hand out the same id.
class UrlGroups {
public:
    // Names the group list shows that are never stored as groups.
    static const QString kAllUrls;      // every entry
    static const QString kUnclassified; // the entries of no group

    // How the edit dialog goes on after OK.
    enum class EditResult {
        Saved,      // it closes
        Refused,    // a message said why nothing changed; it closes all the same
        Incomplete, // a message said what is missing; it stays open with what was typed
    };

    UrlGroups(const QString& file, Prompter& prompter);

    // Reads the file (a missing one gives no groups and no entries).
    void load();
    const UrlLists& lists() const { return m_lists; }
    // "全部网址", the groups' names in list order, then "未分类网址".
    QStringList groupChoices() const;
    // The entries listed while a group is chosen; an empty name (nothing
    // chosen yet) lists every entry.
    QList<UrlRecord> entriesShown(const QString& groupName) const;
    static bool isRealGroup(const QString& name);
    // The largest entry id handed out by this run or read at load.
    int highestEntryId() const { return m_highestEntryId; }

    // Title and address are trimmed; a final "/" of the address is dropped.
    // A new entry goes into the group chosen, into none for the two special
    // names and the empty one.
    EditResult addEntry(const QString& groupName, const QString& title, const QString& address);
    EditResult modifyEntry(const QString& id, const QString& title, const QString& address);
    // Also drops a pending cut, which might be that entry.
    bool deleteEntry(const QString& id);

    void cut(const UrlRecord& entry) { m_cut = entry; }
    void dropCut() { m_cut.reset(); }
    const std::optional<UrlRecord>& cutEntry() const { return m_cut; }
    // Moves the cut entry into the group chosen (into none for the special
    // names); the cut is then done.
    bool paste(const QString& groupName);

    // Each asks the user first (a name, or whether to go on).
    bool addGroup();
    bool deleteGroup(const QString& groupName);
    // The group's new name, or nothing when nothing changed.
    std::optional<QString> renameGroup(const QString& groupName);

private:
    // The title and address as stored, trimmed and without a final "/";
    // nothing after a message when either is empty.
    struct TypedEntry {
        QString title;
        QString address;
    };
    std::optional<TypedEntry> typedEntry(const QString& title, const QString& address);
    struct Refusal {
        QString text;
        QString caption;
        EditResult result = EditResult::Refused;
    };
    // Changes the lists as the file holds them now, or says why not.
    using Change = std::function<std::optional<Refusal>(UrlLists&)>;

    // A write that fails keeps the dialog open, so nothing typed is lost.
    EditResult update(const Change& change);
    void refuse(const Refusal& refusal);
    std::optional<Refusal> refuseNewGroupName(const QString& name) const;

    QString m_file;
    Prompter& m_prompter;
    UrlLists m_lists;
    int m_highestEntryId = 0;
    std::optional<UrlRecord> m_cut;
};
