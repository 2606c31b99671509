#pragma once

#include <QString>

// Which of a page's status texts reach the main window's status bar: the
// addresses of links and the browser's own progress messages. Anything else
// a page sets is dropped, so that a page cannot put text of its choosing
// where the program's own messages appear.
class StatusTextFilter {
public:
    // True when the text is to be shown. An empty text clears the bar, but
    // only once: a second empty text in a row is not shown again.
    bool pass(const QString& text);

    // "about:…", or "://", "mailto:" or "javascript:" (the first of them the
    // text contains) starting within its first eleven characters.
    static bool looksLikeAddress(const QString& text);
    static bool isProgressMessage(const QString& text);

private:
    bool m_lastWasEmpty = false;
};
