#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "Workspace.h"
#include "app/CMainFrame.h"
#include "app/DescriptTypeSelector.h"
#include "config/FirstRunSetup.h"
#include "config/Profile.h"
#include "config/ResourceConfig.h"
#include "config/TextCodec.h"
#include "dialogs/CUserInfoPage.h"
#include "panes/KnowledgeBaseSelectorBox.h"
#include "workspace/UserInfoSettings.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList itemsOf(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

} // namespace

// The window open while keepsake-cli changes the same program folder.
class TestSharedSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_profileDir;

    int cli(const TestHome& home, const QStringList& args, QString* out = nullptr) {
        QProcess p;
        p.start(QStringLiteral(KEEPSAKE_CLI), QStringList{"--home", home.path()} + args);
        if (!p.waitForFinished(30000))
            return -1;
        if (out)
            *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        return p.exitCode();
    }

private Q_SLOTS:
    void windowAndCliKeepEachOthersChanges() {
        TestHome home;
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home.paths(), "窗口库", home.path("kb"), prompter));
        Profile profile(m_profileDir.filePath("p.conf"));
        CMainFrame frame(home.paths(), prompter, profile);
        QVERIFY(frame.OnCreate([] { return false; }));
        auto* bases = frame.findChild<KnowledgeBaseSelectorBox*>();
        QVERIFY(bases);
        QCOMPARE(itemsOf(*bases), QStringList({"窗口库 [1]"}));

        // A script registers a base while the window is open; the window's
        // selector shows it the next time it drops down.
        QString id;
        QCOMPARE(cli(home, {"create-base", "脚本库", home.path("s")}, &id), 0);
        QCOMPARE(id, QStringLiteral("2"));
        bases->showPopup();
        QCOMPARE(itemsOf(*bases), QStringList({"窗口库 [1]", "脚本库 [2]"}));
        bases->hidePopup();

        // Another one, then the window adds a description type without
        // having looked: neither change is lost.
        QCOMPARE(cli(home, {"create-base", "又一个", home.path("t")}, &id), 0);
        QCOMPARE(id, QStringLiteral("3"));
        DescriptTypeSelector& types = frame.typeSelector();
        prompter.typeNext(QStringLiteral("*.md"));
        Q_EMIT types.activated(types.findText("添加类型"));
        const QString file = TextCodec::decode(home.read("ResourceConfig/ResourceConfig.ini"));
        QVERIFY(file.contains("LocalResourceInfo=3|" + home.path("t/又一个.ini") + "|\r\n"));
        QVERIFY(file.contains("DescriptAllFileInfo=5|*.md|\r\n"));
        QVERIFY(file.contains("DescriptFileInfo=5|1|\r\n"));
        QVERIFY(types.findText("*.md") >= 0);

        // The script sees the window's type, the window the script's base.
        QString listed;
        QCOMPARE(cli(home, {"bases"}, &listed), 0);
        QCOMPARE(listed.count('\n'), 2);
        bases->showPopup();
        QCOMPARE(itemsOf(*bases), QStringList({"窗口库 [1]", "脚本库 [2]", "又一个 [3]"}));
        bases->hidePopup();
        QVERIFY(prompter.shown.isEmpty());

        // A second window adds a type to the open base: the toolbar's list
        // shows it once the selector has looked at the file again.
        ScriptedPrompter otherPrompter;
        Workspace other(home.paths(), otherPrompter);
        QVERIFY(other.loadConfiguration([] { return false; }));
        otherPrompter.typeNext(QStringLiteral("*.org"));
        QVERIFY(AddDescriptTypeFromToolbar(1, other.configUpdater(), otherPrompter));
        QCOMPARE(types.findText("*.org"), -1);
        bases->showPopup();
        bases->hidePopup();
        QVERIFY(types.findText("*.org") >= 0);
        QVERIFY(types.findText("*.md") >= 0);
    }

    void anUnavailableBaseIsShownAndNotOpened() {
        TestHome home;
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home.paths(), "窗口库", home.path("kb"), prompter));
        QCOMPARE(cli(home, {"create-base", "外接盘", home.path("usb")}), 0);
        QVERIFY(QDir().rename(home.path("usb"), home.path("usb-unplugged")));
        const QString ini = home.path("usb/外接盘.ini");

        Profile profile(m_profileDir.filePath("p.conf"));
        CMainFrame frame(home.paths(), prompter, profile);
        QVERIFY(frame.OnCreate([] { return false; }));
        auto* bases = frame.findChild<KnowledgeBaseSelectorBox*>();
        const QString entry = ini + " [2]";
        QCOMPARE(itemsOf(*bases), QStringList({"窗口库 [1]", entry}));
        const QString text = "知识库 '" + ini + "' 暂时无法使用: 找不到文件 '" + ini + "'";
        QCOMPARE(bases->itemData(1, Qt::ToolTipRole).toString(), text);

        Q_EMIT bases->activated(1);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].caption, QStringLiteral("提示"));
        QCOMPARE(prompter.shown[0].text, text);
        QCOMPARE(frame.workspace().currentBase().ID, 1); // the open base stays
        QCOMPARE(bases->currentText(), QStringLiteral("窗口库 [1]"));

        // The start-base list of the settings says the same.
        UserInfoSettings settings(frame.workspace());
        CUserInfoPage page(settings, profile);
        QComboBox* startBases = page.startBaseBox();
        QVERIFY(startBases);
        QCOMPARE(itemsOf(*startBases), QStringList({"窗口库 [1]", entry}));
        QCOMPARE(startBases->itemData(1, Qt::ToolTipRole).toString(), text);
        QVERIFY(!startBases->itemData(0, Qt::ToolTipRole).isValid());
    }
};

QTEST_MAIN(TestSharedSettings)
#include "tst_sharedsettings.moc"
