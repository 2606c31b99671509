#pragma once

#include "rtf/RtfPicture.h"

#include <QByteArrayList>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

// What the round-trip tests compare, read from a QTextDocument through Qt's
// own interfaces: tables with their cells' text, pictures as their bytes,
// links and lists with their items.

inline QList<QTextTable*> rtfTables(const QTextDocument& document) {
    QList<QTextTable*> tables;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            tables.append(table);
    }
    return tables;
}

// Row by row; the paragraphs of a cell joined by '\n', ends trimmed.
inline QStringList rtfCellTexts(const QTextTable& table) {
    QStringList texts;
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            texts.append(cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n').trimmed());
        }
    }
    return texts;
}

inline QList<QTextImageFormat> rtfImages(const QTextDocument& document) {
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return images;
}

// The bytes each picture will be saved with.
inline QByteArrayList rtfPictureBytes(const QTextDocument& document) {
    QByteArrayList pictures;
    for (const QTextImageFormat& image : rtfImages(document))
        pictures.append(image.property(RtfPicture::kBytesProperty).toByteArray());
    return pictures;
}

// "text -> target" for each run of linked text.
inline QStringList rtfLinks(const QTextDocument& document) {
    QStringList links;
    QString text;
    QString href;
    const auto close = [&] {
        if (!href.isEmpty())
            links.append(text.trimmed() + QStringLiteral(" -> ") + href);
        text.clear();
        href.clear();
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString target = format.isAnchor() ? format.anchorHref() : QString();
            if (target != href)
                close();
            href = target;
            text += it.fragment().text();
        }
        close();
    }
    return links;
}

// "style: item | item" for each list, in the order the lists start.
inline QStringList rtfLists(const QTextDocument& document) {
    QList<QTextList*> lists;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.textList() && !lists.contains(block.textList()))
            lists.append(block.textList());
    }
    QStringList out;
    for (QTextList* list : lists) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items.append(list->item(i).text().trimmed());
        out.append(QString::number(list->format().style()) + QStringLiteral(": ") +
                   items.join(QStringLiteral(" | ")));
    }
    return out;
}
