#include "TestBase.h"
#include "TestHome.h"
#include "materials/DescriptionFiles.h"
#include "materials/MaterialCreator.h"
#include "materials/MaterialOpening.h"
#include "rtf/RtfTemplate.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// Every file and folder below the base's folder except the database's own.
QStringList tree(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(root).relativeFilePath(it.next());
        if (!path.startsWith(QLatin1String("Keepsake.mdb")))
            found.append(path);
    }
    found.sort();
    return found;
}

} // namespace

class TestMaterialCreation : public QObject {
    Q_OBJECT

    std::unique_ptr<TestBase> t;
    std::unique_ptr<MaterialCreator> creator;

    QStringList shownTexts() const {
        QStringList texts;
        for (const auto& s : t->prompter.shown)
            texts << s.caption + QLatin1Char(':') + s.text;
        return texts;
    }
    QString materialCount() { return t->column("select count(*) from MinuItemTable").value(0); }

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestBase>();
        t->addItems({"010000", "010200", "010203", "010204"});
        creator = std::make_unique<MaterialCreator>(t->store, t->base, t->prompter);
    }
    void cleanup() {
        creator.reset();
        t.reset();
    }

    void firstMaterialOfAnEmptyBase() {
        const auto m = creator->Create("010203", "会议记录", "*.rtf");
        QVERIFY(m);
        QCOMPARE(m->Fields(), QStringList({"1", "会议记录", "测试库\\名010000\\名010200\\名010203",
                                           "010203", "0", "会议记录.rtf", "01/02/03/1/",
                                           "2009-03-07 14:05:09", "", "", "1", t->base.FilesRoot}));
        const QByteArray rtf = readBytes(t->folder("01/02/03/1/会议记录.rtf"));
        QCOMPARE(rtf.size(), 156);
        QCOMPARE(rtf, RtfTemplate::bytes());
        QVERIFY(rtf.startsWith("{\\rtf1") && rtf.endsWith("\\par }\n"));
        QCOMPARE(t->column("select MinuItemFilePath||'|'||MinuItemFlag from MinuItemTable"),
                 QStringList({"01/02/03/1/|AOS"}));
        QVERIFY(t->prompter.shown.isEmpty());
        const MaterialOpening::Target opened = MaterialOpening::TargetOf(*m);
        QCOMPARE(opened.viewer, MaterialOpening::Viewer::RichText);
        QCOMPARE(opened.file, t->folder("01/02/03/1/会议记录.rtf"));

        QCOMPARE(creator->Create("010203", "第二份", "*.rtf")->MinuItemID, QString("2"));
    }

    void namesAreCleanedAndChecked_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, const QString& typed, const QString& stored,
                      const QString& message) {
            QTest::newRow(name) << typed << stored << message;
        };
        const QString hundred(100, 'n'), empty("提示:资料名不能为空!");
        row("all nine and a line break", " x\\/:*?\"<>|\ny ", "x          y", "");
        row("100 characters", hundred, hundred, "");
        row("101 characters", hundred + "n", "", "提示:资料名太长!");
        row("101 before trimming", " " + hundred + " ", hundred, "");
        row("only blanks", "   ", "", empty);
        row("only forbidden", "|?*", "", empty);
    }
    void namesAreCleanedAndChecked() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        const auto m = creator->Create("010203", typed, "null");
        QCOMPARE(m.has_value(), !stored.isEmpty());
        if (m)
            QCOMPARE(t->column("select MinuItemName from MinuItemTable"), QStringList({stored}));
        QCOMPARE(shownTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
    }

    void descriptionTypes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("type"); // empty: refused
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QString bad("提示:资料描述文件类型不符合规范!");
        auto row = [](const char* name, const QString& typed, const QString& type,
                      const QString& file, const QByteArray& content) {
            QTest::newRow(name) << typed << type << file << content << QString();
        };
        auto refused = [](const char* name, const QString& typed, const QString& message) {
            QTest::newRow(name) << typed << QString() << QString() << QByteArray() << message;
        };
        row("upper-case rtf", " *.RTF ", "0", "名.rtf", RtfTemplate::bytes());
        row("htm", "*.htm", "2", "名.htm", "  ");
        row("NULL", "NULL", "1", "", {});
        refused("rtf without *.", "rtf", bad);
        refused("*.", "*.", bad);
        refused("empty", "  ", "提示:请选择描述文件类型!");
        refused("leads out of the folder", "*./../../../../x", bad);
    }
    void descriptionTypes() {
        QFETCH(QString, typed);
        QFETCH(QString, type);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const auto m = creator->Create("010203", "名", typed);
        QCOMPARE(shownTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        if (type.isEmpty()) {
            QVERIFY(!m);
            QCOMPARE(tree(t->folder()), QStringList());
            return;
        }
        QCOMPARE(m->DescribeFileType, type);
        QCOMPARE(m->MinuItemDescribeFilename, file);
        const QStringList expected =
            file.isEmpty()
                ? QStringList({"01", "01/02", "01/02/03", "01/02/03/1"})
                : QStringList({"01", "01/02", "01/02/03", "01/02/03/1", "01/02/03/1/" + file});
        QCOMPARE(tree(t->folder()), expected);
        if (!file.isEmpty())
            QCOMPARE(readBytes(t->folder("01/02/03/1/" + file)), content);
    }

    void onlyAnExistingMinorTakesMaterials_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("major") << "010200";
        QTest::newRow("no such minor") << "010205";
        QTest::newRow("not a code") << "01%203";
    }
    void onlyAnExistingMinorTakesMaterials() {
        QFETCH(QString, code);
        QVERIFY(!creator->Create(code, "名", "*.rtf"));
        QCOMPARE(shownTexts(), QStringList({"提示:请在知识库窗口中选择知识库小项再创建资料!"}));
        QCOMPARE(materialCount(), QString("0"));
        QCOMPARE(tree(t->folder()), QStringList());
    }

    // A folder path blocked by a file: nothing is written to the database
    // and what was there before stays as it was.
    void blockedFolderWritesNothing() {
        QVERIFY(writeBytes(t->folder("01/02/keep.txt"), "mine"));
        QVERIFY(writeBytes(t->folder("01/02/03"), "a file, not a folder"));
        QVERIFY(!creator->Create("010203", "名", "*.rtf"));
        QCOMPARE(shownTexts(), QStringList({"错误:创建本地资料目录 '" + t->base.FilesRoot +
                                            "01/02/03/1/' 失败!"}));
        QCOMPARE(materialCount(), QString("0"));
        QCOMPARE(tree(t->folder()), QStringList({"01", "01/02", "01/02/03", "01/02/keep.txt"}));
        QCOMPARE(readBytes(t->folder("01/02/03")), QByteArray("a file, not a folder"));
    }

    void failedInsertTakesBackOnlyItsOwnWrites() {
        QVERIFY(writeBytes(t->folder("01/keep.txt"), "mine"));
        QVERIFY(t->store.ExecuteStatement("create trigger refuse before insert on MinuItemTable "
                                          "begin select raise(fail, 'refused'); end"));
        QVERIFY(!creator->Create("010203", "名", "*.rtf"));
        QCOMPARE(shownTexts(), QStringList({"错误:入本地知识库失败!"}));
        QCOMPARE(tree(t->folder()), QStringList({"01", "01/keep.txt"}));
    }

    // Without a fresh id the creation would write into material 1's folder.
    void noIdNoWrites() {
        QVERIFY(creator->Create("010203", "名", "*.rtf"));
        QVERIFY(writeBytes(t->folder("01/02/03/1/名.rtf"), "the user's notes"));
        QVERIFY(t->store.ExecuteStatement("insert into MinuItemTable(MinuItemID) values('x')"));
        QVERIFY(!creator->Create("010203", "名", "*.htm"));
        QCOMPARE(shownTexts(), QStringList({"错误:入本地知识库失败!"}));
        QCOMPARE(tree(t->folder()),
                 QStringList({"01", "01/02", "01/02/03", "01/02/03/1", "01/02/03/1/名.rtf"}));
        QCOMPARE(readBytes(t->folder("01/02/03/1/名.rtf")), QByteArray("the user's notes"));
    }

    // Files left where a new material's folder goes (by a creation that
    // died before storing its row) are not the new material's: they are
    // moved aside whole, and the material starts in an empty folder.
    void filesAlreadyInTheFolderAreMovedAside() {
        QVERIFY(writeBytes(t->folder("01/02/03/1/名.rtf"), "left behind"));
        QVERIFY(writeBytes(t->folder("01/02/03/1/名.htm/page.htm"), "a folder in the way"));
        QVERIFY(writeBytes(t->folder("01/02/03/1.stale-20090307140509/x"), "an older leftover"));
        const auto m = creator->Create("010203", "名", "*.rtf");
        QVERIFY(m);
        const QString aside = t->folder("01/02/03/1.stale-20090307140509-2");
        QCOMPARE(shownTexts(), QStringList({"提示:资料目录 '" + t->folder("01/02/03/1") +
                                            "' 中已有其他文件，已移到 '" + aside + "'。"}));
        QCOMPARE(tree(t->folder("01/02/03/1")), QStringList({"名.rtf"}));
        QCOMPARE(readBytes(t->folder("01/02/03/1/名.rtf")), RtfTemplate::bytes());
        QCOMPARE(tree(aside), QStringList({"名.htm", "名.htm/page.htm", "名.rtf"}));
        QCOMPARE(readBytes(aside + "/名.rtf"), QByteArray("left behind"));
        QCOMPARE(readBytes(t->folder("01/02/03/1.stale-20090307140509/x")),
                 QByteArray("an older leftover"));
    }

    void anEmptyFolderIsSimplyUsed() {
        QVERIFY(QDir().mkpath(t->folder("01/02/03/1")));
        QVERIFY(creator->Create("010203", "名", "*.txt"));
        QCOMPARE(shownTexts(), QStringList());
        QCOMPARE(tree(t->folder("01/02/03")), QStringList({"1", "1/名.txt"}));
    }

    // A hundred Chinese characters are 300 bytes: more than a file name may
    // have here, so the name is too long for a description file.
    void nameTooLongForAFileName() {
        const QString name(100, QChar(0x6587));
        QVERIFY(!creator->Create("010203", name, "*.rtf"));
        QCOMPARE(shownTexts(), QStringList({"提示:资料名太长!"}));
        QVERIFY(creator->Create("010203", name, "null"));
    }

    void openAfterwardsRememberedOnSuccessOnly() {
        QVERIFY(creator->openAfterwards());
        QVERIFY(!creator->Create("010203", "", "*.rtf", false));
        QVERIFY(creator->openAfterwards());
        QVERIFY(creator->Create("010203", "名", "*.rtf", false));
        QVERIFY(!creator->openAfterwards());
    }

    void addingADescription() {
        auto m = creator->Create("010203", "名", "null");
        DescriptionFiles files(t->store, t->base, t->prompter);
        QVERIFY(DescriptionFiles::CanAdd(*m));

        // As typed: upper case is another type, and the file gets one blank.
        QVERIFY(files.Add(*m, "*.RTF"));
        QCOMPARE(m->DescribeFileType, QString("2"));
        QCOMPARE(readBytes(t->folder("01/02/03/1/名.RTF")), QByteArray(" "));
        QCOMPARE(t->column("select DescribeFileType||'|'||MinuItemDescribeFilename from "
                           "MinuItemTable"),
                 QStringList({"2|名.RTF"}));

        QVERIFY(files.Remove(*m));
        QVERIFY(!QFileInfo::exists(t->folder("01/02/03/1/名.RTF")));
        QVERIFY(files.Add(*m, "*.rtf"));
        QCOMPARE(m->DescribeFileType, QString("0"));
        QCOMPARE(readBytes(t->folder("01/02/03/1/名.rtf")), RtfTemplate::bytes());

        QVERIFY(!files.Add(*m, "*.htm")); // it has one already
        QVERIFY(t->prompter.shown.isEmpty());
        QVERIFY(files.Remove(*m));
        QVERIFY(!files.Add(*m, "rtf"));
        QCOMPARE(shownTexts(), QStringList({"提示:请选择新建该资料的描述文件类型!"}));
    }

    void addingKeepsAFileOfThatName() {
        auto m = creator->Create("010203", "名", "null");
        QVERIFY(writeBytes(t->folder("01/02/03/1/名.txt"), "kept"));
        QVERIFY(DescriptionFiles(t->store, t->base, t->prompter).Add(*m, "*.txt"));
        QCOMPARE(readBytes(t->folder("01/02/03/1/名.txt")), QByteArray("kept"));
        QCOMPARE(m->MinuItemDescribeFilename, QString("名.txt"));
    }

    void failedRowUpdateTakesTheNewFileBack() {
        auto m = creator->Create("010203", "名", "null");
        const MaterialRecord before = *m;
        QVERIFY(t->store.ExecuteStatement("create trigger refuse before update on MinuItemTable "
                                          "begin select raise(fail, 'refused'); end"));
        QVERIFY(!DescriptionFiles(t->store, t->base, t->prompter).Add(*m, "*.rtf"));
        QCOMPARE(shownTexts(), QStringList({"错误:创建资料描述文件失败!"}));
        QCOMPARE(*m, before);
        QVERIFY(!QFileInfo::exists(t->folder("01/02/03/1/名.rtf")));
    }

    void removingWhenTheFileIsAlreadyGone() {
        auto m = creator->Create("010203", "名", "*.rtf");
        QVERIFY(QFile::remove(t->folder("01/02/03/1/名.rtf")));
        DescriptionFiles files(t->store, t->base, t->prompter);
        QVERIFY(files.Remove(*m));
        QCOMPARE(m->DescribeFileType, QString("1"));
        QCOMPARE(m->MinuItemDescribeFilename, QString());
        QCOMPARE(t->column("select DescribeFileType||'|'||MinuItemDescribeFilename from "
                           "MinuItemTable"),
                 QStringList({"1|"}));
        QVERIFY(DescriptionFiles::CanAdd(*m));
        QVERIFY(t->prompter.shown.isEmpty());
    }

    void removingNeverLeavesTheFolder() {
        auto m = creator->Create("010203", "名", "*.rtf");
        QVERIFY(writeBytes(t->folder("outside.txt"), "mine"));
        m->MinuItemDescribeFilename = "../../../../outside.txt";
        QVERIFY(DescriptionFiles(t->store, t->base, t->prompter).Remove(*m));
        QCOMPARE(readBytes(t->folder("outside.txt")), QByteArray("mine"));
    }
};

QTEST_GUILESS_MAIN(TestMaterialCreation)
#include "tst_materialcreation.moc"
