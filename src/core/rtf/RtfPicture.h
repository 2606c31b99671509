#pragma once

#include "RtfKeyword.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QTextFormat>

#include <optional>

class QTextDocument;
class QTextImageFormat;

// A \pict group. The editor shows PNG and JPEG pictures: decoded, they become
// a resource of the document named after their bytes, and the bytes
// themselves ride in the image's format, so that they go back into the file
// unchanged. Other kinds (metafiles, bitmaps, Mac pictures) are kept whole
// as raw groups by the reader instead.
class RtfPicture {
public:
    enum class Kind { Other, Png, Jpeg };

    // The property of a QTextImageFormat that holds the picture's bytes.
    static constexpr int kBytesProperty = QTextFormat::UserProperty + 0x5256;

    // The words that say the picture's kind and size; other words change nothing.
    void applyWord(RtfKeyword keyword, int param);
    // The picture's data as hex digits, white space allowed, in any pieces.
    void appendHex(QByteArrayView text);
    void appendBinary(QByteArrayView bytes);

    // Adds the picture to the document and returns the format that shows it
    // at the size the file asks for; nothing when it is not a PNG or JPEG
    // picture that decodes, which the reader then keeps raw.
    std::optional<QTextImageFormat> addTo(QTextDocument* document) const;

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
