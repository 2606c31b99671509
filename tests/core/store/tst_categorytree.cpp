#include "BaseModels.h"

#include <QSignalSpy>
#include <QtTest>

class TestCategoryTree : public BaseModels {
    Q_OBJECT

    QStringList childTexts(const QString& code) {
        const QModelIndex parent = code.isEmpty() ? QModelIndex() : tree->indexOf(code);
        QStringList texts;
        for (int r = 0; r < tree->rowCount(parent); ++r)
            texts << tree->index(r, 0, parent).data().toString();
        return texts;
    }

private Q_SLOTS:
    void init() { openModels(); }
    void cleanup() { closeModels(); }

    void fillShowsThreeLevelsAndKeepsOneRowPerCode() {
        t->addItems({"020000", "010000", "010100", "010101", "010102"});
        // A second row for 010100, as a damaged base may hold.
        QVERIFY(t->store.ExecuteStatement("insert into ItemTable(ItemID,ItemName,ItemFlag,"
                                          "Preference) values('010100','重复','AOS',99)"));
        t->store.SetItemFlag("010102", "EOS");
        tree->fill();
        QCOMPARE(childTexts({}), QStringList({"名020000(020000)", "名010000(010000)"}));
        QCOMPARE(childTexts("010000"), QStringList({"名010100(010100)"}));
        QCOMPARE(childTexts("010100"), QStringList({"名010101(010101)"}));
        QCOMPARE(t->column("select ItemName from ItemTable where ItemID='010100'"),
                 QStringList({"名010100"}));
    }

    void addingFindsTheFirstFreeCodeAndChecksTheName() {
        t->addItems({"010000", "010100", "010300"});
        tree->fill();
        const QModelIndex major = tree->indexOf(service->addChild("010000").value_or(QString()));
        QCOMPARE(major.data().toString(), QString("新建资料大项!(010200)"));
        QCOMPARE(
            tree->indexOf(service->addChild(CategoryTreeModel::codeOf(major)).value_or(QString()))
                .data()
                .toString(),
            QString("新建资料小项!(010201)"));
        QVERIFY(!tree->indexOf(service->addChild("010201").value_or(QString()))
                     .isValid()); // a minor has no children

        const std::optional<QString> root = service->addRoot("  读书笔记 ");
        QCOMPARE(root, QString("020000"));
        QCOMPARE(tree->indexOf(*root).data().toString(), QString("读书笔记(020000)"));
        QVERIFY(!service->addRoot("   "));
        QCOMPARE(t->prompter.lastText(), QString("知识库项名不能为空!"));
        QCOMPARE(t->prompter.shown.size(), 1);
        QCOMPARE(t->column("select count(*) from ItemTable where ItemID <> '000000'"),
                 QStringList({"6"}));
    }

    void renameKeepsTheOldNameForBlankText() {
        t->addItems({"010000"});
        tree->fill();
        QSignalSpy renamed(service.get(), &TreeService::itemRenamed);
        const QModelIndex root = tree->indexOf("010000");
        QVERIFY(!tree->setData(root, "   "));
        QVERIFY(tree->setData(root, " 新名 "));
        QCOMPARE(root.data().toString(), QString("新名(010000)"));
        QCOMPARE(t->column("select ItemName from ItemTable where ItemID='010000'"),
                 QStringList({"新名"}));
        QCOMPARE(t->store.ItemNameOf("010000"), QString("新名"));
        QCOMPARE(renamed.count(), 1);
    }

    void deletingAskItemsWithChildrenToWait() {
        t->addItems({"010000", "010100", "010101"});
        t->addMaterial("1", "010101");
        tree->fill();
        QSignalSpy recycled(service.get(), &TreeService::itemRecycled);

        QVERIFY(!service->recycleItem("010000"));
        QCOMPARE(t->prompter.lastText(),
                 QString("不能对存在子项的知识库项 '名010000(010000)' 进行删除!"));

        t->prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!service->recycleItem("010101"));
        QCOMPARE(t->column("select ItemFlag from ItemTable where ItemID='010101'"),
                 QStringList({"AOS"}));

        QVERIFY(service->recycleItem("010101"));
        QVERIFY(service->recycleItem("010100"));
        QVERIFY(service->recycleItem("010000"));
        QVERIFY(childTexts({}).isEmpty());
        QCOMPARE(t->column("select distinct ItemFlag from ItemTable where ItemID like '01%'"),
                 QStringList({"EOS"}));
        QCOMPARE(t->column("select distinct DeleteDataTime from ItemTable where ItemID like '01%'"),
                 QStringList({"2009-03-07 14:05:09"}));
        QCOMPARE(t->column("select MinuItemFlag from MinuItemTable"), QStringList({"EOS"}));
        QCOMPARE(recycled.count(), 3);
        const auto root = recycled.last().first().value<RecycleRow>();
        QCOMPARE(root.Path, QString("测试库\\名010000"));
        QCOMPARE(root.Kind, QString("知识库根项"));
    }

    // The tree on screen may be older than the catalogue: a child another
    // writer added since still keeps its parent from the recycle bin.
    void deletingCountsChildrenTheTreeDoesNotShowYet() {
        t->addItems({"010000", "010100"});
        tree->fill();
        t->addItems({"010101"});
        QVERIFY(!service->recycleItem("010100"));
        QCOMPARE(t->prompter.lastText(),
                 QString("不能对存在子项的知识库项 '名010100(010100)' 进行删除!"));
        QCOMPARE(t->column("select ItemFlag from ItemTable where ItemID='010100'"),
                 QStringList({"AOS"}));
    }

    // Two views of one service (the window's tree and a second window, or
    // the tree and keepsake-cli's copy) show every change alike.
    void everyViewFollowsTheService() {
        t->addItems({"010000", "010100", "020000"});
        tree->fill();
        CategoryTreeModel other(*service);
        checkModel(&other);
        other.fill();
        const QString major = service->addChild("020000").value_or(QString());
        QVERIFY(service->renameItem(major, "读书"));
        service->cutItem("010100");
        QVERIFY(service->paste("020000"));
        QVERIFY(service->recycleItem("010000"));
        const QStringList expected{"读书(020100)", "名010100(020200)"};
        QCOMPARE(childTexts("020000"), expected);
        QCOMPARE(other.rowCount(), 1);
        QStringList shown;
        for (int r = 0; r < other.rowCount(other.indexOf("020000")); ++r)
            shown << other.index(r, 0, other.indexOf("020000")).data().toString();
        QCOMPARE(shown, expected);
    }

    void movingUpTwiceRestoresTheOrder() {
        t->addItems({"010000", "010100", "010101", "010200"});
        tree->fill();
        const QModelIndex second = tree->indexOf("010200");
        QVERIFY(service->exchangeItems("010200", "010100"));
        QCOMPARE(childTexts("010000"), QStringList({"名010200(010200)", "名010100(010100)"}));
        QCOMPARE(second.data().toString(), QString("名010100(010100)"));   // position kept
        QCOMPARE(childTexts("010100"), QStringList({"名010101(010101)"})); // children follow
        QVERIFY(service->exchangeItems("010100", "010200"));
        QCOMPARE(childTexts("010000"), QStringList({"名010100(010100)", "名010200(010200)"}));
        QCOMPARE(t->column("select Preference from ItemTable where ItemID in ('010100','010200') "
                           "order by ItemID"),
                 QStringList({"2", "4"}));
    }

    void pastingAMajorRecodesItsMinorsAndMaterials() {
        t->addItems({"010000", "010200", "0102ZZ", "020000", "020100", "020200"});
        const MaterialRecord m = t->addMaterial("7", "0102ZZ");
        tree->fill();
        service->cutItem("010200");
        QVERIFY(service->paste("020000"));
        QCOMPARE(childTexts("020000").last(), QString("名010200(020300)"));
        QCOMPARE(childTexts("020300"), QStringList({"名0102ZZ(0203ZZ)"}));
        QVERIFY(childTexts("010000").isEmpty());
        QCOMPARE(t->column("select ItemID from MinuItemTable"), QStringList({"0203ZZ"}));
        QCOMPARE(t->column("select MinuItemFilePath from MinuItemTable"),
                 QStringList({m.MinuItemFilePath}));
        QVERIFY(service->cutItemCode().isEmpty());
    }

    void pasteRefusals_data() {
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("namelessTarget");
        QTest::newRow("major under its own root") << "010100"
                                                  << "010000"
                                                  << "不能粘贴到同一个父项下!" << false;
        QTest::newRow("minor under its own major") << "010101"
                                                   << "010100"
                                                   << "不能粘贴到同一个父项下!" << false;
        QTest::newRow("minor under a root") << "010101"
                                            << "020000"
                                            << "粘贴无效!" << false;
        QTest::newRow("nothing cut under a major") << ""
                                                   << "020100"
                                                   << "请选择剪切项!" << false;
        QTest::newRow("no material cut") << ""
                                         << "020101"
                                         << "请剪切资料再粘贴!" << false;
        // A damaged base can hold an item without a name.
        QTest::newRow("major under a nameless root") << "010100"
                                                     << "020000"
                                                     << "选择知识库项为空，粘贴失败!" << true;
    }

    void pasteRefusals() {
        QFETCH(QString, cut);
        QFETCH(QString, target);
        QFETCH(QString, message);
        QFETCH(bool, namelessTarget);
        t->addItems({"010000", "010100", "010101", "020000", "020100", "020101"});
        if (namelessTarget)
            t->column("update ItemTable set ItemName='' where ItemID=?", {target});
        tree->fill();
        if (!cut.isEmpty())
            service->cutItem(cut);
        QVERIFY(!service->paste(target));
        QCOMPARE(t->prompter.lastText(), message);
        QCOMPARE(t->column("select count(*) from ItemTable where ItemID like '02%'"),
                 QStringList({"3"}));
    }

    void pastingMaterials() {
        t->addItems({"010000", "010100", "010101", "010102"});
        MaterialRecord m = t->addMaterial("1", "010101");
        t->addMaterial("2", "010101", "EOS");
        tree->fill();

        clipboard->set(m);
        QVERIFY(!service->paste("010101"));
        QCOMPARE(t->prompter.lastText(), QString("不能粘贴资料到自己的目录下!"));
        m.KnowledgeBaseID = "9";
        clipboard->set(m);
        QVERIFY(!service->paste("010102"));
        QCOMPARE(t->prompter.lastText(), QString("无效的不同知识库之间的粘贴!"));

        // All materials of a minor, live or deleted, follow a materials cut.
        QSignalSpy moved(service.get(), &TreeService::materialsOfItemMoved);
        service->cutMaterialsOf("010101");
        QVERIFY(!clipboard->material());
        QVERIFY(service->paste("010102"));
        QCOMPARE(t->column("select distinct ItemID from MinuItemTable"), QStringList({"010102"}));
        QCOMPARE(moved.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCategoryTree)
#include "tst_categorytree.moc"
