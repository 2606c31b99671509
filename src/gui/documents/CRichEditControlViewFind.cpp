// What the find and replace dialog asks of the rich-text editor.

#include "CRichEditControlView.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A word is letters, digits and "_", as in the text editor, so "cat" is not
// a whole word in "cat_x" in either editor. The text's own characters are
// matched literally.
QRegularExpression pattern(const QString& text, const TextFinder::Options& options) {
    QString source = QRegularExpression::escape(text);
    if (options.wholeWord)
        source = QStringLiteral("(?<!\\w)") + source + QStringLiteral("(?!\\w)");
    return QRegularExpression(source, QRegularExpression::UseUnicodePropertiesOption);
}

// The document sets the expression's case option from these flags.
QTextDocument::FindFlags findFlags(const TextFinder::Options& options, bool backwards = false) {
    QTextDocument::FindFlags flags;
    if (options.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (backwards)
        flags |= QTextDocument::FindBackward;
    return flags;
}

} // namespace

TextFinder::Result CRichEditControlView::find(const QString& text, const Options& options,
                                              bool backwards) {
    if (text.isEmpty())
        return Result::NotFound;
    const QRegularExpression re = pattern(text, options);
    const QTextDocument::FindFlags flags = findFlags(options, backwards);
    QTextDocument* document = m_edit->document();
    Result result = Result::Found;
    QTextCursor found = document->find(re, m_edit->textCursor(), flags);
    if (found.isNull()) {
        QTextCursor from(document);
        from.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        found = document->find(re, from, flags);
        result = Result::Wrapped;
    }
    if (found.isNull())
        return Result::NotFound;
    m_edit->setTextCursor(found);
    m_edit->ensureCursorVisible();
    return result;
}

TextFinder::Result CRichEditControlView::replace(const QString& text, const QString& with,
                                                 const Options& options) {
    if (text.isEmpty() || !canReplace())
        return Result::NotFound;
    QTextCursor cursor = m_edit->textCursor();
    if (cursor.hasSelection()) {
        // Only a selection that is itself a match is replaced.
        QTextCursor from = cursor;
        from.setPosition(cursor.selectionStart());
        const QTextCursor match =
            m_edit->document()->find(pattern(text, options), from, findFlags(options));
        if (!match.isNull() && match.selectionStart() == cursor.selectionStart() &&
            match.selectionEnd() == cursor.selectionEnd())
            cursor.insertText(with);
        m_edit->setTextCursor(cursor);
    }
    return find(text, options, false);
}

int CRichEditControlView::replaceAll(const QString& text, const QString& with,
                                     const Options& options) {
    if (text.isEmpty() || !canReplace())
        return 0;
    const QRegularExpression re = pattern(text, options);
    QTextDocument* document = m_edit->document();
    QTextCursor edit(document);
    edit.beginEditBlock(); // one undo for all
    int count = 0;
    QTextCursor found = document->find(re, 0, findFlags(options));
    while (!found.isNull()) {
        // The replacement takes the format of the text it replaces.
        found.insertText(with);
        ++count;
        found = document->find(re, found.position(), findFlags(options));
    }
    edit.endEditBlock();
    return count;
}

bool CRichEditControlView::canReplace() const {
    return !m_edit->isReadOnly();
}

QString CRichEditControlView::selectionForFind() const {
    // A paragraph break in a selection is U+2029.
    QString text = m_edit->textCursor().selectedText();
    const qsizetype lineEnd =
        text.indexOf(QRegularExpression(QStringLiteral("[\r\n\u2029\u2028]")));
    if (lineEnd >= 0)
        text.truncate(lineEnd);
    return text;
}
