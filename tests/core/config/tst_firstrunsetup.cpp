#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "TimeText.h"
#include "config/FirstRunSetup.h"
#include "config/ResourceConfig.h"
#include "config/TextCodec.h"

#include <QtTest>

class TestFirstRunSetup : public QObject {
    Q_OBJECT

    // The default base the setup copies, placed in the home so that each test
    // knows what is copied.
    static void shipDefaultBase(const TestHome& home) {
        home.write(QStringLiteral("我的知识库/Keepsake.mdb"), "template");
        home.write(QStringLiteral("我的知识库/01/note.txt"), "note");
    }

private Q_SLOTS:
    void initTestCase() {
        TimeText::setClock([] { return QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)); });
    }
    void cleanupTestCase() { TimeText::setClock({}); }

    // The dialog's own test has the plain cases.
    void typedNameAndFolder() {
        QCOMPARE(FirstRunSetup::cleanBaseName(" x\\:*?\"<>|y\n"), QStringLiteral("x        y"));
        QCOMPARE(FirstRunSetup::cleanBaseName(" ..|| "), QString());
        QCOMPARE(FirstRunSetup::normaliseFolder("/data/kb/"), QStringLiteral("/data/kb/"));
    }

    void refusesTheProgramFolder() {
        TestHome home;
        shipDefaultBase(home);
        QTemporaryDir elsewhere;
        QVERIFY(QFile::link(home.path(), elsewhere.filePath("alias")));
        for (const QString& folder : {home.path(), home.path("./"), elsewhere.filePath("alias"),
                                      home.path("我的知识库/inside")}) {
            ScriptedPrompter prompter;
            QVERIFY(!FirstRunSetup::complete(home.paths(), "库", folder, prompter));
            QCOMPARE(prompter.shown.size(), 1);
            QCOMPARE(prompter.shown[0].caption, QStringLiteral("错误"));
            QCOMPARE(prompter.shown[0].text,
                     QStringLiteral("设置知识库文件路径失败，请重新打开软件进行设置"));
        }
        QVERIFY(!QFile::exists(home.paths().mainConfigFile()));
        QVERIFY(!QFile::exists(home.path("我的知识库/inside")));
    }

    void writesTheBaseAndTheConfiguration() {
        TestHome home;
        shipDefaultBase(home);
        QTemporaryDir target;
        const QString base = target.filePath("kb/我的知识库/");
        QVERIFY(writeBytes(base + "Keepsake.mdb", "my data"));

        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home.paths(), "工作", target.filePath("kb"), prompter));
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(readBytes(base + "Keepsake.mdb"), QByteArray("my data")); // kept, not replaced
        QCOMPARE(readBytes(base + "01/note.txt"), QByteArray("note"));
        QCOMPARE(readBytes(base + "工作.ini"),
                 TextCodec::encode(QStringLiteral("[LOCRESOURCESET]\r\nResourceName=工作|\r\n"
                                                  "ResourceFilePath=%1|\r\n"
                                                  "CreateTime=2024-03-05 07:08:09|\r\n")
                                       .arg(target.filePath("kb/我的知识库"))));

        ResourceConfigData config;
        QVERIFY(LoadResourceConfig(config, home.paths().mainConfigFile(), [] { return false; }));
        NormaliseResourceConfig(config);
        QCOMPARE(config.IsStartLoggResource, 1);
        QCOMPARE(config.StartResourceID, 1);
        QVERIFY(config.base(1));
        QCOMPARE(config.base(1)->IniPath, base + "工作.ini");
        QCOMPARE(DescriptTypeSelectorItems(config, 1),
                 QStringList({"*.rtf", "*.xml", "*.ini", "*.txt", "NULL", "添加类型"}));
    }

    void takesBackWhatItWroteOnFailure() {
        TestHome home;
        shipDefaultBase(home);
        // The main configuration cannot be written: a folder has taken its name.
        QVERIFY(QDir().mkpath(home.paths().mainConfigFile()));
        QTemporaryDir target;
        const QString base = target.filePath("我的知识库/");
        QVERIFY(QDir().mkpath(base + "01"));

        ScriptedPrompter prompter;
        QVERIFY(!FirstRunSetup::complete(home.paths(), "库", target.path(), prompter));
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.lastText(), QStringLiteral("创建 '%1' 文件失败,请手动进行创建!")
                                          .arg(home.paths().mainConfigFile()));
        QVERIFY(QFileInfo(base + "01").isDir());
        QVERIFY(QDir(base).isEmpty(QDir::Files | QDir::NoDotAndDotDot));
        QVERIFY(QDir(base + "01").isEmpty());

        QVERIFY(!FirstRunSetup::complete(home.paths(), "库", target.filePath("a/b"), prompter));
        QVERIFY(!QFile::exists(target.filePath("a")));
    }
};

QTEST_GUILESS_MAIN(TestFirstRunSetup)
#include "tst_firstrunsetup.moc"
