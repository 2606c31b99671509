#include "ScriptedPrompter.h"
#include "TestBase.h"
#include "search/QueryHistory.h"
#include "search/SearchControl.h"
#include "search/SearchDialogRules.h"
#include "search/SearchScope.h"

#include <QtTest>

Q_DECLARE_METATYPE(SearchDialogInput)

// What the search dialog checks before a search starts, and the state it
// leaves in the main window.
class TestSearchDialogRules : public QObject {
    Q_OBJECT

    // Boxes by letter: n name, k keyword, t creation time, f file search.
    static SearchDialogInput input(const QString& query, const QString& boxes,
                                   const QString& scope = "名010100(010100)") {
        SearchDialogInput in;
        in.ScopeText = scope;
        in.QueryText = query;
        in.FromDate = "2009-03-01";
        in.ToDate = "2009-03-07";
        in.FileTypes = "*.txt;*.ini";
        in.Boxes.SearchFromNameFlag = boxes.contains('n');
        in.Boxes.SearchFromContentFlag = boxes.contains('k');
        in.Boxes.SearchFromTimeFlag = boxes.contains('t');
        in.Boxes.SearchFromFileFlag = boxes.contains('f');
        return in;
    }

private Q_SLOTS:
    void refusalsComeInOrder_data() {
        QTest::addColumn<SearchDialogInput>("in");
        QTest::addColumn<bool>("searching");
        QTest::addColumn<QString>("message");
        const QString target = "请输入查询目标!";
        const QString busy = "系统正在搜索，请先停止当前搜索!";
        QTest::newRow("no scope, even while searching")
            << input("x", "n", "") << true << "请选择查询范围!";
        QTest::newRow("no query") << input("", "n") << false << target;
        QTest::newRow("no query, before searching") << input("", "kt") << true << target;
        QTest::newRow("no query for a file search") << input("", "ft") << false << target;
        QTest::newRow("searching") << input("x", "n") << true << busy;
        SearchDialogInput noTypes = input("x", "f");
        noTypes.FileTypes.clear();
        QTest::newRow("no file types") << noTypes << false << "请输入查询文件类型!";
        QTest::newRow("no kind") << input("x", "") << false << "请选择查询类型!";
        SearchDialogInput oneDate = input("x", "nt");
        oneDate.ToDate.clear();
        QTest::newRow("one date") << oneDate << false << "请选择资料创建时间范围!";
        QTest::newRow("dates unticked are not needed") << input("x", "n") << false << "";
        QTest::newRow("time alone needs no query") << input("", "t") << false << "";
    }
    void refusalsComeInOrder() {
        QFETCH(SearchDialogInput, in);
        QFETCH(bool, searching);
        QFETCH(QString, message);
        ScriptedPrompter prompter;
        const std::optional<SearchRequest> request =
            SearchDialogRules::Check(in, searching, prompter);
        QCOMPARE(request.has_value(), message.isEmpty());
        QCOMPARE(prompter.lastText(), message);
        if (!message.isEmpty())
            QCOMPARE(prompter.shown.value(0).caption, QString("提示"));
    }

    void aKnowledgeBaseRequest() {
        ScriptedPrompter prompter;
        SearchDialogInput in = input("Q", "nkt");
        in.Boxes.ShowResult1 = 0;
        in.Boxes.ShowResult2 = 1;
        in.Boxes.UpperLowerFlag = 1;
        const SearchRequest r = *SearchDialogRules::Check(in, false, prompter);
        QCOMPARE(r.FileSearch, 0);
        QCOMPARE(r.ScopeCode, QString("010100"));
        QCOMPARE(r.ScopeText, in.ScopeText);
        QCOMPARE(r.Kind, 7);
        QCOMPARE(r.FromDate, QString("2009-03-01"));
        QCOMPARE(r.ToDate, QString("2009-03-07"));
        QCOMPARE(r.MatchCase, 1);
        QCOMPARE(r.ResultWindow, 2);
        QVERIFY(r.FileTypes.isEmpty());
        // Dates typed while the time box was clear are not the range.
        QVERIFY(SearchDialogRules::Check(input("Q", "k"), false, prompter)->FromDate.isEmpty());
        QCOMPARE(SearchDialogRules::Check(input("Q", "k"), false, prompter)->Kind, 2);
    }

    void aFileRequestIgnoresTheKnowledgeBaseBoxes() {
        ScriptedPrompter prompter;
        SearchDialogInput in = input("Q", "fnt", SearchScope::WholeBaseLabel());
        in.Boxes.OnlyShowFolderFlag = 1;
        in.Boxes.WildCardFlag = 1;
        in.Boxes.AllFixFlag = 1;
        in.Boxes.FileHideFlag = 1;
        const SearchRequest r = *SearchDialogRules::Check(in, false, prompter);
        QCOMPARE(r.FileSearch, 1);
        QCOMPARE(r.Kind, 0);
        QCOMPARE(r.ScopeCode, QString("000000"));
        QCOMPARE(r.FileTypes, QString("*.txt;*.ini"));
        QVERIFY(r.NamesOnly);
        QCOMPARE(r.RegularExpression, 1);
        QCOMPARE(r.WholeWord, 1);
        QCOMPARE(r.IncludeHidden, 1);
        QCOMPARE(r.ResultWindow, 1);
        QVERIFY(r.FromDate.isEmpty());
    }

    void scopeLabelsCarryTheirCode() {
        QCOMPARE(SearchScope::CodeOf(SearchScope::WholeBaseLabel()), QString("000000"));
        QCOMPARE(SearchScope::CodeOf(SearchScope::Label("a(b)", "0A0100")), QString("0A0100"));
        QCOMPARE(SearchScope::CodeOf("(1)"), QString());
    }

    void confirmStartsTheSearchAndRemembersTheQuery() {
        TestBase t;
        QueryHistory history;
        history.Remember("zeta");
        SearchControl control(t.prompter);
        SearchDialogInput in = input("", "n");
        in.FromDate = "2009-01-01";
        QVERIFY(!SearchDialogRules::Confirm(in, control, t.base, history, t.prompter));
        // The dates are kept for the next opening even when refused.
        QCOMPARE(control.LastFromDate(), QString("2009-01-01"));
        QCOMPARE(control.LastToDate(), QString("2009-03-07"));
        QCOMPARE(history.Entries(), QStringList({"zeta"}));

        QVERIFY(
            SearchDialogRules::Confirm(input("Alpha", "n"), control, t.base, history, t.prompter));
        QVERIFY(control.IsSearching());
        QCOMPARE(control.Request().QueryText, QString("Alpha"));
        QVERIFY(
            !SearchDialogRules::Confirm(input("beta", "n"), control, t.base, history, t.prompter));
        QCOMPARE(t.prompter.lastText(), QString("系统正在搜索，请先停止当前搜索!"));
        QVERIFY(QTest::qWaitFor([&] { return !control.IsSearching(); }, 10000));

        QVERIFY(
            SearchDialogRules::Confirm(input("zeta", "n"), control, t.base, history, t.prompter));
        QCOMPARE(history.Entries(), QStringList({"zeta", "Alpha"}));
        QCOMPARE(history.CurrentText(), QString("zeta"));
        QCOMPARE(history.SortedEntries(), QStringList({"Alpha", "zeta"}));
        QVERIFY(QTest::qWaitFor([&] { return !control.IsSearching(); }, 10000));
    }
};

QTEST_GUILESS_MAIN(TestSearchDialogRules)
#include "tst_searchdialogrules.moc"
