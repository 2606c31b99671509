#include "BasesHome.h"
#include "config/ConfigFileWriter.h"
#include "dialogs/CBaseIniDlg.h"
#include "dialogs/CLocalResourceSet.h"
#include "workspace/SystemSettingsSheet.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

enum { Add, Modify, Delete };

struct Home : BasesHome {
    Home() {
        for (const char* name : {"甲", "乙"})
            createBase(name, name);
        workspace.config().DescriptAllFiles = {{1, "*.txt"}, {2, "*.rtf"}};
    }
};

QStringList column(const QTreeWidget& tree, int col) {
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts << tree.topLevelItem(i)->text(col);
    return texts;
}

// The modal "设置本地知识库" the button opens: the path is typed, OK pressed,
// and Cancel follows when the dialog is still up.
void answerIniDialog(const QString& path, bool* stayedOpen) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<CBaseIniDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->pathEdit()->setText(path);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        *stayedOpen = dialog->isVisible();
        if (*stayedOpen)
            dialog->reject();
    });
}

} // namespace

class TestLocalResourceSet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addRegistersAnIniFileAndStaysOpenOnAnEmptyPath() {
        Home h;
        ConfigFileWriter::Write(h.home.path("ext/外.ini"),
                                "[LOCRESOURCESET]\nResourceName=外|\nResourceFilePath=" +
                                    h.home.path("ext") + "|\nCreateTime=|\n");
        SystemSettingsSheet sheet(h.workspace);
        CLocalResourceSet page(sheet.bases(), sheet.types(), h.prompter);
        page.show();
        bool stayedOpen = false;
        answerIniDialog("", &stayedOpen);
        QTest::mouseClick(page.baseButton(Add), Qt::LeftButton);
        QVERIFY(stayedOpen);
        QCOMPARE(h.prompter.lastText(), QString("请选择知识库!"));
        QCOMPARE(page.baseList()->topLevelItemCount(), 2);

        answerIniDialog(h.home.path("ext/外.ini"), &stayedOpen);
        QTest::mouseClick(page.baseButton(Add), Qt::LeftButton);
        QVERIFY(!stayedOpen);
        QCOMPARE(column(*page.baseList(), 0), QStringList({"甲", "乙", "外"}));
        QCOMPARE(page.baseList()->currentItem()->text(0), QString("外"));
        QCOMPARE(h.workspace.baseSelector().entries().last(), QString("外 [3]"));
    }

    void listsTheBasesAndDeletesAfterYes() {
        Home h;
        SystemSettingsSheet sheet(h.workspace);
        CLocalResourceSet page(sheet.bases(), sheet.types(), h.prompter);
        QSignalSpy deleted(&page, &CLocalResourceSet::baseDeleted);
        page.show();
        QCOMPARE(column(*page.baseList(), 0), QStringList({"甲", "乙"}));
        QCOMPARE(column(*page.baseList(), 3), QStringList({"1", "2"}));
        QVERIFY(!page.baseButton(Modify)->isEnabled());
        QVERIFY(!page.baseButton(Delete)->isEnabled());

        page.baseList()->setCurrentItem(page.baseList()->topLevelItem(0));
        h.prompter.answerNext(Prompter::Answer::No);
        QTest::mouseClick(page.baseButton(Delete), Qt::LeftButton);
        QCOMPARE(page.baseList()->topLevelItemCount(), 2);
        QCOMPARE(deleted.count(), 0);

        QTest::mouseClick(page.baseButton(Delete), Qt::LeftButton);
        QCOMPARE(column(*page.baseList(), 0), QStringList{"乙"});
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted[0][0].toInt(), 1);
        QCOMPARE(deleted[0][1].toBool(), false);
        QCOMPARE(h.workspace.baseSelector().entries(), QStringList{"乙 [2]"});
    }

    void typeMarksBelongToTheSelectedBase() {
        Home h;
        SystemSettingsSheet sheet(h.workspace);
        CLocalResourceSet page(sheet.bases(), sheet.types(), h.prompter);
        QSignalSpy typesChanged(&page, &CLocalResourceSet::typesChanged);
        page.show();
        // No base selected: the mark springs back.
        page.typeList()->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(page.typeList()->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(typesChanged.count(), 0);

        page.baseList()->setCurrentItem(page.baseList()->topLevelItem(1));
        page.typeList()->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(typesChanged.count(), 1);
        QCOMPARE(h.workspace.config().DescriptFiles.size(), 1);
        QCOMPARE(h.workspace.config().DescriptFiles[0].BaseID, 2);
        page.baseList()->setCurrentItem(page.baseList()->topLevelItem(0));
        QCOMPARE(page.typeList()->item(1)->checkState(), Qt::Unchecked);
        page.baseList()->setCurrentItem(page.baseList()->topLevelItem(1));
        QCOMPARE(page.typeList()->item(1)->checkState(), Qt::Checked);

        h.prompter.typeNext(QString("*.md"));
        QTest::mouseClick(page.typeButton(Add), Qt::LeftButton);
        QCOMPARE(page.typeList()->item(2)->text(), QString("*.md"));
        QCOMPARE(page.typeList()->currentRow(), 2);
        QCOMPARE(typesChanged.count(), 2);
    }
};

QTEST_MAIN(TestLocalResourceSet)
#include "tst_localresourceset.moc"
