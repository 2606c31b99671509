#include "TestHome.h"
#include "config/CFolderTool.h"

#include <QTemporaryDir>
#include <QtTest>

class TestFolderTool : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString at(const QString& relative) const { return m_dir.filePath(relative); }

    void put(const QString& relative, const QByteArray& bytes = "x") const {
        QVERIFY(writeBytes(at(relative), bytes));
    }
    QByteArray content(const QString& relative) const { return readBytes(at(relative)); }

    void link(const QString& target, const QString& relative) const {
        QVERIFY(QFile::link(at(target), at(relative)));
    }

private Q_SLOTS:
    void init() { QVERIFY(CFolderTool::DeleteTree(m_dir.path(), false)); }

    void testsAndCreatePath() {
        link("nowhere", "dangling");
        QVERIFY(CFolderTool::Exists(at("dangling")));
        QVERIFY(!CFolderTool::IsDirectory(at("dangling")));
        QStringList created;
        QVERIFY(CFolderTool::CreatePath(at("a/b"), &created));
        QCOMPARE(created, QStringList({at("a"), at("a/b")}));
        put("file");
        QVERIFY(!CFolderTool::CreatePath(at("file/sub")));
    }

    void deleteTreeNeverFollowsLinks() {
        put("outside/keep.txt", "keep");
        put("outsideFile", "file");
        put("tree/.hidden");
        put("tree/sub/b.txt");
        link("outside", "tree/linkToFolder");
        link("outside", "tree/sub/deepLink");
        link("outsideFile", "tree/linkToFile");
        link("gone", "tree/dangling");
        link("outside", "linkedTree");

        // Emptying a linked folder would reach the files it points at.
        QVERIFY(!CFolderTool::DeleteTree(at("linkedTree"), false));
        QVERIFY(CFolderTool::DeleteTree(at("linkedTree"), true));
        QVERIFY(CFolderTool::DeleteTree(at("tree"), false));
        QVERIFY(
            QDir(at("tree"))
                .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
        QVERIFY(CFolderTool::DeleteTree(at("tree"), true));
        QVERIFY(!CFolderTool::Exists(at("tree")) && !CFolderTool::Exists(at("linkedTree")));
        QCOMPARE(content("outside/keep.txt"), QByteArray("keep"));
        QCOMPARE(content("outsideFile"), QByteArray("file"));
    }

    void copyTreeKeepsExistingFiles() {
        put("src/a.txt", "new a");
        put("src/sub/b.txt", "new b");
        put("dst/a.txt", "mine");
        QStringList created;
        QVERIFY(CFolderTool::CopyTree(at("src"), at("dst"), &created));
        QCOMPARE(content("dst/a.txt"), QByteArray("mine"));
        QCOMPARE(content("dst/sub/b.txt"), QByteArray("new b"));
        QCOMPARE(created, QStringList({at("dst/sub"), at("dst/sub/b.txt")}));

        // Taking the copy back leaves what was there and what came later.
        put("dst/sub/later.txt");
        CFolderTool::RemoveCreated(created);
        QCOMPARE(content("dst/a.txt"), QByteArray("mine"));
        QVERIFY(!QFile::exists(at("dst/sub/b.txt")) && QFile::exists(at("dst/sub/later.txt")));

        // Never into itself, also not through a link; a look-alike name is fine.
        link("src", "alias");
        QVERIFY(!CFolderTool::CopyTree(at("src"), at("alias/copy")));
        QVERIFY(!CFolderTool::Exists(at("src/copy")));
        QVERIFY(CFolderTool::CopyTree(at("src"), at("src2")));
    }
};

QTEST_GUILESS_MAIN(TestFolderTool)
#include "tst_foldertool.moc"
