#pragma once

#include "RtfCharsetEncoder.h"
#include "RtfColorList.h"
#include "RtfFontList.h"

#include <QByteArray>
#include <QString>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFragment;
class QTextFrame;
class QTextTable;

// Writes a QTextDocument as RTF in WordPad's shape: \ansicpg936, a font
// table with charset 134 for Chinese fonts, formatting switched on and off
// in place rather than nested in groups, bullets as \pn paragraphs, tables
// as \trowd rows, PNG and JPEG pictures as \pict groups, and the groups the
// reader kept raw as they were read. Every
// non-ASCII character is \uN, exact for current readers, followed by its
// bytes in the font's code page, so readers that predate \uN still show
// Chinese text.
class RtfWriter {
public:
    static QByteArray write(const QTextDocument* document);

private:
    struct CharState {
        int font = 0;
        int halfPoints = 24;
        int foreground = 0;
        int background = 0;
        int vertical = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool operator==(const CharState&) const = default;
    };

    struct ParaState {
        int align = 0; // 0 left, 1 centre, 2 right, 3 justified
        int left = 0;  // twips
        int right = 0;
        int first = 0;
        int before = 0;
        int after = 0;
        int lineSpacing = 0;
        bool lineMultiple = false;
        int listStyle = 0; // QTextListFormat::Style; 0 for none
        bool inTable = false;
        bool operator==(const ParaState&) const = default;
    };

    explicit RtfWriter(const QTextDocument* document);

    QByteArray run();
    void writeFrame(const QTextFrame* frame);
    void writeTable(const QTextTable* table);
    void writeRowDefinition(const QTextTable* table);
    // terminator: "par", or "cell" for the last paragraph of a cell.
    void writeBlock(const QTextBlock& block, const char* terminator = "par", bool inTable = false);
    void writeObjects(const QTextFragment& fragment);
    ParaState paraState(const QTextBlock& block, bool inTable) const;
    void writeParagraphFormat(const ParaState& para);
    QString familyOf(const QTextCharFormat& format) const;
    CharState charState(const QTextCharFormat& format, QString* family);
    void switchTo(CharState target);
    void writeText(QStringView text, const QString& family);
    void writeUnicode(char32_t c, const QString& family);
    void openLink(const QString& target);
    void closeLink();

    void word(const char* name);
    void word(const char* name, int param);
    void raw(const QByteArray& bytes);
    void hexByte(uchar byte);

    const QTextDocument* m_document;
    RtfFontList m_fonts;
    RtfColorList m_colors;
    RtfCharsetEncoder m_encoder;
    QByteArray m_out;
    CharState m_char;
    ParaState m_para;
    bool m_firstParagraph = true;
    int m_unicodeSkip = 1;
    bool m_delimit = false; // a control word was written last, text needs a blank
    QString m_defaultFamily;
    int m_defaultHalfPoints = 24;
    QString m_link;
    CharState m_charBeforeLink;
    int m_unicodeSkipBeforeLink = 1;
};
