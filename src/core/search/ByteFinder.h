#pragma once

#include <QByteArray>

// Finds a byte string in a buffer, optionally with ASCII letters compared
// without case. Built for the file search's hot loop: many positions are
// tested at once (16, or 32 where the processor has AVX2) against the
// needle's two least common bytes, and only the positions that pass both are
// compared in full.
class ByteFinder {
public:
    ByteFinder() = default;
    ByteFinder(const QByteArray& needle, bool foldAscii);

    // The first occurrence in [begin, end), or end.
    const char* Find(const char* begin, const char* end) const;

    qsizetype Size() const { return m_needle.size(); }
    bool IsEmpty() const { return m_needle.isEmpty(); }

private:
    bool matchesAt(const unsigned char* p) const;
    bool scanSse2(const unsigned char*& p, const unsigned char* last) const;
    bool scanAvx2(const unsigned char*& p, const unsigned char* last) const;

    QByteArray m_needle; // letters lower-cased when folding
    bool m_fold = false;
    qsizetype m_probe[2] = {0, 0};
};
