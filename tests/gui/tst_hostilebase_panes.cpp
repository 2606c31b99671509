#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "WindowModelCheck.h"
#include "app/CMainFrame.h"
#include "app/DescriptTypeSelector.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/FirstRunSetup.h"
#include "config/Profile.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CMaterialPane.h"
#include "store/CategoryTreeModel.h"

#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

namespace {

const QByteArray kCanary = "{\\rtf1 CANARY7Q}";

} // namespace

// A hostile base in the main window: the tree and material panes show its
// rows, and opening or describing a material whose folder or description
// file is a link out of the base shows a message instead of the file.
class TestHostileBasePanes : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> sandbox;
    std::unique_ptr<TestHome> home;
    QTemporaryDir profileDir;
    std::unique_ptr<Profile> profile;
    ScriptedPrompter prompter;
    std::unique_ptr<CMainFrame> frame;

    QString baseFolder() const { return sandbox->filePath(QStringLiteral("b/我的知识库/")); }
    QString canary() const { return sandbox->filePath(QStringLiteral("outside/说明.rtf")); }

    void selectMaterial(const QString& id) {
        MaterialListModel& list = frame->materials().list();
        const int row = list.rowOf(id, QString::number(frame->workspace().currentBase().ID));
        QVERIFY(row >= 0);
        frame->materialPane().view()->setCurrentIndex(list.index(row, 1));
        frame->commands().updateEnabled();
    }

private Q_SLOTS:
    void init() {
        sandbox = std::make_unique<QTemporaryDir>();
        QVERIFY(writeBytes(canary(), kCanary));
        home = std::make_unique<TestHome>();
        QVERIFY(FirstRunSetup::complete(home->paths(), QStringLiteral("工作库"),
                                        sandbox->filePath(QStringLiteral("b")), prompter));
        // The welcome materials make way for these. Material 1's folder is
        // a link out; material 2's description is.
        QVERIFY(QDir(baseFolder() + "01").removeRecursively());
        QVERIFY(QDir().mkpath(baseFolder() + "01/01/01/2"));
        QVERIFY(
            QFile::link(sandbox->filePath(QStringLiteral("outside")), baseFolder() + "01/01/01/1"));
        QVERIFY(QFile::link(canary(), baseFolder() + "01/01/01/2/说明.rtf"));
        {
            Database db;
            QVERIFY(db.Open(baseFolder() + "Keepsake.mdb"));
            Recordset insert(&db);
            QVERIFY(insert.Open(QStringLiteral("delete from MinuItemTable")));
            QVERIFY(insert.Open(QStringLiteral("delete from KeyWordTable")));
            const QString statement = QStringLiteral(
                "insert into MinuItemTable(MinuItemID,MinuItemName,ItemID,DescribeFileType,"
                "MinuItemDescribeFilename,MinuItemFilePath,MinuItemFlag) "
                "values(?,?,?,?,?,?,'AOS')");
            QVERIFY(insert.Open(statement,
                                {1, QStringLiteral("链接资料"), QStringLiteral("010101"), 0,
                                 QStringLiteral("说明.rtf"), QStringLiteral("01/01/01/1/")}));
            QVERIFY(insert.Open(statement,
                                {2, QStringLiteral("链接描述"), QStringLiteral("010101"), 0,
                                 QStringLiteral("说明.rtf"), QStringLiteral("01/01/01/2/")}));
            QVERIFY(
                insert.Open(statement, {3, QString(5000, QChar(u'长')), QStringLiteral("010101"), 1,
                                        QString(), QStringLiteral("../../outside/")}));
            QVERIFY(insert.Open(QStringLiteral("update ItemTable set ItemName=? where "
                                               "ItemID='010102'"),
                                {QString(5000, QChar(u'长'))}));
        }
        profile = std::make_unique<Profile>(profileDir.filePath(QStringLiteral("p.conf")));
        frame = std::make_unique<CMainFrame>(home->paths(), prompter, *profile);
        QVERIFY(frame->OnCreate([] { return true; }));
        checkWindowModels(*frame);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));

        CategoryTreeModel& tree = frame->categoryTree();
        frame->treePane().view()->setCurrentIndex(tree.indexOf(QStringLiteral("010101")));
        QVERIFY(frame->commands().trigger(CommandIds::ShowItemMaterials));
        prompter.shown.clear();
    }

    void cleanup() {
        frame.reset();
        QCOMPARE(QDir(sandbox->filePath(QStringLiteral("outside")))
                     .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"说明.rtf"}));
        QCOMPARE(readBytes(canary()), kCanary);
    }

    void thePanesShowEveryRow() {
        const QModelIndex minor = frame->categoryTree().indexOf(QStringLiteral("010102"));
        QCOMPARE(minor.data().toString(), QString(5000, QChar(u'长')) + "(010102)");
        QCOMPARE(frame->materials().list().rowCount(), 3);
        // Painted with the long texts in view.
        frame->materialPane().view()->scrollTo(frame->materials().list().index(2, 1));
        QVERIFY(!frame->grab().isNull());
    }

    void aLinkOutIsNeverOpened_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("its folder") << QStringLiteral("1");
        QTest::newRow("its description file") << QStringLiteral("2");
        QTest::newRow("a folder above the base") << QStringLiteral("3");
    }

    void aLinkOutIsNeverOpened() {
        QFETCH(QString, id);
        selectMaterial(id);
        QVERIFY(frame->commands().trigger(CommandIds::OpenMaterial));
        QCOMPARE(prompter.lastText(), QStringLiteral("无法找到该资料的描述信息，打开失败!"));
        QCOMPARE(prompter.shown.last().caption, QStringLiteral("错误"));
        QVERIFY(frame->documents().subWindowList().isEmpty());
    }

    void noDescriptionIsWrittenThroughALink() {
        selectMaterial(QStringLiteral("3"));
        DescriptTypeSelector& types = frame->typeSelector();
        types.setCurrentIndex(types.findText(QStringLiteral("*.rtf")));
        QVERIFY(frame->commands().trigger(CommandIds::AddDescriptionFile));
        QCOMPARE(prompter.lastText(), QStringLiteral("创建资料描述文件失败!"));
        QVERIFY(frame->documents().subWindowList().isEmpty());
    }
};

QTEST_MAIN(TestHostileBasePanes)
#include "tst_hostilebase_panes.moc"
