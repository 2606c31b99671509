#include "ActiveWindow.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CInsertTimeDlg.h"
#include "documents/CRichEditControlView.h"
#include "documents/ColourPalette.h"
#include "documents/DocumentCommands.h"
#include "documents/RichTextFormatBar.h"
#include "rtf/RtfPicture.h"
#include "rtf/RtfReader.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontComboBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <QtTest>

namespace {

// 中文 report, as WordPad writes it on a Chinese system.
const QByteArray kChineseRtf =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs20 \\'d6\\'d0\\'ce\\'c4 report\\par\n}\n";

QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1); // the format of the character before
    return cursor.charFormat();
}

} // namespace

// Drives the rich-text editor and its format bar as a user does and reads
// back what was stored.
class TestRichEditView : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<CommandRegistry> m_commands;
    ScriptedPrompter m_prompter;
    std::unique_ptr<CRichEditControlView> m_view;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    CRichEditControlView* open(const QString& name, const QByteArray& bytes) {
        writeBytes(path(name), bytes);
        m_view = std::make_unique<CRichEditControlView>(*m_commands, m_prompter);
        if (!m_view->open(path(name)) || !showActive(*m_view, {800, 400}, edit()))
            return nullptr;
        return m_view.get();
    }
    QTextEdit* edit() { return m_view->editor(); }
    void select(int from, int to) {
        QTextCursor cursor = edit()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit()->setTextCursor(cursor);
    }
    // What the file holds now, read as a second program would.
    std::unique_ptr<QTextDocument> stored(const QString& name) {
        auto document = std::make_unique<QTextDocument>();
        if (!RtfReader::read(readBytes(path(name)), document.get()))
            return {};
        return document;
    }
    // Runs the dialog step once the modal dialog the next command opens is up.
    template <typename Dialog, typename Step> void whenDialogOpens(Step step) {
        QTimer::singleShot(0, this, [step] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            step(dialog);
        });
    }

private Q_SLOTS:
    void initTestCase() {
        m_commands = std::make_unique<CommandRegistry>();
        DocumentCommands::install(*m_commands, [this] { return m_view.get(); });
    }
    void cleanup() {
        if (m_view)
            edit()->document()->setModified(false);
        m_view.reset();
        m_prompter.shown.clear();
    }

    void boldAndChineseSurviveSaveAndReload() {
        QVERIFY(open("note.rtf", kChineseRtf));
        QCOMPARE(edit()->toPlainText(), QString("中文 report"));
        QCOMPARE(m_view->windowTitle(), QString("note.rtf"));

        select(0, 2);
        QTest::keyClick(edit(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(m_commands->action(CommandIds::CharBold)->isChecked());
        QCOMPARE(m_view->windowTitle(), QString("note.rtf*"));
        edit()->moveCursor(QTextCursor::End);
        QInputMethodEvent typed;
        typed.setCommitString("，新");
        QApplication::sendEvent(edit(), &typed);
        QVERIFY(m_view->save());
        QCOMPARE(m_view->windowTitle(), QString("note.rtf"));

        const auto document = stored("note.rtf");
        QVERIFY(document);
        QCOMPARE(document->toPlainText(), QString("中文 report，新"));
        QVERIFY(formatAt(*document, 0).fontWeight() >= QFont::Bold);
        QVERIFY(formatAt(*document, 1).fontWeight() >= QFont::Bold);
        QVERIFY(formatAt(*document, 3).fontWeight() < QFont::Bold);
    }

    void formatBarBoxesApplyFontAndSize() {
        QVERIFY(open("fmt.rtf", kChineseRtf));
        RichTextFormatBar* bar = m_view->formatBar();
        QCOMPARE(bar->sizeBox()->currentText(), QString("10"));
        select(3, 9);
        bar->sizeBox()->lineEdit()->setText("13"); // not in the list: typed
        QTest::keyClick(bar->sizeBox()->lineEdit(), Qt::Key_Return);
        bar->fontBox()->lineEdit()->setText("DejaVu Sans");
        QTest::keyClick(bar->fontBox()->lineEdit(), Qt::Key_Return);
        QVERIFY(m_view->save());

        const auto document = stored("fmt.rtf");
        QVERIFY(document);
        QCOMPARE(formatAt(*document, 4).fontPointSize(), 13.0);
        QCOMPARE(formatAt(*document, 4).fontFamilies().toStringList().value(0),
                 QString("DejaVu Sans"));
        QCOMPARE(formatAt(*document, 0).fontPointSize(), 10.0);

        select(4, 4);
        QCOMPARE(bar->sizeBox()->currentText(), QString("13"));
    }

    void alignmentAndBulletsAreCheckCommands() {
        QVERIFY(open("para.rtf", kChineseRtf));
        QVERIFY(m_commands->action(CommandIds::AlignLeft)->isChecked());
        QVERIFY(m_commands->trigger(CommandIds::AlignCenter));
        QVERIFY(m_commands->action(CommandIds::AlignCenter)->isChecked());
        QVERIFY(!m_commands->action(CommandIds::AlignLeft)->isChecked());
        QVERIFY(m_commands->trigger(CommandIds::Bullets));
        QVERIFY(edit()->textCursor().currentList());
        QVERIFY(m_commands->action(CommandIds::Bullets)->isChecked());
        QVERIFY(m_view->save());

        auto document = stored("para.rtf");
        QVERIFY(document);
        QVERIFY(document->begin().textList());
        QVERIFY(document->begin().blockFormat().alignment() & Qt::AlignHCenter);

        QVERIFY(m_commands->trigger(CommandIds::Bullets)); // off again
        QVERIFY(!edit()->textCursor().currentList());
        QVERIFY(m_view->save());
        document = stored("para.rtf");
        QVERIFY(!document->begin().textList());
        QCOMPARE(document->toPlainText(), QString("中文 report"));
    }

    void insertTimeOffersChineseFormatsFirstSelected() {
        const QDateTime time(QDate(2024, 3, 5), QTime(14, 5, 9));
        const QStringList entries = CInsertTimeDlg::entries(time);
        QCOMPARE(entries.first(), QString("2024/3/5"));
        QVERIFY(entries.indexOf("2024-03-05") > 0);
        QVERIFY(entries.indexOf("2024年3月5日") > entries.indexOf("2024-03-05"));
        QVERIFY(entries.indexOf("14:05:09") > entries.indexOf("2024年3月5日"));
        QVERIFY(entries.contains("下午 2:05:09"));
        QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());

        QVERIFY(open("time.rtf", kChineseRtf));
        edit()->moveCursor(QTextCursor::End);
        QString first;
        whenDialogOpens<CInsertTimeDlg>([&first](CInsertTimeDlg* dialog) {
            QCOMPARE(dialog->list()->currentRow(), 0);
            first = dialog->list()->item(0)->text();
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QVERIFY(m_commands->trigger(CommandIds::InsertDate));
        QVERIFY(!first.isEmpty());
        QCOMPARE(edit()->toPlainText(), "中文 report" + first);

        whenDialogOpens<CInsertTimeDlg>([](CInsertTimeDlg* dialog) {
            dialog->list()->setCurrentRow(2);
            dialog->reject();
        });
        QVERIFY(m_commands->trigger(CommandIds::InsertDate));
        QCOMPARE(edit()->toPlainText(), "中文 report" + first);
    }

    void colourCommandsColourTheSelection() {
        QVERIFY(open("colour.rtf", kChineseRtf));
        RichTextFormatBar* bar = m_view->formatBar();
        const QColor teal(0x00, 0x80, 0x80);
        const int tealIndex = ColourPalette::colours().indexOf(teal);
        QVERIFY(tealIndex >= 0);

        select(0, 2);
        QTimer::singleShot(0, this, [bar, tealIndex] {
            ColourPalette* palette = bar->palette();
            QTRY_VERIFY(palette->isVisible());
            QTest::mouseClick(palette, Qt::LeftButton, {}, palette->swatchRect(tealIndex).center());
        });
        bar->colourButton()->showMenu(); // the arrow beside the button
        QCOMPARE(bar->colour(), teal);
        QCOMPARE(formatAt(*edit()->document(), 1).foreground().color(), teal);

        select(3, 5);
        QTest::mouseClick(bar->colourButton(), Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(formatAt(*edit()->document(), 4).foreground().color(), teal);

        select(0, 9);
        QVERIFY(m_commands->trigger(CommandIds::AutomaticColour));
        QVERIFY(!formatAt(*edit()->document(), 1).hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!formatAt(*edit()->document(), 4).hasProperty(QTextFormat::ForegroundBrush));

        select(5, 7);
        whenDialogOpens<QColorDialog>([](QColorDialog* dialog) {
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            dialog->accept();
        });
        QVERIFY(m_commands->trigger(CommandIds::MoreColours));
        QVERIFY(m_view->save());
        const auto document = stored("colour.rtf");
        QCOMPARE(formatAt(*document, 6).foreground().color(), QColor(0x12, 0x34, 0x56));
        QVERIFY(!formatAt(*document, 1).hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(bar->colour(), teal); // more colours leaves the button as it was
    }

    void onlyRtfOpens() {
        writeBytes(path("plain.rtf"), "just text, no RTF");
        CRichEditControlView view(*m_commands, m_prompter);
        QVERIFY(!view.open(path("plain.rtf")));
        QVERIFY(!view.open(path("missing.rtf")));
        writeBytes(path("empty.rtf"), "");
        QVERIFY(view.open(path("empty.rtf")));
        QVERIFY(view.editor()->toPlainText().isEmpty());
    }

    void picturesTablesAndObjectsSurviveAnEdit() {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        // 2×2 pixels shown at 20×20, as the goal sizes in twips say.
        const QByteArray pictureHead = "{\\pict\\pngblip\\picw2\\pich2\\picwgoal300\\pichgoal300\n";
        const QByteArray object = "{\\object{\\*\\objdata 0102}}";
        QVERIFY(open("rich.rtf", "{\\rtf1\\ansi\\pard a" + pictureHead + png.toHex() + '}' +
                                     "\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl x\\cell y"
                                     "\\cell\\row\\pard " +
                                     object + "end\\par}"));
        QVERIFY(m_prompter.shown.isEmpty());
        QVERIFY(!edit()->isReadOnly());
        const QTextImageFormat shown = formatAt(*edit()->document(), 1).toImageFormat();
        QCOMPARE(QSizeF(shown.width(), shown.height()), QSizeF(20, 20));
        edit()->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit(), "!");
        QVERIFY(m_view->save());

        const QByteArray saved = readBytes(path("rich.rtf"));
        QVERIFY(saved.contains(pictureHead));
        QVERIFY(saved.contains(object));
        QVERIFY(saved.contains("\\trowd"));
        const auto document = stored("rich.rtf");
        QCOMPARE(document->toPlainText(), QString("a\uFFFC\nx\ny\n\uFFFCend!"));
        QCOMPARE(formatAt(*document, 1).property(RtfPicture::kBytesProperty).toByteArray(), png);
    }

    void unkeptContentOpensReadOnlyAndSaysWhy() {
        const QByteArray rtf = "{\\rtf1 a{\\v hidden}\\trowd\\cellx900\\pard\\intbl\\itap1 b"
                               "\\pard\\intbl\\itap2 c\\nestcell\\nestrow\\pard\\intbl\\itap1"
                               "\\cell\\row\\pard d\\par}";
        QVERIFY(open("nested.rtf", rtf));
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown.first().caption, QString("提示"));
        QCOMPARE(m_prompter.shown.first().text,
                 QString("该文档包含无法保存的内容（隐藏文字、嵌套表格），已以只读方式打开。"));
        QVERIFY(edit()->isReadOnly());
        m_commands->updateEnabled();
        QVERIFY(!m_commands->action(CommandIds::CharBold)->isEnabled());
        QVERIFY(m_commands->action(CommandIds::Print)->isEnabled());

        select(0, 1);
        m_view->runCommand(CommandIds::CharBold);
        QTest::keyClicks(edit(), "x");
        QVERIFY(!m_view->isModified());
        QVERIFY(m_view->save());
        QCOMPARE(readBytes(path("nested.rtf")), rtf);
    }

    void aFailedSaveKeepsTheTextAndTheQuestion() {
        QVERIFY(open("gone/d.rtf", kChineseRtf));
        QTest::keyClicks(edit(), "x");
        QVERIFY(QDir(path("gone")).removeRecursively());
        QVERIFY(!m_view->save());
        QVERIFY(m_view->isModified());
        QCOMPARE(m_view->windowTitle(), QString("d.rtf*"));
        QCOMPARE(m_prompter.shown.last().caption, QString("错误"));

        m_prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!m_view->close());
        QCOMPARE(m_prompter.lastText(), QString("是否将更改保存到 d.rtf?"));
        m_prompter.answerNext(Prompter::Answer::No);
        QVERIFY(m_view->close());
    }
};

QTEST_MAIN(TestRichEditView)
#include "tst_richeditview.moc"
