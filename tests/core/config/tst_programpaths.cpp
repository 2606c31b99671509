#include "config/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sets an environment variable for one test and puts the old value back, so
// a failing check cannot leave the next test with a stray home.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)),
          m_old(qEnvironmentVariable(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() {
        if (m_wasSet)
            qputenv(m_name, m_old.toLocal8Bit());
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_wasSet;
    QString m_old;
};

} // namespace

// Where the program reads its shipped files and writes the user's settings,
// both for a program run from the build and for one installed under a prefix
// such as /usr, whose own folders the user cannot write.
class TestProgramPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        m_path = m_root->path();
        QVERIFY(QDir().mkpath(m_path + QStringLiteral("/usr/bin")));
        QVERIFY(QDir().mkpath(m_path + QStringLiteral("/usr/share/keepsake/DataViaBase")));
        QVERIFY(QDir().mkpath(m_path + QStringLiteral("/build/bin")));
        QVERIFY(QDir().mkpath(m_path + QStringLiteral("/home")));
    }

    void installedReadsSharedFilesAndWritesToTheUsersDataFolder() {
        ScopedEnv home("HOME", m_path + QStringLiteral("/home"));
        ScopedEnv data("XDG_DATA_HOME", m_path + QStringLiteral("/data"));
        ScopedEnv keepsakeHome("KEEPSAKE_HOME", QString());

        const ProgramPaths paths = ProgramPaths::forExecutable(m_path + QStringLiteral("/usr/bin"));

        QCOMPARE(paths.shippedFolder(), m_path + QStringLiteral("/usr/share/keepsake/"));
        QCOMPARE(paths.programFolder(), m_path + QStringLiteral("/data/Keepsake/"));
        QVERIFY(QFileInfo(m_path + QStringLiteral("/data/Keepsake")).isDir());
        QCOMPARE(paths.mainConfigFile(),
                 m_path + QStringLiteral("/data/Keepsake/ResourceConfig/ResourceConfig.ini"));
        QCOMPARE(paths.layoutFile(), m_path + QStringLiteral("/data/Keepsake/keepsake.xml"));
        // The user's folder has no blank database of its own yet.
        QCOMPARE(paths.templateDatabase(),
                 m_path + QStringLiteral("/usr/share/keepsake/DataViaBase/Keepsake.mdb"));
    }

    void installedWithoutXdgDataHomeUsesLocalShare() {
        ScopedEnv home("HOME", m_path + QStringLiteral("/home"));
        ScopedEnv data("XDG_DATA_HOME", QString());
        ScopedEnv keepsakeHome("KEEPSAKE_HOME", QString());

        const ProgramPaths paths = ProgramPaths::forExecutable(m_path + QStringLiteral("/usr/bin"));

        QCOMPARE(paths.programFolder(), m_path + QStringLiteral("/home/.local/share/Keepsake/"));
        QVERIFY(QFileInfo(m_path + QStringLiteral("/home/.local/share/Keepsake")).isDir());
    }

    // A relative value is no data folder: the default is used, as other programs do.
    void installedIgnoresARelativeXdgDataHome() {
        ScopedEnv home("HOME", m_path + QStringLiteral("/home"));
        ScopedEnv data("XDG_DATA_HOME", QStringLiteral("relative/data"));
        ScopedEnv keepsakeHome("KEEPSAKE_HOME", QString());

        const ProgramPaths paths = ProgramPaths::forExecutable(m_path + QStringLiteral("/usr/bin"));

        QCOMPARE(paths.programFolder(), m_path + QStringLiteral("/home/.local/share/Keepsake/"));
    }

    void besideTheBuildEverythingIsTheExecutablesFolder() {
        ScopedEnv home("HOME", m_path + QStringLiteral("/home"));
        ScopedEnv data("XDG_DATA_HOME", m_path + QStringLiteral("/data"));
        ScopedEnv keepsakeHome("KEEPSAKE_HOME", QString());

        const ProgramPaths paths =
            ProgramPaths::forExecutable(m_path + QStringLiteral("/build/bin"));

        QCOMPARE(paths.shippedFolder(), m_path + QStringLiteral("/build/bin/"));
        QCOMPARE(paths.programFolder(), m_path + QStringLiteral("/build/bin/"));
        QVERIFY(!QFileInfo::exists(m_path + QStringLiteral("/data/Keepsake")));
    }

    void keepsakeHomeWinsWhenInstalled() {
        ScopedEnv home("HOME", m_path + QStringLiteral("/home"));
        ScopedEnv data("XDG_DATA_HOME", m_path + QStringLiteral("/data"));
        ScopedEnv keepsakeHome("KEEPSAKE_HOME", m_path + QStringLiteral("/mine"));

        const ProgramPaths paths = ProgramPaths::forExecutable(m_path + QStringLiteral("/usr/bin"));

        QCOMPARE(paths.programFolder(), m_path + QStringLiteral("/mine/"));
        QCOMPARE(paths.shippedFolder(), m_path + QStringLiteral("/usr/share/keepsake/"));
        QVERIFY(!QFileInfo::exists(m_path + QStringLiteral("/data/Keepsake")));
    }

    void keepsakeHomeWinsBesideTheBuild() {
        ScopedEnv data("XDG_DATA_HOME", m_path + QStringLiteral("/data"));
        ScopedEnv keepsakeHome("KEEPSAKE_HOME", m_path + QStringLiteral("/mine"));

        const ProgramPaths paths =
            ProgramPaths::forExecutable(m_path + QStringLiteral("/build/bin"));

        QCOMPARE(paths.programFolder(), m_path + QStringLiteral("/mine/"));
        QCOMPARE(paths.shippedFolder(), m_path + QStringLiteral("/build/bin/"));
    }

    // keepsake-cli --home DIR comes before the environment.
    void homeOptionWinsOverEverything() {
        ScopedEnv data("XDG_DATA_HOME", m_path + QStringLiteral("/data"));
        ScopedEnv keepsakeHome("KEEPSAKE_HOME", m_path + QStringLiteral("/mine"));

        const ProgramPaths paths = ProgramPaths::forExecutable(m_path + QStringLiteral("/usr/bin"),
                                                               m_path + QStringLiteral("/option"));

        QCOMPARE(paths.programFolder(), m_path + QStringLiteral("/option/"));
        QCOMPARE(paths.shippedFolder(), m_path + QStringLiteral("/usr/share/keepsake/"));
        QVERIFY(!QFileInfo::exists(m_path + QStringLiteral("/data/Keepsake")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestProgramPaths)
#include "tst_programpaths.moc"
