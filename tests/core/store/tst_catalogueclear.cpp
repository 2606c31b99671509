#include "BaseModels.h"
#include "store/CatalogueClear.h"
#include "store/ClearThread.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

// Clearing for good while things go wrong: another writer holding the lock,
// a row that will not go, a stop, a crash half-way. Whatever happens, every
// material keeps its row and its folder, or loses both.
class TestCatalogueClear : public BaseModels {
    Q_OBJECT

    static constexpr int kMaterials = 50;

    int rowOf(const QString& code) {
        for (int r = 0; r < bin->rowCount(); ++r) {
            if (bin->rowAt(r).Code == code && !bin->rowAt(r).IsMaterial())
                return r;
        }
        return -1;
    }
    QString folderOf(int id) const { return t->folder(QString("01/01/01/%1").arg(id)); }
    int rowsLeft() { return t->column("select count(*) from MinuItemTable").value(0).toInt(); }

    // The file system and the catalogue agree on every material.
    void verifyEachMaterialWhole() {
        for (int id = 1; id <= kMaterials; ++id) {
            const bool row =
                t->column("select count(*) from MinuItemTable where MinuItemID=?", {id}).value(0) ==
                "1";
            const bool folder =
                QFileInfo::exists(folderOf(id) + "/资料" + QString::number(id) + ".rtf");
            QVERIFY2(
                row == folder,
                qPrintable(QString("material %1: row %2, folder %3").arg(id).arg(row).arg(folder)));
        }
        QVERIFY(!QFileInfo::exists(CatalogueClear::TrashFolderOf(t->base.FilesRoot)));
    }

    // Restoring what is left brings back only materials with their files.
    void verifyRestoreBringsBackWholeMaterials() {
        QVERIFY(bin->restore(rowOf("010101")));
        const QStringList live =
            t->column("select MinuItemID from MinuItemTable where MinuItemFlag='AOS'");
        QCOMPARE(live.size(), rowsLeft());
        for (const QString& id : live)
            QVERIFY2(QFileInfo::exists(folderOf(id.toInt())), qPrintable(id));
    }

private Q_SLOTS:
    void init() {
        openModels();
        t->addItems({"010000", "010100", "010101"});
        for (int id = 1; id <= kMaterials; ++id)
            t->addMaterial(QString::number(id), "010101");
        QVERIFY(t->store.SetItemFlag("010101", "EOS"));
        QVERIFY(t->store.SetMaterialsFlagOfItem("010101", false));
        tree->fill();
        bin->load();
        QCOMPARE(bin->rowCount(), kMaterials + 1);
    }
    void cleanup() { closeModels(); }

    void anItemClearsWholly() {
        QVERIFY(bin->clearRow(rowOf("010101")));
        QCOMPARE(bin->rowCount(), 0);
        QCOMPARE(rowsLeft(), 0);
        QCOMPARE(t->column("select count(*) from ItemTable where ItemID='010101'"),
                 QStringList({"0"}));
        QCOMPARE(QDir(t->folder("01/01/01")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        verifyEachMaterialWhole();
    }

    // Another program holds the catalogue's write lock for longer than a
    // clear waits: nothing at all is deleted.
    void aLockedCatalogueDeletesNothing() {
        Database other;
        QVERIFY(other.Open(t->base.DatabasePath));
        QVERIFY(other.BeginTransaction());
        QVERIFY(!bin->clearRow(rowOf("010101")));
        QCOMPARE(t->prompter.lastText(), QString("清除知识库项失败!"));
        QVERIFY(other.RollbackTransaction());
        QCOMPARE(rowsLeft(), kMaterials);
        QCOMPARE(bin->rowCount(), kMaterials + 1);
        verifyEachMaterialWhole();
        verifyRestoreBringsBackWholeMaterials();
    }

    // The lock is taken by another writer after the first batch: that batch
    // stays cleared, the rest stays in the recycle bin with its folders.
    void aLockTakenBetweenBatchesKeepsTheRestWhole() {
        Database other;
        QVERIFY(other.Open(t->base.DatabasePath));
        CatalogueClear clear(t->db, t->base.FilesRoot);
        clear.setBatchSize(10);
        clear.setProgress([&](int done, int) {
            if (done == 10)
                QVERIFY(other.BeginTransaction());
        });
        ClearTarget target;
        target.ItemCode = "010101";
        const ClearResult result = clear.Run(target);
        QVERIFY(other.RollbackTransaction());
        QCOMPARE(result.ClearedIds.size(), 10);
        QVERIFY(!result.ItemCleared);
        QVERIFY(!bin->applyCleared(result));
        QCOMPARE(
            t->prompter.lastText(),
            QString("清除知识库项时只删除了部分资料文件夹（10/50），其余资料保留在回收站中。"));
        QCOMPARE(rowsLeft(), kMaterials - 10);
        QCOMPARE(bin->rowCount(), kMaterials - 10 + 1);
        verifyEachMaterialWhole();
        verifyRestoreBringsBackWholeMaterials();
    }

    // A row that cannot be deleted takes its whole batch back, folders too.
    void aRowThatWillNotGoGetsItsFolderBack() {
        QVERIFY(t->store.ExecuteStatement("create trigger keep before delete on MinuItemTable "
                                          "when old.MinuItemID = 25 begin "
                                          "select raise(abort, 'kept'); end"));
        CatalogueClear clear(t->db, t->base.FilesRoot);
        clear.setBatchSize(10);
        ClearTarget target;
        target.ItemCode = "010101";
        const ClearResult result = clear.Run(target);
        QCOMPARE(result.ClearedIds.size(), 20);
        QCOMPARE(
            result.Failure,
            QString("清除知识库项时只删除了部分资料文件夹（20/50），其余资料保留在回收站中。"));
        QCOMPARE(rowsLeft(), 30);
        verifyEachMaterialWhole();
    }

    void aStopLeavesTheRestWhole() {
        std::atomic<bool> stop{false};
        CatalogueClear clear(t->db, t->base.FilesRoot);
        clear.setBatchSize(10);
        clear.setStopFlag(&stop);
        clear.setProgress([&](int done, int) { stop = done >= 15; });
        ClearTarget target;
        target.ItemCode = "010101";
        const ClearResult result = clear.Run(target);
        QVERIFY(result.Stopped);
        QCOMPARE(result.ClearedIds.size(), 20); // the batch under way is finished
        QCOMPARE(
            result.Failure,
            QString("清除已停止：已清除 20/%1 份资料，其余资料保留在回收站中。").arg(kMaterials));
        QCOMPARE(rowsLeft(), kMaterials - 20);
        verifyEachMaterialWhole();
    }

    // A clear that died between moving folders aside and deleting their
    // rows is put right by the next one: folders with rows go back home,
    // folders without rows go.
    void aCrashedClearIsPutRightByTheNext() {
        const QString trash = CatalogueClear::TrashFolderOf(t->base.FilesRoot) + "/123-456";
        QVERIFY(QDir().mkpath(trash));
        QVERIFY(QDir().rename(folderOf(3), trash + "/3"));
        QVERIFY(QDir().mkpath(trash + "/99/sub"));
        CatalogueClear clear(t->db, t->base.FilesRoot);
        ClearTarget target;
        target.MaterialId = "7";
        QVERIFY(clear.Run(target).Finished());
        QVERIFY(QFileInfo::exists(folderOf(3) + "/资料3.rtf"));
        QVERIFY(!QFileInfo::exists(folderOf(7)));
        QCOMPARE(rowsLeft(), kMaterials - 1);
        verifyEachMaterialWhole();
    }

    // Many rows come off the list in one pass, and every cleared material
    // is announced once.
    void aLargeClearOnAWorkerReachesTheList() {
        QVERIFY(t->db.BeginTransaction());
        for (int id = kMaterials + 1; id <= 3000; ++id)
            t->addRow(QString::number(id), "010101");
        QVERIFY(t->db.CommitTransaction());
        QVERIFY(t->store.SetMaterialsFlagOfItem("010101", false));
        bin->load();
        QCOMPARE(bin->rowCount(), 3001);

        ClearTarget target;
        target.ItemCode = "010101";
        ClearThread worker(t->base.DatabasePath, t->base.FilesRoot, target);
        QSignalSpy progressed(&worker, &ClearThread::progressed);
        QSignalSpy cleared(&worker, &ClearThread::cleared);
        QSignalSpy announced(bin.get(), &RecycleBinModel::materialCleared);
        worker.start();
        QVERIFY(cleared.wait(60000));
        QCOMPARE(progressed.last(), QVariantList({3000, 3000}));
        QVERIFY(bin->applyCleared(cleared.first().first().value<ClearResult>()));
        QCOMPARE(bin->rowCount(), 0);
        QCOMPARE(announced.count(), 3000);
        QCOMPARE(rowsLeft(), 0);
        QCOMPARE(t->store.ItemNameOf("010101"), QString());
    }
};

QTEST_GUILESS_MAIN(TestCatalogueClear)
#include "tst_catalogueclear.moc"
