#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "Workspace.h"
#include "bases/KnowledgeBaseCreator.h"
#include "dialogs/CLocalResourceSet.h"
#include "dialogs/CSystemSettingSheet.h"
#include "dialogs/CUserInfoPage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

namespace {

struct Home {
    TestHome home;
    ScriptedPrompter prompter;
    Workspace workspace{home.paths(), prompter};

    Home() {
        KnowledgeBaseCreator(workspace).CreateBlankBase("甲", home.path("甲"));
        workspace.config().DescriptAllFiles = {{1, "*.txt"}, {2, "*.rtf"}};
        workspace.config().IsStartLoggResource = 1;
        workspace.config().StartResourceID = 1;
    }
    ResourceConfigData saved() {
        Workspace next(home.paths(), prompter);
        if (!next.loadConfiguration([] { return false; }))
            qFatal("configuration not readable");
        return next.config();
    }
};

QPushButton* button(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

} // namespace

class TestSystemSettingSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hasTheThreePagesAndNoApply() {
        Home h;
        CSystemSettingSheet sheet(h.workspace);
        QCOMPARE(sheet.windowTitle(), QString("系统设置"));
        QCOMPARE(sheet.tabs()->count(), 3);
        QCOMPARE(sheet.tabs()->tabText(0), QString("本地知识库设置"));
        QCOMPARE(sheet.tabs()->tabText(1), QString("文件搜索设置"));
        QCOMPARE(sheet.tabs()->tabText(2), QString("其它设置"));
        QVERIFY(!button(sheet, QDialogButtonBox::Apply));
        QVERIFY(!button(sheet, QDialogButtonBox::Help));
    }

    void cancelStillSavesWhatThePagesChanged() {
        Home h;
        CSystemSettingSheet sheet(h.workspace);
        QSignalSpy closed(&sheet, &CSystemSettingSheet::closed);
        QSignalSpy typesChanged(&sheet, &CSystemSettingSheet::typesChanged);
        sheet.show();
        QListWidget* types = sheet.basesPage()->typeList();
        types->setCurrentRow(0); // *.txt
        h.prompter.answerNext(Prompter::Answer::Ok);
        QTest::mouseClick(sheet.basesPage()->typeButton(2), Qt::LeftButton);
        QCOMPARE(typesChanged.count(), 1);
        sheet.tabs()->setCurrentIndex(2);
        sheet.userPage()->startCheck()->click();
        QVERIFY(!sheet.userPage()->startCheck()->isChecked());
        QTest::mouseClick(button(sheet, QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(!sheet.isVisible());
        QCOMPARE(closed.count(), 1);
        const ResourceConfigData saved = h.saved();
        QCOMPARE(saved.DescriptAllFiles.size(), 1);
        QCOMPARE(saved.DescriptAllFiles[0].Pattern, QString("*.rtf"));
        QCOMPARE(saved.IsStartLoggResource, 0);
        QCOMPARE(saved.StartResourceID, 1);
    }

    void theCloseBoxSavesToo() {
        Home h;
        CSystemSettingSheet sheet(h.workspace);
        QSignalSpy closed(&sheet, &CSystemSettingSheet::closed);
        sheet.show();
        QTest::mouseClick(sheet.userPage()->startCheck(), Qt::LeftButton);
        sheet.close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(h.saved().IsStartLoggResource, 0);
    }
};

QTEST_MAIN(TestSystemSettingSheet)
#include "tst_systemsettingsheet.moc"
