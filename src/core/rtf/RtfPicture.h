#pragma once

#include "RtfKeyword.h"

#include <QByteArray>
#include <QByteArrayView>

class QTextDocument;
class QTextImageFormat;

// A \pict group. The editor shows PNG and JPEG pictures: their bytes become a
// resource of the document, named after the bytes, and go back into the file
// unchanged. Other kinds (metafiles, bitmaps, Mac pictures) are kept whole
// as raw groups by the reader instead.
class RtfPicture {
public:
    enum class Kind { Other, Png, Jpeg };

    // The words that say the picture's kind and size; other words change nothing.
    void applyWord(RtfKeyword keyword, int param);
    // The picture's data as hex digits, white space allowed, in any pieces.
    void appendHex(QByteArrayView text);
    void appendBinary(QByteArrayView bytes);

    bool isShowable() const { return m_kind != Kind::Other && !m_bytes.isEmpty(); }
    // Adds the bytes to the document and returns the format that shows them
    // at the size the file asks for.
    QTextImageFormat addTo(QTextDocument* document) const;

    // The {\pict …} group for an image of a document; empty when the document
    // holds no picture under the image's name.
    static QByteArray group(const QTextDocument* document, const QTextImageFormat& image);

private:
    int scaledTwips(int goal, int percent) const;

    Kind m_kind = Kind::Other;
    int m_goalWidth = 0;
    int m_goalHeight = 0;
    int m_scaleX = 100;
    int m_scaleY = 100;
    QByteArray m_bytes;
    int m_highNibble = -1; // a digit waiting for its partner
};
