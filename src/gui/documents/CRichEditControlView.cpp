#include "CRichEditControlView.h"

#include "CInsertTimeDlg.h"
#include "DocumentCommands.h"
#include "FindReplaceDialog.h"
#include "Prompter.h"
#include "RichTextFormatBar.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/SafeFileWriter.h"
#include "rtf/RtfKeptGroup.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QVBoxLayout>

CRichEditControlView::CRichEditControlView(CommandRegistry& commands, Prompter& prompter,
                                           QWidget* parent)
    : DocumentWindow(Kind::Other, parent), m_commands(commands), m_prompter(prompter),
      m_bar(new RichTextFormatBar(commands, this)), m_edit(new QTextEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);

    m_edit->setAcceptRichText(true);
    // Groups the reader keeps but cannot show are drawn as labelled boxes.
    RtfKeptGroup::showIn(m_edit->document());
    m_edit->setTabChangesFocus(false);
    m_edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_edit, &QWidget::customContextMenuRequested, this,
            &CRichEditControlView::showContextMenu);
    connect(m_edit->document(), &QTextDocument::modificationChanged, this,
            &CRichEditControlView::updateTitle);
    connect(m_edit, &QTextEdit::currentCharFormatChanged, this, &CRichEditControlView::showFormat);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &CRichEditControlView::showFormat);

    connect(m_bar, &RichTextFormatBar::fontChosen, this, [this](const QString& family) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        mergeFormat(format);
    });
    connect(m_bar, &RichTextFormatBar::sizeChosen, this, [this](qreal points) {
        QTextCharFormat format;
        format.setFontPointSize(points);
        mergeFormat(format);
    });

    for (int id : DocumentCommands::richEditCommands()) {
        if (QAction* action = m_commands.action(id))
            addAction(action);
    }
    m_edit->installEventFilter(this);
}

bool CRichEditControlView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        m_commands.updateEnabled(); // the keys work only while their actions are enabled
    return DocumentWindow::eventFilter(watched, event);
}

bool CRichEditControlView::open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    QTextDocument* document = m_edit->document();
    QStringList unkept;
    if (bytes.trimmed().isEmpty()) {
        document->clear();
    } else if (!RtfReader::read(bytes, document, &unkept)) {
        // Saving would replace text that is not RTF with RTF: leave it alone.
        return false;
    }
    document->clearUndoRedoStacks();
    document->setModified(false);
    m_edit->moveCursor(QTextCursor::Start);
    m_path = QFileInfo(path).absoluteFilePath();
    setToolTip(m_path);
    setWindowTitle(QFileInfo(path).fileName());
    // Saving would drop what the editor could not keep: the file may be read
    // but not changed, and the user learns why.
    m_edit->setReadOnly(!unkept.isEmpty());
    updateTitle();
    showFormat();
    if (!unkept.isEmpty())
        m_prompter.notice(QStringLiteral("该文档包含无法保存的内容（%1），已以只读方式打开。")
                              .arg(unkept.join(QStringLiteral("、"))));
    return true;
}

bool CRichEditControlView::showOccurrence(const QString& text, int occurrence, bool matchCase) {
    const QTextDocument::FindFlags flags =
        matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    QTextCursor cursor(m_edit->document());
    for (int i = 0; i <= occurrence; ++i) {
        cursor = m_edit->document()->find(text, cursor, flags);
        if (cursor.isNull())
            return false;
    }
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
    return true;
}

bool CRichEditControlView::isModified() const {
    return m_edit->document()->isModified();
}

bool CRichEditControlView::save() {
    if (!isModified() || m_path.isEmpty() || m_edit->isReadOnly())
        return true;
    QString reason;
    if (!SafeFileWriter::write(m_path, RtfWriter::write(m_edit->document()), &reason)) {
        m_prompter.error(QStringLiteral("保存文件 '%1' 失败!\n%2").arg(m_path, reason));
        return false;
    }
    m_edit->document()->setModified(false);
    return true;
}

void CRichEditControlView::closeEvent(QCloseEvent* event) {
    if (isModified()) {
        const Prompter::Answer answer = m_prompter.message(
            QStringLiteral("是否将更改保存到 %1?").arg(QFileInfo(m_path).fileName()),
            QStringLiteral("Keepsake"), Prompter::Icon::Warning, Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Answer::Cancel || (answer == Prompter::Answer::Yes && !save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void CRichEditControlView::updateTitle() {
    showModifiedMark(isModified());
}

void CRichEditControlView::showFormat() {
    m_bar->showFormat(m_edit->currentCharFormat());
    // The check marks of bold, alignment and bullets follow the caret.
    m_commands.updateEnabled();
}

void CRichEditControlView::mergeFormat(const QTextCharFormat& format) {
    if (m_edit->isReadOnly())
        return; // a format merged into a read-only editor still changes its text
    // As the rich-edit control does: the selection, or with none what is
    // typed next.
    m_edit->mergeCurrentCharFormat(format);
    m_edit->setFocus();
}

void CRichEditControlView::setForeground(const QColor& colour) {
    if (colour.isValid()) {
        QTextCharFormat format;
        format.setForeground(colour);
        mergeFormat(format);
        return;
    }
    // The automatic colour is no colour at all, so the text follows the
    // system's window text colour (\cf0 in the file). A merge cannot remove
    // a property, so each run of the selection is set anew.
    const QTextCursor cursor = m_edit->textCursor();
    if (!cursor.hasSelection()) {
        QTextCharFormat current = m_edit->currentCharFormat();
        current.clearForeground();
        m_edit->setCurrentCharFormat(current);
        m_edit->setFocus();
        return;
    }
    struct Run {
        int from;
        int to;
        QTextCharFormat format;
    };
    QList<Run> runs; // gathered first: setting a format splits the fragments
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = m_edit->document()->findBlock(start);
         block.isValid() && block.position() <= end; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = qMax(start, fragment.position());
            const int to = qMin(end, fragment.position() + fragment.length());
            if (from < to) {
                QTextCharFormat plain = fragment.charFormat();
                plain.clearForeground();
                runs.append({from, to, plain});
            }
        }
    }
    QTextCursor edit(m_edit->document());
    edit.beginEditBlock();
    for (const Run& run : runs) {
        edit.setPosition(run.from);
        edit.setPosition(run.to, QTextCursor::KeepAnchor);
        edit.setCharFormat(run.format);
    }
    edit.endEditBlock();
    m_edit->setFocus();
}

bool CRichEditControlView::commandEnabled(int id) const {
    if (m_edit->isReadOnly())
        return id == CommandIds::Print || id == CommandIds::PrintPreview || id == CommandIds::Find;
    return DocumentCommands::richEditCommands().contains(id);
}

bool CRichEditControlView::commandChecked(int id) const {
    using namespace CommandIds;
    const QTextCharFormat format = m_edit->currentCharFormat();
    const Qt::Alignment align = m_edit->alignment() & Qt::AlignHorizontal_Mask;
    switch (id) {
    case CharBold:
        return format.fontWeight() >= QFont::Bold;
    case CharItalic:
        return format.fontItalic();
    case CharUnderline:
        return format.fontUnderline();
    case AlignLeft:
        return !(align & (Qt::AlignHCenter | Qt::AlignRight | Qt::AlignJustify));
    case AlignCenter:
        return align & Qt::AlignHCenter;
    case AlignRight:
        return align & Qt::AlignRight;
    case Bullets:
        return m_edit->textCursor().currentList() != nullptr;
    default:
        return false;
    }
}

void CRichEditControlView::runCommand(int id) {
    using namespace CommandIds;
    if (!commandEnabled(id))
        return;
    QTextCharFormat format;
    switch (id) {
    case Find:
    case Replace:
        FindReplaceDialog::showFor(this, this, m_prompter);
        break;
    case CharBold:
        format.setFontWeight(commandChecked(CharBold) ? QFont::Normal : QFont::Bold);
        mergeFormat(format);
        break;
    case CharItalic:
        format.setFontItalic(!commandChecked(CharItalic));
        mergeFormat(format);
        break;
    case CharUnderline:
        format.setFontUnderline(!commandChecked(CharUnderline));
        mergeFormat(format);
        break;
    case AlignLeft:
        m_edit->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        break;
    case AlignCenter:
        m_edit->setAlignment(Qt::AlignHCenter);
        break;
    case AlignRight:
        m_edit->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        break;
    case Bullets:
        toggleBullets();
        break;
    case InsertDate:
        insertTime();
        break;
    case FontColour:
        setForeground(m_bar->colour());
        break;
    case ColourPicker:
        m_bar->setColour(m_bar->pickedColour());
        setForeground(m_bar->pickedColour());
        break;
    case AutomaticColour:
        setForeground(QColor());
        break;
    case MoreColours:
        chooseMoreColours();
        break;
    case Print:
        print();
        break;
    case PrintPreview:
        printPreview();
        break;
    default:
        break;
    }
}

void CRichEditControlView::toggleBullets() {
    QTextCursor cursor = m_edit->textCursor();
    cursor.beginEditBlock();
    if (cursor.currentList()) {
        // Every selected paragraph leaves its list and its indent.
        const QTextBlock last = m_edit->document()->findBlock(cursor.selectionEnd());
        for (QTextBlock block = m_edit->document()->findBlock(cursor.selectionStart());
             block.isValid(); block = block.next()) {
            if (QTextList* in = block.textList())
                in->remove(block);
            QTextCursor at(block);
            QTextBlockFormat plain = block.blockFormat();
            plain.setIndent(0);
            at.setBlockFormat(plain);
            if (block == last)
                break;
        }
    } else {
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        cursor.createList(bullets);
    }
    cursor.endEditBlock();
}

void CRichEditControlView::insertTime() {
    CInsertTimeDlg dialog(QDateTime::currentDateTime(), this);
    if (dialog.exec() == QDialog::Accepted && !dialog.chosenText().isEmpty())
        m_edit->textCursor().insertText(dialog.chosenText());
    m_edit->setFocus();
}

void CRichEditControlView::chooseMoreColours() {
    QColorDialog dialog(m_bar->colour(), this);
    dialog.setObjectName(QStringLiteral("moreColours"));
    if (dialog.exec() == QDialog::Accepted && dialog.selectedColor().isValid())
        setForeground(dialog.selectedColor());
}

void CRichEditControlView::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(m_path).fileName());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (dialog.exec() == QDialog::Accepted)
        m_edit->print(&printer);
}

void CRichEditControlView::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(m_path).fileName());
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, m_edit, &QTextEdit::print);
    preview.exec();
}

void CRichEditControlView::showContextMenu(const QPoint& pos) {
    QMenu* menu = m_edit->createStandardContextMenu(pos);
    using namespace CommandIds;
    const QList<QList<int>> groups = {{CharBold, CharItalic, CharUnderline},
                                      {AlignLeft, AlignCenter, AlignRight, Bullets},
                                      {InsertDate, FontColour}};
    m_commands.updateEnabled();
    for (const QList<int>& group : groups) {
        menu->addSeparator();
        for (int id : group) {
            if (QAction* action = m_commands.action(id))
                menu->addAction(action);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_edit->viewport()->mapToGlobal(pos));
}
