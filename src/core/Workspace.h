#pragma once

#include "config/ProgramPaths.h"
#include "config/ResourceConfig.h"
#include "db/Database.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"

class Prompter;

// The program folder with its configuration and the open knowledge base: what
// the main window and the command-line companion share, so both start, open
// and save the same way.
class Workspace {
public:
    Workspace(const ProgramPaths& paths, Prompter& prompter);

    const ProgramPaths& paths() const { return m_paths; }
    Prompter& prompter() { return m_prompter; }
    ResourceConfigData& config() { return m_config; }
    const ResourceConfigData& config() const { return m_config; }

    // Makes sure "ResourceConfig" exists in the program folder; tells the user
    // to make it by hand when it cannot be created.
    bool ensureConfigFolder();

    // Reads and cleans the main configuration. False when the first-run setup
    // was cancelled or failed.
    bool loadConfiguration(const FirstRunHandler& firstRun);
    bool saveConfiguration();

    Database& database() { return m_database; }
    KnowledgeStore& store() { return m_store; }
    const CurrentKnowledgeBase& currentBase() const { return m_current; }

    // Closes the open database, then opens the one at `databasePath`: 1 on
    // success, 0 on failure (no database is open then).
    int ConnectKnowledgeBase(const QString& databasePath);
    // Back to the open base after the connection served another database.
    int Reconnect();

    // Opens a registered base. False when the configuration cannot say where
    // it is (silently) or its database does not open (after telling the user).
    bool OpenBase(int id);
    // Opens the start base when the configuration asks for one at start-up.
    bool OpenStartBase();

private:
    ProgramPaths m_paths;
    Prompter& m_prompter;
    ResourceConfigData m_config;
    Database m_database;
    KnowledgeStore m_store;
    CurrentKnowledgeBase m_current;
};
