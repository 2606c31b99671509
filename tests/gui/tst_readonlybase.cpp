#include "ReadOnlyMount.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "WindowModelCheck.h"
#include "app/CMainFrame.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/FirstRunSetup.h"
#include "config/Profile.h"
#include "materials/MaterialCreator.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CMaterialPane.h"
#include "store/CategoryTreeModel.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

// A base on a medium that cannot be written (a CD, a write-protected stick,
// a read-only network share): the window browses, lists and opens it, and
// keeps every command that would write it disabled.
class TestReadOnlyBase : public QObject {
    Q_OBJECT

    QTemporaryDir profileDir;
    ScriptedPrompter prompter;

    static std::unique_ptr<CMainFrame> startWindow(const TestHome& home, Profile& profile,
                                                   ScriptedPrompter& prompter) {
        auto frame = std::make_unique<CMainFrame>(home.paths(), prompter, profile);
        if (!frame->OnCreate([] { return true; }))
            return nullptr;
        checkWindowModels(*frame);
        frame->show();
        return frame;
    }

private Q_SLOTS:
    void browsesSearchesAndOpensButNeverWrites() {
        TestHome home;
        ReadOnlyMount medium(home.path("medium"));
        if (!medium.failure().isEmpty())
            QSKIP(qPrintable("cannot mount a tmpfs here: " + medium.failure()));
        QVERIFY(FirstRunSetup::complete(home.paths(), "光盘库", home.path("medium"), prompter));
        Profile profile(profileDir.filePath("p.conf"));
        {
            auto frame = startWindow(home, profile, prompter);
            QVERIFY(frame);
            CategoryTreeModel& tree = frame->categoryTree();
            const QString minor =
                CategoryTreeModel::codeOf(tree.index(0, 0, tree.index(0, 0, tree.index(0, 0))));
            QVERIFY(frame->materials().creator().Create(minor, "光盘上的笔记", "*.rtf", false));
        }
        QVERIFY2(medium.makeReadOnly(), qPrintable(medium.failure()));
        prompter.shown.clear();

        auto frame = startWindow(home, profile, prompter);
        QVERIFY(frame);
        QVERIFY2(prompter.shown.isEmpty(), qPrintable(prompter.lastText()));
        auto* notice = frame->findChild<QLabel*>("readOnlyNotice");
        QVERIFY(notice && notice->isVisibleTo(frame.get()));
        QCOMPARE(notice->text(), QString("知识库 '光盘库' 位于只读位置，只能浏览和搜索。"));

        // Browsing: the tree and every material are there.
        QVERIFY(frame->categoryTree().rowCount() > 0);
        MaterialListModel& list = frame->materials().list();
        int row = -1;
        for (int r = 0; r < list.rowCount(); ++r)
            if (list.materialAt(r).MinuItemName == "光盘上的笔记")
                row = r;
        QVERIFY(row >= 0);

        // Opening works; writing commands are off, whatever is selected.
        frame->materialPane().view()->setCurrentIndex(list.index(row, 1));
        CommandRegistry& commands = frame->commands();
        commands.updateEnabled();
        QVERIFY(commands.trigger(CommandIds::OpenMaterial));
        QCOMPARE(frame->documents().documentsFromActive().size(), 1);
        QVERIFY(commands.action(CommandIds::KbSearch)->isEnabled());
        frame->treePane().view()->setCurrentIndex(frame->categoryTree().index(0, 0));
        commands.updateEnabled();
        for (int id :
             {CommandIds::NewMaterial, CommandIds::DeleteMaterial, CommandIds::AddRootItem,
              CommandIds::AddChildItem, CommandIds::RenameItem, CommandIds::DeleteItem,
              CommandIds::PasteItem, CommandIds::ClearRecycled, CommandIds::SaveProperties}) {
            QVERIFY2(!commands.action(id)->isEnabled(), qPrintable(QString::number(id)));
            QVERIFY(!commands.trigger(id));
        }
        QVERIFY(prompter.shown.isEmpty());
    }
};

QTEST_MAIN(TestReadOnlyBase)
#include "tst_readonlybase.moc"
