#pragma once

#include "config/ProgramPaths.h"
#include "config/ResourceConfig.h"

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

private:
    ProgramPaths m_paths;
    Prompter& m_prompter;
    ResourceConfigData m_config;
};
