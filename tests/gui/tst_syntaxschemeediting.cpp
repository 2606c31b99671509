#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "WorkingWindow.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/ProgramPaths.h"
#include "documents/CKeepsakeView.h"
#include "documents/CNoResourceShowView.h"
#include "documents/CRichEditControlView.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentFactory.h"
#include "documents/SyntaxSchemeEditing.h"
#include "panes/CSearchItemView.h"
#include "search/SearchControl.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

// The editor settings command edits the user's copy of the scheme and never
// the shipped file; a file search hit opens in the text view at its row
// whatever kind the file is; a file nothing shows gets a window naming it.
namespace {

// The rows a hit comes from are those of the window's latest file search:
// run one for the query, reading documents by their text or not.
void searchFor(WorkingWindow& window, const QString& query, bool documentText) {
    auto* search = window.frame->findChild<SearchControl*>();
    QVERIFY(search);
    search->SetDocumentText(documentText);
    SearchRequest request;
    request.FileSearch = 1;
    request.ScopeCode = "000000";
    request.QueryText = query;
    request.FileTypes = "*.rtf";
    QVERIFY(search->StartSearch(request, window.frame->workspace().currentBase()));
    QTRY_VERIFY(!search->IsSearching());
}

} // namespace

class TestSyntaxSchemeEditing : public QObject {
    Q_OBJECT

    // A scheme colouring C++ and ini files, the keyword style in its own colour.
    const QByteArray kShipped = "[Lexers]\r\ncpp=cpp h\r\nproperties=ini\r\n"
                                "[cpp]\r\nKeyword=#102030\r\n";

    static void press(QWidget* widget, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(widget, Qt::Key(key), mods);
    }
    static int keywordStyle(const QsciLexer* lexer) {
        for (int style = 0; style < 128; ++style) {
            if (lexer->description(style) == QLatin1String("Keyword"))
                return style;
        }
        return -1;
    }

private Q_SLOTS:
    void editsTheUsersCopyAndRecoloursOpenEditors() {
        QTemporaryDir home, shipped;
        writeBytes(shipped.filePath("EditConfig/SyntaxEdit.ini"), kShipped);
        writeBytes(home.filePath("main.cpp"), "int main() { return 0; }\n");
        const ProgramPaths paths(home.path(), shipped.path());
        CommandRegistry commands;
        ScriptedPrompter prompter;
        std::vector<std::unique_ptr<CKeepsakeView>> windows;
        DocumentCommands::install(
            commands, [&windows] { return windows.empty() ? nullptr : windows.back().get(); });
        DocumentFactory factory(paths.shipped("EditConfig/SyntaxEdit.ini"), commands, prompter);
        SyntaxSchemeEditing::install(commands, paths, factory, prompter,
                                     [&factory, &windows](const QString& path) {
                                         windows.emplace_back(factory.openSearchHit(path));
                                     });

        windows.emplace_back(factory.openText(home.filePath("main.cpp")));
        const QsciLexer* cppLexer = windows[0]->editor()->lexer();
        QVERIFY(cppLexer);
        QCOMPARE(cppLexer->color(keywordStyle(cppLexer)), QColor("#102030"));

        commands.action(CommandIds::EditSyntaxScheme)->trigger();
        QCOMPARE(windows.size(), size_t(2));
        CKeepsakeView* schemeView = windows[1].get();
        QVERIFY(schemeView);
        const QString own = home.filePath("EditConfig/SyntaxEdit.ini");
        QCOMPARE(schemeView->filePath(), own);
        QVERIFY(!schemeView->isReadOnly());
        QCOMPARE(readBytes(own), kShipped);

        // The user gives keywords another colour and saves.
        schemeView->show();
        QVERIFY(QTest::qWaitForWindowExposed(schemeView));
        QsciScintilla* edit = schemeView->editor();
        edit->setFocus();
        press(edit, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(edit, "CComment=#a0b0c0");
        press(edit, Qt::Key_Return);
        QVERIFY(schemeView->save());

        QCOMPARE(readBytes(shipped.filePath("EditConfig/SyntaxEdit.ini")), kShipped);
        QCOMPARE(readBytes(own), kShipped + "CComment=#a0b0c0\r\n");
        const QsciLexer* recoloured = windows[0]->editor()->lexer();
        QVERIFY(recoloured);
        QCOMPARE(recoloured->color(keywordStyle(recoloured)), QColor("#102030"));
        int comment = -1;
        for (int style = 0; style < 128 && comment < 0; ++style) {
            if (recoloured->description(style) == QLatin1String("C comment"))
                comment = style;
        }
        QVERIFY(comment >= 0);
        QCOMPARE(recoloured->color(comment), QColor("#a0b0c0"));

        // Again: the user's copy as it is now, never the shipped one again.
        commands.action(CommandIds::EditSyntaxScheme)->trigger();
        QCOMPARE(windows.back()->filePath(), own);
        QVERIFY(windows.back()->editor()->text().endsWith("CComment=#a0b0c0\r\n"));
        QVERIFY(prompter.shown.isEmpty());
    }

    void neverEditsTheShippedFileInPlace() {
        // Without a home of its own the program folder is the installation.
        QTemporaryDir folder;
        writeBytes(folder.filePath("EditConfig/SyntaxEdit.ini"), kShipped);
        const ProgramPaths paths(folder.path(), folder.path());
        ScriptedPrompter prompter;
        QVERIFY(!SyntaxSchemeEditing::prepareUserCopy(paths, prompter));
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].caption, QString("错误"));
        QCOMPARE(prompter.shown[0].text,
                 QString("无法修改随程序提供的文件 %1!")
                     .arg(paths.shippedFolder() + "EditConfig/SyntaxEdit.ini"));
        QCOMPARE(readBytes(folder.filePath("EditConfig/SyntaxEdit.ini")), kShipped);
    }

    void searchHitInRtfOpensReadOnlyTextAtItsRow() {
        // A search that read the markup lists rows of the raw file.
        WorkingWindow window;
        QVERIFY(window.setUp());
        searchFor(window, "needle", false);
        const QByteArray rtf = "{\\rtf1\\ansi\r\n{\\fonttbl{\\f0 Arial;}}\r\n"
                               "\\f0 needle here\\par\r\n}\r\n";
        const QString path = window.home->path("note.rtf");
        writeBytes(path, rtf);
        auto* results = window.frame->findChild<CSearchItemView*>();
        QVERIFY(results);
        Q_EMIT results->openFileAtLine(path, 3);

        auto* view = qobject_cast<CKeepsakeView*>(window.frame->documents().activeDocument());
        QVERIFY(view);
        QCOMPARE(view->filePath(), QFileInfo(path).absoluteFilePath());
        QVERIFY(view->isReadOnly());
        int line = -1, index = -1;
        view->editor()->getCursorPosition(&line, &index);
        QCOMPARE(line, 2);
        QCOMPARE(view->editor()->markersAtLine(2), 1u << 2); // the line marker alone
        QVERIFY(view->editor()->text(2).startsWith("\\f0 needle here"));

        // Typing cannot change it, and the window has nothing to save.
        view->editor()->setFocus();
        QTest::keyClicks(view->editor(), "xyz");
        QVERIFY(!view->isModified());
        QVERIFY(view->save());
        QCOMPARE(readBytes(path), rtf);

        // A second hit in the same file goes to the same window.
        const int windows = window.frame->documents().subWindowList().size();
        Q_EMIT results->openFileAtLine(path, 1);
        QCOMPARE(window.frame->documents().subWindowList().size(), windows);
        QCOMPARE(window.frame->documents().activeDocument(), view);
        QCOMPARE(view->editor()->markersAtLine(0), 1u << 2);
    }

    void documentHitOpensTheEditorAtTheOccurrence() {
        WorkingWindow window;
        QVERIFY(window.setUp());
        searchFor(window, "Needle", true);
        // Line 3 of the text holds the third "needle" of the document, the
        // second that differs only in case from the query.
        const QString path = window.home->path("note.rtf");
        writeBytes(path, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a needle\\par\r\n"
                         "no match\\par\r\nsay NEEDLE twice: needle\\par\r\n}");
        auto* results = window.frame->findChild<CSearchItemView*>();
        Q_EMIT results->openFileAtLine(path, 3);

        auto* view =
            qobject_cast<CRichEditControlView*>(window.frame->documents().activeDocument());
        QVERIFY(view);
        const QTextCursor selected = view->editor()->textCursor();
        QCOMPARE(selected.selectedText(), QString("NEEDLE"));
        QCOMPARE(selected.block().blockNumber(), 2);
        QCOMPARE(selected.selectionStart() - selected.block().position(), 4);
        QVERIFY(!view->isModified());
    }

    void placeholderNamesTheFile() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("图纸.dwg"), QByteArray("\x00\x01\x02", 3));
        CNoResourceShowView shown(dir.filePath("图纸.dwg"));
        QCOMPARE(shown.windowTitle(), QString("图纸.dwg"));
        QCOMPARE(shown.findChild<QLabel*>("fileName")->text(), QString("图纸.dwg"));
        QCOMPARE(shown.message(), QString("程序无法显示文件 \"图纸.dwg\"。"));
        QVERIFY(shown.findChild<QPushButton*>("openExternally"));
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        QCOMPARE(readBytes(dir.filePath("图纸.dwg")), QByteArray("\x00\x01\x02", 3));

        CNoResourceShowView missing(dir.filePath("gone.dwg"));
        QCOMPARE(missing.message(), QString("文件 \"gone.dwg\" 不存在。"));
        QVERIFY(!missing.findChild<QPushButton*>("openExternally"));
    }
};

QTEST_MAIN(TestSyntaxSchemeEditing)
#include "tst_syntaxschemeediting.moc"
