#include "ModelCheck.h"
#include "ScratchDisk.h"
#include "ScriptedPrompter.h"
#include "StoredState.h"
#include "TestHome.h"
#include "TimeText.h"
#include "Workspace.h"
#include "config/FirstRunSetup.h"
#include "materials/DockStationFile.h"
#include "materials/MaterialCreator.h"
#include "search/SearchSettings.h"
#include "store/CategoryTreeModel.h"
#include "store/MaterialClipboard.h"
#include "store/TreeService.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

namespace {

constexpr qint64 kDiskSize = 2 * 1024 * 1024;
const QString kBaseName = QStringLiteral("满盘测试库");

} // namespace

// A program folder and a base on a small disk of the test's own, filled up
// after the user has stored settings, items and materials. Every write then
// fails: each must say so in a message and leave what was stored before
// exactly as it was, on disk and in the catalogue.
class TestFullDisk : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchDisk> disk;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<DockStationFile> dock;
    MaterialRecord docked;
    QStringList filesBefore;
    QStringList rowsBefore;

    ProgramPaths paths() const {
        return ProgramPaths(disk->path(QStringLiteral("home")), TestHome::shippedFolder());
    }
    QString databasePath() const { return workspace->currentBase().DatabasePath; }
    // Everything on the disk but the filler and the open base's database,
    // whose content RowsOf compares.
    QStringList files() const {
        return StoredState::Listing(disk->path(),
                                    {ScratchDisk::kFiller, QStringLiteral("base/Keepsake.mdb"),
                                     QStringLiteral("base/Keepsake.mdb-wal"),
                                     QStringLiteral("base/Keepsake.mdb-shm")});
    }
    QStringList shown() const {
        QStringList texts;
        for (const ScriptedPrompter::Shown& s : prompter->shown)
            texts << s.caption + QStringLiteral(": ") + s.text;
        return texts;
    }
    void checkNothingLost() {
        QCOMPARE(files(), filesBefore);
        QCOMPARE(StoredState::IntegrityOf(databasePath()), QStringLiteral("ok"));
        QCOMPARE(StoredState::RowsOf(databasePath()), rowsBefore);
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void settingsFilesKeepTheirOldContent();
    void materialCreationTakesBackItsFolder_data();
    void materialCreationTakesBackItsFolder();
    void baseCreationTakesBackWhatItWrote_data();
    void baseCreationTakesBackWhatItWrote();
    void firstRunSetupTakesBackWhatItWrote_data();
    void firstRunSetupTakesBackWhatItWrote();
    void catalogueWritesFailAndAreNotShownDone();
};

void TestFullDisk::initTestCase() {
    disk = std::make_unique<ScratchDisk>(kDiskSize);
    if (!disk->isMounted())
        QSKIP(qPrintable(QStringLiteral("no small disk to fill: ") + disk->whyNot()));
}

void TestFullDisk::cleanupTestCase() {
    disk.reset();
}

void TestFullDisk::init() {
    TimeText::setClock([] { return QDateTime(QDate(2009, 3, 7), QTime(14, 5, 9)); });
    prompter = std::make_unique<ScriptedPrompter>();
    workspace = std::make_unique<Workspace>(paths(), *prompter);
    const std::optional<int> id =
        KnowledgeBaseCreator(*workspace).CreateBlankBase(kBaseName, disk->path("base"));
    QVERIFY(id);
    workspace->config().IsStartLoggResource = 1;
    workspace->config().StartResourceID = *id;
    QVERIFY(workspace->saveConfiguration());
    QVERIFY(workspace->OpenStartBase());

    KnowledgeStore& store = workspace->store();
    for (const char* code : {"010000", "010100", "010101", "010102", "020000"})
        QVERIFY(store.InsertItem(QStringLiteral("名") + QLatin1String(code), QLatin1String(code)));
    MaterialCreator creator(store, workspace->currentBase(), *prompter);
    const std::optional<MaterialRecord> notes = creator.Create("010101", "会议记录", "*.rtf");
    QVERIFY(notes && creator.Create("010102", "草稿", "*.txt"));
    QVERIFY(store.InsertKeyword(notes->MinuItemID, QStringLiteral("会议")));
    docked = *notes;
    dock = std::make_unique<DockStationFile>(paths(), *prompter);
    QVERIFY(dock->add(docked, TimeText::now()));
    QVERIFY(SearchSettings().Save(paths(), *prompter));
    QCOMPARE(shown(), QStringList());

    filesBefore = files();
    rowsBefore = StoredState::RowsOf(databasePath());
    QCOMPARE(rowsBefore.size(), 5 + 1 + 2 + 1); // items and the whole-base row, materials, keyword
    QVERIFY(disk->fill());
}

void TestFullDisk::cleanup() {
    // Room first, so the base closes as it would after the user freed space.
    disk->unfill();
    dock.reset();
    workspace.reset();
    prompter.reset();
    disk->wipe();
    TimeText::setClock({});
}

void TestFullDisk::settingsFilesKeepTheirOldContent() {
    const QString configFolder = paths().configFolder();
    AddDescriptType(workspace->config(), QStringLiteral("*.cpp"));
    QVERIFY(!workspace->saveConfiguration());
    MaterialRecord other = docked;
    other.MinuItemID = QStringLiteral("2");
    QVERIFY(!dock->add(other, TimeText::now()));
    SearchSettings search;
    search.UpperLowerFlag = 1;
    QVERIFY(!search.Save(paths(), *prompter));

    const QString notSaved = QStringLiteral("错误: 无法写入文件 '%1/%2'，所做的更改没有保存!");
    QCOMPARE(shown(), QStringList({notSaved.arg(configFolder, "ResourceConfig.ini"),
                                   notSaved.arg(configFolder, "NotePaperConfig.ini"),
                                   notSaved.arg(configFolder, "SearchConfig.ini")}));
    checkNothingLost();
}

void TestFullDisk::materialCreationTakesBackItsFolder_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("messages");
    const QString folder = disk->path("base/01/01/02/3/");
    const QString stored = QStringLiteral("错误: 入本地知识库失败!");
    const QString fileFailed = QStringLiteral("错误: 创建本地资料描述文件 '%1' 失败!");
    QTest::newRow("rtf") << "*.rtf" << QStringList{fileFailed.arg(folder + "新资料.rtf"), stored};
    QTest::newRow("other file") << "*.txt"
                                << QStringList{fileFailed.arg(folder + "新资料.txt"), stored};
    QTest::newRow("web pages") << "NULL" << QStringList{stored};
}

void TestFullDisk::materialCreationTakesBackItsFolder() {
    QFETCH(QString, type);
    QFETCH(QStringList, messages);
    MaterialCreator creator(workspace->store(), workspace->currentBase(), *prompter);
    QVERIFY(!creator.Create("010102", "新资料", type));
    QCOMPARE(shown(), messages);
    checkNothingLost();
}

void TestFullDisk::baseCreationTakesBackWhatItWrote_data() {
    QTest::addColumn<qint64>("roomLeft");
    QTest::addColumn<QString>("message");
    const qint64 database = disk->roomFor(paths().templateDatabase());
    QTest::newRow("disk full") << qint64(0)
                               << QStringLiteral(
                                      "错误: 由于系统文件拷贝出现问题，创建知识库文件失败!");
    QTest::newRow("room for the database")
        << database
        << QStringLiteral("错误: 创建 '%1' 文件失败,请手动进行创建!")
               .arg(disk->path("new/新库.ini"));
    QTest::newRow("room for the database and its ini file")
        << database + 1
        << QStringLiteral("错误: 无法写入文件 '%1'，所做的更改没有保存!")
               .arg(paths().mainConfigFile());
}

void TestFullDisk::baseCreationTakesBackWhatItWrote() {
    QFETCH(qint64, roomLeft);
    QFETCH(QString, message);
    disk->unfill();
    QVERIFY(disk->fill(roomLeft));
    const QList<LocalResourceRecord> bases = workspace->config().LocalResources;
    const QStringList entries = workspace->baseSelector().entries();

    QVERIFY(!KnowledgeBaseCreator(*workspace).CreateBlankBase("新库", disk->path("new")));
    QCOMPARE(shown(), QStringList{message});
    QCOMPARE(workspace->config().LocalResources.size(), bases.size());
    QCOMPARE(workspace->baseSelector().entries(), entries);
    checkNothingLost();
}

void TestFullDisk::firstRunSetupTakesBackWhatItWrote_data() {
    QTest::addColumn<qint64>("roomLeft");
    QTest::addColumn<QString>("message");
    const qint64 base = disk->roomFor(paths().defaultBaseFolder());
    const QString fileFailed = QStringLiteral("错误: 创建 '%1' 文件失败,请手动进行创建!");
    QTest::newRow("disk full") << qint64(0)
                               << QStringLiteral(
                                      "错误: 由于系统文件拷贝出现问题，创建知识库文件失败!");
    QTest::newRow("room for the default base")
        << base << fileFailed.arg(disk->path("first/我的知识库/库.ini"));
    QTest::newRow("room for the base and its ini file")
        << base + 1 << fileFailed.arg(paths().mainConfigFile());
}

void TestFullDisk::firstRunSetupTakesBackWhatItWrote() {
    QFETCH(qint64, roomLeft);
    QFETCH(QString, message);
    disk->unfill();
    QVERIFY(disk->fill(roomLeft));
    QVERIFY(!FirstRunSetup::complete(paths(), "库", disk->path("first"), *prompter));
    QCOMPARE(shown(), QStringList{message});
    checkNothingLost();
}

void TestFullDisk::catalogueWritesFailAndAreNotShownDone() {
    MaterialClipboard clipboard;
    TreeService service(workspace->store(), workspace->currentBase(), *prompter, clipboard);
    CategoryTreeModel tree(service);
    checkModel(&tree);
    tree.fill();
    const QModelIndex major = tree.indexOf("010100");
    QVERIFY(!tree.indexOf(service.addChild(CategoryTreeModel::codeOf(major)).value_or(QString()))
                 .isValid());
    QVERIFY(!tree.setData(tree.indexOf("010101"), QStringLiteral("新名"), Qt::EditRole));
    // A major with its minors and their materials: several statements that
    // must all be taken back together.
    service.cutItem(CategoryTreeModel::codeOf(major));
    QVERIFY(!service.paste("020000"));

    QCOMPARE(shown(), QStringList({QStringLiteral("错误: 添加知识库小项失败!"),
                                   QStringLiteral("错误: 重命名知识库项 '名010101(010101)' 失败!"),
                                   QStringLiteral("错误: 粘贴知识库大项失败!")}));
    QCOMPARE(tree.rowCount(tree.indexOf("010100")), 2);
    QCOMPARE(tree.rowCount(tree.indexOf("020000")), 0);
    QCOMPARE(tree.data(tree.indexOf("010101"), CategoryTreeModel::NameRole).toString(),
             QStringLiteral("名010101"));
    checkNothingLost();

    // With room again the same connection writes, so a failed commit left
    // no transaction hanging that would swallow the next change.
    disk->unfill();
    QVERIFY(tree.indexOf(service.addChild("010100").value_or(QString())).isValid());
    QCOMPARE(StoredState::RowsOf(databasePath()).size(), rowsBefore.size() + 1);
}

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
