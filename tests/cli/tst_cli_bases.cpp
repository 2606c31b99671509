#include "CliRun.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "config/FirstRunSetup.h"
#include "config/TextCodec.h"

#include <QDir>

#include <QtTest>

// create-base and export-tree as a script runs them.
class TestCliBases : public QObject {
    Q_OBJECT

    TestHome home;
    CliRun run{home.path(), {}, {}};
    QString& out = run.out;
    QString& err = run.err;

private Q_SLOTS:
    void initTestCase() {
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home.paths(), "脚本库", home.path("kb"), prompter));
    }

    void createsBasesAndCopiesTrees() {
        QCOMPARE(run({"create-base", "空库", home.path("blank")}), 0);
        QCOMPARE(out, QString("2\n"));
        QCOMPARE(run({"bases"}), 0);
        QVERIFY(out.contains(
            QString("\n2\t空库\t%1\t%2\t").arg(home.path("blank/空库.ini"), home.path("blank"))));

        // The start base's tree, copied into a new base, exports the same.
        QCOMPARE(run({"add-item", "000000", "额外"}), 0);
        QCOMPARE(run({"export-tree", home.path("start.QCK")}), 0);
        QVERIFY(out.isEmpty() && err.isEmpty());
        const QByteArray exported = home.read("start.QCK");
        QVERIFY(exported.startsWith("[K_RESOURCE_DATA]\r\nDATA=0|"));
        QVERIFY(exported.endsWith("DATA=0|\xb6\xee\xcd\xe2|\r\n"));
        QCOMPARE(run({"create-base", "副本", home.path("copy"), "--from", home.path("start.QCK")}),
                 0);
        QCOMPARE(out, QString("3\n"));
        QCOMPARE(run({"--base", "3", "export-tree", home.path("copy.QCK")}), 0);
        QCOMPARE(home.read("copy.QCK"), exported);
    }

    void anUnavailableBaseKeepsItsRowAndItsId() {
        TestHome h;
        CliRun r{h.path(), {}, {}};
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(h.paths(), "脚本库", h.path("kb"), prompter));
        QCOMPARE(r({"create-base", "移动盘", h.path("usb")}), 0);
        QCOMPARE(r({"bases"}), 0);
        const QString usable = r.lines().at(1);
        // The drive is unplugged: the row stays, with one field more.
        QVERIFY(QDir().rename(h.path("usb"), h.path("usb-away")));
        const QString ini = h.path("usb/移动盘.ini");
        QCOMPARE(r({"bases"}), 0);
        QCOMPARE(r.lines().size(), 2);
        QCOMPARE(r.lines().at(1), "2\t\t" + ini + "\t\t\tunavailable: 找不到文件 '" + ini + "'");
        QCOMPARE(r.lines().at(0).count('\t'), 4);

        // A new base takes a new ID; the unplugged base's line is kept as is.
        QCOMPARE(r({"create-base", "新库", h.path("new")}), 0);
        QCOMPARE(r.out, QString("3\n"));
        QVERIFY(h.read("ResourceConfig/ResourceConfig.ini")
                    .contains("\r\nLocalResourceInfo=2|" + TextCodec::encode(ini) + "|\r\n"));
        QVERIFY(QDir().rename(h.path("usb-away"), h.path("usb")));
        QCOMPARE(r({"bases"}), 0);
        QCOMPARE(r.lines().at(1), usable);
    }

    void refusesWhatCannotBeDone() {
        QCOMPARE(run({"create-base", "again", home.path("kb/我的知识库")}), 1);
        QVERIFY(err.startsWith("错误: '" + home.path("kb/我的知识库") + "' 中已经有知识库文件"));
        QCOMPARE(run({"export-tree", home.path("missing/t.QCK")}), 1);
        QCOMPARE(err.trimmed(), QString("错误: 无法导出知识库!"));
        for (const QStringList& bad :
             {QStringList{"create-base", "only-name"},
              QStringList{"create-base", "a", "b", "--from"},
              QStringList{"create-base", "a", "b", "c"}, QStringList{"export-tree"}}) {
            QCOMPARE(run(bad), 2);
            QVERIFY(err.contains("usage:"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliBases)
#include "tst_cli_bases.moc"
