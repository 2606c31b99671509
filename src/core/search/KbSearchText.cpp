#include "KbSearchText.h"

#include <QVarLengthArray>

#include <cstdio>
#include <cstring>

namespace KbSearchText {

QString Header(int kind, const QString& query) {
    // arg() never rescans what it put in, so a query holding "%1" comes out
    // as typed.
    switch (kind) {
    case 1:
        return QStringLiteral("根据资料名称对本地知识库 '%1'进行搜索...").arg(query);
    case 2:
        return QStringLiteral("根据关键字对本地知识库 '%1'进行搜索...").arg(query);
    case 3:
        return QStringLiteral("根据名称和关键字对本地知识库 '%1'进行搜索...").arg(query);
    case 4:
        return QStringLiteral("根据时间对本地知识库进行搜索...");
    case 5:
        return QStringLiteral("根据名称和时间对本地知识库 '%1'进行搜索...").arg(query);
    case 6:
        return QStringLiteral("根据关键字和时间对本地知识库 '%1'进行搜索...").arg(query);
    case 7:
        return QStringLiteral("根据名称,关键字和时间对本地知识库 '%1'进行搜索...").arg(query);
    default:
        return {};
    }
}

QString Row(const QString& materialId, const QString& name) {
    return QLatin1Char('[') + materialId + QLatin1String("\t] ") + name;
}

QString Row(qint64 materialId, QByteArrayView name) {
    // Decoded once, the ASCII head with the name: the decoder starts the
    // name afresh after it, as it would on the name alone.
    QVarLengthArray<char, 256> bytes(32 + name.size());
    int size = std::snprintf(bytes.data(), 32, "[%lld\t] ", static_cast<long long>(materialId));
    std::memcpy(bytes.data() + size, name.data(), size_t(name.size()));
    size += int(name.size());
    return QString::fromUtf8(bytes.data(), size);
}

QString Count(qint64 found) {
    return QStringLiteral("共有%1条记录被发现.").arg(found);
}

std::optional<QString> MaterialIdOf(const QString& row) {
    if (!row.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = row.indexOf(QLatin1Char(']'));
    if (close < 2)
        return std::nullopt;
    // The tab before "]" is not part of the id.
    const QString id = row.mid(1, close - 2);
    bool ok = false;
    id.toLongLong(&ok);
    return ok ? std::optional<QString>(id) : std::nullopt;
}

} // namespace KbSearchText
