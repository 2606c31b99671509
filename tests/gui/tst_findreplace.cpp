#include "ActiveWindow.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CKeepsakeView.h"
#include "documents/CRichEditControlView.h"
#include "documents/DocumentCommands.h"
#include "documents/FindReplaceDialog.h"
#include "documents/SyntaxScheme.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

// Drives the find and replace dialog the way a user does: Ctrl+F or Ctrl+H
// in an editor, typing into the fields, ticking the choices and clicking
// the buttons. The matches expected are counted by hand in the texts below.
class TestFindReplace : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SyntaxScheme m_scheme;
    CommandRegistry m_commands;
    ScriptedPrompter m_prompter;
    std::unique_ptr<DocumentWindow> m_view;

    //            0         1         2
    //            0123456789012345678901234567
    // "cat Cat catalog cat_x cat." : "cat" at 0, 4 (Cat), 8 (catalog),
    // 16 (cat_x), 22; whole words (with "_" part of a word) at 0, 4, 22.
    const QByteArray kText = "cat Cat catalog cat_x cat.\n";

    CKeepsakeView* openText(const QByteArray& bytes) {
        writeBytes(m_dir.filePath("t.txt"), bytes);
        auto* view = new CKeepsakeView(m_scheme, m_commands, m_prompter);
        m_view.reset(view);
        if (!view->open(m_dir.filePath("t.txt")) ||
            !showActive(*m_view, {600, 300}, view->editor()))
            return nullptr;
        return view;
    }
    QsciScintilla* edit() { return static_cast<CKeepsakeView*>(m_view.get())->editor(); }
    // Start and end of the selection, counted in characters of the line.
    QPair<int, int> selected() {
        int l1 = 0, i1 = 0, l2 = 0, i2 = 0;
        edit()->getSelection(&l1, &i1, &l2, &i2);
        return {i1, i2};
    }
    FindReplaceDialog* openDialog(QWidget* editor, Qt::Key key, const QString& find, bool wholeWord,
                                  bool matchCase) {
        QTest::keyClick(editor, key, Qt::ControlModifier);
        FindReplaceDialog* dialog = FindReplaceDialog::current();
        if (!dialog || !dialog->isVisible())
            return nullptr;
        auto* what = dialog->findChild<QLineEdit*>("findWhat");
        what->selectAll();
        QTest::keyClicks(what, find);
        setTicked(dialog, "全字匹配(&W)", wholeWord);
        setTicked(dialog, "区分大小写(&C)", matchCase);
        return dialog;
    }
    void setTicked(FindReplaceDialog* dialog, const QString& text, bool ticked) {
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
            // On the box, not in the blank right of its text.
            if (box->text() == text && box->isChecked() != ticked)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        }
    }
    void click(FindReplaceDialog* dialog, const QString& text) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == text) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QFAIL(qPrintable("no button " + text));
    }

private Q_SLOTS:
    void initTestCase() {
        m_scheme = SyntaxScheme::load(TestHome::shippedFolder() + "/EditConfig/SyntaxEdit.ini");
        DocumentCommands::install(m_commands, [this] { return m_view.get(); });
    }
    void cleanup() {
        if (FindReplaceDialog* dialog = FindReplaceDialog::current())
            dialog->close();
        if (auto* text = qobject_cast<CKeepsakeView*>(m_view.get()))
            text->editor()->setModified(false);
        if (auto* rich = qobject_cast<CRichEditControlView*>(m_view.get()))
            rich->editor()->document()->setModified(false);
        m_view.reset();
        m_prompter.shown.clear();
    }

    void wholeWordAndMatchCaseStepThroughTheMatches() {
        QVERIFY(openText(kText));
        FindReplaceDialog* dialog = openDialog(edit(), Qt::Key_F, "cat", true, true);
        QVERIFY(dialog);
        click(dialog, "查找下一个(&F)");
        QCOMPARE(selected(), qMakePair(0, 3));
        click(dialog, "查找下一个(&F)");
        QCOMPARE(selected(), qMakePair(22, 25));
        QVERIFY(dialog->statusText().isEmpty());
        click(dialog, "查找下一个(&F)"); // past the end: from the top again
        QCOMPARE(selected(), qMakePair(0, 3));
        QCOMPARE(dialog->statusText(), QString("已从开头继续查找"));
        click(dialog, "查找上一个(&B)"); // before the first: from the end
        QCOMPARE(selected(), qMakePair(22, 25));
        QCOMPARE(dialog->statusText(), QString("已从末尾继续查找"));
        QVERIFY(m_prompter.shown.isEmpty());

        // Whole words in any case: "Cat" too, still not catalog or cat_x.
        setTicked(dialog, "区分大小写(&C)", false);
        click(dialog, "查找上一个(&B)");
        QCOMPARE(selected(), qMakePair(4, 7));
        click(dialog, "查找上一个(&B)");
        QCOMPARE(selected(), qMakePair(0, 3));

        // Parts of words, case kept: catalog and cat_x, never Cat.
        setTicked(dialog, "全字匹配(&W)", false);
        setTicked(dialog, "区分大小写(&C)", true);
        const QList<int> starts = {8, 16, 22, 0};
        for (int start : starts) {
            click(dialog, "查找下一个(&F)");
            QCOMPARE(selected(), qMakePair(start, start + 3));
        }
    }

    void findWordFollowsTheDialogsChoices() {
        QVERIFY(openText(kText));
        QPointer<FindReplaceDialog> dialog = openDialog(edit(), Qt::Key_F, "cat", true, true);
        click(dialog, "查找下一个(&F)");
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog || !dialog->isVisible());
        edit()->setCursorPosition(0, 1);
        QTest::keyClick(edit(), Qt::Key_F3, Qt::ControlModifier);
        QCOMPARE(selected(), qMakePair(22, 25));
    }

    void notFoundIsToldOnce() {
        QVERIFY(openText(kText));
        FindReplaceDialog* dialog = openDialog(edit(), Qt::Key_F, "CAT", false, true);
        edit()->setSelection(0, 4, 0, 7);
        click(dialog, "查找下一个(&F)");
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown[0].caption, QString("提示"));
        QCOMPARE(m_prompter.shown[0].text, QString("找不到 \"CAT\""));
        QCOMPARE(selected(), qMakePair(4, 7)); // the selection stays
    }

    void replaceAllReplacesExactlyTheWholeWords() {
        QVERIFY(openText(kText));
        FindReplaceDialog* dialog = openDialog(edit(), Qt::Key_H, "cat", true, true);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("replaceWith"), "dog");
        click(dialog, "全部替换(&A)");
        QCOMPARE(edit()->text(), QString("dog Cat catalog cat_x dog.\n"));
        QCOMPARE(dialog->statusText(), QString("已替换 2 处"));
        QTest::keyClick(edit(), Qt::Key_Z, Qt::ControlModifier); // one undo for all
        QCOMPARE(edit()->text(), QString::fromLatin1(kText));

        // A replacement holding the find text is not replaced again.
        dialog->findChild<QLineEdit*>("replaceWith")->setText("cat cat");
        click(dialog, "全部替换(&A)");
        QCOMPARE(edit()->text(), QString("cat cat Cat catalog cat_x cat cat.\n"));
    }

    void replaceChangesOnlyASelectedMatch() {
        QVERIFY(openText(kText));
        FindReplaceDialog* dialog = openDialog(edit(), Qt::Key_H, "cat", true, false);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("replaceWith"), "ox");
        edit()->setCursorPosition(0, 1);
        click(dialog, "替换(&R)"); // nothing selected: only finds
        QCOMPARE(edit()->text(), QString::fromLatin1(kText));
        QCOMPARE(selected(), qMakePair(4, 7));
        click(dialog, "替换(&R)"); // "Cat" selected: replaced, next found
        QCOMPARE(edit()->text(), QString("cat ox catalog cat_x cat.\n"));
        QCOMPARE(selected(), qMakePair(21, 24));
    }

    void readOnlyTextCannotBeReplaced() {
        CKeepsakeView* view = openText(kText);
        QVERIFY(view);
        view->setReadOnly(true);
        QTest::keyClick(edit(), Qt::Key_H, Qt::ControlModifier); // replacing is closed
        QVERIFY(!FindReplaceDialog::current() || !FindReplaceDialog::current()->isVisible());
        FindReplaceDialog* dialog = openDialog(edit(), Qt::Key_F, "cat", false, false);
        QVERIFY(dialog);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text().startsWith("替换") || button->text().startsWith("全部替换"))
                QVERIFY(!button->isEnabled());
        }
        QCOMPARE(view->replaceAll("cat", "dog", {}), 0);
        QCOMPARE(edit()->text(), QString::fromLatin1(kText));
    }

    void richTextFindsAndReplacesTheSameWords() {
        writeBytes(m_dir.filePath("r.rtf"), "{\\rtf1\\ansi cat Cat catalog cat_x cat.\\par}");
        auto* view = new CRichEditControlView(m_commands, m_prompter);
        m_view.reset(view);
        QVERIFY(view->open(m_dir.filePath("r.rtf")));
        QVERIFY(showActive(*m_view, {600, 300}, view->editor()));
        view->editor()->moveCursor(QTextCursor::Start);
        FindReplaceDialog* dialog = openDialog(view->editor(), Qt::Key_F, "cat", true, true);
        QVERIFY(dialog);
        click(dialog, "查找下一个(&F)");
        QTextCursor cursor = view->editor()->textCursor();
        QCOMPARE(qMakePair(cursor.selectionStart(), cursor.selectionEnd()), qMakePair(0, 3));
        click(dialog, "查找下一个(&F)");
        cursor = view->editor()->textCursor();
        QCOMPARE(qMakePair(cursor.selectionStart(), cursor.selectionEnd()), qMakePair(22, 25));

        QTest::keyClicks(dialog->findChild<QLineEdit*>("replaceWith"), "dog");
        click(dialog, "全部替换(&A)");
        QCOMPARE(view->editor()->toPlainText(), QString("dog Cat catalog cat_x dog."));
    }
};

QTEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
