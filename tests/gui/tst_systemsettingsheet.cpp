#include "BasesHome.h"
#include "config/Profile.h"
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

struct Home : BasesHome {
    Home() {
        createBase("甲", "甲");
        workspace.config().DescriptAllFiles = {{1, "*.txt"}, {2, "*.rtf"}};
        workspace.config().IsStartLoggResource = 1;
        workspace.config().StartResourceID = 1;
    }
};

QPushButton* button(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

} // namespace

class TestSystemSettingSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cancelStillSavesWhatThePagesChanged() {
        Home h;
        Profile profile(h.home.path("Keepsake.conf"));
        CSystemSettingSheet sheet(h.workspace, profile);
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
};

QTEST_MAIN(TestSystemSettingSheet)
#include "tst_systemsettingsheet.moc"
