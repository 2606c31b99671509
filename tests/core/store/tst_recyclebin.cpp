#include "BaseModels.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

class TestRecycleBin : public BaseModels {
    Q_OBJECT

    void deleteInTree(const QString& code) { QVERIFY(service->recycleItem(code)); }
    int rowOf(const QString& code, const QString& materialId = {}) {
        for (int r = 0; r < bin->rowCount(); ++r) {
            if (bin->rowAt(r).Code == code && bin->rowAt(r).MaterialId == materialId)
                return r;
        }
        return -1;
    }
    QStringList kinds() {
        QStringList k;
        for (const RecycleRow& r : bin->rows())
            k << r.Kind;
        return k;
    }

private Q_SLOTS:
    void init() {
        openModels();
        t->addItems({"010000", "010100", "010101", "020000"});
    }
    void cleanup() { closeModels(); }

    void aDeletedMinorListsItselfAndItsMaterials() {
        t->addMaterial("1", "010101");
        t->addMaterial("2", "010101");
        tree->fill();
        deleteInTree("010101");
        QCOMPARE(kinds(), QStringList({"知识库小项"}));
        bin->load();
        QCOMPARE(kinds(), QStringList({"资料", "资料", "知识库小项"}));
        QCOMPARE(bin->rowAt(0).MaterialId, QString("2")); // newest on top
        QCOMPARE(bin->rowAt(0).Path, QString("测试库\\名010000\\名010100\\名010101"));
    }

    void restoringAMajorWaitsForItsRoot() {
        tree->fill();
        deleteInTree("010101");
        deleteInTree("010100");
        deleteInTree("010000");
        QCOMPARE(tree->rowCount(), 1);

        QVERIFY(bin->restore(rowOf("010100")));
        QCOMPARE(tree->rowCount(), 1); // its root is still deleted
        QVERIFY(bin->restore(rowOf("010000")));
        QCOMPARE(tree->rowCount(), 2);
        QCOMPARE(tree->index(0, 0).data().toString(), QString("名010000(010000)"));
        const QModelIndex root = tree->index(0, 0);
        QCOMPARE(tree->rowCount(root), 1);
        QCOMPARE(tree->rowCount(tree->index(0, 0, root)), 0); // the minor stays deleted
        QCOMPARE(kinds(), QStringList({"知识库小项"}));
    }

    void restoringAMaterialAnnouncesIt() {
        t->addMaterial("1", "010101");
        t->store.SetMaterialFlag("1", "EOS", "2009-03-07 14:05:09");
        tree->fill();
        bin->load();
        QSignalSpy restored(bin.get(), &RecycleBinModel::materialRestored);
        QVERIFY(bin->restore(0));
        QCOMPARE(t->column("select MinuItemFlag from MinuItemTable"), QStringList({"AOS"}));
        QCOMPARE(restored.count(), 1);
        QCOMPARE(bin->rowCount(), 0);
    }

    void clearingARootTakesEverythingUnderIt() {
        const MaterialRecord live = t->addMaterial("1", "010101");
        const MaterialRecord deleted = t->addMaterial("2", "010101", "EOS");
        QVERIFY(t->store.InsertKeyword("1", "词"));
        tree->fill();
        deleteInTree("010101");
        deleteInTree("010100");
        deleteInTree("010000");
        bin->load();
        QCOMPARE(bin->rowCount(), 5);

        t->prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!bin->clearRow(rowOf("010000")));
        QCOMPARE(bin->rowCount(), 5);

        QVERIFY(bin->clearRow(rowOf("010000")));
        QCOMPARE(bin->rowCount(), 0);
        QCOMPARE(t->column("select ItemID from ItemTable where ItemID like '01%'"), QStringList());
        QCOMPARE(t->column("select count(*) from MinuItemTable"), QStringList({"0"}));
        QCOMPARE(t->column("select count(*) from KeyWordTable"), QStringList({"0"}));
        QVERIFY(!QFileInfo::exists(t->folder(live.MinuItemFilePath)));
        QVERIFY(!QFileInfo::exists(t->folder(deleted.MinuItemFilePath)));
        QVERIFY(QFileInfo::exists(t->folder("01"))); // only material folders go
        QCOMPARE(t->store.ItemNameOf("010100"), QString());
    }

    void clearingAMaterialWithoutItsFolderStillDeletesTheRow() {
        const MaterialRecord m = t->addMaterial("1", "010101", "EOS");
        QVERIFY(QDir(t->folder(m.MinuItemFilePath)).removeRecursively());
        bin->load();
        QVERIFY(bin->clearRow(0));
        QCOMPARE(t->column("select count(*) from MinuItemTable"), QStringList({"0"}));
    }

    void clearingNeverDeletesOutsideTheBase_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("climbs out") << "../outside/";
        QTest::newRow("absolute") << "/tmp/keepsake-outside-test/";
        QTest::newRow("empty") << "";
        QTest::newRow("through a link") << "01/link/";
    }

    void clearingNeverDeletesOutsideTheBase() {
        QFETCH(QString, stored);
        QTemporaryDir outside;
        QVERIFY(writeBytes(outside.filePath("keep.txt"), "mine"));
        QDir().mkpath(t->folder("01"));
        QVERIFY(QFile::link(outside.path(), t->folder("01/link")));

        t->addMaterial("1", "010101", "EOS");
        QString path = stored;
        path.replace("/tmp/keepsake-outside-test", outside.path());
        path.replace("../outside", "../" + QDir(t->folder()).relativeFilePath(outside.path()));
        QVERIFY(t->store.ExecuteStatement("update MinuItemTable set MinuItemFilePath=?", {path}));
        bin->load();
        QVERIFY(!bin->clearRow(0));
        QCOMPARE(t->prompter.lastText(), QString("有文件正在被使用，无法删除!"));
        QVERIFY(QFileInfo::exists(outside.filePath("keep.txt")));
        QCOMPARE(t->column("select count(*) from MinuItemTable"), QStringList({"1"}));
        QCOMPARE(bin->rowCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRecycleBin)
#include "tst_recyclebin.moc"
