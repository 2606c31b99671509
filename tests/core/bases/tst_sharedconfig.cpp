#include "BasesTestSupport.h"
#include "config/TextCodec.h"
#include "workspace/LocalBaseList.h"
#include "workspace/SystemSettingsSheet.h"

#include <QRegularExpression>

namespace {

// The (ID, ini path) records of the main configuration, read from its bytes
// on disk (GB18030, CR LF) without the program's reader.
QList<QPair<int, QString>> recordsOnDisk(const TestHome& home) {
    const QString text =
        TextCodec::decode(home.read(QStringLiteral("ResourceConfig/ResourceConfig.ini")));
    static const QRegularExpression line(QStringLiteral("^LocalResourceInfo=(\\d+)\\|(.*)\\|\\r$"),
                                         QRegularExpression::MultilineOption);
    QList<QPair<int, QString>> records;
    for (auto it = line.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        records.append({m.captured(1).toInt(), m.captured(2)});
    }
    return records;
}

} // namespace

// The main configuration when a base's files are away, when the file comes
// back as UTF-8, and when two processes (two workspaces here) change it.
class TestSharedConfig : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aBaseWhoseIniIsGoneStaysRegistered() {
        BasesHome h;
        h.createBase("甲", "a");
        h.createBase("乙", "b");
        h.createBase("丙", "c");
        // The drive of 乙 is not mounted, 丙 was the last base and is removed.
        QVERIFY(QDir().rename(h.home.path("b"), h.home.path("b-away")));
        const QString iniB = h.home.path("b/乙.ini");

        BasesHome::Reopened again(h);
        Workspace& w = again.workspace;
        const LocalResourceRecord* b = w.config().base(2);
        QVERIFY(b);
        QCOMPARE(b->Unavailable, "找不到文件 '" + iniB + "'");
        const QString text = "知识库 '" + iniB + "' 暂时无法使用: 找不到文件 '" + iniB + "'";
        QCOMPARE(UnavailableText(*b), text);
        const QString entry = iniB + " [2]";
        QCOMPARE(w.baseSelector().entries(), QStringList({"甲 [1]", entry, "丙 [3]"}));
        QCOMPARE(w.baseSelector().unavailableText(entry), text);
        QCOMPARE(LocalBaseList(w).rowTexts(1).first(), text);

        // Choosing it tells why and opens nothing; the open base stays.
        QVERIFY(w.OpenBase(1));
        QCOMPARE(w.SwitchBase(entry).outcome(), BaseSwitch::Outcome::Cancelled);
        QCOMPARE(again.prompter.shown.last().caption, QStringLiteral("提示"));
        QCOMPARE(again.prompter.lastText(), text);
        QCOMPARE(w.currentBase().ID, 1);

        // Removing 丙 and saving keeps 乙's line as it was; the next base
        // takes neither 2 nor 3.
        {
            SystemSettingsSheet sheet(w);
            again.prompter.answerNext(Prompter::Answer::Yes);
            QVERIFY(sheet.bases().Delete(2));
            QVERIFY(sheet.close());
        }
        QCOMPARE(recordsOnDisk(h.home),
                 (QList<QPair<int, QString>>{{1, h.home.path("a/甲.ini")}, {2, iniB}}));
        QVERIFY(h.home.read("ResourceConfig/ResourceConfig.ini")
                    .endsWith("[LOCALRESOURCEID]\r\nMaxResourceID=3|\r\n"));
        QCOMPARE(KnowledgeBaseCreator(w).CreateBlankBase("丁", h.home.path("d")).value_or(-1), 4);

        // Back from the other drive, 乙 is usable again under its old ID.
        QVERIFY(QDir().rename(h.home.path("b-away"), h.home.path("b")));
        BasesHome::Reopened third(h);
        QCOMPARE(third.workspace.config().base(2)->ResourceName, QStringLiteral("乙"));
        QVERIFY(third.workspace.config().base(2)->Unavailable.isEmpty());
    }

    void aBaseWhoseIniNamesNothingSaysSo() {
        BasesHome h;
        h.createBase("甲", "a");
        QVERIFY(writeBytes(h.home.path("a/甲.ini"), "[LOCRESOURCESET]\r\nResourceName=x|\r\n"));
        BasesHome::Reopened again(h);
        QCOMPARE(again.workspace.config().base(1)->Unavailable,
                 "文件 '" + h.home.path("a/甲.ini") + "' 中没有知识库存放路径");
        QCOMPARE(again.workspace.baseSelector().entries(), QStringList({"x [1]"}));
    }

    void utf8ConfigurationIsReadAndWrittenBackAsGb18030_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("with BOM") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("without BOM") << QByteArray();
    }
    void utf8ConfigurationIsReadAndWrittenBackAsGb18030() {
        QFETCH(QByteArray, head);
        BasesHome h;
        h.createBase("知识库甲", "甲");
        const QByteArray gb = h.home.read("ResourceConfig/ResourceConfig.ini");
        // A sync tool (or an editor) saved both files as UTF-8.
        const QString config = TextCodec::decode(gb);
        QVERIFY(config.contains(QStringLiteral("甲")));
        h.home.write("ResourceConfig/ResourceConfig.ini", head + config.toUtf8());
        h.home.write("甲/知识库甲.ini",
                     head + TextCodec::decode(h.home.read("甲/知识库甲.ini")).toUtf8());

        BasesHome::Reopened again(h);
        QCOMPARE(again.workspace.baseSelector().entries(), QStringList({"知识库甲 [1]"}));
        QVERIFY(again.workspace.config().base(1)->Unavailable.isEmpty());
        QVERIFY(again.workspace.saveConfiguration());
        QCOMPARE(h.home.read("ResourceConfig/ResourceConfig.ini"), gb);
        QVERIFY(again.prompter.shown.isEmpty());
    }

    void twoWorkspacesLoseNeitherChange() {
        BasesHome h;
        h.createBase("甲", "a");
        // A second process started before the first changed anything. On
        // its settings page it registers a base under the ID its copy thinks
        // free, while the first process registers another under that ID.
        BasesHome::Reopened other(h);
        {
            SystemSettingsSheet sheet(other.workspace);
            QVERIFY(writeBytes(h.home.path("c/丙.ini"),
                               "[LOCRESOURCESET]\r\nResourceName=c|\r\nResourceFilePath=/c|\r\n"));
            QVERIFY(sheet.bases().Add(h.home.path("c/丙.ini")));
            QCOMPARE(sheet.bases().rowTexts(1).at(3), QStringLiteral("2"));
            QCOMPARE(h.createBase("乙", "b"), 2);
            QVERIFY(sheet.close());
        }
        // Then it adds a type from its toolbar.
        other.prompter.typeNext(QStringLiteral("*.md"));
        QVERIFY(AddDescriptTypeFromToolbar(1, other.workspace.configUpdater(), other.prompter));

        QCOMPARE(recordsOnDisk(h.home), (QList<QPair<int, QString>>{{1, h.home.path("a/甲.ini")},
                                                                    {2, h.home.path("b/乙.ini")},
                                                                    {3, h.home.path("c/丙.ini")}}));
        QVERIFY(h.home.read("ResourceConfig/ResourceConfig.ini").contains("*.md|"));
        QCOMPARE(other.workspace.baseSelector().entries(),
                 QStringList({"甲 [1]", "乙 [2]", "c [3]"}));

        // The first one's window sees both once it looks again.
        QVERIFY(h.workspace.reloadConfigurationIfChanged());
        QVERIFY(!h.workspace.reloadConfigurationIfChanged()); // nothing new since
        QCOMPARE(h.workspace.baseSelector().entries(), other.workspace.baseSelector().entries());
        QCOMPARE(DescriptTypeSelectorItems(h.workspace.config(), 1).first(),
                 QStringLiteral("*.md"));
        QVERIFY(h.prompter.shown.isEmpty() && other.prompter.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSharedConfig)
#include "tst_sharedconfig.moc"
