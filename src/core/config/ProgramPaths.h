#pragma once

#include <QString>

// The program folder holds the settings under "ResourceConfig" and the
// shipped folders. It is the folder of the executable, or $KEEPSAKE_HOME when
// set, so one installation can serve several homes. A shipped file the home
// lacks (the template database, the default base, the help pages) is read
// from the folder of the executable, where the build puts them.
class ProgramPaths {
public:
    ProgramPaths(const QString& programFolder, const QString& shippedFolder);

    // $KEEPSAKE_HOME (or the given override) else the executable's folder.
    static ProgramPaths forExecutable(const QString& executableFolder,
                                      const QString& homeOverride = {});

    // Both with a trailing "/".
    const QString& programFolder() const { return m_programFolder; }
    const QString& shippedFolder() const { return m_shippedFolder; }

    QString configFolder() const;   // program folder + "ResourceConfig"
    QString mainConfigFile() const; // where the main configuration is written
    QString dockStationFile() const;
    QString searchConfigFile() const;
    QString urlConfigFile() const;
    QString layoutFile() const;

    // The file or folder under the program folder when it exists there,
    // otherwise the shipped one of the same relative name.
    QString shipped(const QString& relative) const;

    QString defaultBaseFolder() const; // "我的知识库", copied at the first run
    QString templateDatabase() const;  // "DataViaBase/Keepsake.mdb"
    QString helpFile(const QString& name) const;

private:
    QString m_programFolder;
    QString m_shippedFolder;
};
