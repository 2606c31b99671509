#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class QObject;
class QsciLexer;

// The text editor's scheme file "EditConfig/SyntaxEdit.ini": which lexer
// colours a file, chosen by the file's extension, and how the editor looks.
//
//   [Lexers]
//   cpp=c cc cpp h hpp        ; lexer name = extensions, blank separated
//   text=txt log              ; "text" colours nothing
//   [Editor]
//   FontFamily=WenQuanYi Micro Hei Mono
//   FontSize=10
//   TabWidth=4
//   UseTabs=true
//   LineNumbers=true
//   Folding=true
//   CaretLine=true
//   [cpp]                     ; colours of one lexer's styles:
//   Keyword=#0000c0           ; a style's name without blanks, or its number,
//   CComment=#008000,#f0f0f0  ; then its text colour and, after a comma, its
//                             ; background
//
// A missing or unreadable file leaves the defaults: no lexer, the values
// above.
class SyntaxScheme {
public:
    SyntaxScheme() = default;
    static SyntaxScheme load(const QString& path);

    // The lexer name of an extension (without the dot, any case); empty
    // when the scheme does not know it.
    QString lexerName(const QString& extension) const;
    bool isTextExtension(const QString& extension) const;

    // A new lexer of that name with the scheme's font, or nullptr for plain
    // text and unknown names.
    QsciLexer* createLexer(const QString& name, QObject* parent) const;

    QFont font() const { return m_font; }
    int tabWidth() const { return m_tabWidth; }
    bool useTabs() const { return m_useTabs; }
    bool lineNumbers() const { return m_lineNumbers; }
    bool folding() const { return m_folding; }
    bool caretLine() const { return m_caretLine; }

private:
    struct StyleColour {
        QString style; // lower case, blanks removed
        QColor text;
        QColor background;
    };
    void applyColours(const QString& name, QsciLexer* lexer) const;

    QHash<QString, QString> m_lexerByExtension;
    QHash<QString, QList<StyleColour>> m_colours; // by lexer name
    QFont m_font = QFont(QStringLiteral("WenQuanYi Micro Hei Mono"), 10);
    int m_tabWidth = 4;
    bool m_useTabs = true;
    bool m_lineNumbers = true;
    bool m_folding = true;
    bool m_caretLine = true;
};
