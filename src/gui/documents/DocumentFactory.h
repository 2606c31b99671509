#pragma once

#include "SyntaxScheme.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <memory>

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
    // The scheme file is read here, and again whenever a text editor saves it.
    DocumentFactory(const QString& schemeFile, CommandRegistry& commands, Prompter& prompter);
    ~DocumentFactory();

    // ".rtf" in the rich-text editor; the scheme's text files in the text
    // editor, pages (.htm, .html, .mht …) excepted; anything else in the
    // web document, which shows pictures and whatever the browser can.
    DocumentWindow* open(const QString& path);

    // A material's description file: ".rtf" in the rich-text editor,
    // anything else in the web document.
    DocumentWindow* openDescription(const QString& path);

    CKeepsakeView* openText(const QString& path);
    // A file search hit, at whose rows the text view can go: every file in
    // the text editor. A file the scheme does not call text (RTF, a page,
    // an unknown kind) opens read-only, so the raw view never saves over it.
    CKeepsakeView* openSearchHit(const QString& path);
    CRichEditControlView* openRichText(const QString& path);
    CHtmlViewsView* openWeb(const QString& path);

    const SyntaxScheme& scheme() const { return m_scheme; }
    QString schemeFile() const { return m_schemeFile; }
    // Reads the scheme from this file from now on (the user's own copy once
    // there is one), and shows it in every open text editor.
    void setSchemeFile(const QString& schemeFile);
    void reloadScheme();

private:
    QString m_schemeFile;
    SyntaxScheme m_scheme;
    // Connections to the editors end with the factory.
    std::unique_ptr<QObject> m_context;
    QList<QPointer<CKeepsakeView>> m_textViews;
    CommandRegistry& m_commands;
    Prompter& m_prompter;
};
