#pragma once

#include <QFont>
#include <QHash>
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
    QHash<QString, QString> m_lexerByExtension;
    QFont m_font = QFont(QStringLiteral("WenQuanYi Micro Hei Mono"), 10);
    int m_tabWidth = 4;
    bool m_useTabs = true;
    bool m_lineNumbers = true;
    bool m_folding = true;
    bool m_caretLine = true;
};
