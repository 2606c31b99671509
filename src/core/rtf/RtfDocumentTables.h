#pragma once

#include "RtfKeyword.h"

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

    // \ansi, \mac, \pc, \pca and \ansicpg set the document's code page;
    // false for any other word.
    bool applyCodePageWord(RtfKeyword keyword, int param) {
        switch (keyword) {
        case RtfKeyword::Ansi:
            codePage = 1252;
            return true;
        case RtfKeyword::Mac:
            codePage = 10000;
            return true;
        case RtfKeyword::Pc:
            codePage = 437;
            return true;
        case RtfKeyword::Pca:
            codePage = 850;
            return true;
        case RtfKeyword::AnsiCpg:
            if (param > 0)
                codePage = param;
            return true;
        default:
            return false;
        }
    }

    // The code page that decodes \'xx bytes in a run of the given font.
    int codePageOf(int font) const {
        const auto it = fonts.constFind(font < 0 ? defaultFont : font);
        return it == fonts.constEnd() || it->codePage == 0 ? codePage : it->codePage;
    }
};
