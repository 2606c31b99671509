#include "ModelCheck.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "Workspace.h"
#include "bases/CategoryTreeFile.h"
#include "config/FirstRunSetup.h"
#include "db/Recordset.h"
#include "materials/MaterialOpening.h"
#include "materials/MaterialPanes.h"
#include "search/BlockingFileSearch.h"
#include "search/BlockingKbSearch.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"
#include "store/MaterialClipboard.h"
#include "store/RecycleBinModel.h"
#include "store/TreeService.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

// What the files outside the base hold; a file search looks for the word.
const QByteArray kCanary = "CANARY7Q: nothing may touch this file\n";

// Bases whose database holds rows that no version of the program wrote: paths
// that are empty, absolute, climb out with "..", run to thousands of
// characters, are not text, or lead out through a symbolic link; names of the
// same kinds; codes of the wrong length and codes stored twice. The base is
// opened as the program opens it, and each command the panes offer is run on
// such rows. Around the base lie canary files, at every place a row points
// to; cleanup() checks that not one of them, nor anything else outside the
// base, was changed, removed or added.
class TestHostileBase : public QObject {
    Q_OBJECT

    // sandbox/a/canary.txt              "../../" from the base
    // sandbox/a/b/x/canary.txt          "01/../../x/", and the absolute path
    // sandbox/a/outside/...             where the links lead
    // sandbox/a/b/我的知识库/            the base
    std::unique_ptr<QTemporaryDir> sandbox;
    std::unique_ptr<TestHome> home;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<MaterialClipboard> clipboard;
    std::unique_ptr<TreeService> service;
    std::unique_ptr<CategoryTreeModel> tree;
    std::unique_ptr<RecycleBinModel> bin;
    std::unique_ptr<MaterialPanes> panes;
    QString baseFolder;
    QMap<QString, QByteArray> outsideBefore;

    QString inBase(const QString& relative) const { return baseFolder + relative; }
    QString inSandbox(const QString& relative) const { return sandbox->filePath(relative); }
    QString baseId() const { return QString::number(ws->currentBase().ID); }
    MaterialListModel& list() { return panes->list(); }

    // Every entry of the sandbox outside the base, with the bytes of files.
    QMap<QString, QByteArray> outsideTheBase() const {
        QMap<QString, QByteArray> found;
        const QString base = QDir::cleanPath(baseFolder);
        QDirIterator it(sandbox->path(),
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path == base || path.startsWith(base + QLatin1Char('/')))
                continue;
            QFile file(path);
            found.insert(path, it.fileInfo().isDir()            ? QByteArray("<folder>")
                               : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                : QByteArray("<unreadable>"));
        }
        return found;
    }

    // A row as a damaged or crafted base may hold it. The path goes in as
    // bytes, so it can be any byte sequence at all.
    void addRow(qint64 id, const QString& name, const QString& code, int type,
                const QString& describeFile, const QByteArray& path,
                const QString& flag = QStringLiteral("AOS")) {
        QVERIFY(ws->store().ExecuteStatement(
            QStringLiteral("insert into MinuItemTable(MinuItemID,MinuItemName,ItemID,"
                           "DescribeFileType,MinuItemDescribeFilename,MinuItemFilePath,CreateTime,"
                           "MinuItemFlag) values(?,?,?,?,?,CAST(X'%1' AS TEXT),"
                           "'2009-03-07 14:05:09',?)")
                .arg(QString::fromLatin1(path.toHex())),
            {id, name, code, type, describeFile, flag}));
    }
    void setRaw(const QString& table, const QString& column, const QByteArray& bytes,
                const QString& where) {
        QVERIFY(ws->store().ExecuteStatement(
            QStringLiteral("update %1 set %2 = CAST(X'%3' AS TEXT) where %4")
                .arg(table, column, QString::fromLatin1(bytes.toHex()), where)));
    }
    // A material as the program makes it: folder, description file, row.
    void addGoodMaterial(qint64 id, const QString& code) {
        const QString folder = CategoryCode::MaterialFolder(code, QString::number(id));
        addRow(id, QStringLiteral("好资料"), code, 0, QStringLiteral("好资料.rtf"),
               folder.toUtf8());
        QVERIFY(writeBytes(inBase(folder + QStringLiteral("好资料.rtf")), "{\\rtf1 }"));
    }
    QStringList column(const QString& statement, const QVariantList& params = {}) {
        Recordset result(&ws->database());
        QStringList values;
        if (!result.Open(statement, params))
            return {QStringLiteral("<failed>")};
        for (; !result.IsEOF(); result.MoveNext()) {
            QString value;
            result.GetValueText(0, value);
            values << value;
        }
        return values;
    }
    QString flagOf(qint64 id) {
        return column(QStringLiteral("select MinuItemFlag from MinuItemTable where MinuItemID=?"),
                      {id})
            .join(QLatin1Char(','));
    }

    // What the panes load when a base is opened, and the list of one item.
    void load(const QString& listed = QStringLiteral("010101")) {
        tree->fill();
        bin->load();
        QVERIFY(list().showMaterialsOf(listed));
    }
    int listRow(const QString& id) { return list().rowOf(id, baseId()); }
    int binRow(const QString& materialId, const QString& code = {}) {
        for (int r = 0; r < bin->rowCount(); ++r) {
            const RecycleRow& row = bin->rowAt(r);
            if (row.MaterialId == materialId && (code.isEmpty() || row.Code == code))
                return r;
        }
        return -1;
    }
    void expectShown(const QString& caption, const QString& text) {
        QVERIFY(!prompter->shown.isEmpty());
        QCOMPARE(prompter->shown.last().caption, caption);
        QCOMPARE(prompter->shown.last().text, text);
    }
    // Clear of every row the recycle bin lists, until none will go.
    void clearEverything() {
        for (bool cleared = true; cleared;) {
            cleared = false;
            for (int r = 0; r < bin->rowCount() && !cleared; ++r)
                cleared = bin->clearRow(r);
        }
    }
    // Files a search of the whole base finds with the canary's word.
    int canaryFilesFound() {
        SearchRequest request;
        request.FileSearch = 1;
        request.ScopeCode = CategoryCode::kWholeBase;
        request.QueryText = QStringLiteral("CANARY7Q");
        request.FileTypes = QStringLiteral("*.*");
        return BlockingFileSearch::Run(request, ws->currentBase(), *prompter, [](auto&&) {})
            .FilesMatched;
    }
    QStringList namesFound(const QString& query) {
        SearchRequest request;
        request.ScopeCode = CategoryCode::kWholeBase;
        request.QueryText = query;
        request.Kind = 1;
        QStringList rows;
        BlockingKbSearch::Run(request, ws->currentBase(), *prompter,
                              [&](const QString& row) { rows << row; });
        return rows.mid(1, rows.size() - 2); // without header and count line
    }

private Q_SLOTS:
    void init() {
        sandbox = std::make_unique<QTemporaryDir>();
        for (const char* relative : {"a/canary.txt", "a/b/x/canary.txt", "a/outside/canary.txt",
                                     "a/outside/01/01/9/canary.txt"})
            QVERIFY(writeBytes(inSandbox(QString::fromUtf8(relative)), kCanary));
        home = std::make_unique<TestHome>();
        prompter = std::make_unique<ScriptedPrompter>();
        QVERIFY(FirstRunSetup::complete(home->paths(), QStringLiteral("工作库"), inSandbox("a/b"),
                                        *prompter));
        ws = std::make_unique<Workspace>(home->paths(), *prompter);
        QVERIFY(ws->loadConfiguration([] { return true; }));
        QVERIFY(ws->OpenStartBase());
        baseFolder = ws->currentBase().FilesRoot;
        QCOMPARE(baseFolder, inSandbox(QStringLiteral("a/b/我的知识库/")));
        // The welcome materials make way for the ones each case files.
        QVERIFY(ws->store().ExecuteStatement(QStringLiteral("delete from KeyWordTable")));
        QVERIFY(ws->store().ExecuteStatement(QStringLiteral("delete from MinuItemTable")));
        QVERIFY(QDir(inBase("01")).removeRecursively());

        // The ways out through links: a material folder that is one, and
        // one on the way to a material folder.
        QVERIFY(QDir().mkpath(inBase("01/01/01")));
        QVERIFY(QFile::link(inSandbox("a/outside"), inBase("01/01/01/8")));
        QVERIFY(QFile::link(inSandbox("a/outside"), inBase("02")));

        clipboard = std::make_unique<MaterialClipboard>();
        service =
            std::make_unique<TreeService>(ws->store(), ws->currentBase(), *prompter, *clipboard);
        tree = std::make_unique<CategoryTreeModel>(*service);
        bin =
            std::make_unique<RecycleBinModel>(ws->store(), ws->currentBase(), *prompter, *service);
        panes = std::make_unique<MaterialPanes>(ws->store(), ws->currentBase(), *prompter,
                                                ws->paths(), *clipboard);
        panes->connectTree(*service);
        panes->connectRecycleBin(*bin);
        checkModel(tree.get());
        checkModel(bin.get());
        checkModel(&panes->list());
        checkModel(&panes->openMaterials());
        checkModel(&panes->dock());
        outsideBefore = outsideTheBase();
        QCOMPARE(outsideBefore.size(), 11); // 4 canaries in 7 folders
    }

    void cleanup() {
        panes.reset();
        bin.reset();
        tree.reset();
        clipboard.reset();
        ws.reset();
        QCOMPARE(outsideTheBase(), outsideBefore);
        home.reset();
        sandbox.reset();
    }

    void theTreeShowsWellFormedItemsOnceAndSkipsTheRest() {
        Recordset insert(&ws->database());
        const QString statement = QStringLiteral(
            "insert into ItemTable(ItemID,ItemName,ItemFlag,Preference) values(?,?,'AOS',?)");
        const QList<std::pair<QVariant, QString>> rows = {
            {QString(), QStringLiteral("空码")},
            {QVariant(), QStringLiteral("无码")},
            {QStringLiteral("03"), QStringLiteral("两位码")},
            {QStringLiteral("0300"), QStringLiteral("四位码")},
            {QStringLiteral("03000000"), QStringLiteral("八位码")},
            {QStringLiteral("..0000"), QStringLiteral("点码")},
            {QStringLiteral("0a0000"), QStringLiteral("小写码")},
            {QStringLiteral("010100"), QStringLiteral("重复的大项")},
            {QStringLiteral("040000"), QString(5000, QChar(u'长'))},
            {QStringLiteral("050000"), QString()},
        };
        int preference = 100;
        for (const auto& [code, name] : rows)
            QVERIFY(insert.Open(statement, {code, name, preference++}));
        setRaw(QStringLiteral("ItemTable"), QStringLiteral("ItemName"), "\xff\xfe\x80",
               QStringLiteral("ItemID='050000'"));
        load();

        // Codes of six characters show, as stored; shorter and longer ones do not.
        QStringList roots;
        for (int r = 0; r < tree->rowCount(); ++r)
            roots << tree->index(r, 0).data().toString().right(8);
        QCOMPARE(roots, QStringList({"(010000)", "(..0000)", "(0a0000)", "(040000)", "(050000)"}));
        QCOMPARE(tree->index(3, 0).data().toString(),
                 QString(5000, QChar(u'长')) + QStringLiteral("(040000)"));
        QCOMPARE(tree->index(4, 0).data().toString(), QStringLiteral("\ufffd\ufffd\ufffd(050000)"));
        // A code stored twice shows once; the row read first stays.
        QCOMPARE(tree->rowCount(tree->indexOf("010000")), 2);
        QCOMPARE(column("select ItemName from ItemTable where ItemID='010100'"),
                 QStringList({"使用入门"}));

        // Nothing is added under a malformed code, nor is it deleted by a
        // pattern it would widen.
        QVERIFY(!tree->indexOf(service->addChild(CategoryTreeModel::codeOf(tree->index(1, 0)))
                                   .value_or(QString()))
                     .isValid());
        expectShown(QStringLiteral("错误"), QStringLiteral("添加知识库大项失败!"));
        QVERIFY(!service->recycleItem(CategoryTreeModel::codeOf(tree->index(2, 0))));
        expectShown(QStringLiteral("错误"), QStringLiteral("删除知识库项 '小写码(0a0000)' 失败!"));
        QVERIFY(ws->store().ExecuteStatement(
            QStringLiteral("update ItemTable set ItemFlag='EOS' where ItemID='0a0000'")));
        bin->load();
        const QStringList items = column("select ItemID from ItemTable order by ID");
        QVERIFY(!bin->clearRow(0));
        expectShown(QStringLiteral("错误"), QStringLiteral("清除知识库项失败!"));
        QCOMPARE(column("select ItemID from ItemTable order by ID"), items);
    }

    void everyCommandStaysInsideTheBase_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("leadsOut");
        QTest::addColumn<bool>("clearable");
        QTest::newRow("empty") << QByteArray() << true << false;
        QTest::newRow("absolute") << QByteArray("<sandbox>/a/b/x/") << true << false;
        QTest::newRow("climbs out") << QByteArray("../../") << true << false;
        QTest::newRow("climbs out half-way") << QByteArray("01/../../x/") << true << false;
        QTest::newRow("climbs out in Windows form") << QByteArray("..\\..\\") << true << false;
        QTest::newRow("a link out") << QByteArray("01/01/01/8/") << true << false;
        QTest::newRow("a link on the way") << QByteArray("02/01/01/9/") << true << false;
        // Inside the base, but not this material's own folder.
        QTest::newRow("the base's database") << QByteArray("Keepsake.mdb/") << false << false;
        QTest::newRow("an item's folder") << QByteArray("01/01/01/") << false << false;
        QTest::newRow("another material's folder") << QByteArray("01/01/01/1/") << false << false;
        // Inside the base, and no folder is there: the row can go.
        QTest::newRow("over-long") << "01/01/01/" + QByteArray(5000, 'a') + "/" << false << true;
        QTest::newRow("not text") << QByteArray("01/01/01/\xff\xfe\x80/") << false << true;
    }

    void everyCommandStaysInsideTheBase() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, leadsOut);
        QFETCH(bool, clearable);
        stored.replace("<sandbox>", QFile::encodeName(sandbox->path()));
        addGoodMaterial(1, QStringLiteral("010101"));
        addRow(30, QStringLiteral("危险资料"), QStringLiteral("010101"), 1, {}, stored);
        load();
        QVERIFY(listRow("30") >= 0);

        // Open: no folder outside the base to show pages from.
        const MaterialOpening::Target target =
            MaterialOpening::TargetOf(list().materialAt(listRow("30")));
        QCOMPARE(target.folder.isEmpty(), leadsOut);

        // Add description file: a new file only in a folder of the base;
        // else none, and the row stays as it was.
        const bool folderThere = QFileInfo(target.folder).isDir();
        QCOMPARE(panes->service().addDescription(list().materialAt(listRow("30")),
                                                 QStringLiteral("*.rtf")),
                 folderThere);
        if (!folderThere) {
            expectShown(QStringLiteral("错误"), QStringLiteral("创建资料描述文件失败!"));
            QCOMPARE(column("select DescribeFileType from MinuItemTable where MinuItemID=30"),
                     QStringList({"1"}));
        }

        // Docked and open in a window: its folder is no folder.
        QVERIFY(panes->dockMaterial(list().materialAt(listRow("30"))));
        const int docked = panes->dock().rowOf(QStringLiteral("30"), baseId());
        QCOMPARE(panes->dock().decideOpen(docked, true), DockStationModel::OpenAction::Activate);
        if (leadsOut)
            expectShown(QStringLiteral("错误"),
                        QStringLiteral("该资料的文件目录已经失效，打开失败!"));

        // Search: the files a path out of the base points at are not the base's.
        if (leadsOut)
            QCOMPARE(canaryFilesFound(), 0);
        QCOMPARE(namesFound(QStringLiteral("危险")).size(), 1);

        // Cut and pasted into another item: only its category changes.
        QVERIFY(list().cut(listRow("30")));
        QVERIFY(service->paste("010102"));
        QCOMPARE(column("select ItemID from MinuItemTable where MinuItemID=30"),
                 QStringList({"010102"}));

        // To the recycle bin, back, and again; clearing deletes no folder
        // outside the base and keeps the row of one it refused.
        QVERIFY(list().showMaterialsOf(QStringLiteral("010102")));
        QVERIFY(panes->service().recycle(list().materialAt(listRow("30"))));
        QVERIFY(bin->restore(binRow("30")));
        QCOMPARE(flagOf(30), QStringLiteral("AOS"));
        QVERIFY(panes->service().recycle(list().materialAt(listRow("30"))));
        QCOMPARE(flagOf(30), QStringLiteral("EOS"));
        QCOMPARE(bin->clearRow(binRow("30")), clearable);
        if (clearable) {
            QCOMPARE(flagOf(30), QString());
        } else {
            expectShown(QStringLiteral("错误"), QStringLiteral("有文件正在被使用，无法删除!"));
            QCOMPARE(flagOf(30), QStringLiteral("EOS"));
            QVERIFY(binRow("30") >= 0);
        }
        QVERIFY(QFileInfo(inBase("01/01/01/1/好资料.rtf")).isFile());
        QVERIFY(QFileInfo(inBase("Keepsake.mdb")).isFile());
    }

    void clearingAnItemStopsAtAFolderOutside() {
        addGoodMaterial(1, QStringLiteral("010102"));
        addRow(2, QStringLiteral("链接"), QStringLiteral("010102"), 1, {}, "01/01/01/8/");
        addGoodMaterial(3, QStringLiteral("010102"));
        load();
        QVERIFY(service->recycleItem("010102"));
        QVERIFY(!bin->clearRow(binRow({}, QStringLiteral("010102"))));
        expectShown(QStringLiteral("错误"),
                    QStringLiteral(
                        "清除知识库项时只删除了部分资料文件夹（1/3），其余资料保留在回收站中。"));
        // What went before the refusal is gone; the rest and the item stay.
        QVERIFY(!QFileInfo::exists(inBase("01/01/02/1")));
        QVERIFY(QFileInfo::exists(inBase("01/01/02/3/好资料.rtf")));
        QCOMPARE(column("select MinuItemID from MinuItemTable order by MinuItemID"),
                 QStringList({"2", "3"}));
        QCOMPARE(column("select ItemFlag from ItemTable where ItemID='010102'"),
                 QStringList({"EOS"}));
    }

    void materialsUnderCodesOfTheWrongLengthCanBeMovedOrCleared() {
        for (const auto& [id, code] : {std::pair(70, "0101"), std::pair(71, "01010101")}) {
            const QString folder = QStringLiteral("01/01/01/%1/").arg(id);
            addRow(id, QStringLiteral("坏码"), QString::fromLatin1(code), 0,
                   QStringLiteral("坏码.rtf"), folder.toUtf8());
            QVERIFY(writeBytes(inBase(folder + QStringLiteral("坏码.rtf")), "{\\rtf1 }"));
        }
        load(CategoryCode::kWholeBase);
        QCOMPARE(list().rowCount(), 2);

        // Pasted onto an item, a material is filed properly again.
        QVERIFY(list().cut(listRow("70")));
        QVERIFY(service->paste("010102"));
        QVERIFY(list().showMaterialsOf(QStringLiteral("010102")));
        QCOMPARE(list().rowCount(), 1);

        // Deleted, it cannot come back under no item; it can be cleared.
        QVERIFY(list().showMaterialsOf(CategoryCode::kWholeBase));
        QVERIFY(panes->service().recycle(list().materialAt(listRow("71"))));
        QVERIFY(!bin->restore(binRow("71")));
        expectShown(QStringLiteral("错误"), QStringLiteral("还原资料 '坏码' 失败!"));
        QCOMPARE(flagOf(71), QStringLiteral("EOS"));
        QVERIFY(bin->clearRow(binRow("71")));
        QVERIFY(!QFileInfo::exists(inBase("01/01/01/71")));
        QVERIFY(QFileInfo::exists(inBase("01/01/01/70/坏码.rtf")));
    }

    void hostileDescriptionFilesAreNeitherOpenedNorDeleted_data() {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("climbs out") << QStringLiteral("../../../../../../canary.txt");
        QTest::newRow("absolute") << QStringLiteral("<sandbox>/a/canary.txt");
        QTest::newRow("a link out") << QStringLiteral("说明.txt");
    }

    void hostileDescriptionFilesAreNeitherOpenedNorDeleted() {
        QFETCH(QString, fileName);
        fileName.replace(QStringLiteral("<sandbox>"), sandbox->path());
        addRow(40, QStringLiteral("描述"), QStringLiteral("010101"), 2, fileName, "01/01/01/40/");
        QVERIFY(QDir().mkpath(inBase("01/01/01/40")));
        QVERIFY(QFile::link(inSandbox("a/outside/canary.txt"), inBase("01/01/01/40/说明.txt")));
        load();

        const MaterialRecord material = list().materialAt(listRow("40"));
        QCOMPARE(MaterialOpening::TargetOf(material).file, QString());
        // Deleting forgets the description; the file it named stays, and the
        // user is told so.
        QVERIFY(panes->service().removeDescription(list().materialAt(listRow("40"))));
        expectShown(
            QStringLiteral("错误"),
            QStringLiteral("删除资料描述文件 '%1' 失败!").arg(inBase("01/01/01/40/") + fileName));
        QCOMPARE(column("select DescribeFileType from MinuItemTable where MinuItemID=40"),
                 QStringList({"1"}));
        QVERIFY(QFileInfo(inBase("01/01/01/40/说明.txt")).isSymLink());
    }

    void addingADescriptionNeverWritesThroughALink() {
        // The description's name is taken by a link out of the base.
        addRow(41, QStringLiteral("说明"), QStringLiteral("010101"), 1, {}, "01/01/01/41/");
        QVERIFY(QDir().mkpath(inBase("01/01/01/41")));
        QVERIFY(QFile::link(inSandbox("a/outside/canary.txt"), inBase("01/01/01/41/说明.rtf")));
        load();
        QVERIFY(!panes->service().addDescription(list().materialAt(listRow("41")),
                                                 QStringLiteral("*.rtf")));
        expectShown(QStringLiteral("错误"), QStringLiteral("创建资料描述文件失败!"));
        QCOMPARE(column("select DescribeFileType from MinuItemTable where MinuItemID=41"),
                 QStringList({"1"}));
    }

    void hostileNamesAreShownAndStayInTheirFolder_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("describable");
        const QString longName(5000, QChar(u'长'));
        QTest::newRow("empty") << QByteArray() << QString() << false;
        QTest::newRow("over-long") << longName.toUtf8() << longName << false;
        QTest::newRow("not text") << QByteArray("\xff\xfe名") << QStringLiteral("\ufffd\ufffd名")
                                  << true;
        QTest::newRow("climbs out")
            << QByteArray("../../../../../../canary") << "../../../../../../canary" << false;
        QTest::newRow("absolute") << QByteArray("<sandbox>/a/canary") << "<sandbox>/a/canary"
                                  << false;
        QTest::newRow("field and line breaks")
            << QByteArray("甲|乙\r\n丙") << "甲|乙\r\n丙" << true;
    }

    void hostileNamesAreShownAndStayInTheirFolder() {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        QFETCH(bool, describable);
        name.replace("<sandbox>", QFile::encodeName(sandbox->path()));
        shown.replace(QStringLiteral("<sandbox>"), sandbox->path());
        addRow(50, {}, QStringLiteral("010101"), 1, {}, "01/01/01/50/");
        setRaw(QStringLiteral("MinuItemTable"), QStringLiteral("MinuItemName"), name,
               QStringLiteral("MinuItemID=50"));
        QVERIFY(QDir().mkpath(inBase("01/01/01/50")));
        load();
        QCOMPARE(list().materialAt(listRow("50")).MinuItemName, shown);

        QCOMPARE(panes->service().addDescription(list().materialAt(listRow("50")),
                                                 QStringLiteral("*.txt")),
                 describable);
        if (describable)
            QVERIFY(QFileInfo(inBase("01/01/01/50/" + shown + ".txt")).isFile());
        else if (shown.isEmpty()) // the menu offers nothing for a nameless row
            QVERIFY(prompter->shown.isEmpty());
        else
            expectShown(QStringLiteral("错误"), QStringLiteral("创建资料描述文件失败!"));

        // The dock station file keeps one entry per material, whatever its name.
        QVERIFY(panes->dockMaterial(list().materialAt(listRow("50"))));
        panes->service().loadDockStation();
        QCOMPARE(panes->dock().rowCount(), 1);
        QCOMPARE(panes->dock().entryAt(0).Material.MinuItemID, QStringLiteral("50"));
    }

    void aMaterialWithoutAUsableIdIsNeverTakenForAnItem_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("empty") << QString();
        QTest::newRow("not a number") << QStringLiteral("abc");
        QTest::newRow("beyond 32 bits") << QStringLiteral("4294967297"); // reads as 1
    }

    void aMaterialWithoutAUsableIdIsNeverTakenForAnItem() {
        QFETCH(QString, id);
        addGoodMaterial(1, QStringLiteral("010101"));
        QVERIFY(ws->store().ExecuteStatement(
            QStringLiteral("insert into MinuItemTable(MinuItemID,MinuItemName,ItemID,"
                           "MinuItemFilePath,MinuItemFlag) values(?,'坏编号','010101',"
                           "'01/01/01/8/','EOS')"),
            {id}));
        load();
        // Whatever the recycle bin shows, clearing all of it leaves the live
        // item and its live material alone.
        clearEverything();
        QCOMPARE(column("select ItemFlag from ItemTable where ItemID='010101'"),
                 QStringList({"AOS"}));
        QCOMPARE(flagOf(1), QStringLiteral("AOS"));
        QVERIFY(QFileInfo::exists(inBase("01/01/01/1/好资料.rtf")));
    }

    void materialIdsStoredTwiceClearOnlyInsideTheBase() {
        // A base made without the unique index on the material id.
        QVERIFY(
            ws->store().ExecuteStatement(QStringLiteral("drop index MinuItemTable_MinuItemID")));
        addRow(60, QStringLiteral("第一"), QStringLiteral("010101"), 1, {}, "01/01/01/60/", "EOS");
        addRow(60, QStringLiteral("第二"), QStringLiteral("010101"), 1, {}, "01/01/01/8/", "EOS");
        QVERIFY(QDir().mkpath(inBase("01/01/01/60")));
        load();
        QCOMPARE(bin->rowCount(), 2);
        clearEverything();
        QVERIFY(!QFileInfo::exists(inBase("01/01/01/60")));
    }

    void creatingAMaterialNeverWritesThroughALink() {
        // The next material's folder would be 01/01/01/8, a link out.
        addRow(7, QStringLiteral("第七"), QStringLiteral("010101"), 1, {}, "01/01/01/7/");
        load();
        QVERIFY(!panes->service().create(QStringLiteral("010101"), QStringLiteral("新资料"),
                                         QStringLiteral("*.rtf")));
        expectShown(QStringLiteral("错误"),
                    QStringLiteral("创建本地资料目录 '%1' 失败!").arg(inBase("01/01/01/8/")));
        QCOMPARE(column("select count(*) from MinuItemTable"), QStringList({"1"}));
    }

    void exportingAHostileTreeKeepsOneLinePerItem() {
        setRaw(QStringLiteral("ItemTable"), QStringLiteral("ItemName"), "\xff\xfe|\r\n",
               QStringLiteral("ItemID='010101'"));
        QVERIFY(ws->store().RenameItem(QStringLiteral("010102"), QString(5000, QChar(u'长'))));
        Recordset insert(&ws->database());
        QVERIFY(insert.Open(QStringLiteral("insert into ItemTable(ItemID,ItemName,ItemFlag) "
                                           "values('0300','四位码','AOS')")));
        const QString file = home->path(QStringLiteral("tree.QCK"));
        QVERIFY(CategoryTreeFile::ExportTree(ws->store(), ws->currentBase(), ws->prompter(), file));
        const QList<CategoryTreeFile::Entry> entries = CategoryTreeFile::ReadEntries(file);
        QCOMPARE(entries.size(), 6);
        QCOMPARE(entries[2], (CategoryTreeFile::Entry{2, QStringLiteral("\ufffd\ufffd   ")}));
        QCOMPARE(entries[3], (CategoryTreeFile::Entry{2, QString(5000, QChar(u'长'))}));
    }
};

QTEST_GUILESS_MAIN(TestHostileBase)
#include "tst_hostilebase.moc"
