#pragma once

#include <QString>

// The program folder holds the settings under "ResourceConfig" and the
// shipped folders. It is $KEEPSAKE_HOME when set, so one installation can
// serve several homes. Beside the build it is otherwise the folder of the
// executable, and a shipped file the home lacks (the template database, the
// default base, the help pages) is read from there, where the build puts
// them. An installed program cannot write beside itself: its shipped files
// are in "<prefix>/share/keepsake" and the home defaults to the user's data
// folder ($XDG_DATA_HOME/Keepsake).
class ProgramPaths {
public:
    ProgramPaths(const QString& programFolder, const QString& shippedFolder);

    // The given override, else $KEEPSAKE_HOME, else the executable's folder
    // or, when installed, the user's data folder, made if missing.
    static ProgramPaths forExecutable(const QString& executableFolder,
                                      const QString& homeOverride = {});

    // "<executable folder>/../share/keepsake" when that exists, else empty:
    // the folder is what tells an installed program from one in the build.
    static QString installedShippedFolder(const QString& executableFolder);

    // $XDG_DATA_HOME/Keepsake, or ~/.local/share/Keepsake when unset.
    static QString userDataHome();

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
