#include "FileTypeList.h"

FileTypeList::FileTypeList(const QString& list) {
    if (list == QLatin1String("*.*")) {
        m_everything = true;
        return;
    }
    const QString rest = list.toLower() + QLatin1Char(';');
    qsizetype from = 0;
    // Patterns are taken with their ";" until nothing or a lone ";" is left,
    // so a trailing ";" in the list adds no empty pattern.
    while (from < rest.size() && QStringView(rest).mid(from) != QLatin1String(";")) {
        const qsizetype semicolon = rest.indexOf(QLatin1Char(';'), from);
        QString pattern = rest.mid(from, semicolon - from + 1);
        from = semicolon + 1;
        pattern.remove(QLatin1String("*;"));
        pattern.remove(QLatin1String(";*"));
        pattern.remove(QLatin1Char('*'));
        m_needles.append(pattern);
    }
}

bool FileTypeList::Fits(const QString& fileName) const {
    if (m_everything)
        return true;
    const QString name = fileName.toLower() + QLatin1Char(';');
    for (const QString& needle : m_needles) {
        if (name.contains(needle))
            return true;
    }
    return false;
}

bool FitsFileTypes(const QString& fileName, const QString& list) {
    return FileTypeList(list).Fits(fileName);
}
