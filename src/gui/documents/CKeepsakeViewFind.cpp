// The text editor's searching: the find-word command.

#include "CKeepsakeView.h"

#include <QRegularExpression>
#include <Qsci/qsciscintilla.h>

namespace {

QString s_findText;

using Sci = QsciScintillaBase;

} // namespace

QString CKeepsakeView::findText() {
    return s_findText;
}

void CKeepsakeView::findWord(bool backwards) {
    if (!m_edit->hasSelectedText()) {
        const long pos = m_edit->SendScintilla(Sci::SCI_GETCURRENTPOS);
        const long start = m_edit->SendScintilla(Sci::SCI_WORDSTARTPOSITION, pos, true);
        const long end = m_edit->SendScintilla(Sci::SCI_WORDENDPOSITION, pos, true);
        m_edit->SendScintilla(Sci::SCI_SETSEL, start, end);
    }
    QString text = m_edit->selectedText();
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        text.truncate(lineEnd);
    text.replace(u'\t', QStringLiteral("    "));
    if (text.isEmpty())
        text = QStringLiteral(" ");
    else
        s_findText = text;

    const QByteArray needle = text.toUtf8();
    const long length = m_edit->SendScintilla(Sci::SCI_GETLENGTH);
    const long selStart = m_edit->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long selEnd = m_edit->SendScintilla(Sci::SCI_GETSELECTIONEND);
    m_edit->SendScintilla(Sci::SCI_SETSEARCHFLAGS, (m_wholeWord ? Sci::SCFIND_WHOLEWORD : 0) |
                                                       (m_matchCase ? Sci::SCFIND_MATCHCASE : 0));
    // Backwards starts before the selection, or the word just selected
    // would be found again; past either end the search goes on from the
    // other end.
    const auto search = [&](long from, long to) {
        m_edit->SendScintilla(Sci::SCI_SETTARGETRANGE, from, to);
        return m_edit->SendScintilla(Sci::SCI_SEARCHINTARGET,
                                     static_cast<unsigned long>(needle.size()), needle.constData());
    };
    long found = backwards ? search(selStart, 0) : search(selEnd, length);
    if (found < 0)
        found = backwards ? search(length, selStart) : search(0, selEnd);
    if (found < 0)
        return;
    const long foundEnd = m_edit->SendScintilla(Sci::SCI_GETTARGETEND);
    m_edit->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY,
                          m_edit->SendScintilla(Sci::SCI_LINEFROMPOSITION, found));
    m_edit->SendScintilla(Sci::SCI_SETSEL, found, foundEnd);
    m_edit->viewport()->update();
}
