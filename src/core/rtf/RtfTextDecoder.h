#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringDecoder>

#include <memory>

// Turns the bytes of a text run (\'xx escapes and 8-bit text) into Unicode by
// the code page of the run's font. Converters are opened once per code page
// and used without state, so a cut double-byte character costs one
// replacement character and never swallows the text after it.
class RtfTextDecoder {
public:
    // A pseudo code page for the Symbol charset, whose fonts map bytes to
    // their own glyphs.
    static constexpr int kSymbol = 2;

    static int codePageForCharset(int charset);

    // The character of a \uN word, empty for none the text may hold. \u takes
    // a signed 16-bit number; some writers give the code point as is.
    static QString unicodeText(int value);

    QString decode(QByteArrayView bytes, int codePage);

private:
    QStringDecoder* decoderFor(int codePage);

    QHash<int, std::shared_ptr<QStringDecoder>> m_decoders;
};
