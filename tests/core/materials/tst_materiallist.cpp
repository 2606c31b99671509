#include "BaseModels.h"
#include "TimeText.h"
#include "config/Profile.h"
#include "db/Transaction.h"

#include <QtTest>

using Time = MaterialListFilter::Time;
using Type = MaterialListFilter::Type;

class TestMaterialList : public BaseModels {
    Q_OBJECT

    MaterialListModel* list = nullptr;

    // Materials without folders: the list never looks at the disk.
    void add(int first, int last, const QString& code, const QString& type = "0",
             const QString& time = "2009-03-07 14:05:09") {
        Transaction transaction(t->db);
        for (int id = first; id <= last; ++id)
            t->addRow(QString::number(id), code, {}, time, type);
        QVERIFY(transaction.Commit());
    }
    QStringList ids() const {
        QStringList ids;
        for (const MaterialRecord& m : list->materials())
            ids << m.MinuItemID;
        return ids;
    }
    static QStringList range(int first, int last) {
        QStringList ids;
        for (int id = first; id <= last; ++id)
            ids << QString::number(id);
        return ids;
    }
    void setNow(const QString& time) {
        TimeText::setClock([time] { return QDateTime::fromString(time, TimeText::kFormat); });
    }

private Q_SLOTS:
    void init() {
        openModels(true);
        list = &panes->list();
        t->addItems({"010000", "010100", "010101", "010102", "020000", "020100", "020101"});
        tree->fill();
    }
    void cleanup() { closeModels(); }

    void pagesOfAHundred() {
        add(1, 250, "010101");
        QVERIFY(list->showMaterialsOf("010101"));
        QCOMPARE(list->pageEntries(), QStringList({"1页", "2页", "3页"}));
        QCOMPARE(ids(), range(1, 100));
        QVERIFY(!list->canGoPrevious() && list->canGoNext());
        QVERIFY(!list->previousPage());

        QVERIFY(list->nextPage());
        QCOMPARE(ids(), range(101, 200));
        QVERIFY(list->choosePageEntry("3页"));
        QCOMPARE(list->currentPage(), 3);
        QCOMPARE(ids(), range(201, 250));
        QVERIFY(list->canGoPrevious() && !list->canGoNext());
        QVERIFY(!list->nextPage());
        QCOMPARE(list->materialAt(0).DisplayPath, QString("测试库\\名010000\\名010100\\名010101"));
        QCOMPARE(list->materialAt(0).KnowledgeBaseID, QString("1"));
        QCOMPARE(list->index(0, MaterialTableModel::FolderColumn).data().toString(),
                 QString("01/01/01/201/"));
    }

    void pageCountAtTheEdges() {
        QVERIFY(list->showMaterialsOf("010101"));
        QCOMPARE(list->pageCount(), 0);
        QCOMPARE(list->rowCount(), 0);
        add(1, 100, "010101");
        QVERIFY(list->apply());
        QCOMPARE(list->pageEntries(), QStringList({"1页"}));
        QVERIFY(!list->canGoNext());
        add(101, 101, "010101");
        QVERIFY(list->apply());
        QCOMPARE(list->pageCount(), 2);
    }

    void scopes_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("whole base") << "000000" << QStringList({"1", "2", "3", "5"});
        QTest::newRow("root") << "010000" << QStringList({"1", "2", "3"});
        QTest::newRow("major") << "010100" << QStringList({"1", "2", "3"});
        QTest::newRow("minor") << "010102" << QStringList({"3"});
        QTest::newRow("other root") << "020000" << QStringList({"5"});
        QTest::newRow("not a code") << "01%" << QStringList();
    }
    void scopes() {
        QFETCH(QString, code);
        QFETCH(QStringList, expected);
        add(1, 2, "010101");
        add(3, 3, "010102");
        add(4, 4, "010102");
        add(5, 5, "020101");
        t->store.SetMaterialFlag("4", "EOS", TimeText::now());
        QVERIFY(list->showMaterialsOf(code));
        QCOMPARE(ids(), expected);
    }

    void typeFilterAndStatusLine() {
        add(1, 1, "010101", "0");
        add(2, 2, "010101", "1");
        add(3, 3, "010101", "2");
        QVERIFY(list->showMaterialsOf("010101"));
        QCOMPARE(list->statusText(),
                 QString("当前显示资料过滤条件:全部,全部文件类型,所有时间范围内的资料"));
        QVERIFY(list->setTypeFilter(Type::WebPages));
        QCOMPARE(ids(), QStringList({"2"}));
        QCOMPARE(list->statusText(),
                 QString("当前显示资料过滤条件:全部,网页文件类型,所有时间范围内的资料"));
        QVERIFY(list->setTypeFilter(Type::Other));
        QCOMPARE(ids(), QStringList({"1", "3"}));
        QVERIFY(list->setDateRange("", "2009-03-07"));
        QCOMPARE(list->statusText(),
                 QString("当前显示资料过滤条件:全部,非网页文件类型,2009-03-07前范围内的资料"));
        QVERIFY(list->setDateRange("2009-03-01", ""));
        QCOMPARE(list->statusText(),
                 QString("当前显示资料过滤条件:全部,非网页文件类型,2009-03-01至今范围内的资料"));
    }

    void theEndDayCounts() {
        add(1, 1, "010101", "0", "2009-03-06 23:59:59");
        add(2, 2, "010101", "0", "2009-03-07 00:00:00");
        add(3, 3, "010101", "0", "2009-03-07 23:59:59");
        add(4, 4, "010101", "0", "2009-03-08 00:00:00");
        QVERIFY(list->showMaterialsOf("010101"));
        QVERIFY(list->setDateRange("2009-03-07", "2009-03-07"));
        QCOMPARE(ids(), QStringList({"2", "3"}));
        QCOMPARE(
            list->statusText(),
            QString("当前显示资料过滤条件:全部,全部文件类型,2009-03-07到2009-03-07范围内的资料"));
        QVERIFY(list->setDateRange("", "2009-03-06"));
        QCOMPARE(ids(), QStringList({"1"}));
    }

    void sinceYesterday() {
        add(1, 1, "010101", "0", "2009-03-05 23:59:59");
        add(2, 2, "010101", "0", "2009-03-06 00:00:00");
        setNow("2009-03-07 10:00:00");
        QVERIFY(list->showMaterialsOf("010101"));
        QVERIFY(list->setTimeChoice(Time::SinceYesterday));
        QCOMPARE(list->filter().from(), QString("2009-03-06"));
        QCOMPARE(ids(), QStringList({"2"}));
    }

    void monthsAndYearsBack_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a month, no such day") << "M" << QDate(2009, 3, 31) << 1 << "2009-02-31";
        QTest::newRow("three months over new year")
            << "M" << QDate(2009, 1, 15) << 3 << "2008-10-15";
        QTest::newRow("twelve months") << "M" << QDate(2009, 3, 7) << 12 << "2008-03-07";
        QTest::newRow("thirteen months") << "M" << QDate(2009, 1, 10) << 13 << "2007-12-10";
        QTest::newRow("a year, leap day") << "Y" << QDate(2008, 2, 29) << 1 << "2007-02-29";
    }
    void monthsAndYearsBack() {
        QFETCH(QString, choice);
        QFETCH(QDate, today);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(choice == "M" ? MaterialListFilter::MonthsBack(count, today)
                               : MaterialListFilter::YearsBack(count, today),
                 expected);
    }

    void aMonthBackFromTheThirtyFirst() {
        add(1, 1, "010101", "0", "2009-02-28 12:00:00");
        add(2, 2, "010101", "0", "2009-03-01 00:00:00");
        setNow("2009-03-31 10:00:00");
        QVERIFY(list->showMaterialsOf("010101"));
        QVERIFY(list->setTimeChoice(Time::SinceAMonth));
        QCOMPARE(ids(), QStringList({"2"}));
    }

    void customTimeFilter() {
        QTemporaryDir dir;
        Profile profile(dir.filePath("Keepsake.conf"));
        // The numbers in either order; the end day is listed.
        QVERIFY(CustomTimeFilter::Accept(1, 0, 7, profile, t->prompter));
        const CustomTimeFilter::Values values = CustomTimeFilter::Read(Profile(profile.filePath()));
        QCOMPARE(values, (CustomTimeFilter::Values{7, 0, 1}));
        add(1, 1, "010101", "0", "2009-02-27 23:00:00");
        add(2, 2, "010101");
        QVERIFY(list->showMaterialsOf("010101"));
        QVERIFY(list->setCustomTime(values));
        QCOMPARE(list->filter().from(), QString("2009-02-28"));
        QCOMPARE(list->filter().to(), QString("2009-03-07"));
        QCOMPARE(ids(), QStringList({"2"}));

        // Another choice drops the end bound.
        QVERIFY(list->setTimeChoice(Time::SinceThreeMonths));
        QCOMPARE(list->filter().to(), QString());
        QCOMPARE(ids(), QStringList({"1", "2"}));

        QVERIFY(!CustomTimeFilter::Accept(1, 73051, 0, profile, t->prompter));
        QVERIFY(CustomTimeFilter::Accept(1, 73050, 0, profile, t->prompter));
        QVERIFY(!CustomTimeFilter::Accept(4, 201, 0, profile, t->prompter));
        QVERIFY(!CustomTimeFilter::Accept(5, 1, 0, profile, t->prompter));
        QCOMPARE(t->prompter.shown.size(), 3);
        QCOMPARE(t->prompter.shown[0].text, QString("请输入合理的时间范围!"));
        QCOMPARE(t->prompter.shown[2].text, QString("选择有错!"));
        QVERIFY(CustomTimeFilter::Accept(3, -5, 1, profile, t->prompter));
        QCOMPARE(CustomTimeFilter::Read(profile), (CustomTimeFilter::Values{1, -1, 3}));
        QCOMPARE(CustomTimeFilter::Bounds(CustomTimeFilter::Read(profile),
                                          QDateTime(QDate(2009, 3, 31), QTime(10, 0))),
                 std::make_pair(QString("2009-02-31"), QString()));
        QCOMPARE(CustomTimeFilter::HintOf(2), QString("提示：最大值10500,-1表示不限时间"));
    }

    void deletingSendsTheMaterialToTheRecycleBin() {
        add(1, 2, "010101");
        QVERIFY(list->showMaterialsOf("010101"));
        const MaterialRecord first = list->materialAt(0);
        panes->openMaterials().opened(first);
        QVERIFY(panes->dockMaterial(first));

        t->prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!panes->service().recycle(list->materialAt(0)));
        QCOMPARE(list->rowCount(), 2);
        QVERIFY(list->cut(0));

        TimeText::setClock([] { return QDateTime(QDate(2009, 3, 8), QTime(9, 0)); });
        QVERIFY(panes->service().recycle(list->materialAt(0)));
        QCOMPARE(t->prompter.shown.last().caption + t->prompter.shown.last().text,
                 QString("警告确定要删除该资料吗?"));
        QCOMPARE(ids(), QStringList({"2"}));
        QCOMPARE(list->pageEntries(), QStringList({"1页"}));
        QCOMPARE(t->column("select MinuItemFlag||'|'||DeleteDataTime from MinuItemTable where "
                           "MinuItemID=1"),
                 QStringList({"EOS|2009-03-08 09:00:00"}));
        QCOMPARE(bin->rowCount(), 1);
        QCOMPARE(bin->rowAt(0),
                 (RecycleRow{"资料1", "资料", first.DisplayPath, "2009-03-08 09:00:00", "1",
                             "010101", "2009-03-07 14:05:09"}));
        QCOMPARE(panes->openMaterials().rowCount(), 0);
        QCOMPARE(panes->dock().rowCount(), 0);
        QVERIFY(!clipboard->material()); // nothing deleted is pasted

        // And back from the recycle bin into the list that shows its item.
        QVERIFY(list->showMaterialsOf("010000"));
        QVERIFY(bin->restore(0));
        QCOMPARE(ids(), QStringList({"2", "1"}));
    }

    void aFailedDeleteKeepsTheRow() {
        add(1, 1, "010101");
        QVERIFY(list->showMaterialsOf("010101"));
        QVERIFY(t->store.ExecuteStatement("create trigger refuse before update on MinuItemTable "
                                          "begin select raise(fail, 'refused'); end"));
        QVERIFY(!panes->service().recycle(list->materialAt(0)));
        QCOMPARE(t->prompter.lastText(), QString("删除资料 '资料1' 失败!"));
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(bin->rowCount(), 0);
    }

    void cutAndPasteInTheTree() {
        add(1, 2, "010101");
        QVERIFY(list->showMaterialsOf("010101"));
        service->cutItem("010102");
        QVERIFY(list->cut(0));
        QCOMPARE(service->cutItemCode(), QString()); // only one thing is ever cut
        QCOMPARE(clipboard->material()->MinuItemID, QString("1"));
        QVERIFY(service->paste("020101"));
        QCOMPARE(ids(), QStringList({"2"}));

        QVERIFY(list->showMaterialsOf("020000"));
        QCOMPARE(ids(), QStringList({"1"}));
        QCOMPARE(list->materialAt(0).MinuItemFilePath, QString("01/01/01/1/"));
    }

    void treeChangesReachTheRows() {
        add(1, 1, "010101");
        add(2, 2, "010102");
        QVERIFY(list->showMaterialsOf("010100"));

        // A renamed major changes the paths of the materials of its minors.
        QVERIFY(tree->setData(tree->indexOf("010100"), "新名"));
        QCOMPARE(list->materialAt(0).DisplayPath, QString("测试库\\名010000\\新名\\名010101"));

        // All materials of a minor pasted into the listed one.
        QVERIFY(list->showMaterialsOf("010101"));
        service->cutMaterialsOf("010102");
        QVERIFY(service->paste("010101"));
        QCOMPARE(ids(), QStringList({"1", "2"}));

        // The listed minor pasted under another major: the same list under
        // its new code.
        service->cutItem("010101");
        QVERIFY(service->paste("020100"));
        QCOMPARE(list->listCode(), QString("020102"));
        QCOMPARE(list->materialAt(0).ItemID, QString("020102"));
        QCOMPARE(list->materialAt(0).DisplayPath, QString("测试库\\名020000\\名020100\\名010101"));
        QVERIFY(list->apply());
        QCOMPARE(ids(), QStringList({"1", "2"}));
    }

    void busyNetworkKeepsThePage() {
        add(1, 150, "010101");
        QVERIFY(list->showMaterialsOf("010101"));
        list->setBusyCheck([] { return true; });
        QVERIFY(!list->nextPage());
        QCOMPARE(t->prompter.lastText(), QString("系统对网络资源请求正忙，请稍后再试!"));
        QVERIFY(!list->setTypeFilter(Type::WebPages));
        QCOMPARE(list->filter().type(), Type::WebPages);
        QCOMPARE(list->rowCount(), 100);
    }
};

QTEST_GUILESS_MAIN(TestMaterialList)
#include "tst_materiallist.moc"
