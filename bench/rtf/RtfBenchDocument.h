#pragma once

#include <QByteArray>

// A deterministic RTF file in the shape WordPad writes on a Chinese system:
// GBK text as \'xx pairs, Latin runs in a Western font, \uN with fallbacks,
// formatting switched every few words, aligned, spaced and bulleted paragraphs.
class RtfBenchDocument {
public:
    static QByteArray generate(qsizetype targetBytes);
};
