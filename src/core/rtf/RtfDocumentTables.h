#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The tables a document's formatting refers to by number.
struct RtfDocumentTables {
    struct Font {
        QString name;
        int codePage = 0; // 0: the document's code page
    };

    QHash<int, Font> fonts;
    QList<QColor> colors; // an invalid colour is the automatic one
    QStringList links;
    int defaultFont = 0;
    int codePage = 1252;

    // The code page that decodes \'xx bytes in a run of the given font.
    int codePageOf(int font) const {
        const auto it = fonts.constFind(font < 0 ? defaultFont : font);
        return it == fonts.constEnd() || it->codePage == 0 ? codePage : it->codePage;
    }
};
