#pragma once

#include "SyntaxScheme.h"

#include <QString>

class CommandRegistry;
class DocumentWindow;
class CHtmlViewsView;
class CKeepsakeView;
class CRichEditControlView;
class Prompter;

// Opens a file in the document of its kind. Each function returns a new
// window the caller owns, or nullptr when the file cannot be read.
class DocumentFactory {
public:
    // The scheme file is read once, here.
    DocumentFactory(const QString& schemeFile, CommandRegistry& commands, Prompter& prompter);

    // ".rtf" in the rich-text editor; the scheme's text files in the text
    // editor, pages (.htm, .html, .mht …) excepted; anything else in the
    // web document, which shows pictures and whatever the browser can.
    DocumentWindow* open(const QString& path) const;

    // A material's description file: ".rtf" in the rich-text editor,
    // anything else in the web document.
    DocumentWindow* openDescription(const QString& path) const;

    CKeepsakeView* openText(const QString& path) const;
    CRichEditControlView* openRichText(const QString& path) const;
    CHtmlViewsView* openWeb(const QString& path) const;

    const SyntaxScheme& scheme() const { return m_scheme; }

private:
    SyntaxScheme m_scheme;
    CommandRegistry& m_commands;
    Prompter& m_prompter;
};
