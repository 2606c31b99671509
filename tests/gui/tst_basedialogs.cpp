#include "BasesHome.h"
#include "WorkingWindow.h"
#include "app/CMainFrame.h"
#include "bases/CategoryTreeFile.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/ConfigFileWriter.h"
#include "config/FirstRunSetup.h"
#include "config/Profile.h"
#include "db/Recordset.h"
#include "dialogs/CBaseFromFileDlg.h"
#include "dialogs/CExportTreeDlg.h"
#include "dialogs/CNewBaseDlg.h"
#include "dialogs/CTreePreviewWnd.h"
#include "panes/KnowledgeBaseSelectorBox.h"
#include "store/CategoryTreeModel.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList categoriesOf(const QString& databasePath) {
    Database db;
    db.Open(databasePath);
    Recordset result(&db);
    result.Open(QStringLiteral("select ItemID || ' ' || ItemName from ItemTable "
                               "where ItemID <> '000000' order by ItemID"));
    QStringList rows;
    for (QString row; result.GetValueText(0, row); result.MoveNext())
        rows << row;
    return rows;
}

// Typed key by key; QTest::keyClicks takes Latin-1 only.
void type(QWidget* edit, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

QStringList boxItems(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

// The user opens the drop-down and clicks an entry.
void pick(QComboBox& box, int index) {
    box.showPopup();
    QAbstractItemView* view = box.view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect rect = view->visualRect(box.model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

// The tree a knowledge-base file gives, one "indent name" line per category.
QStringList treeRows(const QTreeWidget& tree) {
    QStringList rows;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        for (int i = 0; i < item->childCount(); ++i) {
            rows << QString(depth * 2, QLatin1Char(' ')) + item->child(i)->text(0);
            walk(item->child(i), depth + 1);
        }
    };
    walk(tree.invisibleRootItem(), 0);
    return rows;
}

const QString kTreeText = QStringLiteral("[K_RESOURCE_DATA]\n"
                                         "DATA=0|文学|\n"
                                         "DATA=1|诗歌|\n"
                                         "DATA=2|唐诗|\n"
                                         "DATA=1|小说|\n"
                                         "DATA=0|历史|\n");

} // namespace

class TestBaseDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The drop-down above the tree.
    void selectorListsTheBasesAndFollowsTheSwitch() {
        BasesHome h;
        h.createBase("甲", "a");
        h.createBase("乙", "b");
        KnowledgeBaseSelectorBox box(h.workspace.baseSelector());
        box.show();
        QCOMPARE(boxItems(box), QStringList({"甲 [1]", "乙 [2]"}));
        QCOMPARE(box.currentIndex(), -1); // nothing open, nothing chosen

        // The frame's part: switch on the picked text, then refresh.
        QStringList picked;
        connect(&box, &KnowledgeBaseSelectorBox::entryPicked, &box, [&](const QString& entry) {
            picked << entry;
            h.workspace.SwitchBase(entry);
            box.refresh();
        });
        pick(box, 1);
        QCOMPARE(picked, QStringList{"乙 [2]"});
        QCOMPARE(h.workspace.currentBase().ID, 2);
        QCOMPARE(box.currentText(), QString("乙 [2]"));

        // Picking the open base again asks; Cancel keeps it and the box.
        h.prompter.answerNext(Prompter::Answer::Cancel);
        pick(box, 1);
        QCOMPARE(picked.size(), 2);
        QCOMPARE(h.prompter.lastText(), QString("要刷新当前知识库吗?"));
        QCOMPARE(h.workspace.currentBase().ID, 2);
        QCOMPARE(box.currentText(), QString("乙 [2]"));

        // A base created later shows after a refresh, the choice kept.
        h.createBase("丙", "c");
        box.refresh();
        QCOMPARE(boxItems(box), QStringList({"甲 [1]", "乙 [2]", "丙 [3]"}));
        QCOMPARE(box.currentText(), QString("乙 [2]"));
    }

    void refreshingNeverStartsASwitch() {
        BasesHome h;
        h.createBase("甲", "a");
        KnowledgeBaseSelectorBox box(h.workspace.baseSelector());
        QSignalSpy spy(&box, &KnowledgeBaseSelectorBox::entryPicked);
        h.workspace.baseSelector().setChosenText("甲 [1]");
        box.refresh();
        QCOMPARE(box.currentText(), QString("甲 [1]"));
        QCOMPARE(spy.count(), 0);
    }

    // A field left empty: the dialog stays open, says which, and makes nothing.
    void dialogsAskForEachField_data() {
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* row, bool fromFile, bool withFile, const QString& name,
                            const QString& folder, const QString& message) {
            QTest::newRow(row) << fromFile << withFile << name << folder << message;
        };
        row("blank, no name", false, false, "  ", "kb", "请输入知识库名称!");
        row("blank, no folder", false, false, "库", "", "请选择知识库存放路径!");
        row("from file, no file", true, false, "库", "kb", "请选择知识库模板文件!");
        row("from file, no name", true, true, "", "kb", "请输入知识库名称!");
        row("from file, no folder", true, true, "库", "", "请选择知识库文件存放路径!");
    }
    void dialogsAskForEachField() {
        QFETCH(bool, fromFile);
        QFETCH(bool, withFile);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(QString, message);
        BasesHome h;
        ConfigFileWriter::Write(h.home.path("tpl.QCK"), kTreeText);
        const auto accept = [&](auto& dialog) {
            type(dialog.nameEdit(), name);
            if (!folder.isEmpty())
                type(dialog.folderEdit(), h.home.path(folder));
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            QVERIFY(dialog.isVisible());
            QVERIFY(!dialog.createdId());
        };
        if (fromFile) {
            CBaseFromFileDlg dialog(h.workspace);
            dialog.show();
            if (withFile)
                type(dialog.fileEdit(), h.home.path("tpl.QCK"));
            accept(dialog);
        } else {
            CNewBaseDlg dialog(h.workspace);
            QCOMPARE(dialog.windowTitle(), QString("新建本地知识库"));
            dialog.show();
            accept(dialog);
        }
        QCOMPARE(h.prompter.shown.size(), 1);
        QCOMPARE(h.prompter.shown[0].caption, QString("错误"));
        QCOMPARE(h.prompter.shown[0].text, message);
        QVERIFY(h.workspace.baseSelector().entries().isEmpty());
        QVERIFY(!QFileInfo::exists(h.home.paths().mainConfigFile()));
        QVERIFY(!QFileInfo::exists(h.home.path("kb")));
    }

    // "新建本地知识库"
    void blankBaseDialogRegistersTheBase() {
        BasesHome h;
        h.createBase("旧", "old");
        CNewBaseDlg dialog(h.workspace);
        dialog.show();
        type(dialog.nameEdit(), "新库");
        type(dialog.folderEdit(), h.home.path("kb") + "/");
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.createdId(), std::optional<int>(2));
        QVERIFY(h.prompter.shown.isEmpty());
        QVERIFY(QFileInfo::exists(h.home.path("kb/Keepsake.mdb")));
        QVERIFY(QFileInfo::exists(h.home.path("kb/新库.ini")));
        QCOMPARE(h.workspace.baseSelector().entries(), QStringList({"旧 [1]", "新库 [2]"}));
        const auto bases = h.saved().LocalResources;
        QCOMPARE(bases.size(), 2);
        QCOMPARE(bases[1].ID, 2);
        QCOMPARE(bases[1].ResourceName, QString("新库"));
        QCOMPARE(bases[1].IniPath, h.home.path("kb/新库.ini"));
        QVERIFY(!h.workspace.currentBase().IsOpen()); // created, not opened
    }

    void blankBaseDialogRefusesAFolderHoldingABase() {
        BasesHome h;
        h.createBase("旧", "old");
        CNewBaseDlg dialog(h.workspace);
        dialog.show();
        type(dialog.nameEdit(), "另一个");
        type(dialog.folderEdit(), h.home.path("old"));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QVERIFY(h.prompter.lastText().contains("Keepsake.mdb"));
        QVERIFY(!QFileInfo::exists(h.home.path("old/另一个.ini")));
        QCOMPARE(h.saved().LocalResources.size(), 1);
        // Corrected, the same dialog goes through.
        dialog.folderEdit()->clear();
        type(dialog.folderEdit(), h.home.path("other"));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(h.saved().LocalResources.size(), 2);
    }

    // "依照知识库模板创建本地知识库"
    void fromFileDialogCreatesTheBaseWithTheFilesCategories() {
        BasesHome h;
        const QString file = h.home.path("tpl.QCK");
        QCOMPARE(ConfigFileWriter::Write(file, kTreeText), ConfigFileWriter::Result::Written);
        CBaseFromFileDlg dialog(h.workspace);
        QCOMPARE(dialog.windowTitle(), QString("依照知识库模板创建本地知识库"));
        dialog.show();
        type(dialog.fileEdit(), file);
        type(dialog.nameEdit(), "文史");
        type(dialog.folderEdit(), h.home.path("ws"));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.createdId(), std::optional<int>(1));
        QVERIFY(h.prompter.shown.isEmpty());
        QCOMPARE(categoriesOf(h.home.path("ws/Keepsake.mdb")),
                 QStringList(
                     {"010000 文学", "010100 诗歌", "010101 唐诗", "010200 小说", "020000 历史"}));
        QCOMPARE(h.workspace.baseSelector().entries(), QStringList{"文史 [1]"});
        const auto bases = h.saved().LocalResources;
        QCOMPARE(bases.size(), 1);
        QCOMPARE(bases[0].IniPath, h.home.path("ws/文史.ini"));
    }

    // The whole way through the main window: the command, the dialog, the
    // selector above the tree, and the new base's categories in the tree.
    void aBaseMadeFromAFileOpensWhenPickedInTheSelector() {
        WorkingWindow window;
        QVERIFY(window.setUp());
        CMainFrame& frame = *window.frame;
        const TestHome& home = *window.home;
        const QString file = home.path("tpl.QCK");
        QCOMPARE(ConfigFileWriter::Write(file, kTreeText), ConfigFileWriter::Result::Written);

        QTimer::singleShot(0, &frame, [&] {
            auto* dialog = qobject_cast<CBaseFromFileDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            type(dialog->fileEdit(), file);
            type(dialog->nameEdit(), "文史");
            type(dialog->folderEdit(), home.path("ws"));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        QVERIFY(frame.commands().trigger(CommandIds::NewBaseFromFile));
        QVERIFY(window.prompter.shown.isEmpty());

        // Created and listed, but the open base stays open until picked.
        auto* selector = frame.findChild<KnowledgeBaseSelectorBox*>();
        QVERIFY(selector);
        QCOMPARE(boxItems(*selector), QStringList({"工作库 [1]", "文史 [2]"}));
        QCOMPARE(frame.workspace().currentBase().ID, 1);
        pick(*selector, 1);
        QCOMPARE(frame.workspace().currentBase().ID, 2);
        const QModelIndex root = frame.categoryTree().index(0, 0);
        QCOMPARE(root.data().toString(), QString("文学(010000)"));
        QCOMPARE(frame.categoryTree().index(1, 0).data().toString(), QString("历史(020000)"));
    }

    void previewShowsTheFilesTreeAndToggles() {
        BasesHome h;
        ConfigFileWriter::Write(h.home.path("tpl.QCK"), kTreeText);
        CBaseFromFileDlg dialog(h.workspace);
        dialog.show();
        QTest::mouseClick(dialog.previewButton(), Qt::LeftButton);
        QCOMPARE(h.prompter.lastText(), QString("请选择导入的知识库模版!"));
        QVERIFY(!dialog.preview()->isVisible());

        type(dialog.fileEdit(), h.home.path("tpl.QCK"));
        QTest::mouseClick(dialog.previewButton(), Qt::LeftButton);
        QVERIFY(dialog.preview()->isVisible());
        QCOMPARE(treeRows(*dialog.preview()->tree()),
                 QStringList({"文学", "  诗歌", "    唐诗", "  小说", "历史"}));
        QTest::mouseClick(dialog.previewButton(), Qt::LeftButton);
        QVERIFY(!dialog.preview()->isVisible());
        QCOMPARE(h.prompter.shown.size(), 1);
        // Nothing was created by looking.
        QVERIFY(h.workspace.baseSelector().entries().isEmpty());
    }

    // "导出当前本地知识库树目录"
    void exportWritesTheOpenBasesTreeWithTheDefaultExtension() {
        BasesHome h;
        ConfigFileWriter::Write(h.home.path("tpl.QCK"), kTreeText);
        QVERIFY(!CExportTreeDlg::canExport(h.workspace));
        QVERIFY(KnowledgeBaseCreator(h.workspace)
                    .CreateBaseFromFile(h.home.path("tpl.QCK"), "文史", h.home.path("ws")));
        QVERIFY(h.workspace.OpenBase(1));
        QVERIFY(CExportTreeDlg::canExport(h.workspace));

        h.home.write("out/树.QCK", "an older export");
        CExportTreeDlg dialog(h.workspace);
        dialog.setDirectory(h.home.path("out"));
        dialog.show();
        auto* nameEdit = dialog.findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(nameEdit);
        type(nameEdit, "树"); // typed without extension
        QTest::keyClick(nameEdit, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.written());
        QVERIFY(h.prompter.shown.isEmpty()); // replaced without asking
        QCOMPARE(CategoryTreeFile::ReadEntries(h.home.path("out/树.QCK")),
                 CategoryTreeFile::ReadEntries(h.home.path("tpl.QCK")));
    }
};

QTEST_MAIN(TestBaseDialogs)
#include "tst_basedialogs.moc"
