#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reads the program's settings dialect: "[SECTION]" lines and "Key=f0|f1|...|"
// lines, GB18030 text with CR LF line ends. A key may repeat; each occurrence
// is one record. Reading never fails visibly: whatever cannot be read is
// simply absent, and callers apply their own defaults.
class ConfigFileReader {
public:
    // Replaces the lines with those of the file; a file that cannot be opened
    // leaves none.
    void Load(const QString& path);

    // The same from bytes already in memory.
    void LoadBytes(QByteArrayView bytes);

    // Emptied first, then every value of `key` in the first section named
    // `section`, in file order, blanks trimmed. Names compare case-sensitively.
    void GetValues(const QString& section, const QString& key, QStringList& values) const;

    // Field i (from 0) of a value: the text between the i-th and the (i+1)-th
    // "|"; the last field needs no closing bar; a field past the end is empty.
    static QString Field(QStringView value, int i);

    const QString& fileName() const { return m_fileName; }
    const QStringList& lines() const { return m_lines; }

private:
    QString m_fileName;
    QStringList m_lines;
};
