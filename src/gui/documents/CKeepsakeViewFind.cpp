// The text editor's searching: the find-word command and what the find and
// replace dialog asks of the editor.

#include "CKeepsakeView.h"

#include "FindReplaceDialog.h"

#include <QRegularExpression>
#include <Qsci/qsciscintilla.h>

namespace {

using Sci = QsciScintillaBase;

// The find text is one line: a selection over several lines searches its
// first, and a tab becomes the blanks it shows as.
QString firstLineForFind(QString text) {
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        text.truncate(lineEnd);
    text.replace(u'\t', QStringLiteral("    "));
    return text;
}

int searchFlags(const TextFinder::Options& options) {
    return (options.wholeWord ? Sci::SCFIND_WHOLEWORD : 0) |
           (options.matchCase ? Sci::SCFIND_MATCHCASE : 0);
}

} // namespace

QString CKeepsakeView::findText() {
    return lastText();
}

void CKeepsakeView::findWord(bool backwards) {
    if (!m_edit->hasSelectedText()) {
        const long pos = m_edit->SendScintilla(Sci::SCI_GETCURRENTPOS);
        const long start = m_edit->SendScintilla(Sci::SCI_WORDSTARTPOSITION, pos, true);
        const long end = m_edit->SendScintilla(Sci::SCI_WORDENDPOSITION, pos, true);
        m_edit->SendScintilla(Sci::SCI_SETSEL, start, end);
    }
    QString text = firstLineForFind(m_edit->selectedText());
    if (text.isEmpty())
        text = QStringLiteral(" ");
    else
        lastText() = text;
    searchAndSelect(text.toUtf8(), lastOptions(), backwards);
}

void CKeepsakeView::showFindDialog() {
    FindReplaceDialog::showFor(this, this, m_prompter);
}

QString CKeepsakeView::selectionForFind() const {
    return firstLineForFind(m_edit->selectedText());
}

long CKeepsakeView::searchIn(long from, long to, const QByteArray& needle) {
    m_edit->SendScintilla(Sci::SCI_SETTARGETRANGE, from, to);
    return m_edit->SendScintilla(Sci::SCI_SEARCHINTARGET, static_cast<unsigned long>(needle.size()),
                                 needle.constData());
}

TextFinder::Result CKeepsakeView::searchAndSelect(const QByteArray& needle, const Options& options,
                                                  bool backwards) {
    const long length = m_edit->SendScintilla(Sci::SCI_GETLENGTH);
    const long selStart = m_edit->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long selEnd = m_edit->SendScintilla(Sci::SCI_GETSELECTIONEND);
    m_edit->SendScintilla(Sci::SCI_SETSEARCHFLAGS, searchFlags(options));
    // Backwards starts before the selection, or the match just selected
    // would be found again; past either end the search goes on from the
    // other end, which finds the selected match itself when it is the only one.
    Result result = Result::Found;
    long found = backwards ? searchIn(selStart, 0, needle) : searchIn(selEnd, length, needle);
    if (found < 0) {
        found = backwards ? searchIn(length, selStart, needle) : searchIn(0, selEnd, needle);
        result = Result::Wrapped;
    }
    if (found < 0)
        return Result::NotFound;
    const long foundEnd = m_edit->SendScintilla(Sci::SCI_GETTARGETEND);
    m_edit->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY,
                          m_edit->SendScintilla(Sci::SCI_LINEFROMPOSITION, found));
    m_edit->SendScintilla(Sci::SCI_SETSEL, found, foundEnd);
    m_edit->viewport()->update();
    return result;
}

TextFinder::Result CKeepsakeView::find(const QString& text, const Options& options,
                                       bool backwards) {
    if (text.isEmpty())
        return Result::NotFound;
    return searchAndSelect(text.toUtf8(), options, backwards);
}

TextFinder::Result CKeepsakeView::replace(const QString& text, const QString& with,
                                          const Options& options) {
    if (text.isEmpty() || isReadOnly())
        return Result::NotFound;
    const QByteArray needle = text.toUtf8();
    const long selStart = m_edit->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long selEnd = m_edit->SendScintilla(Sci::SCI_GETSELECTIONEND);
    m_edit->SendScintilla(Sci::SCI_SETSEARCHFLAGS, searchFlags(options));
    // Only a selection that is itself a match is replaced; otherwise the
    // first press only finds, as the user has not seen what would change.
    if (selStart != selEnd && searchIn(selStart, selEnd, needle) == selStart &&
        m_edit->SendScintilla(Sci::SCI_GETTARGETEND) == selEnd) {
        const QByteArray replacement = with.toUtf8();
        m_edit->SendScintilla(Sci::SCI_REPLACETARGET,
                              static_cast<unsigned long>(replacement.size()),
                              replacement.constData());
        const long after = m_edit->SendScintilla(Sci::SCI_GETTARGETEND);
        m_edit->SendScintilla(Sci::SCI_SETSEL, after, after);
    }
    return searchAndSelect(needle, options, false);
}

int CKeepsakeView::replaceAll(const QString& text, const QString& with, const Options& options) {
    if (text.isEmpty() || isReadOnly())
        return 0;
    const QByteArray needle = text.toUtf8();
    const QByteArray replacement = with.toUtf8();
    m_edit->SendScintilla(Sci::SCI_SETSEARCHFLAGS, searchFlags(options));
    int count = 0;
    long from = 0;
    m_edit->beginUndoAction();
    // Each search starts after the last replacement, so a replacement that
    // contains the find text is not replaced again.
    while (searchIn(from, m_edit->SendScintilla(Sci::SCI_GETLENGTH), needle) >= 0) {
        m_edit->SendScintilla(Sci::SCI_REPLACETARGET,
                              static_cast<unsigned long>(replacement.size()),
                              replacement.constData());
        from = m_edit->SendScintilla(Sci::SCI_GETTARGETEND);
        ++count;
    }
    m_edit->endUndoAction();
    return count;
}
