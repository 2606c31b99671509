#pragma once

#include <QString>
#include <QStringList>

// A file-type pattern list such as "*.txt;*.ini;*.xml". "*" is the only
// wildcard, and what a pattern means follows from how the list was always
// read: every "*" is dropped and what is left must occur in the lower-cased
// name followed by ";". So "*.txt" needs a name ending in ".txt", "report*"
// a name holding "report", "*.*" inside a list a name with a dot, and an
// empty pattern (";;") fits every name. The list "*.*" alone fits every name.
class FileTypeList {
public:
    explicit FileTypeList(const QString& list);

    bool Fits(const QString& fileName) const;
    bool FitsEverything() const { return m_everything; }

private:
    bool m_everything = false;
    QStringList m_needles; // each ends in ";" unless its stars ate it
};

bool FitsFileTypes(const QString& fileName, const QString& list);
