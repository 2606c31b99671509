#include "ScriptedPrompter.h"
#include "config/Profile.h"
#include "config/ResourceConfig.h"
#include "dialogs/CSearchFileTypeSet.h"
#include "search/FileSearchPreferences.h"
#include "search/SearchFileTypePage.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

enum { Add, Modify, Delete };

ResourceConfigData twoGroups() {
    ResourceConfigData config;
    config.SearchGroups = {{1, "pics"}, {2, "docs"}};
    config.SearchAllFiles = {{1, "*.txt"}, {2, "*.jpg"}, {3, "*.doc"}};
    config.SearchFiles = {{2, 1}, {1, 2}, {3, 2}};
    return config;
}

QStringList texts(const QListWidget& list) {
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text();
    return rows;
}

QStringList checked(const QListWidget& list) {
    QStringList rows;
    for (int i = 0; i < list.count(); ++i) {
        if (list.item(i)->checkState() == Qt::Checked)
            rows << list.item(i)->text();
    }
    return rows;
}

void clickRow(QListWidget& list, const QString& text) {
    const auto found = list.findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(found.first()).center());
}

// A profile of the test's own, so the user's real one is never touched.
struct TestProfile {
    QTemporaryDir dir;
    Profile profile{dir.filePath("Keepsake.conf")};
    FileSearchPreferences preferences{profile};
};

} // namespace

class TestSearchFileTypeSet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checkMarksFollowTheSelectedGroupAndChangeIt() {
        ResourceConfigData config = twoGroups();
        ScriptedPrompter prompter;
        SearchFileTypePage page(config, prompter);
        TestProfile profile;
        CSearchFileTypeSet set(page, profile.preferences, QString());
        set.show();
        QCOMPARE(texts(*set.groupList()), QStringList({"docs", "pics"}));
        QCOMPARE(texts(*set.typeList()), QStringList({"*.doc", "*.jpg", "*.txt"}));
        QVERIFY(checked(*set.typeList()).isEmpty());
        QVERIFY(!set.groupButton(Modify)->isEnabled());
        QVERIFY(!set.groupButton(Delete)->isEnabled());
        // No group: a mark springs back and nothing changes.
        set.typeList()->item(0)->setCheckState(Qt::Checked);
        QVERIFY(checked(*set.typeList()).isEmpty());
        QCOMPARE(config.SearchFiles.size(), 3);

        clickRow(*set.groupList(), "docs");
        QCOMPARE(checked(*set.typeList()), QStringList({"*.doc", "*.txt"}));
        QVERIFY(set.groupButton(Modify)->isEnabled());
        clickRow(*set.groupList(), "pics");
        QCOMPARE(checked(*set.typeList()), QStringList{"*.jpg"});
        set.typeList()->item(0)->setCheckState(Qt::Checked); // *.doc
        QCOMPARE(checked(*set.typeList()), QStringList({"*.doc", "*.jpg"}));
        clickRow(*set.groupList(), "docs");
        clickRow(*set.groupList(), "pics");
        QCOMPARE(checked(*set.typeList()), QStringList({"*.doc", "*.jpg"}));
        QVERIFY(page.ConfigChanged());
    }

    void groupEditsShowAtOnceAndTellTheOtherPage() {
        ResourceConfigData config = twoGroups();
        ScriptedPrompter prompter;
        SearchFileTypePage page(config, prompter);
        TestProfile profile;
        CSearchFileTypeSet set(page, profile.preferences, QString());
        QSignalSpy groupsChanged(&set, &CSearchFileTypeSet::groupsChanged);
        set.show();

        prompter.typeNext(QString("music"));
        QTest::mouseClick(set.groupButton(Add), Qt::LeftButton);
        QCOMPARE(texts(*set.groupList()), QStringList({"docs", "pics", "music"}));
        QCOMPARE(set.groupList()->currentItem()->text(), QString("music"));
        QCOMPARE(config.SearchGroups.size(), 3);
        QCOMPARE(groupsChanged.count(), 1);

        // A duplicate is refused and nothing moves.
        prompter.typeNext(QString("docs"));
        QTest::mouseClick(set.groupButton(Add), Qt::LeftButton);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(texts(*set.groupList()).size(), 3);
        QCOMPARE(groupsChanged.count(), 1);

        // A type edit leaves the other page's list alone.
        prompter.typeNext(QString("*.png"));
        QTest::mouseClick(set.typeButton(Add), Qt::LeftButton);
        QCOMPARE(texts(*set.typeList()).last(), QString("*.png"));
        QVERIFY(set.typeButton(Delete)->isEnabled());
        QCOMPARE(groupsChanged.count(), 1);
    }

    void profileChoicesStartOnAndAreKeptPerBase() {
        ResourceConfigData config = twoGroups();
        ScriptedPrompter prompter;
        SearchFileTypePage page(config, prompter);
        TestProfile profile;
        {
            // Without an open base there is no base to index.
            CSearchFileTypeSet set(page, profile.preferences, QString());
            QVERIFY(set.documentTextBox()->isChecked());
            QVERIFY(!set.contentIndexBox()->isEnabled());
            QVERIFY(!set.contentIndexBox()->isChecked());
        }
        const QString base = profile.dir.filePath("a/Keepsake.mdb");
        const QString other = profile.dir.filePath("b/Keepsake.mdb");
        {
            CSearchFileTypeSet set(page, profile.preferences, base);
            set.show();
            QVERIFY(set.contentIndexBox()->isChecked());
            // The box is wider than its text: click on the mark itself.
            for (QCheckBox* box : {set.documentTextBox(), set.contentIndexBox()})
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        }
        // Read back through a fresh profile, as the next run would.
        Profile reread(profile.dir.filePath("Keepsake.conf"));
        const FileSearchPreferences again(reread);
        QVERIFY(!again.documentText());
        QVERIFY(!again.contentIndex(base));
        QVERIFY(!again.contentIndex(profile.dir.filePath("a/../a/Keepsake.mdb")));
        QVERIFY(again.contentIndex(other));
    }
};

QTEST_MAIN(TestSearchFileTypeSet)
#include "tst_searchfiletypeset.moc"
