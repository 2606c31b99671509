#include "CKeepsakeView.h"

#include "DocumentCommands.h"
#include "KeepsakePrinter.h"
#include "Prompter.h"
#include "SyntaxScheme.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/SafeFileWriter.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QVBoxLayout>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

namespace {

constexpr int kBookmark = 1;
constexpr int kLineMarker = 2;
constexpr int kLineNumberMargin = 0;
constexpr int kSymbolMargin = 1;
constexpr int kFoldMargin = 2;

using Sci = QsciScintillaBase;

} // namespace

CKeepsakeView::CKeepsakeView(const SyntaxScheme& scheme, CommandRegistry& commands,
                             Prompter& prompter, QWidget* parent)
    : DocumentWindow(Kind::MaterialText, parent), m_scheme(scheme), m_commands(commands),
      m_prompter(prompter), m_edit(new QsciScintilla(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    setUpEditor();

    for (int id : DocumentCommands::textEditorCommands()) {
        if (QAction* action = m_commands.action(id))
            addAction(action);
    }
}

void CKeepsakeView::setUpEditor() {
    m_edit->setUtf8(true);
    m_edit->setAutoIndent(true);
    m_edit->setBraceMatching(QsciScintilla::SloppyBraceMatch);
    m_edit->setCaretLineBackgroundColor(QColor(0xef, 0xf4, 0xfb));
    m_edit->setMarginType(kLineNumberMargin, QsciScintilla::NumberMargin);
    m_edit->setMarginType(kSymbolMargin, QsciScintilla::SymbolMargin);
    m_edit->setMarginWidth(kSymbolMargin, 16);
    m_edit->setMarginMarkerMask(kSymbolMargin, (1 << kBookmark) | (1 << kLineMarker));
    m_edit->setMarginSensitivity(kSymbolMargin, true);
    applyScheme();

    m_edit->markerDefine(QsciScintilla::Bookmark, kBookmark);
    m_edit->setMarkerBackgroundColor(QColor(0x3b, 0x78, 0xc4), kBookmark);
    m_edit->setMarkerForegroundColor(QColor(0x1d, 0x3c, 0x62), kBookmark);
    m_edit->markerDefine(QsciScintilla::Circle, kLineMarker);
    m_edit->setMarkerBackgroundColor(QColor(0xc8, 0x28, 0x28), kLineMarker);
    m_edit->setMarkerForegroundColor(QColor(0x80, 0x10, 0x10), kLineMarker);

    connect(m_edit, &QsciScintilla::modificationChanged, this, &CKeepsakeView::updateTitle);
    connect(m_edit, &QsciScintilla::linesChanged, this, &CKeepsakeView::updateLineNumberWidth);
    connect(m_edit, &QsciScintilla::cursorPositionChanged, this,
            [this] { Q_EMIT rowColChanged(rowColText()); });
    connect(m_edit, &QsciScintilla::marginClicked, this,
            [this](int margin, int line, Qt::KeyboardModifiers) {
                if (margin == kSymbolMargin) {
                    toggleMarker(line, kBookmark);
                    m_commands.updateEnabled();
                }
            });
    m_edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_edit, &QWidget::customContextMenuRequested, this, &CKeepsakeView::showContextMenu);
    m_edit->installEventFilter(this);
    m_edit->viewport()->installEventFilter(this);
}

bool CKeepsakeView::open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;

    const QFileInfo info(path);
    m_path = info.absoluteFilePath();
    applyScheme(); // the file's extension chooses the colours

    m_format = TextFileFormat::detect(bytes);
    // Added with its length, so a zero byte in the file does not end the text.
    const QByteArray utf8 = m_format.decode(bytes).toUtf8();
    m_edit->setReadOnly(false);
    m_edit->SendScintilla(Sci::SCI_CLEARALL);
    m_edit->SendScintilla(Sci::SCI_ADDTEXT, static_cast<unsigned long>(utf8.size()),
                          utf8.constData());
    m_edit->SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
    m_edit->SendScintilla(Sci::SCI_SETSAVEPOINT);
    m_edit->setReadOnly(!m_format.roundTrips(bytes));
    switch (m_format.lineEnd()) {
    case TextFileFormat::LineEnd::CrLf:
        m_edit->setEolMode(QsciScintilla::EolWindows);
        break;
    case TextFileFormat::LineEnd::Cr:
        m_edit->setEolMode(QsciScintilla::EolMac);
        break;
    case TextFileFormat::LineEnd::Lf:
        m_edit->setEolMode(QsciScintilla::EolUnix);
        break;
    }
    m_edit->setCursorPosition(0, 0);

    setToolTip(m_path);
    setWindowTitle(info.fileName());
    updateTitle();
    return true;
}

bool CKeepsakeView::isModified() const {
    return m_edit->isModified();
}

bool CKeepsakeView::isReadOnly() const {
    return m_edit->isReadOnly();
}

void CKeepsakeView::setReadOnly(bool readOnly) {
    m_edit->setReadOnly(readOnly);
    updateTitle();
    m_commands.updateEnabled();
}

void CKeepsakeView::applyScheme() {
    m_edit->setFont(m_scheme.font());
    m_edit->setMarginsFont(m_scheme.font());
    m_edit->setTabWidth(m_scheme.tabWidth());
    m_edit->setIndentationsUseTabs(m_scheme.useTabs());
    m_edit->setCaretLineVisible(m_scheme.caretLine());
    m_edit->setMarginLineNumbers(kLineNumberMargin, m_scheme.lineNumbers());
    m_edit->setFolding(m_scheme.folding() ? QsciScintilla::BoxedTreeFoldStyle
                                          : QsciScintilla::NoFoldStyle,
                       kFoldMargin);
    updateLineNumberWidth();

    // A new lexer rather than the old one changed, so colours the scheme no
    // longer names go back to the lexer's own.
    QsciLexer* old = m_edit->lexer();
    m_edit->setLexer(m_scheme.createLexer(m_scheme.lexerName(QFileInfo(m_path).suffix()), m_edit));
    delete old;
}

bool CKeepsakeView::save() {
    if (!isModified() || m_path.isEmpty())
        return true;
    const auto* data =
        static_cast<const char*>(m_edit->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    const QString text = QString::fromUtf8(data, m_edit->SendScintilla(Sci::SCI_GETLENGTH));
    std::optional<QByteArray> bytes = m_format.encode(text);
    if (!bytes) {
        // Only UTF-8 holds every character; the file changes encoding
        // rather than losing one.
        m_format.setEncoding(TextFileFormat::Encoding::Utf8);
        bytes = m_format.encode(text);
    }
    QString reason;
    if (!bytes || !SafeFileWriter::write(m_path, *bytes, &reason)) {
        m_prompter.error(QStringLiteral("保存文件 '%1' 失败!\n%2").arg(m_path, reason));
        return false;
    }
    m_edit->SendScintilla(Sci::SCI_SETSAVEPOINT);
    Q_EMIT saved();
    return true;
}

void CKeepsakeView::closeEvent(QCloseEvent* event) {
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

void CKeepsakeView::updateTitle() {
    showModifiedMark(isModified(), isReadOnly() ? QStringLiteral(" (只读)") : QString());
}

void CKeepsakeView::updateLineNumberWidth() {
    if (!m_scheme.lineNumbers()) {
        m_edit->setMarginWidth(kLineNumberMargin, 0);
        return;
    }
    const QString digits(QString::number(qMax(m_edit->lines(), 1)).size() + 1, u'9');
    m_edit->setMarginWidth(kLineNumberMargin, digits);
}

QString CKeepsakeView::rowColText() const {
    const long pos = m_edit->SendScintilla(Sci::SCI_GETCURRENTPOS);
    const long line = m_edit->SendScintilla(Sci::SCI_LINEFROMPOSITION, pos);
    const long column = m_edit->SendScintilla(Sci::SCI_GETCOLUMN, pos);
    return QStringLiteral("Ln %1, Col %2").arg(line + 1).arg(column + 1);
}

QString CKeepsakeView::printHeaderTitle() const {
    return KeepsakePrinter::headerTitle(windowTitle());
}

bool CKeepsakeView::eventFilter(QObject* watched, QEvent* event) {
    // A shortcut carries no modifiers to its action; the override event
    // that precedes it does, and tells Shift+Ctrl+F3 from Ctrl+F3.
    if (event->type() == QEvent::ShortcutOverride)
        m_shortcutModifiers = static_cast<QKeyEvent*>(event)->modifiers();
    else if (event->type() == QEvent::KeyRelease)
        m_shortcutModifiers = {};
    else if (event->type() == QEvent::FocusIn)
        m_commands.updateEnabled(); // the keys work only while their actions are enabled
    return DocumentWindow::eventFilter(watched, event);
}

bool CKeepsakeView::commandEnabled(int id) const {
    using namespace CommandIds;
    switch (id) {
    case NextBookmark:
    case PreviousBookmark:
        return hasBookmarks();
    case Tabify:
    case Untabify:
    case UpperCase:
    case LowerCase:
    case Replace:
        return !isReadOnly();
    default:
        return DocumentCommands::textEditorCommands().contains(id);
    }
}

bool CKeepsakeView::commandChecked(int id) const {
    return id == CommandIds::ShowWhiteSpace &&
           m_edit->whitespaceVisibility() != QsciScintilla::WsInvisible;
}

void CKeepsakeView::runCommand(int id) {
    using namespace CommandIds;
    switch (id) {
    case FindWord: {
        // From the menu, Shift held while clicking counts.
        const Qt::KeyboardModifiers held = m_shortcutModifiers != Qt::NoModifier
                                               ? m_shortcutModifiers
                                               : QGuiApplication::keyboardModifiers();
        m_shortcutModifiers = {};
        findWord(held.testFlag(Qt::ShiftModifier));
        break;
    }
    case Find:
    case Replace:
        showFindDialog();
        break;
    case Tabify:
        tabifySelectedLines();
        break;
    case Untabify:
        untabifySelection();
        break;
    case UpperCase:
        m_edit->SendScintilla(Sci::SCI_UPPERCASE);
        break;
    case LowerCase:
        m_edit->SendScintilla(Sci::SCI_LOWERCASE);
        break;
    case ShowWhiteSpace:
        m_edit->setWhitespaceVisibility(commandChecked(ShowWhiteSpace) ? QsciScintilla::WsInvisible
                                                                       : QsciScintilla::WsVisible);
        break;
    case FoldAll:
        m_edit->SendScintilla(Sci::SCI_FOLDALL, Sci::SC_FOLDACTION_CONTRACT);
        break;
    case UnfoldAll:
        m_edit->SendScintilla(Sci::SCI_FOLDALL, Sci::SC_FOLDACTION_EXPAND);
        break;
    case ToggleBookmark:
    case ToggleLineMarker: {
        int line = 0, index = 0;
        m_edit->getCursorPosition(&line, &index);
        toggleMarker(line, id == ToggleBookmark ? kBookmark : kLineMarker);
        break;
    }
    case NextBookmark:
    case PreviousBookmark:
        goToBookmark(id == NextBookmark);
        break;
    case GoToLine:
        askGoToLine();
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

void CKeepsakeView::tabifySelectedLines() {
    const long selStart = m_edit->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long selEnd = m_edit->SendScintilla(Sci::SCI_GETSELECTIONEND);
    const long first = m_edit->SendScintilla(Sci::SCI_LINEFROMPOSITION, selStart);
    long last = m_edit->SendScintilla(Sci::SCI_LINEFROMPOSITION, selEnd);
    if (last > first && m_edit->SendScintilla(Sci::SCI_POSITIONFROMLINE, last) == selEnd)
        --last; // a selection of whole lines ends at the start of the next
    const int tabWidth = m_edit->tabWidth();
    m_edit->beginUndoAction();
    for (long line = first; line <= last; ++line) {
        const long start = m_edit->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        const long indentEnd = m_edit->SendScintilla(Sci::SCI_GETLINEINDENTPOSITION, line);
        const long width = m_edit->SendScintilla(Sci::SCI_GETLINEINDENTATION, line);
        const QByteArray wanted =
            QByteArray(width / tabWidth, '\t') + QByteArray(width % tabWidth, ' ');
        m_edit->SendScintilla(Sci::SCI_SETTARGETRANGE, start, indentEnd);
        m_edit->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(wanted.size()),
                              wanted.constData());
    }
    m_edit->endUndoAction();
    const long end = m_edit->SendScintilla(Sci::SCI_GETLINEENDPOSITION, last);
    m_edit->SendScintilla(Sci::SCI_SETSEL, m_edit->SendScintilla(Sci::SCI_POSITIONFROMLINE, first),
                          end);
}

void CKeepsakeView::untabifySelection() {
    long start = m_edit->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    long end = m_edit->SendScintilla(Sci::SCI_GETSELECTIONEND);
    if (start == end) { // no selection: the caret's row
        const long line = m_edit->SendScintilla(Sci::SCI_LINEFROMPOSITION, start);
        start = m_edit->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        end = m_edit->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
    }
    const int tabWidth = m_edit->tabWidth();
    m_edit->beginUndoAction();
    for (long pos = start; pos < end;) {
        if (m_edit->SendScintilla(Sci::SCI_GETCHARAT, pos) != '\t') {
            pos = m_edit->SendScintilla(Sci::SCI_POSITIONAFTER, pos);
            continue;
        }
        const long column = m_edit->SendScintilla(Sci::SCI_GETCOLUMN, pos);
        const QByteArray blanks(tabWidth - column % tabWidth, ' ');
        m_edit->SendScintilla(Sci::SCI_SETTARGETRANGE, pos, pos + 1);
        m_edit->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(blanks.size()),
                              blanks.constData());
        pos += blanks.size();
        end += blanks.size() - 1;
    }
    m_edit->endUndoAction();
    m_edit->SendScintilla(Sci::SCI_SETSEL, start, end);
}

void CKeepsakeView::toggleMarker(int line, int marker) {
    if (m_edit->markersAtLine(line) & (1u << marker))
        m_edit->markerDelete(line, marker);
    else
        m_edit->markerAdd(line, marker);
}

bool CKeepsakeView::hasBookmarks() const {
    return m_edit->markerFindNext(0, 1u << kBookmark) >= 0;
}

void CKeepsakeView::goToBookmark(bool next) {
    int line = 0, index = 0;
    m_edit->getCursorPosition(&line, &index);
    const unsigned mask = 1u << kBookmark;
    int target = next ? m_edit->markerFindNext(line + 1, mask)
                      : (line > 0 ? m_edit->markerFindPrevious(line - 1, mask) : -1);
    if (target < 0) // round to the other end
        target = next ? m_edit->markerFindNext(0, mask)
                      : m_edit->markerFindPrevious(m_edit->lines() - 1, mask);
    if (target >= 0)
        goToLine(target + 1);
}

void CKeepsakeView::goToLine(int line) {
    const int row = qBound(0, line - 1, qMax(m_edit->lines() - 1, 0));
    m_edit->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, row);
    m_edit->setCursorPosition(row, 0);
    m_edit->ensureCursorVisible();
}

void CKeepsakeView::GoToLineAndMark(int line) {
    goToLine(line);
    int row = 0, index = 0;
    m_edit->getCursorPosition(&row, &index);
    toggleMarker(row, kLineMarker);
}

void CKeepsakeView::askGoToLine() {
    int row = 0, index = 0;
    m_edit->getCursorPosition(&row, &index);
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("goToLine"));
    dialog.setWindowTitle(QStringLiteral("转向"));
    dialog.setLabelText(QStringLiteral("行号(&L):"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, qMax(m_edit->lines(), 1));
    dialog.setIntValue(row + 1);
    if (dialog.exec() == QDialog::Accepted)
        goToLine(dialog.intValue());
    m_edit->setFocus();
}

void CKeepsakeView::print() {
    KeepsakePrinter printer(windowTitle(), m_scheme.font());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (dialog.exec() == QDialog::Accepted)
        printer.printDocument(m_edit);
}

void CKeepsakeView::printPreview() {
    KeepsakePrinter printer(windowTitle(), m_scheme.font());
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &printer](QPrinter*) { printer.printDocument(m_edit); });
    preview.exec();
}

void CKeepsakeView::showContextMenu(const QPoint& pos) {
    QMenu* menu = m_edit->createStandardContextMenu();
    if (!menu)
        menu = new QMenu(this);
    using namespace CommandIds;
    const QList<QList<int>> groups = {
        {Find, FindWord, GoToLine},
        {ToggleBookmark, NextBookmark, PreviousBookmark, ToggleLineMarker},
        {FoldAll, UnfoldAll, ShowWhiteSpace},
        {Tabify, Untabify, UpperCase, LowerCase}};
    m_commands.updateEnabled();
    for (const QList<int>& group : groups) {
        menu->addSeparator();
        for (int id : group) {
            if (QAction* action = m_commands.action(id))
                menu->addAction(action);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_edit->mapToGlobal(pos));
}
