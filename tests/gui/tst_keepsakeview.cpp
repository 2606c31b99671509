#include "ActiveWindow.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CKeepsakeView.h"
#include "documents/DocumentCommands.h"
#include "documents/KeepsakePrinter.h"
#include "documents/SyntaxScheme.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

// Drives the material text editor with the keys and commands a user gives
// and checks what the editor shows and what lands on disk.
class TestKeepsakeView : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SyntaxScheme m_scheme;
    std::unique_ptr<CommandRegistry> m_commands;
    ScriptedPrompter m_prompter;
    std::unique_ptr<CKeepsakeView> m_view;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray read(const QString& name) const { return readBytes(path(name)); }
    CKeepsakeView* open(const QString& name, const QByteArray& bytes) {
        writeBytes(path(name), bytes);
        m_view = std::make_unique<CKeepsakeView>(m_scheme, *m_commands, m_prompter);
        if (!m_view->open(path(name)) || !showActive(*m_view, {700, 400}, edit()))
            return nullptr;
        return m_view.get();
    }
    QsciScintilla* edit() { return m_view->editor(); }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(edit(), Qt::Key(key), mods);
    }
    // Chinese text arrives through an input method, as it does for a user.
    void typeByInputMethod(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit(), &event);
    }
    QList<int> selection() {
        int a = 0, b = 0, c = 0, d = 0;
        edit()->getSelection(&a, &b, &c, &d);
        return {a, b, c, d};
    }
    int caretLine() {
        int line = 0, index = 0;
        edit()->getCursorPosition(&line, &index);
        return line;
    }
    unsigned markers(int line) { return edit()->markersAtLine(line); }

private Q_SLOTS:
    void initTestCase() {
        m_scheme = SyntaxScheme::load(TestHome::shippedFolder() + "/EditConfig/SyntaxEdit.ini");
        m_commands = std::make_unique<CommandRegistry>();
        DocumentCommands::install(*m_commands, [this] { return m_view.get(); });
    }
    void cleanup() {
        if (m_view)
            m_view->editor()->setModified(false); // no question at the end of a test
        m_view.reset();
        m_prompter.shown.clear();
    }

    void gb18030TextSurvivesEditUndoAndSaveByteForByte() {
        // 中文 report / 第二行, in the code page Chinese Windows wrote.
        const QByteArray bytes = "\xD6\xD0\xCE\xC4 report\r\n\xB5\xDA\xB6\xFE\xD0\xD0\r\n";
        QVERIFY(open("gbk.txt", bytes));
        QCOMPARE(m_view->fileFormat().encoding(), TextFileFormat::Encoding::Gb18030);
        QCOMPARE(edit()->text(0), QString("中文 report\r\n"));
        QCOMPARE(m_view->windowTitle(), QString("gbk.txt"));

        typeByInputMethod("新");
        QCOMPARE(m_view->windowTitle(), QString("gbk.txt*"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_view->windowTitle(), QString("gbk.txt"));
        QVERIFY(!m_view->isModified());

        // An edit that changes nothing still writes: the bytes come back whole.
        QTest::keyClicks(edit(), "x");
        press(Qt::Key_Backspace);
        QVERIFY(m_view->isModified());
        QVERIFY(m_view->save());
        QCOMPARE(read("gbk.txt"), bytes);

        // A new line gets the file's CR LF; 新 is written in GB18030.
        press(Qt::Key_End);
        press(Qt::Key_Return);
        typeByInputMethod("新");
        QVERIFY(m_view->save());
        QCOMPARE(read("gbk.txt"),
                 QByteArray("\xD6\xD0\xCE\xC4 report\r\n\xD0\xC2\r\n\xB5\xDA\xB6\xFE\xD0\xD0\r\n"));
    }

    void utf8FilesKeepEncodingLineEndsAndZeroBytes() {
        const QByteArray bytes = QByteArray("中文\nx\r\ny\0z", 13);
        QVERIFY(open("u.txt", bytes));
        QCOMPARE(m_view->fileFormat().encoding(), TextFileFormat::Encoding::Utf8);
        press(Qt::Key_End, Qt::ControlModifier);
        press(Qt::Key_Return); // the first line end of the file is a bare LF
        typeByInputMethod("新");
        QVERIFY(m_view->save());
        QCOMPARE(read("u.txt"), bytes + "\n新");

        // A BOM stays in front.
        QVERIFY(open("bom.txt", "\xEF\xBB\xBF"
                                "abc"));
        QCOMPARE(edit()->text(), QString("abc"));
        typeByInputMethod("中");
        QVERIFY(m_view->save());
        QCOMPARE(read("bom.txt"), QByteArray("\xEF\xBB\xBF"
                                             "中abc"));
    }

    void bytesThatCannotComeBackOpenReadOnly() {
        // 0x81 opens a two-byte sequence that a blank cannot end.
        const QByteArray bytes = "ab\x81 cd\r\n";
        QVERIFY(open("bad.txt", bytes));
        QVERIFY(m_view->isReadOnly());
        QCOMPARE(m_view->windowTitle(), QString("bad.txt (只读)"));
        QTest::keyClicks(edit(), "x");
        QVERIFY(!m_view->isModified());
        QVERIFY(!m_commands->trigger(CommandIds::UpperCase));
        QCOMPARE(read("bad.txt"), bytes);
    }

    void ctrlF3FindsTheWordAtTheCaretShiftBackwards() {
        QVERIFY(open("find.txt", "report one\nthe report two\nreport three\n"));
        edit()->setCursorPosition(1, 6); // inside the second "report"
        press(Qt::Key_F3, Qt::ControlModifier);
        QCOMPARE(selection(), QList<int>({2, 0, 2, 6}));
        QCOMPARE(CKeepsakeView::findText(), QString("report"));

        press(Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(selection(), QList<int>({1, 4, 1, 10}));
        press(Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(selection(), QList<int>({0, 0, 0, 6}));
        // Past the top the search goes on from the end.
        press(Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(selection(), QList<int>({2, 0, 2, 6}));
        press(Qt::Key_F3, Qt::ControlModifier); // and past the end from the top
        QCOMPARE(selection(), QList<int>({0, 0, 0, 6}));
    }

    void findWordSearchesOnlyTheFirstLineOfTheSelection() {
        QVERIFY(open("two.txt", "alpha beta\ngamma\nx alpha beta gamma\na\tb\na    b\n"));
        edit()->setSelection(0, 0, 1, 2);
        press(Qt::Key_F3, Qt::ControlModifier);
        QCOMPARE(selection(), QList<int>({2, 2, 2, 12}));
        QCOMPARE(CKeepsakeView::findText(), QString("alpha beta"));

        // A tab is searched as four blanks.
        edit()->setSelection(3, 0, 3, 3);
        press(Qt::Key_F3, Qt::ControlModifier);
        QCOMPARE(selection(), QList<int>({4, 0, 4, 6}));
        QCOMPARE(CKeepsakeView::findText(), QString("a    b"));

        // Between two blanks there is no word: a blank is searched, and the
        // find text stays.
        QVERIFY(open("blank.txt", "x  y z\n"));
        edit()->setCursorPosition(0, 2);
        press(Qt::Key_F3, Qt::ControlModifier);
        QCOMPARE(selection(), QList<int>({0, 2, 0, 3}));
        QCOMPARE(CKeepsakeView::findText(), QString("a    b"));

        // The find dialog's whole-word and match-case choices hold.
        QVERIFY(open("opts.txt", "Report reports report Report\n"));
        m_view->setFindOptions(true, true);
        edit()->setCursorPosition(0, 1);
        press(Qt::Key_F3, Qt::ControlModifier);
        QCOMPARE(selection(), QList<int>({0, 22, 0, 28}));
    }

    void bookmarkKeysWorkOnlyWithBookmarks() {
        QVERIFY(open("marks.txt", "l1\nl2\nl3\nl4\nl5\n"));
        QAction* next = m_commands->action(CommandIds::NextBookmark);
        QVERIFY(!next->isEnabled());
        press(Qt::Key_F2);
        QCOMPARE(caretLine(), 0);

        edit()->setCursorPosition(2, 0);
        press(Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(m_commands->action(CommandIds::PreviousBookmark)->isEnabled());
        edit()->setCursorPosition(0, 0);
        press(Qt::Key_F2);
        QCOMPARE(caretLine(), 2);
        edit()->setCursorPosition(4, 0);
        press(Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(caretLine(), 2);

        press(Qt::Key_F2, Qt::ControlModifier); // cleared again
        QVERIFY(!next->isEnabled());
        QVERIFY(!m_commands->trigger(CommandIds::NextBookmark));
    }

    void goToLineAndMarkTogglesTheLineMarker() {
        QVERIFY(open("hits.txt", "a\nb\nc\nd\n"));
        const unsigned lineMarker = 1u << 2;
        m_view->GoToLineAndMark(3);
        QCOMPARE(caretLine(), 2);
        QVERIFY(markers(2) & lineMarker);
        m_view->GoToLineAndMark(3); // a second result row on the same line
        QVERIFY(!(markers(2) & lineMarker));

        edit()->setCursorPosition(1, 0);
        press(Qt::Key_F9);
        QVERIFY(markers(1) & lineMarker);
        QVERIFY(!(markers(1) & (1u << 1))); // a line marker is no bookmark

        m_view->GoToLineAndMark(99);
        QCOMPARE(caretLine(), 4);
    }

    void ctrlGAsksForTheRow() {
        QVERIFY(open("lines.txt", "1\n2\n3\n4\n5\n"));
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setIntValue(4);
            dialog->accept();
        });
        press(Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(caretLine(), 3);
    }

    void printHeaderDropsTheModifiedMark() {
        QVERIFY(open("note.txt", "x\n"));
        QTest::keyClicks(edit(), "y");
        QCOMPARE(m_view->windowTitle(), QString("note.txt*"));
        QCOMPARE(m_view->printHeaderTitle(), QString("note.txt"));
        QCOMPARE(KeepsakePrinter::headerTitle("C:\\资料\\笔记*.txt*"), QString("笔记.txt"));

        // A window named after its material keeps that name beside the mark.
        QVERIFY(m_view->save());
        m_view->setWindowTitle("会议记录");
        QTest::keyClicks(edit(), "z");
        QCOMPARE(m_view->windowTitle(), QString("会议记录*"));
        QCOMPARE(m_view->printHeaderTitle(), QString("会议记录"));
        QVERIFY(m_view->save());
        QCOMPARE(m_view->windowTitle(), QString("会议记录"));
        QCOMPARE(KeepsakePrinter::footerText(2, 5), QString("Page 2 of 5"));
    }

    void printingCountsThePagesBeforeDrawing() {
        QByteArray text;
        for (int i = 1; i <= 300; ++i)
            text += "第" + QByteArray::number(i) + "行 of the printed text\n";
        QVERIFY(open("long.txt", text));
        KeepsakePrinter printer(m_view->windowTitle(), m_scheme.font());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("long.pdf"));
        QVERIFY(printer.printDocument(edit()));
        QVERIFY(printer.pageCount() > 3);
        QVERIFY(read("long.pdf").startsWith("%PDF"));
    }

    void tabifyUntabifyAndCaseWorkOnTheSelection() {
        QVERIFY(open("ws.py", "        x = 1\n    y\n      z\n"));
        edit()->setSelection(0, 0, 2, 0); // two whole lines
        QVERIFY(m_commands->trigger(CommandIds::Tabify));
        QCOMPARE(edit()->text(), QString("\t\tx = 1\n\ty\n      z\n"));

        edit()->setSelection(0, 0, 1, 2);
        QVERIFY(m_commands->trigger(CommandIds::Untabify));
        QCOMPARE(edit()->text(), QString("        x = 1\n    y\n      z\n"));
        press(Qt::Key_Z, Qt::ControlModifier); // one step each
        QCOMPARE(edit()->text(), QString("\t\tx = 1\n\ty\n      z\n"));

        edit()->setSelection(1, 1, 1, 2);
        QVERIFY(m_commands->trigger(CommandIds::UpperCase));
        QCOMPARE(edit()->text(1), QString("\tY\n"));
        QVERIFY(m_commands->trigger(CommandIds::LowerCase));
        QCOMPARE(edit()->text(1), QString("\ty\n"));
    }

    void schemeChoosesTheLexerAndFoldingFollowsIt() {
        QVERIFY(open("a.cpp", "int f()\n{\n    return 1;\n}\n"));
        QVERIFY(edit()->lexer());
        QCOMPARE(QString(edit()->lexer()->language()), QString("C++"));
        QVERIFY(m_commands->trigger(CommandIds::FoldAll));
        QVERIFY(!edit()->SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 2L));
        QVERIFY(m_commands->trigger(CommandIds::UnfoldAll));
        QVERIFY(edit()->SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 2L));

        QVERIFY(open("b.py", "x = 1\n"));
        QCOMPARE(QString(edit()->lexer()->language()), QString("Python"));
        QVERIFY(open("c.unknown", "x\n"));
        QVERIFY(!edit()->lexer());
    }

    void whiteSpaceIsACheckCommand() {
        QVERIFY(open("w.txt", "a b\n"));
        QAction* show = m_commands->action(CommandIds::ShowWhiteSpace);
        QVERIFY(m_commands->trigger(CommandIds::ShowWhiteSpace));
        QVERIFY(show->isChecked());
        QCOMPARE(edit()->whitespaceVisibility(), QsciScintilla::WsVisible);
        show->trigger(); // as a menu click
        QVERIFY(!show->isChecked());
        QCOMPARE(edit()->whitespaceVisibility(), QsciScintilla::WsInvisible);
    }

    void caretMovesAreReportedForTheStatusBar() {
        QVERIFY(open("rc.txt", "abc\n\txyz\n"));
        QSignalSpy spy(m_view.get(), &CKeepsakeView::rowColChanged);
        press(Qt::Key_Down);
        press(Qt::Key_End);
        // The editor reports the caret when it next paints.
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().first().toString(), QString("Ln 2, Col 8")); // the tab is 4 wide
        QCOMPARE(m_view->rowColText(), QString("Ln 2, Col 8"));
    }

    void aSaveThatCannotWriteKeepsTheDocumentModified() {
        QVERIFY(open("gone/a.txt", "old\n"));
        QTest::keyClicks(edit(), "new ");
        QVERIFY(QDir(path("gone")).removeRecursively());
        QVERIFY(!m_view->save());
        QVERIFY(m_view->isModified());
        QCOMPARE(m_view->windowTitle(), QString("a.txt*"));
        QVERIFY(m_prompter.lastText().startsWith("保存文件 '" + path("gone/a.txt") + "' 失败!"));
        QCOMPARE(m_prompter.shown.last().caption, QString("错误"));

        // Closing asks; Yes tries to save, fails, and the window stays.
        m_prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(!m_view->close());
        QCOMPARE(m_prompter.shown[1].text, QString("是否将更改保存到 a.txt?"));
        QVERIFY(m_view->isVisible());
    }

    void closingAModifiedDocumentAsksToSave() {
        QVERIFY(open("q.txt", "old\n"));
        QTest::keyClicks(edit(), "new ");
        m_prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!m_view->close());
        m_prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(m_view->close());
        QCOMPARE(read("q.txt"), QByteArray("new old\n"));

        QVERIFY(open("r.txt", "old\n"));
        QTest::keyClicks(edit(), "new ");
        m_prompter.answerNext(Prompter::Answer::No);
        QVERIFY(m_view->close());
        QCOMPARE(read("r.txt"), QByteArray("old\n"));
    }
};

QTEST_MAIN(TestKeepsakeView)
#include "tst_keepsakeview.moc"
