#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// How a text file was written: its encoding and its line end. The text
// editor writes a file back the way it came, so an edit that is undone
// leaves the bytes exactly as they were.
class TextFileFormat {
public:
    enum class Encoding { Utf8, Utf8Bom, Gb18030, Utf16LE, Utf16BE };
    enum class LineEnd { CrLf, Lf, Cr };

    // A byte-order mark decides; otherwise text that reads as UTF-8 is
    // UTF-8 (plain ASCII included) and anything else is GB18030, the code
    // page Chinese Windows systems wrote. The first line end found sets the
    // line end of new lines; a file without one gets Lf.
    static TextFileFormat detect(QByteArrayView bytes);

    QString decode(QByteArrayView bytes) const;
    // Empty when the encoding cannot hold the text.
    std::optional<QByteArray> encode(QStringView text) const;

    // True when decoding and encoding again gives the same bytes; a file
    // that fails this (damaged sequences, binary data) must not be written
    // back from its decoded text.
    bool roundTrips(QByteArrayView bytes) const;

    Encoding encoding() const { return m_encoding; }
    void setEncoding(Encoding encoding) { m_encoding = encoding; }
    LineEnd lineEnd() const { return m_lineEnd; }

private:
    Encoding m_encoding = Encoding::Utf8;
    LineEnd m_lineEnd = LineEnd::Lf;
};
