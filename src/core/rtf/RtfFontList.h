#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class RtfCharsetEncoder;

// The font table a document is written with. One family may appear twice,
// once per charset: Chinese text in a Western font goes out in the family's
// Chinese-charset entry, so that readers decoding by font charset read it.
class RtfFontList {
public:
    // The entry's number, added on first use.
    int index(const QString& family, int charset);
    int charsetOf(int index) const;
    QString familyAt(int index) const; // as the table writes it

    // The charset a family's text is written in by default.
    static int charsetFor(const QString& family);

    QByteArray table(RtfCharsetEncoder& encoder) const;

private:
    struct Entry {
        QString family;
        int charset;
    };

    QList<Entry> m_entries;
};
