#pragma once

#include <QString>

// The parameter block of one search, knowledge-base or file search alike. The
// dialog fills it, the main window keeps a copy, and the worker reads its own
// copy, so nothing in it is shared between threads.
struct SearchRequest {
    int FileSearch = 0; // 1: search the files of the material folders
    QString ScopeCode;  // "000000" for the whole knowledge base
    QString ScopeText;  // the scope as the dialog showed it
    QString QueryText;
    int Kind = 0; // knowledge-base search: 1 name + 2 keyword + 4 creation time
    int MatchCase = 0;
    int WholeWord = 0;
    int IncludeHidden = 0;
    int RegularExpression = 0;
    QString FromDate; // "2009-03-01" or empty
    QString ToDate;
    QString FileTypes; // "*.txt;*.ini;*.xml"
    bool NamesOnly = false;
    // Documents (RTF, web pages) are searched for the text a reader sees.
    bool DocumentText = true;
    int ResultWindow = 1; // 1 or 2
};
