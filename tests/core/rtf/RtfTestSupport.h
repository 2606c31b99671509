#pragma once

#include "rtf/RtfReader.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <memory>

// A readable summary of what a document holds, one line per block and one
// per fragment, so that a failed comparison shows which format went wrong.
inline QStringList rtfSignature(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat b = block.blockFormat();
        QString line = QStringLiteral("block align=%1 left=%2 first=%3 right=%4 top=%5 bottom=%6")
                           .arg(int(b.alignment() & Qt::AlignHorizontal_Mask))
                           .arg(b.leftMargin())
                           .arg(b.textIndent())
                           .arg(b.rightMargin())
                           .arg(b.topMargin())
                           .arg(b.bottomMargin());
        if (b.lineHeightType() != QTextBlockFormat::SingleHeight)
            line += QStringLiteral(" line=%1/%2").arg(b.lineHeight()).arg(b.lineHeightType());
        if (const QTextList* list = block.textList())
            line += QStringLiteral(" list=%1/%2 item=%3")
                        .arg(list->format().style())
                        .arg(list->format().indent())
                        .arg(list->itemNumber(block));
        if (block.length() <= 1) {
            const QTextCharFormat c = block.charFormat();
            line += QStringLiteral(" empty font=%1 size=%2")
                        .arg(c.fontFamilies().toStringList().value(0))
                        .arg(c.fontPointSize());
        }
        lines.append(line);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat c = it.fragment().charFormat();
            lines.append(
                QStringLiteral("  [%1] font=%2 size=%3%4%5%6%7 fg=%8 bg=%9 v=%10 href=%11")
                    .arg(it.fragment().text(), c.fontFamilies().toStringList().value(0))
                    .arg(c.fontPointSize())
                    .arg(c.fontWeight() >= QFont::DemiBold ? " b" : "")
                    .arg(c.fontItalic() ? " i" : "")
                    .arg(c.fontUnderline() ? " u" : "")
                    .arg(c.fontStrikeOut() ? " s" : "")
                    .arg(c.foreground().style() == Qt::NoBrush ? QString()
                                                               : c.foreground().color().name())
                    .arg(c.background().style() == Qt::NoBrush ? QString()
                                                               : c.background().color().name())
                    .arg(int(c.verticalAlignment()))
                    .arg(c.anchorHref()));
        }
    }
    return lines;
}

inline QByteArray rtfSample(const char* name) {
    QFile file(QStringLiteral(KEEPSAKE_RTF_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", name);
    return file.readAll();
}

inline QStringList rtfBlockTexts(const QTextDocument& document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
}

inline std::unique_ptr<QTextDocument> load(const QByteArray& rtf) {
    auto document = std::make_unique<QTextDocument>();
    if (!RtfReader::read(rtf, document.get()))
        qWarning("not read as RTF: %s", rtf.left(40).constData());
    return document;
}

inline QString text(const QByteArray& rtf) {
    return rtfBlockTexts(*load(rtf)).join(u'\n');
}

// The format of the first character of the first occurrence of a text.
inline QTextCharFormat formatOf(const QTextDocument& document, const QString& text) {
    const QTextCursor found = document.find(text);
    if (found.isNull())
        return {};
    QTextCursor at(const_cast<QTextDocument*>(&document));
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}
