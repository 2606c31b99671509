// Stepping through a material's pages in the web preview: first, previous,
// next, a name chosen from the list and the list read again, on folders made
// for each case.

#include "web/CHtmlViewsDoc.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString& folder, const QStringList& names) {
    for (const QString& name : names) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

} // namespace

class TestHtmlViewsDoc : public QObject {
    Q_OBJECT

    QString file(const QString& name) const { return QDir(m_dir->path()).filePath(name); }

private Q_SLOTS:
    void init() {
        m_dir.emplace();
        touch(m_dir->path(), {"a.htm", "a.mht", "b.mht", "c.html"});
    }

    void opensOnTheFirstPage() {
        CHtmlViewsDoc doc;
        QCOMPARE(doc.showPagesOf(m_dir->path()), std::optional<QString>(file("a.htm")));
        QCOMPARE(doc.pages(), (QStringList{"a", "b", "c"}));
        QCOMPARE(doc.pageIndex(), 0);
        QCOMPARE(doc.currentPageName(), QStringLiteral("a"));
        QCOMPARE(doc.pageFolder(), m_dir->path());
        QVERIFY(doc.hasPages());
        QVERIFY(!doc.hasPrevious());
        QVERIFY(doc.hasNext());
    }

    void stepsStopAtTheEnds() {
        CHtmlViewsDoc doc;
        doc.showPagesOf(m_dir->path());
        QVERIFY(!doc.previousPage());
        QCOMPARE(doc.pageIndex(), 0);

        QCOMPARE(doc.nextPage(), std::optional<QString>(file("b.mht")));
        QCOMPARE(doc.nextPage(), std::optional<QString>(file("c.html")));
        QCOMPARE(doc.currentPageName(), QStringLiteral("c"));
        QVERIFY(!doc.hasNext());
        // Next on the last page keeps it and loads nothing.
        QVERIFY(!doc.nextPage());
        QCOMPARE(doc.pageIndex(), 2);
        QCOMPARE(doc.currentPageName(), QStringLiteral("c"));

        QCOMPARE(doc.previousPage(), std::optional<QString>(file("b.mht")));
        QCOMPARE(doc.firstPage(), std::optional<QString>(file("a.htm")));
        QCOMPARE(doc.pageIndex(), 0);
    }

    void chosenByName() {
        CHtmlViewsDoc doc;
        doc.showPagesOf(m_dir->path());
        QCOMPARE(doc.choosePage("c"), std::optional<QString>(file("c.html")));
        QCOMPARE(doc.pageIndex(), 2);
        QVERIFY(!doc.choosePage("d"));
        QCOMPARE(doc.pageIndex(), 2);
    }

    void emptyFolder() {
        QTemporaryDir empty;
        CHtmlViewsDoc doc;
        QVERIFY(!doc.showPagesOf(empty.path()));
        QVERIFY(!doc.hasPages());
        QVERIFY(!doc.hasPrevious());
        QVERIFY(!doc.hasNext());
        QVERIFY(!doc.firstPage());
        QVERIFY(!doc.nextPage());
        QCOMPARE(doc.pageIndex(), 0);
    }

    void refreshKeepsThePageShown() {
        CHtmlViewsDoc doc;
        doc.showPagesOf(m_dir->path());
        doc.nextPage(); // b
        touch(m_dir->path(), {"0.htm"});
        doc.refreshPages();
        QCOMPARE(doc.pages(), (QStringList{"0", "a", "b", "c"}));
        QCOMPARE(doc.pageIndex(), 2);
        QCOMPARE(doc.currentPageName(), QStringLiteral("b"));

        // The page shown gone: the place stays within the shorter list.
        doc.nextPage(); // c
        QVERIFY(QFile::remove(file("c.html")));
        QVERIFY(QFile::remove(file("b.mht")));
        doc.refreshPages();
        QCOMPARE(doc.pages(), (QStringList{"0", "a"}));
        QCOMPARE(doc.pageIndex(), 1);
        QVERIFY(!doc.hasNext());
    }

    void pageGoneSinceListed() {
        CHtmlViewsDoc doc;
        doc.showPagesOf(m_dir->path());
        QVERIFY(QFile::remove(file("b.mht")));
        QVERIFY(!doc.nextPage());
        QCOMPARE(doc.currentPageName(), QStringLiteral("b"));
    }

    void title() {
        CHtmlViewsDoc doc;
        QSignalSpy changed(&doc, &CHtmlViewsDoc::titleChanged);
        doc.setTitle(QStringLiteral("空白"));
        doc.setTitle(QStringLiteral("空白"));
        doc.setTitle(QStringLiteral("Page A"));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(doc.title(), QStringLiteral("Page A"));
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestHtmlViewsDoc)
#include "tst_htmlviewsdoc.moc"
