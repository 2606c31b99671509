#pragma once

#include <QStringView>

// The plain finder of the file search and its whole-word rule.

// The 32 characters that end a word: brackets, blanks, punctuation and the
// line ends. Letters, digits, "_", "+", "~", "`" and every non-ASCII
// character (Chinese punctuation too) belong to words.
bool IsWordSeparator(char16_t c);

// Position of the first match of query in text at or after from, -1 when
// none. Units are compared exactly: a caller that wants case folding folds
// both texts first. With wholeWord a match counts only between separators
// (or the ends of the text); a rejected match is retried one unit further on.
qsizetype FindWord(QStringView text, QStringView query, qsizetype from, bool wholeWord);

// The whole-word test on its own, for a match already found at pos.
bool IsWholeWordAt(QStringView text, qsizetype pos, qsizetype length);
