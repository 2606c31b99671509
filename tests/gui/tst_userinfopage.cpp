#include "BasesHome.h"
#include "config/Profile.h"
#include "dialogs/CUserInfoPage.h"
#include "web/UpdateProfile.h"
#include "workspace/SystemSettingsSheet.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QtTest>

namespace {

struct Home : BasesHome {
    Home() {
        for (const char* name : {"甲", "乙"})
            createBase(name, name);
        ResourceConfigData& config = workspace.config();
        config.SearchGroups = {{3, "文档"}, {7, "图片"}};
        config.SearchFileTypeGroupID = 7;
        config.IsStartLoggResource = 1;
        config.StartResourceID = 2;
        workspace.changeFlags() = {};
    }
};

QStringList items(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.itemText(i);
    return texts;
}

// The user drops the list down and clicks the entry with that text.
void pick(QComboBox& box, const QString& text) {
    box.showPopup();
    QAbstractItemView* view = box.view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const int row = box.findText(text);
    QVERIFY2(row >= 0, qPrintable(text));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(box.model()->index(row, 0)).center());
}

} // namespace

class TestUserInfoPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choicesReachTheFileWhenTheSheetCloses() {
        Home h;
        {
            SystemSettingsSheet sheet(h.workspace);
            Profile profile(h.home.path("Keepsake.conf"));
            CUserInfoPage page(sheet.userInfo(), profile);
            page.show();
            pick(*page.startBaseBox(), "甲 [1]");
            pick(*page.searchGroupBox(), "文档");
            QCOMPARE(h.workspace.config().StartResourceID, 1);
            // Off: the start base stays as chosen, but cannot be changed.
            QTest::mouseClick(page.startCheck(), Qt::LeftButton);
            QVERIFY(!page.startGroup()->isEnabled());
            QVERIFY(sheet.close());
        }
        const ResourceConfigData saved = h.saved();
        QCOMPARE(saved.IsStartLoggResource, 0);
        QCOMPARE(saved.StartResourceID, 1);
        QCOMPARE(saved.SearchFileTypeGroupID, 3);
    }

    void anUncheckedBoxShowsTheGroupDisabled() {
        Home h;
        h.workspace.config().IsStartLoggResource = 0;
        SystemSettingsSheet sheet(h.workspace);
        Profile profile(h.home.path("Keepsake.conf"));
        CUserInfoPage page(sheet.userInfo(), profile);
        QVERIFY(!page.startCheck()->isChecked());
        QVERIFY(!page.startGroup()->isEnabled());
        QTest::mouseClick(page.startCheck(), Qt::LeftButton);
        QVERIFY(page.startGroup()->isEnabled());
        QCOMPARE(h.workspace.config().IsStartLoggResource, 1);
    }

    void showsTheConfiguredChoicesAndBasesCreatedMeanwhile() {
        Home h;
        SystemSettingsSheet sheet(h.workspace);
        Profile profile(h.home.path("Keepsake.conf"));
        CUserInfoPage page(sheet.userInfo(), profile);
        page.show();
        QVERIFY(page.startCheck()->isChecked());
        QVERIFY(page.startGroup()->isEnabled());
        QCOMPARE(page.startBaseBox()->currentText(), QString("乙 [2]"));
        QCOMPARE(items(*page.searchGroupBox()), QStringList({"文档", "图片"}));
        QCOMPARE(page.searchGroupBox()->currentText(), QString("图片"));

        // A base created meanwhile is listed at the next drop-down, not before.
        h.createBase("丙", "丙");
        QCOMPARE(items(*page.startBaseBox()), QStringList({"甲 [1]", "乙 [2]"}));
        pick(*page.startBaseBox(), "丙 [3]");
        QCOMPARE(items(*page.startBaseBox()), QStringList({"甲 [1]", "乙 [2]", "丙 [3]"}));
        QCOMPARE(h.workspace.config().StartResourceID, 3);

        h.workspace.config().SearchGroups.append({9, "音乐"});
        sheet.searchGroupsChanged();
        pick(*page.searchGroupBox(), "音乐");
        QCOMPARE(h.workspace.config().SearchFileTypeGroupID, 9);
    }

    void updateServerGoesIntoTheProfile() {
        Home h;
        const QString profilePath = h.home.path("Keepsake.conf");
        Profile profile(profilePath);
        UpdateProfile(profile).setServer("old.example");
        SystemSettingsSheet sheet(h.workspace);
        CUserInfoPage page(sheet.userInfo(), profile);
        page.show();
        QCOMPARE(page.updateServerEdit()->text(), QString("old.example"));

        // The other program stored a value meanwhile; it must survive.
        {
            Profile other(profilePath);
            UpdateProfile(other).setUpdateVersion("1.2");
        }
        page.updateServerEdit()->setFocus();
        page.updateServerEdit()->selectAll();
        QTest::keyClicks(page.updateServerEdit(), " updates.example:8080 ");
        QTest::keyClick(page.updateServerEdit(), Qt::Key_Return);
        Profile fresh(profilePath);
        QCOMPARE(UpdateProfile(fresh).server(), QString("updates.example:8080"));
        QCOMPARE(UpdateProfile(fresh).updateVersion(), QString("1.2"));

        // Emptied, no server is asked any more.
        page.updateServerEdit()->selectAll();
        QTest::keyClick(page.updateServerEdit(), Qt::Key_Delete);
        QTest::keyClick(page.updateServerEdit(), Qt::Key_Return);
        QVERIFY(UpdateProfile(fresh).server().isEmpty());
    }
};

QTEST_MAIN(TestUserInfoPage)
#include "tst_userinfopage.moc"
