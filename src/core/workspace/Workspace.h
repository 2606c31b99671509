#pragma once

#include "bases/BaseSwitch.h"
#include "bases/ConfigChangeFlags.h"
#include "bases/KnowledgeBaseSelector.h"
#include "config/ProgramPaths.h"
#include "config/ResourceConfig.h"
#include "db/Database.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"

#include <QObject>

class Prompter;

// The program folder with its configuration and the open knowledge base: what
// the main window and the command-line companion share, so both start, open
// and save the same way.
class Workspace : public QObject {
    Q_OBJECT
public:
    Workspace(const ProgramPaths& paths, Prompter& prompter);

    const ProgramPaths& paths() const { return m_paths; }
    Prompter& prompter() { return m_prompter; }
    ResourceConfigData& config() { return m_config; }
    const ResourceConfigData& config() const { return m_config; }

    // Makes sure "ResourceConfig" exists in the program folder; tells the user
    // to make it by hand when it cannot be created.
    bool ensureConfigFolder();

    // Reads and cleans the main configuration and lists its bases in the
    // selector. False when the first-run setup was cancelled or failed.
    bool loadConfiguration(const FirstRunHandler& firstRun);

    // Another window or keepsake-cli may change the file at any time, so
    // nothing here writes back the copy read at start: under the file's lock
    // the file is read as it is now, the edits made to config() since it was
    // last read or written are carried over to that, then `change` is
    // applied, and the result is written. Afterwards config() and the
    // selector are what was written. False when the change asked for no
    // write, or the file could not be written (the user has been told which).
    bool updateConfiguration(const ResourceConfigChange& change);
    // The same with no change of its own: the edits made to config() are
    // written.
    bool saveConfiguration();
    // The file as it is now, when it changed since it was last read or
    // written here (time or size); edits not yet written are kept. Cheap
    // when nothing changed. True when something was read.
    bool reloadConfigurationIfChanged();
    // updateConfiguration as a function, for the core's free functions.
    ResourceConfigUpdater configUpdater();

    KnowledgeBaseSelector& baseSelector() { return m_selector; }
    const KnowledgeBaseSelector& baseSelector() const { return m_selector; }
    ConfigChangeFlags& changeFlags() { return m_flags; }
    // The entries of the toolbar's description-file type selector for the
    // open base (none of its own while no base is open).
    QStringList typeSelectorItems() const;

    Database& database() { return m_database; }
    KnowledgeStore& store() { return m_store; }
    const CurrentKnowledgeBase& currentBase() const { return m_current; }

    // Closes the open database, then opens the one at `databasePath`. False
    // when it does not open; no database is open then, and the reason is in
    // the Database's GetErrorText.
    bool ConnectKnowledgeBase(const QString& databasePath);
    // Back to the open base after the connection served another database.
    // False, with nothing closed, when no base was open to go back to.
    bool Reconnect();

    // Opens a registered base. False when the configuration cannot say where
    // it is (silently) or its database does not open (after telling the user).
    // Its selector entry counts as chosen.
    bool OpenBase(int id);
    // Opens the start base when the configuration asks for one at start-up.
    bool OpenStartBase();

    // The user picked an entry of the base selector. Picking the chosen
    // entry again asks whether to reload it. Whatever base was open is
    // closed before the picked one is opened, so a failure leaves none open,
    // its connection closed. The result says what the panes must do.
    BaseSwitch SwitchBase(const QString& entryText);

Q_SIGNALS:
    // A base is open now (another may have been open before): what shows a
    // base's content refills itself from currentBase().
    void baseOpened();
    // The open base was closed and none is open.
    void baseClosed();
    // config() is what the file now holds (read, reread or written here).
    void configurationChanged();

private:
    void closeBase();
    void synced();
    QString fileStamp() const;
    bool openWith(int id, const QString& iniFolder, const QString& storageFolder,
                  const QString& name);

    ProgramPaths m_paths;
    Prompter& m_prompter;
    ResourceConfigData m_config;
    // What the file held when last read or written here: config() minus the
    // edits not yet written.
    ResourceConfigData m_synced;
    QString m_syncedStamp;
    Database m_database;
    KnowledgeStore m_store;
    CurrentKnowledgeBase m_current;
    KnowledgeBaseSelector m_selector;
    ConfigChangeFlags m_flags;
};
