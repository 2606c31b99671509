#include "ScriptedPrompter.h"
#include "dialogs/CStorePathDlg.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestStorePathDlg : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offersDefaultsThenCleansTheNameAndCompletesTheFolder() {
        ScriptedPrompter prompter;
        CStorePathDlg dialog(prompter);
        QCOMPARE(dialog.nameEdit()->text(), QString("我的知识库"));
        QCOMPARE(dialog.folderEdit()->text(), QDir::homePath() + "/");
        dialog.nameEdit()->setText(" a.b/c ");
        dialog.folderEdit()->setText("/data/kb");
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QString("a b c"));
        QCOMPARE(dialog.folder(), QString("/data/kb/"));
        QVERIFY(prompter.shown.isEmpty());
    }

    void emptyFieldsKeepTheDialogOpenWithAMessage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("name only blanks and dots") << " .. "
                                                   << "/data"
                                                   << "请输入知识库名称!";
        QTest::newRow("no folder") << "知识"
                                   << "  "
                                   << "请选择知识库文件存放路径!";
    }

    void emptyFieldsKeepTheDialogOpenWithAMessage() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(QString, message);
        ScriptedPrompter prompter;
        CStorePathDlg dialog(prompter);
        dialog.show();
        dialog.nameEdit()->setText(name);
        dialog.folderEdit()->setText(folder);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].caption, QString("错误"));
        QCOMPARE(prompter.shown[0].text, message);
    }
};

QTEST_MAIN(TestStorePathDlg)
#include "tst_storepathdlg.moc"
