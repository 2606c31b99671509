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
// such as /usr, whose own folders the user cannot write. Paths in the table
// are below a temporary root; "-" leaves a variable unset.
class TestProgramPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        for (const char* folder :
             {"/usr/bin", "/usr/share/keepsake/DataViaBase", "/build/bin", "/home"})
            QVERIFY(QDir().mkpath(at(folder)));
    }

    void foldersByLayoutAndEnvironment_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("keepsakeHome");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shipped");
        const QString usr = "/usr/bin", build = "/build/bin", share = "/usr/share/keepsake/";
        QTest::newRow("installed") << usr << "/data"
                                   << "-"
                                   << "-"
                                   << "/data/Keepsake/" << share;
        QTest::newRow("installed, no XDG_DATA_HOME") << usr << "-"
                                                     << "-"
                                                     << "-"
                                                     << "/home/.local/share/Keepsake/" << share;
        // A relative value is no data folder: the default is used, as other programs do.
        QTest::newRow("installed, relative XDG_DATA_HOME")
            << usr << "relative/data"
            << "-"
            << "-"
            << "/home/.local/share/Keepsake/" << share;
        QTest::newRow("beside the build") << build << "/data"
                                          << "-"
                                          << "-"
                                          << "/build/bin/"
                                          << "/build/bin/";
        QTest::newRow("KEEPSAKE_HOME installed") << usr << "/data"
                                                 << "/mine"
                                                 << "-"
                                                 << "/mine/" << share;
        QTest::newRow("KEEPSAKE_HOME beside the build") << build << "/data"
                                                        << "/mine"
                                                        << "-"
                                                        << "/mine/"
                                                        << "/build/bin/";
        // keepsake-cli --home DIR comes before the environment.
        QTest::newRow("--home") << usr << "/data"
                                << "/mine"
                                << "/option"
                                << "/option/" << share;
    }

    void foldersByLayoutAndEnvironment() {
        QFETCH(QString, executable);
        QFETCH(QString, dataHome);
        QFETCH(QString, keepsakeHome);
        QFETCH(QString, option);
        QFETCH(QString, program);
        QFETCH(QString, shipped);
        ScopedEnv home("HOME", at("/home"));
        ScopedEnv data("XDG_DATA_HOME", dataHome == "-"            ? QString()
                                        : dataHome.startsWith('/') ? at(dataHome)
                                                                   : dataHome);
        ScopedEnv keepsake("KEEPSAKE_HOME", keepsakeHome == "-" ? QString() : at(keepsakeHome));

        const ProgramPaths paths =
            ProgramPaths::forExecutable(at(executable), option == "-" ? QString() : at(option));

        QCOMPARE(paths.programFolder(), at(program));
        QCOMPARE(paths.shippedFolder(), at(shipped));
        // The user's data folder is made only when it is the one used.
        QCOMPARE(QFileInfo(at("/data/Keepsake")).isDir(), program == "/data/Keepsake/");
        if (keepsakeHome == "-" && option == "-")
            QVERIFY(QFileInfo(at(program)).isDir()); // made when missing
    }

    void installedFilesSplitBetweenUserAndShare() {
        ScopedEnv data("XDG_DATA_HOME", at("/data"));
        ScopedEnv keepsake("KEEPSAKE_HOME", QString());
        const ProgramPaths paths = ProgramPaths::forExecutable(at("/usr/bin"));
        QCOMPARE(paths.mainConfigFile(), at("/data/Keepsake/ResourceConfig/ResourceConfig.ini"));
        QCOMPARE(paths.layoutFile(), at("/data/Keepsake/keepsake.xml"));
        // The user's folder has no blank database of its own yet.
        QCOMPARE(paths.templateDatabase(), at("/usr/share/keepsake/DataViaBase/Keepsake.mdb"));
    }

private:
    QString at(const QString& relative) const { return m_root->path() + relative; }

    std::unique_ptr<QTemporaryDir> m_root;
};

QTEST_GUILESS_MAIN(TestProgramPaths)
#include "tst_programpaths.moc"
