#pragma once

#include <QString>

// What the find dialog asks of an editor, so one dialog serves the text and
// the rich-text editor alike. The find text and the choices are shared by
// every editor and by the find-word command, as one dialog's would be.
class TextFinder {
public:
    struct Options {
        bool wholeWord = false;
        bool matchCase = false;
    };
    enum class Result { Found, Wrapped, NotFound };

    virtual ~TextFinder() = default;

    // Selects the next match after the selection (or the previous one before
    // it); past the end the search goes on from the other end.
    virtual Result find(const QString& text, const Options& options, bool backwards) = 0;
    // Replaces the selection when it is a match, then finds the next one.
    virtual Result replace(const QString& text, const QString& with, const Options& options) = 0;
    // The number of matches replaced, all undone by one undo.
    virtual int replaceAll(const QString& text, const QString& with, const Options& options) = 0;
    virtual bool canReplace() const = 0;
    // The selection's first line, which the dialog offers to find.
    virtual QString selectionForFind() const = 0;

    static QString& lastText();
    static Options& lastOptions();
};
